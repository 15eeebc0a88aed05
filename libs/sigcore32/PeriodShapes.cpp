// Square and triangle shapes over one period.

#include "PeriodShapes.h"

#include <cmath>

namespace sigcore {

double periodPosition(double angle) {
    const double q = angle * kPeriodsPerRadian;
    double f = q - std::trunc(q); // fractional part carrying the sign of q
    if (q > 0 && f == 0)
        f = 1;
    if (q <= 0 && f < 0)
        f += 1;
    return f;
}

SquareShape::SquareShape(double duty, double transition) {
    if (duty < 0 || duty > 100 || std::isnan(duty)) {
        kind_ = Kind::Flat;
        return;
    }
    if (duty == 0) {
        kind_ = Kind::Low;
        return;
    }
    if (duty == 100) {
        kind_ = Kind::High;
        return;
    }
    kind_ = Kind::Edged;
    if (transition < 0)
        transition = 0;
    d_ = duty * 0.01;
    t_ = transition * 0.005;
    e_ = (100 - duty) * 0.01;
}

double SquareShape::operator()(double f) const {
    switch (kind_) {
    case Kind::Flat:
        return 0;
    case Kind::Low:
        return -1;
    case Kind::High:
        return 1;
    case Kind::Edged:
        break;
    }
    if (f < d_) {
        if (t_ == 0)
            return 1;
        if (f < d_ / 2)
            return f < t_ ? f / t_ : 1;          // rising half-edge from 0
        return f <= d_ - t_ ? 1 : (d_ - f) / t_; // falling half-edge to 0
    }
    const double g = f - d_;
    if (t_ == 0)
        return -1;
    if (g < e_ / 2)
        return g < t_ ? -(g / t_) : -1;
    return g <= e_ - t_ ? -1 : -((e_ - g) / t_);
}

TriangleShape::TriangleShape(double symmetry)
    : flat_(!(symmetry >= 0 && symmetry <= 100)), falling_(symmetry == 0), a_(symmetry * 0.005),
      b_((2 - symmetry * 0.01) * 0.5) {}

double TriangleShape::operator()(double f) const {
    if (flat_)
        return 0;
    // The order of the tests decides at the joins of the ramps.
    if (f == 0)
        return falling_ ? 1 : 0;
    if (f == 1)
        return falling_ ? -1 : 0;
    if (a_ == 0.5 && f == 0.5)
        return -1;
    if (f <= a_)
        return f / a_; // rising from 0 to +1
    if (f >= b_)
        return (f - b_) / a_ - 1;        // rising from -1 to 0
    return 2 * (b_ - f) / (b_ - a_) - 1; // falling from +1 to -1
}

} // namespace sigcore
