// Unit conversions, read-out formats and limits of typed values.
#include "Units.h"

#include "NumberFormat.h"
#include "TextCodec.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zw {
namespace {

constexpr double kCodeSpan = 65534.0; // codes -32767..+32767
constexpr double kHighestCode = 32767.0;
constexpr double kLowestCode = -32768.0;
constexpr double kNoScaleCode = 65534.0;

constexpr int kShortPlain = 8;
constexpr int kShortEngineering = 7;
constexpr int kLongPlain = 11;
constexpr int kLongEngineering = 10;

Limited limitTo(double value, double a, double b) {
    const double lo = std::min(a, b);
    const double hi = std::max(a, b);
    if (std::isnan(value))
        return {lo, false};
    const double v = std::clamp(value, lo, hi);
    return {v, v == value};
}

} // namespace

UnitSetting UnitSetting::FromDeviceInfo(const DeviceInfo& info) {
    UnitSetting s;
    s.XUnit = info.XUnit;
    s.YUnit = info.YUnit;
    s.XUserStart = info.XUserStart;
    s.XUserEnd = info.XUserEnd;
    s.YUserMin = info.YUserMin;
    s.YUserMax = info.YUserMax;
    s.XUnitName = DecodeField(info.XUnitName, sizeof info.XUnitName).trimmed();
    s.YUnitName = DecodeField(info.YUnitName, sizeof info.YUnitName).trimmed();
    s.WaveLength = info.MemorySize;
    s.Cycle = info.Cycle;
    s.Amplitude = info.Amplitude;
    s.AmplitudeMin = info.AmplitudeMin;
    s.AmplitudeMax = info.AmplitudeMax;
    s.Offset = info.Offset;
    s.OffsetSwitchAvailable = info.OffsetSwitchAvailable != 0;
    s.OffsetSwitchOn = info.OffsetSwitchState != 0;
    return s;
}

void SetStartupUserUnits(DeviceInfo& info) {
    info.XUserStart = 0.0;
    info.XUserEnd = 1.0;
    info.YUserMin = -1.0;
    info.YUserMax = 1.0;
    std::memset(info.XUnitName, ' ', sizeof info.XUnitName);
    std::memset(info.YUnitName, ' ', sizeof info.YUnitName);
}

// Unknown unit kinds (a damaged setup file) are shown as samples and codes.
int Units::xUnit() const {
    return (s_.XUnit == 1 || s_.XUnit == 2) ? s_.XUnit : 0;
}
int Units::yUnit() const {
    return (s_.YUnit == 1 || s_.YUnit == 2) ? s_.YUnit : 0;
}

double Units::xScale() const {
    if (s_.WaveLength <= 0)
        return 0.0;
    switch (xUnit()) {
    case 1:
        return s_.Cycle / s_.WaveLength;
    case 2:
        return (s_.XUserEnd - s_.XUserStart) / s_.WaveLength;
    default:
        return 1.0;
    }
}

double Units::yScale() const {
    switch (yUnit()) {
    case 1:
        return s_.Amplitude / kCodeSpan;
    case 2:
        return (s_.YUserMax - s_.YUserMin) / kCodeSpan;
    default:
        return 1.0;
    }
}

double Units::yCentre() const {
    switch (yUnit()) {
    case 1:
        return (!s_.OffsetSwitchAvailable || s_.OffsetSwitchOn) ? s_.Offset : 0.0;
    case 2:
        return (s_.YUserMin + s_.YUserMax) / 2.0;
    default:
        return 0.0;
    }
}

double Units::XPositionToUnit(double samples) const {
    if (s_.WaveLength <= 0 && xUnit() != 0)
        return xUnit() == 2 ? s_.XUserStart : 0.0;
    switch (xUnit()) {
    case 1:
        return samples * s_.Cycle / s_.WaveLength;
    case 2:
        return samples * (s_.XUserEnd - s_.XUserStart) / s_.WaveLength + s_.XUserStart;
    default:
        return samples;
    }
}

double Units::XUnitToPosition(double value) const {
    if (xUnit() == 0)
        return value;
    const double scale = xScale();
    if (scale == 0.0)
        return 0.0;
    return (value - (xUnit() == 2 ? s_.XUserStart : 0.0)) / scale;
}

double Units::XDistanceToUnit(double samples) const {
    if (s_.WaveLength <= 0)
        return xUnit() == 0 ? samples : 0.0;
    switch (xUnit()) {
    case 1:
        return samples * s_.Cycle / s_.WaveLength;
    case 2:
        return samples * (s_.XUserEnd - s_.XUserStart) / s_.WaveLength;
    default:
        return samples;
    }
}

double Units::XUnitToDistance(double value) const {
    if (xUnit() == 0)
        return value;
    const double scale = xScale();
    return scale == 0.0 ? 0.0 : value / scale;
}

double Units::YCodeToUnit(double code) const {
    switch (yUnit()) {
    case 1:
        return code * s_.Amplitude / kCodeSpan + yCentre();
    case 2:
        return code * (s_.YUserMax - s_.YUserMin) / kCodeSpan + yCentre();
    default:
        return code;
    }
}

double Units::YUnitToCode(double value) const {
    if (yUnit() == 0)
        return value;
    const double scale = yScale();
    return scale == 0.0 ? kNoScaleCode : (value - yCentre()) / scale;
}

double Units::YDifferenceToUnit(double codes) const {
    switch (yUnit()) {
    case 1:
        return codes * s_.Amplitude / kCodeSpan;
    case 2:
        return codes * (s_.YUserMax - s_.YUserMin) / kCodeSpan;
    default:
        return codes;
    }
}

double Units::YUnitToDifference(double value) const {
    if (yUnit() == 0)
        return value;
    const double scale = yScale();
    return scale == 0.0 ? kNoScaleCode : value / scale;
}

QString Units::FormatXPosition(double samples) const {
    const double v = XPositionToUnit(samples);
    return xUnit() == 0 ? NumberFormat::PlainFormat(v, kShortPlain)
                        : NumberFormat::EngineeringFormat(v, kShortEngineering);
}

QString Units::FormatXPositionLong(double samples) const {
    const double v = XPositionToUnit(samples);
    return xUnit() == 0 ? NumberFormat::PlainFormat(v, kLongPlain)
                        : NumberFormat::EngineeringFormat(v, kLongEngineering);
}

QString Units::FormatXDistance(double samples) const {
    const double v = XDistanceToUnit(samples);
    return xUnit() == 0 ? NumberFormat::PlainFormat(v, kShortPlain)
                        : NumberFormat::EngineeringFormat(v, kShortEngineering);
}

QString Units::FormatXDistanceLong(double samples) const {
    const double v = XDistanceToUnit(samples);
    return xUnit() == 0 ? NumberFormat::PlainFormat(v, kLongPlain)
                        : NumberFormat::EngineeringFormat(v, kLongEngineering);
}

QString Units::FormatYValue(double code) const {
    const double v = YCodeToUnit(code);
    return yUnit() == 0 ? NumberFormat::PlainFormat(v, kShortPlain)
                        : NumberFormat::EngineeringFormat(v, kShortEngineering);
}

QString Units::FormatYDifference(double codes) const {
    const double v = YDifferenceToUnit(codes);
    return yUnit() == 0 ? NumberFormat::PlainFormat(v, kShortPlain)
                        : NumberFormat::EngineeringFormat(v, kShortEngineering);
}

QString Units::UnitTextX() const {
    switch (xUnit()) {
    case 1:
        return QStringLiteral("sec");
    case 2:
        return s_.XUnitName;
    default:
        return QStringLiteral("Word");
    }
}

QString Units::UnitTextY() const {
    switch (yUnit()) {
    case 1:
        return QStringLiteral("V");
    case 2:
        return s_.YUnitName;
    default:
        return QString();
    }
}

Limited Units::LimitX(double value) const {
    switch (xUnit()) {
    case 1:
        return limitTo(value, 0.0, s_.Cycle);
    case 2:
        return limitTo(value, s_.XUserStart, s_.XUserEnd);
    default:
        return limitTo(value, 0.0, s_.WaveLength);
    }
}

Limited Units::LimitY(double value) const {
    switch (yUnit()) {
    case 1:
        return limitTo(value, YCodeToUnit(-kHighestCode), YCodeToUnit(kHighestCode));
    case 2:
        return limitTo(value, s_.YUserMin, s_.YUserMax);
    default:
        return limitTo(value, kLowestCode, kHighestCode);
    }
}

Limited Units::LimitYDifference(double value) const {
    switch (yUnit()) {
    case 1:
        return limitTo(value, s_.AmplitudeMin, s_.AmplitudeMax);
    case 2:
        // The span of the user range, not its bounds: with -1..1 a
        // full-scale difference of 2 must be possible.
        return limitTo(value, 0.0, std::fabs(s_.YUserMax - s_.YUserMin));
    default:
        return limitTo(value, 0.0, kCodeSpan);
    }
}

} // namespace zw
