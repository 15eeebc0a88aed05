// The part of a requested stretch of samples that lies inside a wave memory.
// The editor keeps its stretches inside, but a caller that does not must
// never get samples written outside the block.
#ifndef FORMULA32_SAMPLESTRETCH_H
#define FORMULA32_SAMPLESTRETCH_H

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace formula32 {

struct SampleStretch {
    std::int64_t first = 0; // first index inside the memory
    std::int64_t end = 0;   // one past the last
    bool clipped = false;   // some requested sample lies outside (or the request is NaN)

    std::size_t size() const { return static_cast<std::size_t>(end - first); }
};

// The samples first .. end-1 (indices as doubles, possibly fractional-free
// but of any magnitude) intersected with 0 .. memorySize-1. An empty request
// (end <= first) is not clipped.
inline SampleStretch clipStretch(double first, double end, std::size_t memorySize) {
    SampleStretch s;
    if (std::isnan(first) || std::isnan(end)) {
        s.clipped = true;
        return s;
    }
    if (end <= first)
        return s;
    const double size = static_cast<double>(memorySize);
    s.clipped = first < 0 || end > size;
    const double lo = std::clamp(first, 0.0, size);
    const double hi = std::clamp(end, lo, size);
    s.first = static_cast<std::int64_t>(lo);
    s.end = static_cast<std::int64_t>(hi);
    return s;
}

} // namespace formula32

#endif
