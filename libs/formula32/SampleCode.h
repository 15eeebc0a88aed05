// Turning a computed value into a 16-bit sample code. Unlike the waveform
// library, which rounds, the evaluator truncates toward zero after limiting;
// an expression that wants rounding adds 0.5 itself.
#ifndef FORMULA32_SAMPLECODE_H
#define FORMULA32_SAMPLECODE_H

#include <cstdint>

namespace formula32 {

// Above 32767 gives 32767; below -32767.5 and NaN give -32768; anything else
// is truncated (-32767.4 gives -32767). Written without branches on the value
// so that loops over blocks of samples vectorise.
inline std::int16_t toSampleCode(double v) {
    const double high = v > 32767.0 ? 32767.0 : v;
    const double limited = high >= -32767.5 ? high : -32768.0; // false for NaN too
    return static_cast<std::int16_t>(static_cast<std::int32_t>(limited));
}

} // namespace formula32

#endif
