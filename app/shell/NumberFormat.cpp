// Numeric format patterns, the number-to-text and value-of-text conversions
// and engineering notation (see NumberFormat.h for the rules).
#include "NumberFormat.h"

#include "LeadingNumber.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <string>
#include <vector>

namespace zw::NumberFormat {
namespace {

constexpr int kSignificantDigits = 15;
constexpr char kPlainPattern[] = "0.##################0";
constexpr double kLn10ForDecades = 2.302585093;

// A non-negative finite value as its 15 significant decimal digits: value =
// digits[0].digits[1..] x 10^exponent, trailing zeros removed; no digits for 0.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

Decimal toDecimal(double magnitude) {
    Decimal d;
    if (magnitude == 0.0)
        return d;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.*e", kSignificantDigits - 1, magnitude);
    const std::string s(buf);
    const auto e = s.find('e');
    d.digits.push_back(s[0]);
    d.digits.append(s, 2, e - 2);
    d.exponent = std::atoi(s.c_str() + e + 1);
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// The value rounded half away from zero to `decimals` fraction digits: the
// integer digits without leading zeros ("" for 0) and exactly `decimals`
// fraction digits.
struct Fixed {
    std::string integer;
    std::string fraction;
};

Fixed toFixed(const Decimal& d, int decimals) {
    Fixed f;
    if (d.digits.empty()) {
        f.fraction.assign(static_cast<size_t>(decimals), '0');
        return f;
    }
    const int len = static_cast<int>(d.digits.size());
    auto digitAt = [&](int power) {
        const int i = d.exponent - power;
        return (i >= 0 && i < len) ? d.digits[static_cast<size_t>(i)] : '0';
    };
    std::string s;
    for (int p = std::max(d.exponent, 0); p >= -decimals; --p)
        s.push_back(digitAt(p));
    if (digitAt(-decimals - 1) >= '5') {
        int i = static_cast<int>(s.size()) - 1;
        while (i >= 0 && s[static_cast<size_t>(i)] == '9')
            s[static_cast<size_t>(i--)] = '0';
        if (i >= 0)
            ++s[static_cast<size_t>(i)];
        else
            s.insert(s.begin(), '1');
    }
    const size_t intLen = s.size() - static_cast<size_t>(decimals);
    f.integer = s.substr(0, intLen);
    f.fraction = s.substr(intLen);
    f.integer.erase(0, std::min(f.integer.find_first_not_of('0'), f.integer.size()));
    return f;
}

// ---------------------------------------------------------------------------
// Patterns

struct Token {
    enum Kind { Zero, Hash, Point, Exponent, Literal } kind;
    std::string text;  // Literal
    bool upper = true; // Exponent: "E" or "e"
    bool plus = false; // Exponent: "+" shows the sign always
};

struct Section {
    std::vector<Token> tokens;
    bool percent = false;
    bool grouping = false;
};

bool isPlaceholder(const Token& t) {
    return t.kind == Token::Zero || t.kind == Token::Hash;
}

// Splits the pattern at ";" outside quotes and escapes.
std::vector<std::string> splitSections(const std::string& p) {
    std::vector<std::string> out(1);
    bool quoted = false;
    for (size_t i = 0; i < p.size(); ++i) {
        const char c = p[i];
        if (c == '"')
            quoted = !quoted;
        if (!quoted && c == '\\' && i + 1 < p.size()) {
            out.back() += p.substr(i, 2);
            ++i;
            continue;
        }
        if (!quoted && c == ';') {
            out.emplace_back();
            continue;
        }
        out.back().push_back(c);
    }
    return out;
}

Section parseSection(const std::string& p) {
    Section s;
    auto literal = [&](const std::string& text) {
        if (!s.tokens.empty() && s.tokens.back().kind == Token::Literal)
            s.tokens.back().text += text;
        else
            s.tokens.push_back({Token::Literal, text});
    };
    bool seenPoint = false;
    bool seenExponent = false;
    bool pendingComma = false; // a "," after an integer placeholder
    for (size_t i = 0; i < p.size(); ++i) {
        const char c = p[i];
        if (c == '"') {
            const size_t end = p.find('"', i + 1);
            literal(p.substr(i + 1, (end == std::string::npos ? p.size() : end) - i - 1));
            i = (end == std::string::npos) ? p.size() : end;
        } else if (c == '\\') {
            if (i + 1 < p.size())
                literal(std::string(1, p[++i]));
        } else if (c == '0' || c == '#') {
            if (pendingComma)
                s.grouping = true;
            pendingComma = false;
            s.tokens.push_back({c == '0' ? Token::Zero : Token::Hash, {}});
        } else if (c == '.' && !seenPoint && !seenExponent) {
            seenPoint = true;
            pendingComma = false;
            s.tokens.push_back({Token::Point, {}});
        } else if (c == ',' && !seenPoint && !seenExponent) {
            const bool afterPlaceholder = !s.tokens.empty() && isPlaceholder(s.tokens.back());
            pendingComma = afterPlaceholder || pendingComma;
        } else if ((c == 'E' || c == 'e') && !seenExponent && i + 1 < p.size() &&
                   (p[i + 1] == '+' || p[i + 1] == '-')) {
            seenExponent = true;
            pendingComma = false;
            Token t{Token::Exponent, {}};
            t.upper = c == 'E';
            t.plus = p[i + 1] == '+';
            s.tokens.push_back(t);
            ++i;
        } else {
            if (c == '%')
                s.percent = true;
            literal(std::string(1, c));
        }
    }
    return s;
}

std::string groupThousands(const std::string& digits) {
    std::string out;
    const size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

struct Rendered {
    std::string text;
    bool anyNonZeroDigit = false;
};

// Lays out one section for a non-negative value.
Rendered renderSection(const Section& s, double magnitude) {
    if (s.percent)
        magnitude *= 100.0;

    // Regions of the pattern: [0, pointAt) integer, (pointAt, expAt) fraction,
    // (expAt, end) exponent.
    const size_t n = s.tokens.size();
    size_t pointAt = n;
    size_t expAt = n;
    for (size_t i = 0; i < n; ++i) {
        if (s.tokens[i].kind == Token::Point)
            pointAt = i;
        if (s.tokens[i].kind == Token::Exponent)
            expAt = i;
    }
    const size_t intEnd = std::min(pointAt, expAt);
    auto countPlaceholders = [&](size_t from, size_t to, bool zerosOnly) {
        int count = 0;
        for (size_t i = from; i < to && i < n; ++i)
            if (zerosOnly ? s.tokens[i].kind == Token::Zero : isPlaceholder(s.tokens[i]))
                ++count;
        return count;
    };
    const int intPlaces = countPlaceholders(0, intEnd, false);
    const size_t fracBegin = pointAt < expAt ? pointAt + 1 : expAt;
    const int fracPlaces = countPlaceholders(fracBegin, expAt, false);

    Decimal d = toDecimal(magnitude);
    Fixed fixed;
    int exponent = 0;
    if (expAt < n) {
        if (!d.digits.empty()) {
            // The mantissa gets as many integer digits as there are integer
            // placeholders; with none it is 0.ddd.
            for (;;) {
                const int shift = intPlaces > 0 ? intPlaces - 1 : -1;
                exponent = d.exponent - shift;
                fixed = toFixed(Decimal{d.digits, shift}, fracPlaces);
                const size_t maxInt = static_cast<size_t>(intPlaces);
                if (fixed.integer.size() <= maxInt)
                    break;
                d = Decimal{"1", d.exponent + 1}; // rounded up to the next power of ten
            }
        } else {
            fixed = toFixed(d, fracPlaces);
        }
    } else {
        fixed = toFixed(d, fracPlaces);
    }

    Rendered r;
    r.anyNonZeroDigit = fixed.integer.find_first_not_of('0') != std::string::npos ||
                        fixed.fraction.find_first_not_of('0') != std::string::npos;

    // Integer region: digits fill the placeholders from the right; the first
    // placeholder takes all digits left over. Every placeholder from the first
    // "0" on shows a digit.
    int minDigits = 0;
    bool seenZero = false;
    for (size_t i = 0; i < intEnd; ++i) {
        seenZero = seenZero || s.tokens[i].kind == Token::Zero;
        if (seenZero && isPlaceholder(s.tokens[i]))
            ++minDigits;
    }
    std::string intDigits = fixed.integer;
    if (static_cast<int>(intDigits.size()) < minDigits)
        intDigits.insert(0, static_cast<size_t>(minDigits) - intDigits.size(), '0');
    std::vector<std::string> placed(intEnd);
    if (intPlaces > 0) {
        if (s.grouping) {
            for (size_t i = 0; i < intEnd; ++i)
                if (isPlaceholder(s.tokens[i])) {
                    placed[i] = groupThousands(intDigits);
                    break;
                }
        } else {
            size_t remaining = intDigits.size();
            size_t first = intEnd;
            for (size_t i = intEnd; i-- > 0;) {
                if (!isPlaceholder(s.tokens[i]))
                    continue;
                first = i;
                if (remaining > 0) {
                    placed[i] = intDigits.substr(remaining - 1, 1);
                    --remaining;
                }
            }
            placed[first] = intDigits.substr(0, remaining) + placed[first];
        }
    }
    for (size_t i = 0; i < intEnd; ++i)
        r.text += s.tokens[i].kind == Token::Literal ? s.tokens[i].text : placed[i];
    // Without integer placeholders the integer digits stand before the point.
    if (intPlaces == 0 && pointAt < n && pointAt < expAt)
        r.text += fixed.integer;

    // Fraction region: positional; shown up to the last "0" placeholder or
    // the last significant digit, whichever is later.
    if (pointAt < expAt) {
        r.text.push_back('.');
        int lastZero = 0;
        for (size_t i = fracBegin, k = 0; i < expAt; ++i)
            if (isPlaceholder(s.tokens[i])) {
                ++k;
                if (s.tokens[i].kind == Token::Zero)
                    lastZero = static_cast<int>(k);
            }
        const auto lastSignificant = fixed.fraction.find_last_not_of('0');
        const int shown = std::max(lastZero, lastSignificant == std::string::npos
                                                 ? 0
                                                 : static_cast<int>(lastSignificant) + 1);
        for (size_t i = fracBegin, k = 0; i < expAt; ++i) {
            if (s.tokens[i].kind == Token::Literal)
                r.text += s.tokens[i].text;
            else if (isPlaceholder(s.tokens[i]) && static_cast<int>(++k) <= shown)
                r.text.push_back(fixed.fraction[k - 1]);
        }
    }

    // Exponent region: the exponent's digits go where its first placeholder
    // stands (directly after the sign when it has none).
    if (expAt < n) {
        const Token& e = s.tokens[expAt];
        r.text.push_back(e.upper ? 'E' : 'e');
        if (exponent < 0)
            r.text.push_back('-');
        else if (e.plus)
            r.text.push_back('+');
        std::string digits = std::to_string(std::abs(exponent));
        const int minExp = std::max(1, countPlaceholders(expAt + 1, n, true));
        if (static_cast<int>(digits.size()) < minExp)
            digits.insert(0, static_cast<size_t>(minExp) - digits.size(), '0');
        bool placedDigits = false;
        for (size_t i = expAt + 1; i < n; ++i) {
            if (s.tokens[i].kind == Token::Literal) {
                if (!placedDigits) {
                    r.text += digits;
                    placedDigits = true;
                }
                r.text += s.tokens[i].text;
            } else if (isPlaceholder(s.tokens[i]) && !placedDigits) {
                r.text += digits;
                placedDigits = true;
            }
        }
        if (!placedDigits)
            r.text += digits;
    }
    return r;
}

// Shortest text with up to 15 significant digits; `leadingZero` writes
// "0.5" rather than ".5".
std::string generalText(double magnitude, bool leadingZero) {
    const Decimal d = toDecimal(magnitude);
    if (d.digits.empty())
        return "0";
    const int x = d.exponent;
    if (x < -4 || x >= kSignificantDigits) {
        std::string t(1, d.digits[0]);
        if (d.digits.size() > 1)
            t += "." + d.digits.substr(1);
        char exp[16];
        std::snprintf(exp, sizeof exp, "E%c%02d", x < 0 ? '-' : '+', std::abs(x));
        return t + exp;
    }
    if (x >= 0) {
        std::string integer = d.digits.substr(0, static_cast<size_t>(x) + 1);
        integer.append(static_cast<size_t>(x) + 1 - integer.size(), '0');
        const std::string rest = d.digits.size() > static_cast<size_t>(x) + 1
                                     ? d.digits.substr(static_cast<size_t>(x) + 1)
                                     : std::string();
        return rest.empty() ? integer : integer + "." + rest;
    }
    return std::string(leadingZero ? "0." : ".") + std::string(static_cast<size_t>(-x - 1), '0') +
           d.digits;
}

std::string nonFiniteText(double v) {
    if (std::isnan(v))
        return "NaN";
    return v < 0 ? "-Inf" : "Inf";
}

std::string formatAscii(double value, const std::string& patternIn) {
    if (!std::isfinite(value))
        return nonFiniteText(value);
    std::string pattern = patternIn;
    std::string lower = pattern;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower.empty() || lower == "general number")
        return (value < 0 ? "-" : "") + generalText(std::fabs(value), true);
    if (lower == "scientific")
        pattern = "0.00E+00";
    else if (lower == "fixed")
        pattern = "0.00";
    else if (lower == "standard")
        pattern = "#,##0.00";
    else if (lower == "percent")
        pattern = "0.00%";

    const std::vector<std::string> sections = splitSections(pattern);
    if (value == 0.0 && sections.size() > 2 && !sections[2].empty())
        return renderSection(parseSection(sections[2]), 0.0).text;
    if (value < 0 && sections.size() > 1 && !sections[1].empty())
        return renderSection(parseSection(sections[1]), -value).text;
    const Rendered r = renderSection(parseSection(sections[0]), std::fabs(value));
    return (value < 0 && r.anyNonZeroDigit) ? "-" + r.text : r.text;
}

// ---------------------------------------------------------------------------
// Reading numbers

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// Position of a prefix letter in kPrefixLetters, or -1.
int prefixIndex(QChar c) {
    for (int i = 0; kPrefixLetters[i] != '\0'; ++i)
        if (kPrefixLetters[i] != ' ' && c == QLatin1Char(kPrefixLetters[i]))
            return i;
    return -1;
}

// Scales by the prefix at index p: 10^((p - 6) x 3). Division for the small
// prefixes keeps "2m" exactly the double nearest to 0.002.
double applyPrefix(double value, int p) {
    const int power = (p - 6) * 3;
    return power < 0 ? value / std::pow(10.0, -power) : value * std::pow(10.0, power);
}

QStringView trimmedRight(QStringView text) {
    qsizetype end = text.size();
    while (end > 0 && isBlank(text[end - 1]))
        --end;
    return text.first(end);
}

struct DecadeGroup {
    int letterIndex; // index into kPrefixLetters
    double mantissa;
};

DecadeGroup decadeGroup(double value) {
    const double e = std::floor(std::log(std::fabs(value)) / kLn10ForDecades);
    const int k = std::clamp(static_cast<int>(std::floor(e / 3.0)), -6, 4);
    return {k + 6, value * std::pow(10.0, -3.0 * k)};
}

bool needsScientific(double value) {
    const double a = std::fabs(value);
    return a <= 1e-18 || a >= 1e12;
}

} // namespace

QString Format(double value, QStringView pattern) {
    return QString::fromStdString(formatAscii(value, pattern.toString().toStdString()));
}

QString NumberText(double value) {
    if (!std::isfinite(value))
        return QString::fromStdString((value < 0 ? "" : " ") + nonFiniteText(value));
    const std::string body = generalText(std::fabs(value), false);
    return QString::fromStdString((value < 0 ? "-" : " ") + body);
}

double ValueOfText(QStringView text) {
    return ReadLeadingNumber(text.toLatin1().toStdString());
}

QString PlainFormat(double value, int width) {
    if (width <= 0)
        return QString();
    return QString::fromStdString(formatAscii(value, kPlainPattern).substr(0, size_t(width)));
}

QString EngineeringFormat(double value, int width) {
    if (value == 0.0)
        return PlainFormat(0.0, width + 1);
    if (!std::isfinite(value) || needsScientific(value))
        return Format(value, u"Scientific");
    const DecadeGroup g = decadeGroup(value);
    QString text = PlainFormat(g.mantissa, width + 1);
    const QChar letter = QLatin1Char(kPrefixLetters[g.letterIndex]);
    if (letter != u' ') {
        // Make room for the letter; a point left at the end goes too, but
        // never a digit.
        text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text + letter;
}

QString FormatEngineering(double value, QStringView pattern) {
    if (value == 0.0) {
        const qsizetype point = pattern.indexOf(u'.');
        if (point < 0)
            return QStringLiteral("0");
        return QStringLiteral("0.") + QString(pattern.size() - point - 1, u'0');
    }
    if (!std::isfinite(value) || needsScientific(value))
        return Format(value, u"Scientific");
    const DecadeGroup g = decadeGroup(value);
    QString text = Format(g.mantissa, pattern);
    if (text.endsWith(u'.'))
        text.chop(1);
    text += QLatin1Char(kPrefixLetters[g.letterIndex]);
    return text.trimmed();
}

double ParseEngineering(QStringView text) {
    const QStringView t = trimmedRight(text);
    if (t.isEmpty())
        return 0.0;
    const int p = prefixIndex(t.back());
    const double number = ValueOfText(t);
    return p < 0 ? number : applyPrefix(number, p);
}

std::optional<double> ReadEngineering(QStringView text) {
    QStringView t = text.trimmed();
    int p = -1;
    if (!t.isEmpty() && (p = prefixIndex(t.back())) >= 0)
        t = trimmedRight(t.first(t.size() - 1));
    const std::string bytes = t.toLatin1().toStdString();
    const ScannedNumber scanned = ScanLeadingNumber(bytes);
    if (t.isEmpty() || scanned.end != bytes.size())
        return std::nullopt;
    const double number = scanned.value;
    const double value = p < 0 ? number : applyPrefix(number, p);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace zw::NumberFormat
