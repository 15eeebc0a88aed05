// Turns the document's sample codes into the bytes of the upload block: each
// code divided by the divisor of the model's data mask, rounded to nearest
// with halves to even, two bytes per sample, high byte first unless swapped.
#ifndef ZW_SAMPLE_CONVERSION_H
#define ZW_SAMPLE_CONVERSION_H

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

namespace zw {

// The divisor of a data mask: the negation of its low 16 bits taken as a
// 16-bit value (FFFC gives 4, FFF0 16, FFFF 1, 8000 32768). Nothing for a
// mask that gives no positive divisor (low 16 bits 0, or not a mask of
// high-order data bits such as 3FFF), which would divide by zero or turn
// the waveform upside down.
std::optional<int> MaskDivisor(uint32_t mask);

// One sample's code after the division, as the instrument receives it.
int16_t ScaleSample(int16_t code, int divisor);

enum class ConversionResult { Completed, Aborted };

// Called every 100 samples with the position on a 0 .. 1000 scale; returns
// true when the user aborted.
using ConversionProgress = std::function<bool(int position)>;

// Converts samples into `out` (2 bytes per sample; out.size() must be
// 2 * samples.size()). `divisor` must come from MaskDivisor.
ConversionResult ConvertSamples(std::span<const int16_t> samples, int divisor, bool byteSwap,
                                std::span<uint8_t> out, const ConversionProgress& progress);

} // namespace zw

#endif // ZW_SAMPLE_CONVERSION_H
