#include "ControlPoints.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zw {

int ControlPoints::indexAt(double x) const {
    const auto* first = SplinePointX.data();
    const auto* last = first + SplinePointCount;
    const auto* it = std::lower_bound(first, last, x);
    return (it != last && *it == x) ? static_cast<int>(it - first) : -1;
}

// The end points stand for one sample; both take the value y.
void ControlPoints::linkEnds(double y, double waveLength) {
    if (SplinePointCount <= 0)
        return;
    if (SplinePointX[0] == 0 && SplinePointX[SplinePointCount - 1] == waveLength) {
        SplinePointY[0] = y;
        SplinePointY[SplinePointCount - 1] = y;
    }
}

SetPointResult ControlPoints::setPoint(double x, double y, double waveLength,
                                       const EndLinkQuestion& ask) {
    const int existing = indexAt(x);
    if (existing < 0 && SplinePointCount >= kCapacity)
        return SetPointResult::Full;
    if (SplinePointCount > 0) {
        // The point that stands at the other end of the waveform, if any.
        int other = -1;
        if (x == 0 && SplinePointX[SplinePointCount - 1] == waveLength)
            other = SplinePointCount - 1;
        else if (x == waveLength && SplinePointX[0] == 0)
            other = 0;
        if (other >= 0 && x != waveLength - x) {
            if (SplinePointY[other] != y && !(ask && ask()))
                return SetPointResult::Declined;
            SplinePointY[other] = y;
        }
    }
    if (existing >= 0) {
        SplinePointY[existing] = y;
        selected_ = existing;
        return SetPointResult::Replaced;
    }
    const auto* first = SplinePointX.data();
    const int at = static_cast<int>(std::lower_bound(first, first + SplinePointCount, x) - first);
    std::copy_backward(SplinePointX.begin() + at, SplinePointX.begin() + SplinePointCount,
                       SplinePointX.begin() + SplinePointCount + 1);
    std::copy_backward(SplinePointY.begin() + at, SplinePointY.begin() + SplinePointCount,
                       SplinePointY.begin() + SplinePointCount + 1);
    SplinePointX[at] = x;
    SplinePointY[at] = y;
    ++SplinePointCount;
    selected_ = at;
    return SetPointResult::Added;
}

bool ControlPoints::remove(int index) {
    if (index < 0 || index >= SplinePointCount)
        return false;
    std::copy(SplinePointX.begin() + index + 1, SplinePointX.begin() + SplinePointCount,
              SplinePointX.begin() + index);
    std::copy(SplinePointY.begin() + index + 1, SplinePointY.begin() + SplinePointCount,
              SplinePointY.begin() + index);
    --SplinePointCount;
    SplinePointX[SplinePointCount] = 0;
    SplinePointY[SplinePointCount] = 0;
    if (selected_ >= SplinePointCount)
        selected_ = SplinePointCount - 1;
    return true;
}

void ControlPoints::clear() {
    SplinePointX.fill(0);
    SplinePointY.fill(0);
    SplinePointCount = 0;
    selected_ = -1;
}

int ControlPoints::move(int index, double x, double y, double waveLength) {
    if (index < 0 || index >= SplinePointCount)
        return -1;
    // Whole samples either side of the neighbours; the ends of the waveform
    // bound the first and the last point.
    const double low = index > 0 ? SplinePointX[index - 1] + 1 : 0.0;
    const double high = index + 1 < SplinePointCount ? SplinePointX[index + 1] - 1 : waveLength;
    if (low <= high)
        SplinePointX[index] = std::clamp(x, low, high);
    SplinePointY[index] = y;
    if (index == 0 || index == SplinePointCount - 1)
        linkEnds(y, waveLength);
    selected_ = index;
    return index;
}

int ControlPoints::nearest(double x, double y, double samplesPerPixel, double codesPerPixel,
                           double* distance) const {
    if (SplinePointCount <= 0)
        return -1;
    const double sx = samplesPerPixel > 0 ? samplesPerPixel : 1.0;
    const double sy = codesPerPixel > 0 ? codesPerPixel : 1.0;
    int best = -1;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (int i = 0; i < SplinePointCount; ++i) {
        const double d = std::hypot((SplinePointX[i] - x) / sx, (SplinePointY[i] - y) / sy);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    if (distance != nullptr)
        *distance = bestDistance;
    return best;
}

void ControlPoints::select(int index) {
    selected_ = (index >= 0 && index < SplinePointCount) ? index : -1;
}

} // namespace zw
