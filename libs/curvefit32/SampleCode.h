// How a computed value becomes a stored sample code.
#ifndef CURVEFIT32_SAMPLECODE_H
#define CURVEFIT32_SAMPLECODE_H

#include <cmath>
#include <cstdint>
#include <optional>

namespace curvefit {

// Rounded half up, then limited: above 32767 gives 32767, at or below -32768
// gives -32768. Nothing for a value that is not a number.
inline std::optional<int16_t> toSampleCode(double value) {
    const double rounded = std::floor(value + 0.5);
    if (std::isnan(rounded))
        return std::nullopt;
    if (rounded > 32767.0)
        return int16_t{32767};
    if (rounded <= -32768.0)
        return int16_t{-32768};
    return static_cast<int16_t>(rounded);
}

} // namespace curvefit

#endif // CURVEFIT32_SAMPLECODE_H
