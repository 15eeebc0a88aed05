// The exported interface: every call locks its memory for its own length and
// turns any exception into the failure result.
#include "curvefit32.h"

#include "CommonStart.h"
#include "Polyline.h"
#include "QuickSort.h"
#include "Spline.h"

#include "zwplatform.hpp"

namespace {

using curvefit::CurveJob;
using curvefit::CurveRequest;

template <typename Curve>
int32_t rewriteStretch(ZwMemHandle memory, const CurveRequest& request, Curve curve) {
    const zw::LockedBlock<int16_t> block(memory);
    if (!block)
        return 0;
    const curvefit::Opening opening = curvefit::commonStart(block.span(), request);
    if (!opening.job)
        return opening.result;
    return curvefit::storeStretch(*opening.job, curve(*opening.job));
}

} // namespace

extern "C" {

CURVEFIT32_API int32_t Spline_Hokan_Line(ZwMemHandle memory, double x1, double x2, const double* xs,
                                         const double* ys, int32_t n, int32_t total,
                                         int32_t /*full_scale*/) {
    return zw::GuardedExport(0, [&] {
        return rewriteStretch(memory, {x1, x2, xs, ys, n, total},
                              [](const CurveJob& job) { return curvefit::polylineValues(job); });
    });
}

CURVEFIT32_API int32_t Spline_Hokan_Spline(int32_t mode, ZwMemHandle memory, double x1, double x2,
                                           const double* xs, const double* ys, int32_t n,
                                           int32_t total, int32_t /*full_scale*/) {
    if (mode < 0 || mode > 2)
        return 0;
    const auto splineMode = static_cast<curvefit::SplineMode>(mode);
    return zw::GuardedExport(0, [&] {
        return rewriteStretch(memory, {x1, x2, xs, ys, n, total}, [=](const CurveJob& job) {
            return curvefit::splineValues(job, splineMode);
        });
    });
}

CURVEFIT32_API void Q_Sort(double* keys, double* values, int32_t first, int32_t last) {
    if (!keys || !values || first < 0 || first >= last)
        return;
    zw::GuardedExport([&] { curvefit::quickSort(keys, values, first, last); });
}

} // extern "C"
