#include "LeadingNumber.h"

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace zw {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexDigit(char c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// "&H" and up to the digits that fit 16 bits (and one more), as signed.
ScannedNumber readHexadecimal(std::string_view text, size_t i) {
    long value = 0;
    for (; i < text.size() && hexDigit(text[i]) >= 0 && value <= 0xFFFF; ++i)
        value = value * 16 + hexDigit(text[i]);
    return {static_cast<double>(static_cast<int16_t>(value)), i};
}

bool isExponentLetter(char c, const LeadingNumberForms& forms) {
    return c == 'e' || c == 'E' || (forms.dExponent && (c == 'd' || c == 'D'));
}

// Converts a complete number in the "C" locale, whatever the process's is.
double convert(const std::string& number) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtod_l(number.c_str(), nullptr, cLocale);
}

} // namespace

ScannedNumber ScanLeadingNumber(std::string_view text, LeadingNumberForms forms) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (forms.hexadecimal && i + 1 < text.size() && text[i] == '&' &&
        (text[i + 1] == 'H' || text[i + 1] == 'h'))
        return readHexadecimal(text, i + 2);
    // Only the number's own characters are handed on, so the conversion can
    // neither read past the text nor accept other forms (hex, inf, nan).
    std::string number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        number += text[i++];
    bool digits = false;
    for (; i < text.size() && isDigit(text[i]); ++i, digits = true)
        number += text[i];
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        for (; i < text.size() && isDigit(text[i]); ++i, digits = true)
            number += text[i];
    }
    if (!digits)
        return {};
    if (i < text.size() && isExponentLetter(text[i], forms)) {
        std::string exponent = "e";
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            exponent += text[j++];
        bool exponentDigits = false;
        for (; j < text.size() && isDigit(text[j]); ++j, exponentDigits = true)
            exponent += text[j];
        if (exponentDigits) {
            number += exponent;
            i = j;
        }
    }
    return {convert(number), i};
}

} // namespace zw
