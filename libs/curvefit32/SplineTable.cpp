// The two tridiagonal solutions for z = y''/6 and the piecewise cubic.
#include "SplineTable.h"

#include <cmath>

namespace curvefit {
namespace {

SplineTable tableOf(const std::vector<Knot>& knots, bool periodic) {
    SplineTable s;
    s.periodic = periodic;
    s.x.reserve(knots.size());
    s.y.reserve(knots.size());
    for (const Knot& k : knots) {
        s.x.push_back(k.x);
        s.y.push_back(k.y);
    }
    s.z.assign(knots.size(), 0.0);
    return s;
}

} // namespace

SplineTable naturalSpline(const std::vector<Knot>& knots) {
    SplineTable s = tableOf(knots, false);
    const std::size_t K = knots.size();
    const std::vector<double>& x = s.x;
    const std::vector<double>& y = s.y;
    std::vector<double>& z = s.z;
    // d holds the slopes first (d[i + 1] of interval i), then the eliminated
    // diagonal, overwritten one step behind the slopes it still needs.
    std::vector<double> h(K), d(K);
    for (std::size_t i = 0; i + 1 < K; ++i) {
        h[i] = x[i + 1] - x[i];
        d[i + 1] = (y[i + 1] - y[i]) / h[i];
    }
    z[1] = d[2] - d[1] - h[0] * z[0];
    d[1] = 2 * (x[2] - x[0]);
    for (std::size_t i = 1; i + 2 < K; ++i) {
        const double t = h[i] / d[i];
        z[i + 1] = d[i + 2] - d[i + 1] - z[i] * t;
        d[i + 1] = 2 * (x[i + 2] - x[i]) - h[i] * t;
    }
    z[K - 2] -= h[K - 2] * z[K - 1];
    for (std::size_t i = K - 2; i >= 1; --i)
        z[i] = (z[i] - h[i] * z[i + 1]) / d[i];
    return s;
}

SplineTable periodicSpline(const std::vector<Knot>& knots) {
    SplineTable s = tableOf(knots, true);
    const std::size_t N = knots.size() - 1;
    const std::vector<double>& x = s.x;
    const std::vector<double>& y = s.y;
    std::vector<double>& z = s.z;
    // w holds the slopes first, then the column of the unknown z[N] = z[0]
    // that closes the cyclic system.
    std::vector<double> h(N + 1), d(N + 1), w(N + 1);
    for (std::size_t i = 0; i < N; ++i) {
        h[i] = x[i + 1] - x[i];
        w[i] = (y[i + 1] - y[i]) / h[i];
    }
    w[N] = w[0];
    for (std::size_t i = 1; i < N; ++i)
        d[i] = 2 * (x[i + 1] - x[i - 1]);
    d[N] = 2 * (h[N - 1] + h[0]);
    for (std::size_t i = 1; i <= N; ++i)
        z[i] = w[i] - w[i - 1];
    w[1] = h[0];
    w[N - 1] = h[N - 1];
    w[N] = d[N];
    for (std::size_t i = 2; i + 2 <= N; ++i)
        w[i] = 0;
    for (std::size_t i = 1; i < N; ++i) {
        const double t = h[i] / d[i];
        z[i + 1] -= z[i] * t;
        d[i + 1] -= h[i] * t;
        w[i + 1] -= w[i] * t;
    }
    w[0] = w[N];
    z[0] = z[N];
    for (std::size_t i = N - 1; i-- > 0;) {
        const double t = h[i] / d[i + 1];
        z[i] -= z[i + 1] * t;
        w[i] -= w[i + 1] * t;
    }
    const double t = z[0] / w[0];
    z[0] = t;
    z[N] = t;
    for (std::size_t i = 1; i < N; ++i)
        z[i] = (z[i] - w[i] * t) / d[i];
    return s;
}

double SplineTable::wrapped(double t) const {
    const std::size_t last = x.size() - 1;
    if (periodic) {
        const double period = x[last] - x[0];
        if (t > x[last])
            t -= period * std::ceil((t - x[last]) / period);
        if (t < x[0])
            t += period * std::ceil((x[0] - t) / period);
    }
    return t;
}

// The cubic of the interval that ends at knot `upper` (the first knot at or
// after t; the first interval for upper 0).
double SplineTable::cubic(std::size_t upper, double t) const {
    const std::size_t i = upper > 0 ? upper - 1 : 0;
    const double h = x[i + 1] - x[i];
    const double d = t - x[i];
    return (((z[i + 1] - z[i]) * d / h + 3 * z[i]) * d +
            ((y[i + 1] - y[i]) / h - (2 * z[i] + z[i + 1]) * h)) *
               d +
           y[i];
}

double SplineTable::valueAt(double t) const {
    t = wrapped(t);
    std::size_t lo = 0;
    std::size_t hi = x.size() - 1;
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (x[mid] < t)
            lo = mid + 1;
        else
            hi = mid;
    }
    return cubic(lo, t);
}

double SplineTable::valueAt(double t, std::size_t& cursor) const {
    t = wrapped(t);
    const std::size_t last = x.size() - 1;
    // The first knot at or after t, or the last knot: what the bisection
    // finds. It only grows with t, so the walk starts where it ended unless
    // t went back (or the cursor is not one of this table's).
    if (cursor > last || (cursor > 0 && !(x[cursor - 1] < t)))
        cursor = 0;
    while (cursor < last && x[cursor] < t)
        ++cursor;
    return cubic(cursor, t);
}

} // namespace curvefit
