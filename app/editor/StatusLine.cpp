#include "StatusLine.h"

#include "CurrentSetting.h"
#include "EditSession.h"
#include "Units.h"
#include "zwplatform.hpp"

#include <algorithm>

namespace zw {

std::optional<StretchStatistics> MarkedStatistics(const EditSession& session) {
    const WaveDocument& doc = session.document();
    const long length = doc.WaveLength();
    const long start = std::clamp<long>(doc.markedStart(), 0, length);
    const long end = std::clamp<long>(start + doc.markedLength(), start, length);
    if (end <= start)
        return std::nullopt;
    const LockedBlock<int16_t> block(doc.current());
    if (!block || block.size() < static_cast<size_t>(end))
        return std::nullopt;
    StretchStatistics s;
    s.count = end - start;
    s.minimum = block[static_cast<size_t>(start)];
    s.maximum = s.minimum;
    double sum = 0;
    for (long i = start; i < end; ++i) {
        const double code = block[static_cast<size_t>(i)];
        s.minimum = std::min(s.minimum, code);
        s.maximum = std::max(s.maximum, code);
        sum += code;
    }
    s.mean = sum / static_cast<double>(s.count);
    return s;
}

StatusLineTexts StatusLine(const EditSession& session) {
    const Units units(session.setting().info());
    const auto withUnit = [](const QString& number, const QString& unit) {
        return (number.trimmed() + u' ' + unit).trimmed();
    };
    StatusLineTexts t;
    t.model = session.setting().modelName();
    t.memory = QString::number(session.WaveLength());
    t.marked = withUnit(units.FormatXDistance(session.MarkDistance()), units.UnitTextX());
    if (const auto s = MarkedStatistics(session)) {
        const QString y = units.UnitTextY();
        t.minimum = withUnit(units.FormatYValue(s->minimum), y);
        t.maximum = withUnit(units.FormatYValue(s->maximum), y);
        t.mean = withUnit(units.FormatYValue(s->mean), y);
        t.peakToPeak = withUnit(units.FormatYDifference(s->maximum - s->minimum), y);
    }
    return t;
}

} // namespace zw
