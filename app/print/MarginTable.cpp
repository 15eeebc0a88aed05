#include "MarginTable.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace zw {
namespace {

bool shown(int index) {
    return index >= 0 && index < MarginTable::kShownCount;
}

} // namespace

int MarginTable::margin(int index) const {
    return index >= 0 && index < kCount ? mm_[static_cast<std::size_t>(index)] : kMarginMin;
}

void MarginTable::set(int index, int millimetres) {
    mm_[static_cast<std::size_t>(index)] = std::clamp(millimetres, kMarginMin, kMarginMax);
    if (index == kMarginLeft)
        mm_[kMarginRight] = mm_[kMarginLeft];
}

bool MarginTable::stepUp(int index) {
    if (!shown(index) || margin(index) >= kMarginMax)
        return false;
    set(index, margin(index) + 1);
    return true;
}

bool MarginTable::stepDown(int index) {
    if (!shown(index) || margin(index) <= kMarginMin)
        return false;
    set(index, margin(index) - 1);
    return true;
}

int MarginTable::commitText(int index, QStringView text) {
    if (!shown(index))
        return margin(index);
    bool ok = false;
    const double typed = text.trimmed().toString().toDouble(&ok);
    if (!ok || std::isnan(typed))
        return margin(index);
    // Whole millimetres, rounded down; the limits first, so that huge or
    // infinite values never reach the integer conversion.
    const double limited = std::clamp(typed, double(kMarginMin), double(kMarginMax));
    set(index, static_cast<int>(std::floor(limited)));
    return margin(index);
}

} // namespace zw
