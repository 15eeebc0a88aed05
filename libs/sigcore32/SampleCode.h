// Sample codes and the one rule by which a computed value becomes a code:
// limit to the 16-bit range, then round half up.
#ifndef SIGCORE32_SAMPLE_CODE_H
#define SIGCORE32_SAMPLE_CODE_H

#include <cmath>
#include <cstdint>

namespace sigcore {

// One code step of a unit range, 1/65534, as the exact double the library
// has always used (codes -32767..32767 span the output range).
inline constexpr double kCodeStep = 1.5259254737998596e-05;
inline constexpr double kHighestCode = 32767.0;
inline constexpr double kLowestCode = -32768.0;

// floor(x) for |x| < 2^31, without the general-purpose floor sequence: a
// truncation, one down for negative fractions. Exactly floor in that range.
inline int32_t floorSmall(double x) {
    const auto t = static_cast<int32_t>(x);
    return t - (static_cast<double>(t) > x ? 1 : 0);
}

// Limits, then rounds half up. NaN (e.g. 0/0 from an empty range) has no
// sensible code; 0, the centre line, is stored instead of an undefined
// conversion.
inline int16_t toCode(double value) {
    if (std::isnan(value))
        return 0;
    if (value > kHighestCode)
        value = kHighestCode;
    else if (value < kLowestCode)
        value = kLowestCode;
    return static_cast<int16_t>(floorSmall(value + 0.5));
}

inline int16_t limitCode(int64_t value) {
    if (value > INT16_MAX)
        return INT16_MAX;
    if (value < INT16_MIN)
        return INT16_MIN;
    return static_cast<int16_t>(value);
}

} // namespace sigcore

#endif
