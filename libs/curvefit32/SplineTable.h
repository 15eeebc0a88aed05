// Cubic spline tables over a knot list and their evaluation.
#ifndef CURVEFIT32_SPLINETABLE_H
#define CURVEFIT32_SPLINETABLE_H

#include "CurveJob.h"

#include <cstddef>
#include <vector>

namespace curvefit {

// Knot positions (strictly ascending), values, and z = y''/6 at each knot.
struct SplineTable {
    std::vector<double> x;
    std::vector<double> y;
    std::vector<double> z;
    bool periodic = false;

    // The spline's value at t. A periodic table first brings t into
    // x[0] .. x[last] by whole periods. A position equal to a knot uses the
    // interval that ends there; outside the knots the outermost interval's
    // cubic is continued.
    double valueAt(double t) const;
    // The same value, for positions that mostly ascend from one call to the
    // next: `cursor` (0 at first) keeps the interval search's place, so a
    // run of samples walks the knots instead of bisecting them each time.
    // The interval chosen, and so the value, is the same as valueAt's.
    double valueAt(double t, std::size_t& cursor) const;

private:
    double wrapped(double t) const;
    double cubic(std::size_t upper, double t) const;
};

// The natural spline (z = 0 at both ends) through at least three knots.
SplineTable naturalSpline(const std::vector<Knot>& knots);
// The periodic spline through knots x[0] .. x[N] (N >= 3 intervals) with the
// period x[N] - x[0]: slope and curvature at x[N] continue into those at x[0].
SplineTable periodicSpline(const std::vector<Knot>& knots);

} // namespace curvefit

#endif // CURVEFIT32_SPLINETABLE_H
