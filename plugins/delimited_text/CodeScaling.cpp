#include "CodeScaling.h"

#include <algorithm>
#include <cmath>

namespace zw::textimport {

void CodeScaling::add(double value) {
    if (allCodes_ && (value != std::trunc(value) || value < -32768.0 || value > 32767.0))
        allCodes_ = false;
    largest_ = std::max(largest_, std::fabs(value));
}

int16_t CodeScaling::code(double value) const {
    if (allCodes_)
        return static_cast<int16_t>(value);
    // Dividing first keeps tiny magnitudes (even subnormal ones) finite.
    const double scaled = std::nearbyint(value / largest_ * 32767.0);
    return static_cast<int16_t>(std::clamp(scaled, -32767.0, 32767.0));
}

} // namespace zw::textimport
