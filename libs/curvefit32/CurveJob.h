// The checked form of one curve call: the locked memory, the stretch and the
// control points, with the few readings of existing samples the curves need.
#ifndef CURVEFIT32_CURVEJOB_H
#define CURVEFIT32_CURVEJOB_H

#include <cstdint>
#include <span>

namespace curvefit {

// The knot table holds this many control points; further ones are left out.
constexpr int kMaxControlPoints = 4096;
// Existing samples taken on each side of the stretch by the continued spline.
constexpr int kContextSamples = 128;

struct Knot {
    double x;
    double y;
};

// The straight line through a and b; through two points at one position it
// is flat at a's value.
struct Line {
    double slope;
    double intercept;

    static Line through(Knot a, Knot b) {
        const double slope = b.x == a.x ? 0.0 : (b.y - a.y) / (b.x - a.x);
        return {slope, a.y - slope * a.x};
    }
    double at(double x) const { return slope * x + intercept; }
};

inline double lineValue(Knot a, Knot b, double at) {
    return Line::through(a, b).at(at);
}

// The caller's arrays, limited to the first kMaxControlPoints entries, every
// one of them finite.
struct ControlPoints {
    const double* xs = nullptr;
    const double* ys = nullptr;
    int count = 0;

    Knot at(int i) const { return {xs[i], ys[i]}; }
    bool inside(int i, double x1, double x2) const { return x1 <= xs[i] && xs[i] <= x2; }
    // First and last index inside [x1, x2], -1 when there is none.
    int firstInside(double x1, double x2) const;
    int lastInside(double x1, double x2) const;
    // First index at exactly x, -1 when there is none.
    int find(double x) const;
};

// Invariants, established by commonStart: 1 <= total <= memory.size(),
// 0 <= x1 < x2 <= total, first = ceil(x1) < end = ceil(x2) <= total, and at
// least one control point inside [x1, x2].
struct CurveJob {
    std::span<int16_t> memory;
    int total = 0;
    double x1 = 0;
    double x2 = 0;
    int first = 0;
    int end = 0;
    ControlPoints points;

    // The existing code at a position of the used length (0 <= p < total).
    double code(int64_t p) const { return memory[static_cast<std::size_t>(p)]; }
    // The existing code at any position, the used length repeating on both
    // sides of itself.
    double cyclicCode(int64_t p) const {
        const int64_t r = p % total;
        return code(r < 0 ? r + total : r);
    }
    // The existing code at the last sample of the stretch, ceil(x2 - 1).
    double lastCode() const { return code(end - 1); }
    bool reachesEnd() const { return end >= total; }
    bool wholeMemory() const { return x1 == 0 && x2 == total; }
};

// The value at 0 of the line that continues the first segment to the start
// of the memory: through control point 0 and control point 1 when that lies
// inside the stretch, else through (x2 - 1, existing code there).
double startExtension(const CurveJob& job);
// The value at `at` of the line that continues the last segment to the end
// of the memory: through the last control point inside the stretch and the
// one before it, or (x1, existing code at ceil(x1)) when that one lies
// before x1.
double endExtension(const CurveJob& job, double at);

} // namespace curvefit

#endif // CURVEFIT32_CURVEJOB_H
