// A cubic spline through the knots of a stretch.
#ifndef CURVEFIT32_SPLINE_H
#define CURVEFIT32_SPLINE_H

#include "CurveJob.h"
#include "KnotList.h"

#include <vector>

namespace curvefit {

// The values of samples job.first .. job.end - 1: the natural spline of the
// knot list (anchored and continued modes) or the periodic one, or the
// polyline when the list has fewer than three knots.
std::vector<double> splineValues(const CurveJob& job, SplineMode mode);

} // namespace curvefit

#endif // CURVEFIT32_SPLINE_H
