#include "SampleConversion.h"

#include <cassert>

namespace zw {

std::optional<int> MaskDivisor(uint32_t mask) {
    const auto low = static_cast<int16_t>(mask & 0xFFFFu);
    const int divisor = -static_cast<int>(low);
    if (divisor <= 0)
        return std::nullopt;
    return divisor;
}

int16_t ScaleSample(int16_t code, int divisor) {
    if (divisor == 1)
        return code;
    const int quotient = code / divisor;
    const int remainder = code % divisor; // same sign as code
    const int twice = 2 * (remainder < 0 ? -remainder : remainder);
    int result = quotient;
    if (twice > divisor || (twice == divisor && (quotient % 2) != 0))
        result += code < 0 ? -1 : 1;
    return static_cast<int16_t>(result);
}

ConversionResult ConvertSamples(std::span<const int16_t> samples, int divisor, bool byteSwap,
                                std::span<uint8_t> out, const ConversionProgress& progress) {
    assert(out.size() == samples.size() * 2 && divisor > 0);
    const size_t points = samples.size();
    const size_t last = points > 1 ? points - 1 : 1;
    const int highAt = byteSwap ? 1 : 0;
    for (size_t i = 0; i < points; ++i) {
        if (i % 100 == 0 && progress && i > 0 &&
            progress(static_cast<int>(static_cast<uint64_t>(i) * 1000 / last)))
            return ConversionResult::Aborted;
        const auto word = static_cast<uint16_t>(ScaleSample(samples[i], divisor));
        out[2 * i + highAt] = static_cast<uint8_t>(word >> 8);
        out[2 * i + 1 - highAt] = static_cast<uint8_t>(word & 0xFF);
    }
    if (progress && progress(1000))
        return ConversionResult::Aborted;
    return ConversionResult::Completed;
}

} // namespace zw
