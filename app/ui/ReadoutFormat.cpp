#include "ReadoutFormat.h"

#include "NumberFormat.h"

#include <algorithm>

namespace zw {

namespace {

QString trimmedName(const char* field, std::size_t size) {
    return QString::fromLatin1(field, static_cast<qsizetype>(strnlen(field, size))).trimmed();
}

double offsetInEffect(const DeviceInfo& s) {
    return (!s.OffsetSwitchAvailable || s.OffsetSwitchState) ? s.Offset : 0.0;
}

} // namespace

double ReadoutFormat::xToUnit(double sample) const {
    const double n = static_cast<double>(waveLength_);
    switch (s_.XUnit) {
    case 1:
        return sample * s_.Cycle / n;
    case 2:
        return sample * (s_.XUserEnd - s_.XUserStart) / n + s_.XUserStart;
    default:
        return sample;
    }
}

double ReadoutFormat::xDistanceToUnit(double samples) const {
    const double n = static_cast<double>(waveLength_);
    switch (s_.XUnit) {
    case 1:
        return samples * s_.Cycle / n;
    case 2:
        return samples * (s_.XUserEnd - s_.XUserStart) / n;
    default:
        return samples;
    }
}

double ReadoutFormat::yToUnit(double code) const {
    switch (s_.YUnit) {
    case 1:
        return code * s_.Amplitude / 65534.0 + offsetInEffect(s_);
    case 2:
        return code * (s_.YUserMax - s_.YUserMin) / 65534.0 + (s_.YUserMin + s_.YUserMax) / 2.0;
    default:
        return code;
    }
}

QString ReadoutFormat::formatX(double value) const {
    return s_.XUnit == 0 ? NumberFormat::PlainFormat(value, 8)
                         : NumberFormat::EngineeringFormat(value, 7);
}

QString ReadoutFormat::xPosition(double sample) const {
    return formatX(xToUnit(sample));
}

QString ReadoutFormat::xDistance(double samples) const {
    return formatX(xDistanceToUnit(samples));
}

QString ReadoutFormat::yValue(double code) const {
    const double v = yToUnit(code);
    return s_.YUnit == 0 ? NumberFormat::PlainFormat(v, 8) : NumberFormat::EngineeringFormat(v, 7);
}

QString ReadoutFormat::unitTextX() const {
    switch (s_.XUnit) {
    case 1:
        return "sec";
    case 2:
        return trimmedName(s_.XUnitName, sizeof s_.XUnitName);
    default:
        return "Word";
    }
}

QString ReadoutFormat::unitTextY() const {
    switch (s_.YUnit) {
    case 1:
        return "V";
    case 2:
        return trimmedName(s_.YUnitName, sizeof s_.YUnitName);
    default:
        return "";
    }
}

std::optional<double> ReadoutFormat::readX(const QString& text) const {
    const std::optional<double> typed = NumberFormat::ReadEngineering(text);
    if (!typed)
        return std::nullopt;
    const double n = static_cast<double>(waveLength_);
    double v = *typed;
    switch (s_.XUnit) {
    case 1: {
        const double period = s_.Frequency != 0 ? 1.0 / s_.Frequency : 0.0;
        v = std::clamp(v, 0.0, std::max(period, 0.0));
        const double perSample = s_.Cycle / n;
        return perSample != 0 ? v / perSample : 0.0;
    }
    case 2: {
        const double lo = std::min(s_.XUserStart, s_.XUserEnd);
        const double hi = std::max(s_.XUserStart, s_.XUserEnd);
        v = std::clamp(v, lo, hi);
        const double perSample = (s_.XUserEnd - s_.XUserStart) / n;
        return perSample != 0 ? (v - s_.XUserStart) / perSample : 0.0;
    }
    default:
        return std::clamp(v, 0.0, n);
    }
}

} // namespace zw
