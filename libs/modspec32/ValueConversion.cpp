#include "ValueConversion.h"

#include "LineTokens.h"

#include <cstdlib>
#include <limits>
#include <locale.h>
#include <string>

namespace modspec32 {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

std::string_view skipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    return text.substr(i);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

locale_t numericCLocale() {
    static const locale_t locale = newlocale(LC_NUMERIC_MASK, "C", locale_t{});
    return locale;
}

} // namespace

int32_t parseDecimal(std::string_view text) {
    text = skipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int64_t magnitude = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kLimit) {
            magnitude = kLimit;
        }
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(value);
}

double parseReal(std::string_view text) {
    const std::string terminated(text);
    const locale_t locale = numericCLocale();
    if (locale == locale_t{}) {
        return std::strtod(terminated.c_str(), nullptr);
    }
    return strtod_l(terminated.c_str(), nullptr, locale);
}

uint32_t parseHex(std::string_view text) {
    text = skipBlanks(text);
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
    }
    uint64_t value = 0;
    for (const char c : text) {
        const int digit = hexDigit(c);
        if (digit < 0) {
            break;
        }
        value = value * 16 + static_cast<uint64_t>(digit);
        if (value > std::numeric_limits<uint32_t>::max()) {
            value = std::numeric_limits<uint32_t>::max();
        }
    }
    return static_cast<uint32_t>(value);
}

int16_t parseFlag(std::string_view text) {
    return asciiLower(text) == "true" ? 1 : 0;
}

int16_t toInt16(int64_t value) {
    if (value > std::numeric_limits<int16_t>::max()) {
        return std::numeric_limits<int16_t>::max();
    }
    if (value < std::numeric_limits<int16_t>::min()) {
        return std::numeric_limits<int16_t>::min();
    }
    return static_cast<int16_t>(value);
}

} // namespace modspec32
