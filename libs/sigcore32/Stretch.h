// Turning the double positions and lengths callers pass into sample indices,
// and limiting index ranges to a memory, so that no call can reach outside it.
#ifndef SIGCORE32_STRETCH_H
#define SIGCORE32_STRETCH_H

#include "SampleCode.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace sigcore {

// Indices are saturated at +-2^53: far beyond any memory, and small enough
// that sums and differences of a few indices stay exact in 64 bits.
inline constexpr int64_t kIndexLimit = int64_t{1} << 53;

// An already whole double as an index; NaN counts as 0.
inline int64_t saturatedIndex(double whole) {
    if (!(whole == whole))
        return 0;
    if (whole >= static_cast<double>(kIndexLimit))
        return kIndexLimit;
    if (whole <= -static_cast<double>(kIndexLimit))
        return -kIndexLimit;
    return static_cast<int64_t>(whole);
}

// Positions round up: a start of 2.1 means sample 3.
inline int64_t ceilIndex(double x) {
    return saturatedIndex(std::ceil(x));
}
inline int64_t floorIndex(double x) {
    return saturatedIndex(std::floor(x));
}

// floor(x + 0.5) as an index, the cheap way in the range of real positions.
inline int64_t roundedIndex(double x) {
    const double r = x + 0.5;
    if (r > -2147483648.0 && r < 2147483647.0)
        return floorSmall(r);
    return saturatedIndex(std::floor(r));
}

// True when every argument is a finite number; positions that are not are
// refused at the door.
template <typename... D> bool allFinite(D... values) {
    return (std::isfinite(values) && ...);
}

// Half-open index range [begin, end).
struct Range {
    int64_t begin = 0;
    int64_t end = 0;

    bool empty() const { return end <= begin; }
    int64_t size() const { return empty() ? 0 : end - begin; }
};

// The stretch ceil(start) .. ceil(start) + ceil(length) - 1. The end is summed
// in doubles before it is saturated, so a far-off start with a length that
// reaches back into the memory still ends where it should.
inline Range stretchOf(double start, double length) {
    const double s = std::ceil(start);
    return {saturatedIndex(s), saturatedIndex(s + std::ceil(length))};
}

// The part of r that lies inside [0, count).
inline Range limitTo(Range r, std::size_t count) {
    const auto n = static_cast<int64_t>(count);
    return {std::clamp<int64_t>(r.begin, 0, n), std::clamp<int64_t>(r.end, 0, n)};
}

inline bool contains(std::size_t count, int64_t index) {
    return index >= 0 && index < static_cast<int64_t>(count);
}

} // namespace sigcore

#endif
