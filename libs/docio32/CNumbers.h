// Number reading as the C library does it, independent of the process locale
// (the editor runs with the user's locale, whose decimal point may be a comma).
#ifndef DOCIO32_C_NUMBERS_H
#define DOCIO32_C_NUMBERS_H

#include <cstdint>
#include <string_view>

namespace docio32 {

// C atof: leading white space, then the longest prefix strtod accepts in the
// "C" locale; 0 when there is none.
double atofC(std::string_view text);

// C atol with a 32-bit long: leading white space, an optional sign, digits;
// values beyond the 32-bit range saturate; 0 when there are no digits.
int32_t leadingInt32(std::string_view text);

// The low 16 bits of a value, as a sample code.
constexpr int16_t low16(int32_t value) {
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(value)));
}

// White space as C's isspace sees it in the "C" locale.
constexpr bool isCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The text without leading and trailing C white space.
std::string_view trimmed(std::string_view text);

} // namespace docio32

#endif
