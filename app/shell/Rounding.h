// The two roundings of the editor's view and marker arithmetic: to the
// nearest whole number with halves to even (the program's default for
// doubles to integers), and half up (floor(x + 0.5)), which some view
// formulas use instead.
#ifndef ZW_SHELL_ROUNDING_H
#define ZW_SHELL_ROUNDING_H

#include <cmath>

namespace zw {

inline double RoundHalfEven(double x) {
    const double r = std::round(x); // halves away from zero
    if (std::fabs(x - std::trunc(x)) == 0.5)
        return 2.0 * std::round(x / 2.0);
    return r;
}

inline long RoundHalfEvenToLong(double x) {
    return static_cast<long>(RoundHalfEven(x));
}

inline double RoundHalfUp(double x) {
    return std::floor(x + 0.5);
}

} // namespace zw

#endif // ZW_SHELL_ROUNDING_H
