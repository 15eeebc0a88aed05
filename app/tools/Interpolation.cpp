#include "Interpolation.h"

#include "ControlPoints.h"
#include "WaveDocument.h"
#include "curvefit32.h"

namespace zw {

namespace {

constexpr int32_t kNoSplinePoint = 20;
constexpr int32_t kFullScale = 32767;

} // namespace

int32_t SplineModeFor(InterpolationKind kind, double markA, double markB, double waveLength) {
    if (kind != InterpolationKind::ContSpline)
        return 0;
    return (markA == 0 && markB >= waveLength) ? 2 : 1;
}

int32_t Interpolate(WaveDocument& document, const ControlPoints& points, InterpolationKind kind,
                    const std::function<void()>& backup) {
    if (points.count() <= 0)
        return kNoSplinePoint;
    if (backup)
        backup();
    else
        document.backup();
    const MarkerRecord& m = document.markers();
    const auto total = static_cast<int32_t>(document.WaveLength());
    if (kind == InterpolationKind::Linear) {
        Spline_Hokan_Line(document.current(), m.MarkA, m.MarkB, points.xs(), points.ys(),
                          points.count(), total, kFullScale);
        return 0;
    }
    const int32_t mode = SplineModeFor(kind, m.MarkA, m.MarkB, static_cast<double>(total));
    Spline_Hokan_Spline(mode, document.current(), m.MarkA, m.MarkB, points.xs(), points.ys(),
                        points.count(), total, kFullScale);
    return 0;
}

} // namespace zw
