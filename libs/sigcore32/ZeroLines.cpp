// The zero lines (code 0) of the full-scale and the zoomed mapping.

#include "sigcore32.h"

#include "RowMapping.h"
#include "SampleCode.h"
#include "Stretch.h"
#include "SurfaceCalls.h"
#include "zwplatform.hpp"

#include <cmath>

namespace {

// Rows too far off the surface for a coordinate are saturated, never wrapped.
void drawZeroLine(ZwSurface* surface, int32_t width, double row) {
    const int64_t y = sigcore::saturatedIndex(row);
    const sigcore::Canvas canvas(*surface);
    canvas.moveTo(0, y);
    canvas.lineTo(width, y);
}

} // namespace

extern "C" {

SIGCORE32_API int32_t W_DrawGrid(ZwSurface* surface, int32_t width, int32_t height) {
    return zw::GuardedExport(0, [&] {
        if (sigcore::drawsLines(surface) && width > 0 && height > 0)
            drawZeroLine(surface, width, sigcore::FullScaleRows{double(height)}.unlimited(0));
        return 0;
    });
}

SIGCORE32_API int32_t W_DrawGrid2(ZwSurface* surface, double top, double span, int32_t width,
                                  int32_t height) {
    return zw::GuardedExport(0, [&] {
        if (sigcore::drawsLines(surface) && sigcore::allFinite(top, span) && span != 0 &&
            width > 0 && height > 0)
            drawZeroLine(surface, width, std::floor(height / span * (sigcore::kHighestCode - top)));
        return 0;
    });
}

} // extern "C"
