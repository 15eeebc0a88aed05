// How the main window shows and reads positions and values: the X and Y
// units of the current setting, formatted as the read-outs and axis labels
// show them, and typed X values read back into samples.
#ifndef ZW_UI_READOUTFORMAT_H
#define ZW_UI_READOUTFORMAT_H

#include "deviceinfo.h"

#include <QString>

#include <optional>

namespace zw {

class ReadoutFormat {
public:
    ReadoutFormat(const DeviceInfo& setting, long waveLength)
        : s_(setting), waveLength_(waveLength) {}

    QString xPosition(double sample) const;
    QString xDistance(double samples) const;
    QString yValue(double code) const;
    QString unitTextX() const;
    QString unitTextY() const;

    // A typed X position or distance: engineering notation in the current X
    // unit, limited to the unit's range, as samples. Nothing for text that
    // is not a number.
    std::optional<double> readX(const QString& text) const;

private:
    double xToUnit(double sample) const;
    double xDistanceToUnit(double samples) const;
    double yToUnit(double code) const;
    QString formatX(double value) const;

    const DeviceInfo& s_;
    long waveLength_;
};

} // namespace zw

#endif // ZW_UI_READOUTFORMAT_H
