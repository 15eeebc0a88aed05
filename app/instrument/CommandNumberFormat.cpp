#include "CommandNumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace zw {

namespace {

struct Pattern {
    std::string prefix;
    std::string suffix;
    int intPlaceholders = 0;
    int intZeros = 0; // "0" placeholders among them
    bool grouping = false;
    bool point = false;
    int fracZeros = 0;
    int fracTotal = 0;
    bool exponent = false;
    char expLetter = 'E';
    bool expAlwaysSign = false;
    int expDigits = 0;
};

Pattern ParsePattern(std::string_view text) {
    // Only the first section counts; the others (negative, zero) are not used
    // by command scripts.
    text = text.substr(0, text.find(';'));
    Pattern p;
    size_t i = 0;
    auto isDigitPlace = [](char c) { return c == '0' || c == '#'; };
    while (i < text.size() && !isDigitPlace(text[i]) && text[i] != '.')
        p.prefix += text[i++];
    for (; i < text.size() && (isDigitPlace(text[i]) || text[i] == ','); ++i) {
        if (text[i] == ',') {
            p.grouping = true;
            continue;
        }
        ++p.intPlaceholders;
        if (text[i] == '0' || p.intZeros > 0)
            ++p.intZeros;
    }
    if (i < text.size() && text[i] == '.') {
        p.point = true;
        for (++i; i < text.size() && isDigitPlace(text[i]); ++i) {
            ++p.fracTotal;
            if (text[i] == '0')
                p.fracZeros = p.fracTotal;
        }
    }
    if (i + 1 < text.size() && (text[i] == 'E' || text[i] == 'e') &&
        (text[i + 1] == '+' || text[i + 1] == '-')) {
        p.exponent = true;
        p.expLetter = text[i];
        p.expAlwaysSign = text[i + 1] == '+';
        for (i += 2; i < text.size() && isDigitPlace(text[i]); ++i)
            if (text[i] == '0')
                ++p.expDigits;
    }
    p.suffix = std::string(text.substr(i));
    return p;
}

// A non-negative number as decimal digits: value = 0.digits x 10^pointAt,
// i.e. the first pointAt digits stand before the decimal point.
struct Decimal {
    std::string digits;
    int pointAt = 0;
};

Decimal ShortestDecimal(double magnitude) {
    Decimal d;
    if (magnitude == 0.0)
        return d;
    char buffer[64];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    const std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
    const size_t e = text.find('e');
    for (const char c : text.substr(0, e))
        if (c != '.')
            d.digits += c;
    d.pointAt = std::atoi(std::string(text.substr(e + 1)).c_str()) + 1;
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits == "0")
        d.digits.clear();
    return d;
}

// Keeps `fraction` digits after the point, halves rounded up.
Decimal RoundToFraction(Decimal d, int fraction) {
    const long keep = static_cast<long>(d.pointAt) + fraction;
    if (d.digits.empty() || keep >= static_cast<long>(d.digits.size()))
        return d;
    if (keep < 0)
        return {};
    const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
    d.digits.resize(static_cast<size_t>(keep));
    if (up) {
        long i = keep - 1;
        while (i >= 0 && d.digits[static_cast<size_t>(i)] == '9')
            d.digits[static_cast<size_t>(i--)] = '0';
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.pointAt;
        } else {
            ++d.digits[static_cast<size_t>(i)];
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.pointAt = 0;
    return d;
}

std::string IntegerDigits(const Decimal& d) {
    std::string out;
    for (int i = 0; i < d.pointAt; ++i)
        out += i < static_cast<int>(d.digits.size()) ? d.digits[static_cast<size_t>(i)] : '0';
    return out;
}

std::string FractionDigits(const Decimal& d, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        const int at = d.pointAt + i;
        out += at >= 0 && at < static_cast<int>(d.digits.size()) ? d.digits[static_cast<size_t>(at)]
                                                                 : '0';
    }
    return out;
}

std::string Group(const std::string& digits) {
    std::string out;
    const size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

std::string Mantissa(const Pattern& p, const Decimal& d) {
    std::string integer = IntegerDigits(d);
    if (static_cast<int>(integer.size()) < p.intZeros)
        integer.insert(0, static_cast<size_t>(p.intZeros) - integer.size(), '0');
    if (p.grouping)
        integer = Group(integer);
    std::string fraction = FractionDigits(d, p.fracTotal);
    while (static_cast<int>(fraction.size()) > p.fracZeros && fraction.back() == '0')
        fraction.pop_back();
    std::string out = integer;
    if (p.point)
        out += '.' + fraction;
    return out;
}

} // namespace

std::string FormatWithPattern(double value, std::string_view patternText) {
    if (!std::isfinite(value))
        return std::isnan(value) ? "NaN" : (value < 0 ? "-Inf" : "Inf");
    const Pattern p = ParsePattern(patternText);
    const bool negative = std::signbit(value);
    Decimal d = ShortestDecimal(std::fabs(value));
    std::string body;
    if (p.exponent) {
        const int intDigits = std::max(p.intPlaceholders, 1);
        int exponent = 0;
        if (!d.digits.empty()) {
            exponent = d.pointAt - intDigits;
            d.pointAt = intDigits;
            d = RoundToFraction(d, p.fracTotal);
            if (d.pointAt > intDigits) { // rounding carried into a new digit
                ++exponent;
                d.pointAt = intDigits;
            }
        }
        body = Mantissa(p, d);
        std::string exp = std::to_string(std::abs(exponent));
        if (static_cast<int>(exp.size()) < p.expDigits)
            exp.insert(0, static_cast<size_t>(p.expDigits) - exp.size(), '0');
        body += p.expLetter;
        if (exponent < 0)
            body += '-';
        else if (p.expAlwaysSign)
            body += '+';
        body += exp;
    } else {
        d = RoundToFraction(d, p.fracTotal);
        body = Mantissa(p, d);
    }
    const bool showsSign = negative && !d.digits.empty();
    return (showsSign ? "-" : "") + p.prefix + body + p.suffix;
}

} // namespace zw
