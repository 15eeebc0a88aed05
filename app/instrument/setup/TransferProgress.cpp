#include "TransferProgress.h"

#include <algorithm>

namespace zw {

namespace {

QString PhaseText(std::string_view phase) {
    return QString::fromUtf8(phase.data(), static_cast<qsizetype>(phase.size()));
}

} // namespace

void TransferProgress::SetDialogEnabled(bool enabled) {
    setupEnabled_ = enabled;
    view_.setSetupEnabled(enabled);
}

void TransferProgress::ShowProgress(std::string_view phase) {
    abortRequested_ = false;
    position_ = 0;
    phase_ = PhaseText(phase);
    if (!open_) {
        open_ = true;
        view_.openProgress();
    }
    view_.showPhase(phase_);
    view_.showPosition(position_);
}

void TransferProgress::SetPhase(std::string_view phase) {
    phase_ = PhaseText(phase);
    view_.showPhase(phase_);
}

void TransferProgress::SetPosition(int position) {
    position_ = std::clamp(position, 0, kProgressScale);
    view_.showPosition(position_);
}

void TransferProgress::SetLoopCount(long count) {
    loopCount_ = count;
    view_.showLoopCount(count);
}

void TransferProgress::CloseProgress() {
    if (!open_)
        return;
    open_ = false;
    view_.closeProgress();
}

bool TransferProgress::ProcessEventsAndCheckAbort() {
    view_.processEvents();
    return abortRequested_;
}

void TransferProgress::requestAbort() {
    if (open_)
        abortRequested_ = true;
}

} // namespace zw
