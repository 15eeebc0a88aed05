// The value conversions of model files, independent of the process locale
// (the editor may run with a locale whose decimal point is a comma).
#pragma once

#include <cstdint>
#include <string_view>

namespace modspec32 {

// Leading decimal digits after optional blanks and sign; no digits give 0.
// Values beyond the 32-bit range are held at its ends.
int32_t parseDecimal(std::string_view text);

// A real number in C notation (exponent allowed) at the start of the text;
// no number gives 0.
double parseReal(std::string_view text);

// Hexadecimal digits, with or without a leading "0x"; none give 0. Values
// beyond 32 bits are held at 0xFFFFFFFF.
uint32_t parseHex(std::string_view text);

// 1 for "true" in any case, 0 for anything else.
int16_t parseFlag(std::string_view text);

// Narrows to a 16-bit field, holding out-of-range values at its ends.
int16_t toInt16(int64_t value);

} // namespace modspec32
