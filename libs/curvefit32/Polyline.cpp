// The polyline walk: one segment at a time from the left anchor through the
// control points to the right anchor at x2 - 1.
#include "Polyline.h"

#include <limits>

namespace curvefit {
namespace {

// Hands out the points the walk runs through, then the right anchor for ever.
// A control point that does not lie after the control point before it (a
// duplicate position) is passed over. The left anchor does not count: a point
// on it starts the line from the next sample on.
class PointWalk {
public:
    // lastPointX: the position of the control point the line starts from,
    // -infinity when it starts from an anchor.
    PointWalk(const CurveJob& job, int next, double lastPointX, Knot rightAnchor)
        : job_(job), lastX_(lastPointX), next_(next), rightAnchor_(rightAnchor) {}

    Knot advance() {
        const ControlPoints& p = job_.points;
        while (!done_ && next_ < p.count && p.xs[next_] <= job_.x2) {
            const Knot k = p.at(next_++);
            if (k.x > lastX_) {
                lastX_ = k.x;
                return k;
            }
        }
        done_ = true;
        return rightAnchor_;
    }

private:
    const CurveJob& job_;
    double lastX_;
    int next_;
    Knot rightAnchor_;
    bool done_ = false;
};

double rightAnchorValue(const CurveJob& job) {
    return job.reachesEnd() ? endExtension(job, job.total - 1) : job.lastCode();
}

} // namespace

std::vector<double> polylineValues(const CurveJob& job) {
    const ControlPoints& p = job.points;
    const int i0 = p.firstInside(job.x1, job.x2);
    Knot previous{};
    int next = i0;
    double lastPointX = -std::numeric_limits<double>::infinity();
    if (job.x1 == p.xs[i0]) {
        previous = p.at(i0);
        next = i0 + 1;
        lastPointX = previous.x;
    } else if (job.first > 0) {
        previous = {static_cast<double>(job.first), job.code(job.first)};
    } else {
        previous = {job.x1, startExtension(job)};
    }

    PointWalk walk(job, next, lastPointX, {job.x2 - 1, rightAnchorValue(job)});
    Knot upcoming = walk.advance();
    Line segment = Line::through(previous, upcoming);
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(job.end - job.first));
    for (int k = job.first; k < job.end; ++k) {
        // At most one point per sample: closely spaced points are passed one
        // sample after another.
        if (k > upcoming.x) {
            previous = upcoming;
            upcoming = walk.advance();
            segment = Line::through(previous, upcoming);
        }
        values.push_back(segment.at(k));
    }
    return values;
}

} // namespace curvefit
