#include "ElasticModel.h"

#include "WaveDocument.h"
#include "sigcore32.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zw {

namespace {

constexpr double kFullScale = 32767.0;

} // namespace

ElasticModel::ElasticModel(WaveDocument& document, const std::function<void()>& backup)
    : document_(document) {
    if (backup)
        backup();
    else
        document_.backup();
    backup_ = document_.EditMemory(1 - document_.CurrentMemory());
    work_ = document_.WorkMemory(0);
    openedMarkers_ = document_.markers();
    const double used = static_cast<double>(document_.WaveLength());
    W_CopyMemory(document_.current(), work_, 0, 0, used);

    const MarkerRecord& m = openedMarkers_;
    const double length = m.MarkB - m.MarkA;
    const double hi = W_GetMaxMin(work_, m.MarkA, length, 1);
    const double lo = W_GetMaxMin(work_, m.MarkA, length, 0);
    f_.NewStartX = m.MarkA;
    f_.NewEndX = m.MarkB;
    f_.NewMax = hi;
    f_.NewMin = lo;
    f_.NewAmplitude = hi - lo;
    f_.NewOffset = (hi + lo) / 2.0;
}

void ElasticModel::setStartX(double samples) {
    if (samples == f_.NewStartX)
        return;
    f_.NewStartX = samples;
    recompute();
}

void ElasticModel::setEndX(double samples) {
    if (samples == f_.NewEndX)
        return;
    f_.NewEndX = samples;
    recompute();
}

void ElasticModel::setMax(double code) {
    if (code == f_.NewMax)
        return;
    setMaxMin(code, f_.NewMin);
    recompute();
}

void ElasticModel::setMin(double code) {
    if (code == f_.NewMin)
        return;
    setMaxMin(f_.NewMax, code);
    recompute();
}

void ElasticModel::setAmplitude(double codes) {
    if (codes == f_.NewAmplitude)
        return;
    setAmpOff(codes, f_.NewOffset);
    recompute();
}

void ElasticModel::setOffset(double code) {
    if (code == f_.NewOffset)
        return;
    setAmpOff(f_.NewAmplitude, code);
    recompute();
}

void ElasticModel::setMaxMin(double max, double min) {
    f_.NewMax = max;
    f_.NewMin = min;
    f_.NewAmplitude = max - min;
    f_.NewOffset = (max + min) / 2.0;
    f_.MaxMinPending = 1;
}

void ElasticModel::setAmpOff(double amplitude, double offset) {
    f_.NewAmplitude = amplitude;
    f_.NewOffset = offset;
    f_.NewMax = offset + amplitude / 2.0;
    f_.NewMin = offset - amplitude / 2.0;
    f_.MaxMinPending = 0;
}

void ElasticModel::fitLength() {
    f_.NewStartX = 0;
    f_.NewEndX = static_cast<double>(document_.WaveLength());
    recompute();
}

void ElasticModel::fitPeakToPeak() {
    setMaxMin(kFullScale, -kFullScale);
    recompute();
}

void ElasticModel::fitAmplitude() {
    const MarkerRecord& m = document_.markers();
    const double length = m.MarkB - m.MarkA;
    const double lo = W_GetMaxMin(work_, m.MarkA, length, 0);
    const double hi = W_GetMaxMin(work_, m.MarkA, length, 1);
    if (std::fabs(lo) <= std::fabs(hi))
        setMaxMin(kFullScale, lo - (kFullScale - hi));
    else
        setMaxMin(hi + (kFullScale - std::fabs(lo)), -kFullScale);
    recompute();
}

void ElasticModel::recompute() {
    const double used = static_cast<double>(document_.WaveLength());
    W_CopyMemory(backup_, work_, 0, 0, used);
    MarkerRecord& m = document_.markers();
    m = openedMarkers_;

    const double oldLength = m.MarkB - m.MarkA;
    const double newLength = f_.NewEndX - f_.NewStartX;
    if (oldLength != 0 && newLength != 0) {
        W_CompWaveX(work_, m.MarkA, oldLength, static_cast<int32_t>(used), f_.NewStartX, newLength);
        m.MarkA = std::min(f_.NewStartX, f_.NewEndX);
        m.MarkB = std::max(f_.NewStartX, f_.NewEndX);
    }

    const double length = m.MarkB - m.MarkA;
    if (std::fabs(length) > 1) {
        if (f_.MaxMinPending != 0) {
            if (f_.NewMax != f_.NewMin)
                W_CompYMaxMin(work_, m.MarkA, length, f_.NewMax, f_.NewMin);
        } else {
            W_CompYAmpOff(work_, m.MarkA, length, f_.NewAmplitude, f_.NewOffset);
        }
    }
    f_.MaxMinPending = 0;
    W_CopyMemory(work_, document_.current(), 0, 0, used);
}

int32_t ElasticModel::levelAtStart() const {
    return W_GetWaveData(work_, f_.NewStartX, static_cast<double>(document_.WaveLength()));
}

int32_t ElasticModel::levelAtEnd() const {
    return W_GetWaveData(work_, f_.NewEndX, static_cast<double>(document_.WaveLength()));
}

void ElasticModel::cancel() {
    W_CopyMemory(backup_, document_.current(), 0, 0, static_cast<double>(document_.WaveLength()));
    document_.markers() = openedMarkers_;
}

} // namespace zw
