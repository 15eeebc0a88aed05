// Column decimation: turns a stretch of samples into at most three points per
// pixel column (the column's level range, entered from the end nearer the
// previous level), so drawing cost follows the surface width, not the number
// of samples.
#ifndef SIGCORE32_COLUMN_DECIMATION_H
#define SIGCORE32_COLUMN_DECIMATION_H

#include "Stretch.h"
#include "zwplatform.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

namespace sigcore {

// The samples of pixel columns: column j covers floor(pos_j) up to, not
// including, floor(pos_j+1) (at least its first sample), where pos is
// accumulated column by column in a double from 0 by `step`. Indices are
// relative to `base`; a column is limited to the samples inside the memory.
class ColumnWalk {
public:
    ColumnWalk(int64_t base, double step, std::size_t memorySize)
        : base_(base), step_(step), size_(memorySize) {}

    // The absolute sample range of the next column (possibly empty when the
    // column lies outside the memory), then moves on to the column after it.
    Range next() {
        const int64_t first = floorIndex(pos_);
        pos_ += step_;
        const int64_t end = std::max(floorIndex(pos_), first + 1);
        return limitTo({base_ + first, base_ + end}, size_);
    }

private:
    int64_t base_;
    double step_;
    std::size_t size_;
    double pos_ = 0;
};

struct CodeRange {
    int lo;
    int hi;
};

// Smallest and largest code of a non-empty run. Blocks of a fixed 16 codes
// let the compiler keep 16 running extremes in vector registers; the rest
// goes one by one.
inline CodeRange codeRangeOf(const int16_t* codes, int64_t count) {
    constexpr int kBlock = 16;
    int64_t i = 0;
    int16_t lo = codes[0];
    int16_t hi = codes[0];
    if (count >= kBlock) {
        int16_t los[kBlock];
        int16_t his[kBlock];
        for (int k = 0; k < kBlock; ++k)
            los[k] = his[k] = codes[k];
        for (i = kBlock; i + kBlock <= count; i += kBlock)
            for (int k = 0; k < kBlock; ++k) {
                const int16_t c = codes[i + k];
                los[k] = c < los[k] ? c : los[k];
                his[k] = c > his[k] ? c : his[k];
            }
        for (int k = 0; k < kBlock; ++k) {
            lo = std::min(lo, los[k]);
            hi = std::max(hi, his[k]);
        }
    }
    for (; i < count; ++i) {
        lo = std::min(lo, codes[i]);
        hi = std::max(hi, codes[i]);
    }
    return {lo, hi};
}

// Builds the point list of a trace over `width` columns. `rowOf` maps a code
// to a (limited) row and must be monotonic. Columns without a sample inside
// the memory store no point.
template <typename RowOf>
std::vector<ZwPoint> decimate(std::span<const int16_t> memory, int64_t base, double step,
                              int32_t width, RowOf rowOf) {
    std::vector<ZwPoint> points;
    points.reserve(3 * std::size_t(std::min(width, int32_t{1} << 16)));
    ColumnWalk walk(base, step, memory.size());
    const bool fewerSamplesThanColumns = step < 1;
    for (int32_t j = 0; j < width; ++j) {
        const Range column = walk.next();
        if (column.empty())
            continue;
        const CodeRange codes = codeRangeOf(memory.data() + column.begin, column.size());
        const int32_t a = rowOf(codes.lo);
        const int32_t b = rowOf(codes.hi);
        int32_t lo = std::min(a, b);
        int32_t hi = std::max(a, b);
        if (!points.empty()) {
            const int32_t last = points.back().y;
            // Zoomed in, the trace holds the previous level up to this column
            // before it moves, so it looks like steps.
            if (fewerSamplesThanColumns && (last != lo || last != hi))
                points.push_back({j, last});
            if (lo != hi && std::abs(int64_t(hi) - last) < std::abs(int64_t(lo) - last))
                std::swap(lo, hi);
        }
        points.push_back({j, lo});
        if (hi != lo)
            points.push_back({j, hi});
    }
    return points;
}

} // namespace sigcore

#endif
