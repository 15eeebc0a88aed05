#include "SplinePoints.h"

#include "Messages.h"

namespace zw {

namespace {

constexpr int kEndLinkQuestion = 21;

} // namespace

EndLinkQuestion SplinePoints::endLinkQuestion() {
    return [this] { return messages_.AskCaution(kEndLinkQuestion) == MessageAnswer::Yes; };
}

SetPointResult SplinePoints::setPoint(double x, double y, double waveLength) {
    const SetPointResult result = points_.setPoint(x, y, waveLength, endLinkQuestion());
    if (result == SetPointResult::Full)
        messages_.ShowErrorCode(kPointListFull);
    if (result == SetPointResult::Added || result == SetPointResult::Replaced)
        emit changed();
    return result;
}

} // namespace zw
