// The Interpolate window's File menu on the control-point list: saving the
// list as a point-list file and replacing it by the points of one.
#ifndef ZW_TOOLS_POINTLISTCOMMANDS_H
#define ZW_TOOLS_POINTLISTCOMMANDS_H

#include "ControlPoints.h"

#include <QString>

#include <cstdint>

namespace zw {

class Units;

// 0, or 72 when the file cannot be written. An empty list writes nothing.
int32_t SavePointList(const ControlPoints& points, const QString& path, const Units& units);

// Replaces the list by the file's points, each entered as Setting a point
// does (limited to the current units' ranges, the end link asked through
// `ask`). Results: 0; 7 for a name that is not a point-list file; 71 when
// the file cannot be read or holds no point (the list then stays as it
// was); kPointListFull when the file holds more points than the list takes
// (the first 2000 are kept).
int32_t OpenPointList(ControlPoints& points, const QString& path, const Units& units,
                      double waveLength, const EndLinkQuestion& ask);

} // namespace zw

#endif // ZW_TOOLS_POINTLISTCOMMANDS_H
