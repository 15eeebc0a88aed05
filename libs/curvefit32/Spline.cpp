// Knots, table, evaluation: the three steps of a spline call.
#include "Spline.h"

#include "Polyline.h"
#include "SplineTable.h"

namespace curvefit {

std::vector<double> splineValues(const CurveJob& job, SplineMode mode) {
    const KnotList knots = buildKnots(job, mode);
    if (knots.size() < 3)
        return polylineValues(job);
    const SplineTable table =
        mode == SplineMode::Periodic ? periodicSpline(knots.knots()) : naturalSpline(knots.knots());
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(job.end - job.first));
    std::size_t cursor = 0;
    for (int k = job.first; k < job.end; ++k)
        values.push_back(table.valueAt(k, cursor));
    return values;
}

} // namespace curvefit
