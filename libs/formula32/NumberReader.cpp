// Decimal numbers follow the C library's strtod in form (but always with "."
// as the decimal point, whatever the locale); "$" numbers follow strtoul with
// base 16, which saturates at the largest unsigned 32-bit value.
#include "NumberReader.h"

#include "CharClass.h"

#include <charconv>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <locale.h>
#include <stdlib.h>
#include <string>

namespace formula32 {
namespace {

int hexValue(char c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c - 'A' + 10;
}

bool readHex(const char* s, double& value, std::size_t& length) {
    std::size_t i = 1; // after "$"
    if (!isHexDigit(s[i]))
        return false;
    // strtoul with base 16 skips a "0x" prefix when a hexadecimal digit follows it.
    if (s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X') && isHexDigit(s[i + 2]))
        i += 2;
    std::uint64_t v = 0;
    for (; isHexDigit(s[i]); ++i) {
        v = v * 16 + static_cast<std::uint64_t>(hexValue(s[i]));
        if (v > 0xFFFFFFFFu)
            v = 0x100000000u; // stays saturated while the digits go on
    }
    value = v > 0xFFFFFFFFu ? 4294967295.0 : static_cast<double>(v);
    length = i;
    return true;
}

bool readDecimal(const char* s, double& value, std::size_t& length) {
    std::size_t i = 0;
    std::size_t digits = 0;
    for (; isDigit(s[i]); ++i)
        ++digits;
    if (s[i] == '.') {
        ++i;
        for (; isDigit(s[i]); ++i)
            ++digits;
    }
    if (digits == 0)
        return false;
    if (s[i] == 'e' || s[i] == 'E') {
        std::size_t j = i + 1;
        if (s[j] == '+' || s[j] == '-')
            ++j;
        if (isDigit(s[j])) {
            while (isDigit(s[j]))
                ++j;
            i = j;
        }
    }
    // from_chars rounds correctly and never looks at the locale. Out of range
    // it leaves the value alone; strtod in the "C" locale then gives what the
    // C library gives: HUGE_VAL for too large, 0 or a subnormal for too small.
    const auto result = std::from_chars(s, s + i, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
        const std::string copy(s, i);
        value =
            cLocale ? strtod_l(copy.c_str(), nullptr, cLocale) : std::strtod(copy.c_str(), nullptr);
    }
    length = i;
    return true;
}

} // namespace

bool readNumber(const char* s, double& value, std::size_t& length) {
    if (*s == '$')
        return readHex(s, value, length);
    return readDecimal(s, value, length);
}

} // namespace formula32
