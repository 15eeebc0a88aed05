// Building the knot list of each spline mode.
#include "KnotList.h"

#include <algorithm>
#include <cmath>

namespace curvefit {
namespace {

// Appends the control points inside [x1, x2] in order. With replaceAtStart, a
// control point at exactly x1 takes the place of the knot before it (the left
// anchor or the last context sample), so the curve starts from the point.
void addControlPoints(const CurveJob& job, KnotList& list, bool replaceAtStart) {
    const ControlPoints& p = job.points;
    bool anyAdded = false;
    for (int i = 0; i < p.count; ++i) {
        if (!p.inside(i, job.x1, job.x2))
            continue;
        if (replaceAtStart && !anyAdded && p.xs[i] == job.x1 && !list.empty())
            list.replaceLast(p.at(i));
        else
            list.add(p.at(i));
        anyAdded = true;
    }
}

KnotList anchoredKnots(const CurveJob& job) {
    KnotList list;
    if (job.first > 0)
        list.add({static_cast<double>(job.first), job.code(job.first)});
    else if (!job.reachesEnd())
        list.add({job.x1, job.code(job.first)});
    else
        list.add({job.x1, startExtension(job)});

    addControlPoints(job, list, true);

    if (list.back().x != job.x2) {
        if (!job.reachesEnd()) {
            // add() leaves the anchor out when the last point already sits at
            // (or beyond) x2 - 1.
            list.add({job.x2 - 1, job.lastCode()});
        } else {
            list.add({job.x2, endExtension(job, job.total)});
        }
    }
    return list;
}

KnotList continuedKnots(const CurveJob& job) {
    KnotList list;
    const int64_t from = static_cast<int64_t>(std::ceil(job.x1 - kContextSamples));
    if (job.x1 - kContextSamples < 0) {
        // Near the start the samples before the stretch come from the end of
        // the memory, as if the waveform repeated.
        for (int64_t p = from; p <= job.x1 - 1; ++p)
            list.add({static_cast<double>(p), job.cyclicCode(p)});
    } else {
        for (int64_t p = from; p <= job.first; ++p)
            list.add({static_cast<double>(p), job.code(p)});
    }

    addControlPoints(job, list, true);

    const double lastX = list.back().x;
    if (lastX != job.x2 && lastX != job.x2 - 1) {
        const ControlPoints& p = job.points;
        const double endValue = !job.reachesEnd() ? job.lastCode()
                                : p.xs[0] == 0    ? p.ys[0]
                                                  : job.code(0);
        list.add({job.x2 - 1, endValue});
    }
    // add() skips ceil(x2) when the last knot already sits there.
    const int64_t to = static_cast<int64_t>(std::ceil(job.x2 - 1 + kContextSamples));
    for (int64_t p = job.end; p <= to; ++p)
        list.add({static_cast<double>(p), job.cyclicCode(p)});
    return list;
}

KnotList periodicKnots(const CurveJob& job) {
    KnotList collected;
    addControlPoints(job, collected, false);
    // A knot at x2 is the one at x1 a period later.
    if (collected.size() > 1 && collected.front().x == job.x1 && collected.back().x == job.x2)
        collected.dropLast();

    const std::size_t count = collected.size();
    const std::size_t m = std::min<std::size_t>(count, kContextSamples);
    const double period = job.x2;
    KnotList list;
    for (std::size_t i = count - m; i < count; ++i)
        list.add({collected[i].x - period, collected[i].y});
    for (const Knot& k : collected.knots())
        list.add(k);
    // m + 1 knots behind; with no more than m knots collected the last of
    // them is the first knot two periods on.
    for (std::size_t i = 0; i <= m; ++i) {
        const Knot& k = collected[i % count];
        list.add({k.x + period * static_cast<double>(1 + i / count), k.y});
    }
    return list;
}

} // namespace

KnotList buildKnots(const CurveJob& job, SplineMode mode) {
    switch (mode) {
    case SplineMode::Anchored:
        return anchoredKnots(job);
    case SplineMode::Continued:
        return continuedKnots(job);
    case SplineMode::Periodic:
        return periodicKnots(job);
    }
    return {};
}

} // namespace curvefit
