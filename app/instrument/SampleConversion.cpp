#include "SampleConversion.h"

#include <algorithm>
#include <bit>
#include <cassert>

namespace zw {

std::optional<int> MaskDivisor(uint32_t mask) {
    const auto low = static_cast<int16_t>(mask & 0xFFFFu);
    const int divisor = -static_cast<int>(low);
    if (divisor <= 0)
        return std::nullopt;
    return divisor;
}

namespace {

// Nearest quotient with halves to even, from the floor quotient and the
// remainder in [0, divisor): the same rule for either sign of the code.
inline int RoundFromFloor(int floorQuotient, int remainder, int divisor) {
    const int twice = 2 * remainder;
    if (twice > divisor || (twice == divisor && (floorQuotient & 1) != 0))
        return floorQuotient + 1;
    return floorQuotient;
}

inline int FloorDivide(int code, int divisor) {
    const int q = code / divisor;
    return (code % divisor != 0 && code < 0) ? q - 1 : q;
}

} // namespace

int16_t ScaleSample(int16_t code, int divisor) {
    const int q = FloorDivide(code, divisor);
    return static_cast<int16_t>(RoundFromFloor(q, code - q * divisor, divisor));
}

ConversionResult ConvertSamples(std::span<const int16_t> samples, int divisor, bool byteSwap,
                                std::span<uint8_t> out, const ConversionProgress& progress) {
    assert(out.size() == samples.size() * 2 && divisor > 0);
    const size_t points = samples.size();
    const size_t last = points > 1 ? points - 1 : 1;
    const int highAt = byteSwap ? 1 : 0;
    const bool powerOfTwo = (divisor & (divisor - 1)) == 0;
    const int shift = std::countr_zero(static_cast<unsigned>(divisor));
    const int lowBits = divisor - 1;
    constexpr size_t kStretch = 100; // samples between two progress updates
    for (size_t first = 0; first < points; first += kStretch) {
        if (first > 0 && progress &&
            progress(static_cast<int>(static_cast<uint64_t>(first) * 1000 / last)))
            return ConversionResult::Aborted;
        const size_t end = std::min(points, first + kStretch);
        for (size_t i = first; i < end; ++i) {
            const int code = samples[i];
            // The masks of real models give powers of two: a shift gives
            // the floor quotient without a division.
            const int scaled = powerOfTwo ? RoundFromFloor(code >> shift, code & lowBits, divisor)
                                          : ScaleSample(samples[i], divisor);
            const auto word = static_cast<uint16_t>(scaled);
            out[2 * i + highAt] = static_cast<uint8_t>(word >> 8);
            out[2 * i + 1 - highAt] = static_cast<uint8_t>(word & 0xFF);
        }
    }
    if (progress && progress(1000))
        return ConversionResult::Aborted;
    return ConversionResult::Completed;
}

} // namespace zw
