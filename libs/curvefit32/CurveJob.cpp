// Finding control points in a stretch and continuing the outermost segments
// to the ends of the memory.
#include "CurveJob.h"

namespace curvefit {

int ControlPoints::firstInside(double x1, double x2) const {
    for (int i = 0; i < count; ++i)
        if (inside(i, x1, x2))
            return i;
    return -1;
}

int ControlPoints::lastInside(double x1, double x2) const {
    for (int i = count - 1; i >= 0; --i)
        if (inside(i, x1, x2))
            return i;
    return -1;
}

int ControlPoints::find(double x) const {
    for (int i = 0; i < count; ++i)
        if (xs[i] == x)
            return i;
    return -1;
}

double startExtension(const CurveJob& job) {
    const ControlPoints& p = job.points;
    const Knot second =
        p.count >= 2 && p.xs[1] <= job.x2 ? p.at(1) : Knot{job.x2 - 1, job.lastCode()};
    return lineValue(p.at(0), second, 0.0);
}

double endExtension(const CurveJob& job, double at) {
    const ControlPoints& p = job.points;
    const int last = p.lastInside(job.x1, job.x2);
    const Knot before = last > 0 && p.inside(last - 1, job.x1, job.x2)
                            ? p.at(last - 1)
                            : Knot{job.x1, job.code(job.first)};
    return lineValue(before, p.at(last), at);
}

} // namespace curvefit
