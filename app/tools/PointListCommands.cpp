#include "PointListCommands.h"

#include "PointListFile.h"
#include "Units.h"

namespace zw {

namespace {

constexpr int32_t kInvalidExtension = 7;
constexpr int32_t kFileReadError = 71;

} // namespace

int32_t SavePointList(const ControlPoints& points, const QString& path, const Units& units) {
    return WritePointList(path, points.xs(), points.ys(), points.count(), units);
}

int32_t OpenPointList(ControlPoints& points, const QString& path, const Units& units,
                      double waveLength, const EndLinkQuestion& ask) {
    if (!IsPointListFile(path))
        return kInvalidExtension;
    const std::optional<QString> text = ReadPointListText(path);
    if (!text)
        return kFileReadError;
    // Entered into a fresh list, which replaces the current one only when
    // the file held a point: a file of junk costs the user nothing.
    ControlPoints read;
    PointListParser parser(*text);
    int pairs = 0;
    int32_t result = 0;
    while (const std::optional<PointListPair> pair = parser.next()) {
        const PointListPair point = PointFromDisplayUnits(*pair, units);
        ++pairs;
        if (read.setPoint(point.x, point.y, waveLength, ask) == SetPointResult::Full) {
            result = kPointListFull;
            break;
        }
    }
    if (pairs == 0 || read.empty())
        return kFileReadError;
    read.select(-1);
    points = read;
    return result;
}

} // namespace zw
