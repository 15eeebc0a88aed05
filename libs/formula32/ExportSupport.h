// Small helpers every export uses at the library's door.
#ifndef FORMULA32_EXPORTSUPPORT_H
#define FORMULA32_EXPORTSUPPORT_H

#include "ErrorCodes.h"

#include <cstddef>
#include <cstdint>

namespace formula32 {

// Positions cross as signed 16-bit byte counts; a longer text reports the
// largest one instead of a negative number.
inline void reportPosition(std::int16_t* out, std::size_t position) {
    if (out)
        *out = static_cast<std::int16_t>(position > 32767 ? 32767 : position);
}

inline const char* textOrEmpty(const char* text) {
    return text ? text : "";
}

} // namespace formula32

#endif
