#include "CNumbers.h"

#include <clocale>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <string>

namespace docio32 {

namespace {

locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

} // namespace

double atofC(std::string_view text) {
    const std::string copy(text); // strtod needs a terminator
    const locale_t locale = cLocale();
    if (locale == static_cast<locale_t>(0))
        return std::strtod(copy.c_str(), nullptr);
    return strtod_l(copy.c_str(), nullptr, locale);
}

int32_t leadingInt32(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate the magnitude up to one past the largest negative value, so
    // that both ends of the range saturate exactly.
    constexpr int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

std::string_view trimmed(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isCSpace(text[begin]))
        ++begin;
    while (end > begin && isCSpace(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

} // namespace docio32
