// The vertical mappings of a code to a pixel row. Both are monotonic in the
// code, which lets a column's row range be found from its smallest and
// largest code alone (one mapping per column instead of one per sample).
#ifndef SIGCORE32_ROW_MAPPING_H
#define SIGCORE32_ROW_MAPPING_H

#include "SampleCode.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace sigcore {

// floor(row) limited to -32768..32767, so rows far outside the surface stay
// representable for 16-bit-safe drawing. Limiting first and flooring after
// gives the same row and lets the floor be the cheap one.
inline int32_t limitRow(double row) {
    return floorSmall(std::clamp(row, -32768.0, 32767.0));
}

// Zoomed: row = floor(((32767 - code) - top) * height / span); top is a code
// offset from the upper end of the code range, span the code steps shown over
// the height.
struct ZoomedRows {
    double top;
    double height;
    double span;

    int32_t operator()(int code) const {
        return limitRow(((kHighestCode - code) - top) * height / span);
    }
};

// Full scale: height / 65534 rows per code step, code 32767 at row 0. Rows at
// or beyond the height are pulled up onto the last row.
struct FullScaleRows {
    double height;

    double unlimited(int code) const { return std::floor(scaled(code)); }
    // height - 1 is whole, so pulling up before the floor is the same.
    int32_t operator()(int code) const { return limitRow(std::min(scaled(code), height - 1)); }

private:
    double scaled(int code) const { return height * kCodeStep * (kHighestCode - code); }
};

} // namespace sigcore

#endif
