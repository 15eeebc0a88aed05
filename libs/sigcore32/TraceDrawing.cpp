// The analog traces: zoomed and clipped (W_DrawWave2), and at full scale as
// one polyline (W_DrawWave, W_DrawWaveForPrint).

#include "sigcore32.h"

#include "ColumnDecimation.h"
#include "RowMapping.h"
#include "SampleCode.h"
#include "Stretch.h"
#include "SurfaceCalls.h"
#include "zwplatform.hpp"

#include <cmath>

namespace {

using sigcore::Canvas;

// Draws the point list as vertical runs, one per point, from the current level
// to the point's. Runs wholly above or below the surface are skipped, a run
// that crosses it is drawn to its edge. Lines end one row past their target
// because the surface leaves out a line's end point.
void drawClipped(const Canvas& canvas, std::span<const ZwPoint> points, int32_t height) {
    if (points.empty())
        return;
    const int32_t bottom = height - 1;
    int32_t cur = std::clamp(points[0].y, 0, bottom);
    canvas.moveTo(points[0].x, cur);
    // Whether the current level is a point on the surface: a trace that
    // starts on it and leaves over an edge is drawn up to that edge.
    bool inside = points[0].y >= 0 && points[0].y < height;
    for (std::size_t k = 1; k < points.size(); ++k) {
        const int32_t x = points[k].x;
        const int32_t y = points[k].y;
        const int32_t previous = points[k - 1].y;
        canvas.moveTo(x, cur);
        if (y < 0) {
            if (!inside && previous <= bottom)
                canvas.moveTo(x, 0); // wholly above
            else
                canvas.lineTo(x, -1);
            cur = 0;
            inside = false;
        } else if (y > height) {
            cur = bottom;
            if (!inside && previous >= 0)
                canvas.moveTo(x, bottom); // wholly below
            else
                canvas.lineTo(x, height);
            inside = false;
        } else if (y == height) {
            cur = bottom;
            canvas.lineTo(x, height);
            inside = false;
        } else {
            canvas.lineTo(x, cur <= y ? y + 1 : y - 1);
            cur = y;
            inside = true;
        }
    }
}

} // namespace

extern "C" {

SIGCORE32_API ZwMemHandle W_DrawWave2(ZwSurface* surface, ZwMemHandle handle, double start,
                                      double top, double length, double span, int32_t width,
                                      int32_t height) {
    return zw::GuardedExport(ZwMemHandle{0}, [&]() -> ZwMemHandle {
        if (!sigcore::drawsLines(surface) || !sigcore::allFinite(start, top, length, span) ||
            span == 0 || length <= 0 || !sigcore::validSize(width, height))
            return 0;
        const zw::LockedBlock<int16_t> memory(handle);
        if (!memory)
            return 0;
        const auto points =
            sigcore::decimate(memory.span(), sigcore::ceilIndex(start), length / width, width,
                              sigcore::ZoomedRows{top, double(height), span});
        drawClipped(Canvas(*surface), points, height);
        return handle;
    });
}

SIGCORE32_API ZwMemHandle W_DrawWave(ZwSurface* surface, ZwMemHandle handle, double start,
                                     double length, int32_t width, int32_t height) {
    return zw::GuardedExport(ZwMemHandle{0}, [&]() -> ZwMemHandle {
        if (!sigcore::drawsPolylines(surface) || !sigcore::allFinite(start, length) ||
            length <= 0 || !sigcore::validSize(width, height))
            return 0;
        const zw::LockedBlock<int16_t> memory(handle);
        if (!memory)
            return 0;
        const auto points =
            sigcore::decimate(memory.span(), sigcore::ceilIndex(start), (length - 1) / width, width,
                              sigcore::FullScaleRows{double(height)});
        Canvas(*surface).polyline(points);
        return handle;
    });
}

SIGCORE32_API ZwMemHandle W_DrawWaveForPrint(ZwSurface* surface, ZwMemHandle handle, double length,
                                             int32_t width, int32_t height, int32_t left,
                                             int32_t top) {
    return zw::GuardedExport(ZwMemHandle{0}, [&]() -> ZwMemHandle {
        if (!sigcore::drawsLines(surface) || !sigcore::drawsPolylines(surface) ||
            !std::isfinite(length) || length <= 0 || !sigcore::validSize(width, height))
            return 0;
        const zw::LockedBlock<int16_t> memory(handle);
        if (!memory)
            return 0;
        // The trace is computed before anything is drawn, so that a failure
        // draws nothing, the zero line included.
        const sigcore::FullScaleRows rows{double(height)};
        auto points = sigcore::decimate(memory.span(), 0, (length - 1) / width, width, rows);
        for (ZwPoint& p : points)
            p = {sigcore::coordinate(int64_t{left} + p.x), sigcore::coordinate(int64_t{top} + p.y)};
        const Canvas canvas(*surface);
        const int64_t zeroRow = int64_t{top} + int64_t(rows.unlimited(0));
        canvas.moveTo(left, zeroRow);
        canvas.lineTo(int64_t{left} + width, zeroRow);
        canvas.polyline(points);
        return handle;
    });
}

} // extern "C"
