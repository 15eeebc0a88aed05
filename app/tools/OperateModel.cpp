#include "OperateModel.h"

#include "Rounding.h"
#include "Units.h"
#include "WaveDocument.h"
#include "docio32.h"
#include "sigcore32.h"

#include <algorithm>
#include <cmath>

namespace zw {

namespace {

constexpr double kHighestCode = 32767.0;
constexpr int32_t kClipboardReadError = 81;

// The memories hold at least one sample, so the previews always have a
// memory to draw even for an empty stretch.
int32_t memorySize(int32_t length) {
    return std::max<int32_t>(length, 1);
}

} // namespace

OperateModel::OperateModel(WaveDocument& document, const Units& units) : document_(document) {
    const MarkerRecord& m = document.markers();
    const long used = document.WaveLength();
    // The stretch is read and written from the same first sample (the one
    // the Edit commands use), so the result lands where it came from even
    // when a marker stands between two samples.
    start_ = static_cast<int32_t>(std::clamp(std::ceil(m.MarkA), 0.0, static_cast<double>(used)));
    const double marked = std::max(0.0, RoundHalfEven(m.MarkB - m.MarkA));
    length_ = static_cast<int32_t>(std::min(marked, static_cast<double>(used - start_)));
    min_ = units.YCodeToUnit(-kHighestCode);
    max_ = units.YCodeToUnit(kHighestCode);
    operand_ = ScopedWaveMemory(memorySize(length_));
    result_ = ScopedWaveMemory(memorySize(length_));
}

bool OperateModel::ready() const {
    return static_cast<bool>(operand_) && static_cast<bool>(result_);
}

int32_t OperateModel::loadOperandFromClipboard(ZwClipboardOwner* owner) {
    if (!ready())
        return kClipboardReadError;
    // Read into a fresh memory first: a refused or empty clipboard must not
    // cost the operand the user already has.
    const ScopedWaveMemory scratch(memorySize(length_));
    if (!scratch)
        return kClipboardReadError;
    int32_t pasted = 0;
    const int32_t result = GetClipBoard(owner, scratch.get(), 0, length_, length_, &pasted);
    if (result != 0)
        return result;
    if (pasted <= 0)
        return kClipboardReadError;
    W_CopyMemory(scratch.get(), operand_.get(), 0, 0, memorySize(length_));
    return 0;
}

void OperateModel::computeResult() {
    if (!ready() || length_ <= 0)
        return;
    W_CalcWave(document_.current(), operand_.get(), result_.get(), start_, length_, min_, max_,
               static_cast<int32_t>(operation_));
}

void OperateModel::commit(const std::function<void()>& backup) {
    if (!ready() || length_ <= 0)
        return;
    if (backup)
        backup();
    else
        document_.backup();
    W_CopyMemory(result_.get(), document_.current(), 0, start_, length_);
}

} // namespace zw
