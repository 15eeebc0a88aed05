// Units of the axes: positions along the waveform are sample indexes and
// values are 16-bit codes; the user sees and types them as samples, time or
// a user unit (X) and as codes, volts or a user unit (Y).
//
//   XUnit 0  samples ("Word")   v = s
//         1  time ("sec")       v = s x T / WaveLength            (T: the period)
//         2  user unit          v = s x (XUserEnd - XUserStart) / WaveLength + XUserStart
//   YUnit 0  codes ("")         v = c
//         1  volts ("V")        v = c x A / 65534 + O'            (A: amplitude p-p)
//         2  user unit          v = c x (YUserMax - YUserMin) / 65534 + (YUserMin + YUserMax) / 2
//
// O' is the DC offset when the channel has no offset switch or its switch is
// on (OffsetSwitchState non-zero), 0 otherwise. Distances and differences
// use the same scales without the offsets. A zero scale (no period, equal
// user bounds, no amplitude) cannot be divided by: a typed value then maps
// to position 0, or to code 65534 (differences too); without a memory size
// every position maps to the start of the axis.
//
// A Units object is a snapshot of the current setting; make a new one
// after the setting changed (it is cheap).
#ifndef ZW_SHELL_UNITS_H
#define ZW_SHELL_UNITS_H

#include "deviceinfo.h"

#include <QString>

namespace zw {

// What the unit conversions need of the current setting.
struct UnitSetting {
    int XUnit = 0;
    int YUnit = 0;
    double XUserStart = 0.0;
    double XUserEnd = 1.0;
    double YUserMin = -1.0;
    double YUserMax = 1.0;
    QString XUnitName; // trimmed
    QString YUnitName;
    double WaveLength = 0.0; // memory size in samples
    double Cycle = 0.0;      // period T in seconds
    double Amplitude = 0.0;  // peak to peak, volts
    double AmplitudeMin = 0.0;
    double AmplitudeMax = 0.0;
    double Offset = 0.0;
    bool OffsetSwitchAvailable = false;
    bool OffsetSwitchOn = false;

    // From the current setting record; unit names decoded (UTF-8 or CP932)
    // and trimmed.
    static UnitSetting FromDeviceInfo(const DeviceInfo& info);
};

// The user range at start-up: X 0 to 1, Y -1 to 1, unit names eight blanks.
void SetStartupUserUnits(DeviceInfo& info);

// A typed value after limiting; `inside` is false when it had to be changed.
struct Limited {
    double value;
    bool inside;
};

class Units {
public:
    explicit Units(const UnitSetting& setting) : s_(setting) {}
    explicit Units(const DeviceInfo& info) : s_(UnitSetting::FromDeviceInfo(info)) {}

    const UnitSetting& setting() const { return s_; }

    // Conversions in both directions (doubles; no rounding).
    double XPositionToUnit(double samples) const;
    double XUnitToPosition(double value) const;
    double XDistanceToUnit(double samples) const;
    double XUnitToDistance(double value) const;
    double YCodeToUnit(double code) const;
    double YUnitToCode(double value) const;
    double YDifferenceToUnit(double codes) const;
    double YUnitToDifference(double value) const;

    // Read-out texts: XUnit 0 the plain format with 8 characters, otherwise
    // the engineering format with 7; the long forms of the tool windows use
    // 11 and 10. YUnit likewise with 8 and 7.
    QString FormatXPosition(double samples) const;
    QString FormatXPositionLong(double samples) const;
    QString FormatXDistance(double samples) const;
    QString FormatXDistanceLong(double samples) const;
    QString FormatYValue(double code) const;
    QString FormatYDifference(double codes) const;

    // "Word", "sec" or the X unit name; "", "V" or the Y unit name.
    QString UnitTextX() const;
    QString UnitTextY() const;

    // Limits of typed values, in the current unit, before conversion:
    //   X: 0..WaveLength | 0..period | XUserStart..XUserEnd
    //   Y value: -32768..32767 | volts of codes -32767..+32767 | YUserMin..YUserMax
    //   Y difference: 0..65534 | amplitude minimum..maximum | 0..(YUserMax - YUserMin)
    // Bounds given in reverse order are taken in order; NaN becomes the lower
    // bound.
    Limited LimitX(double value) const;
    Limited LimitY(double value) const;
    Limited LimitYDifference(double value) const;

private:
    int xUnit() const;
    int yUnit() const;
    double xScale() const; // unit per sample
    double yScale() const; // unit per code
    double yCentre() const;

    UnitSetting s_;
};

} // namespace zw

#endif // ZW_SHELL_UNITS_H
