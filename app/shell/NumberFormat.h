// Number formatting and number reading of the editor: the numeric format
// patterns used by read-outs, dialogs, listings and instrument command
// scripts, the interface's number-to-text and value-of-text conversions, and
// the engineering notation with the one-letter prefixes "afpnum kMGT".
//
// Every function is pure and locale-independent (the decimal point is ".").
//
// Pattern language of Format (a pattern is one to three sections separated by
// ";": positive;negative;zero; a negative section formats the absolute value
// and supplies its own sign text):
//   0      digit placeholder, shows a digit or 0
//   #      digit placeholder, shows a digit or nothing
//   .      decimal point; always shown when the pattern has one ("5." for "#.##")
//   ,      thousands separator when it stands between integer placeholders
//   %      multiplies the value by 100 and shows a "%"
//   E+ E- e+ e-  exponent; the placeholders after it give the exponent's
//                minimum digits ("0.000E+00"); "+" shows the sign always,
//                "-" only for negative exponents; the mantissa gets as many
//                integer digits as the pattern has integer placeholders
//   "text" and \c  literal text; any other character is literal too
// Fraction placeholders are positional: every position up to the last "0"
// is shown, later "#" positions only while significant digits remain
// ("0.##0" shows 1.5 as "1.500", "0.###" shows it as "1.5"). Integer digits
// beyond the placeholders are all shown. Rounding is half away from zero on
// the value's 15 significant decimal digits, so 1.005 with "0.00" is "1.01".
// A result whose digits are all zero carries no minus sign.
// Named patterns: "Scientific" (= "0.00E+00"), "Fixed" (= "0.00"),
// "Standard" (= "#,##0.00"), "Percent" (= "0.00%"), "General Number" and the
// empty pattern (the shortest text with up to 15 significant digits).
// Not a number and infinities are written "NaN", "Inf" and "-Inf".
#ifndef ZW_SHELL_NUMBERFORMAT_H
#define ZW_SHELL_NUMBERFORMAT_H

#include <QString>
#include <QStringView>

#include <optional>

namespace zw::NumberFormat {

// The prefix letters of engineering notation, 10^-18 ("a") to 10^12 ("T");
// the blank in the middle stands for 10^0.
inline constexpr char kPrefixLetters[] = "afpnum kMGT";

// The value rendered with a numeric format pattern (see above).
QString Format(double value, QStringView pattern);

// The interface's number-to-text conversion for doubles: up to 15
// significant digits, a leading blank for values that are not negative, no
// zero before the point (" .5", "-.25"), and the exponent form for
// magnitudes below 1e-4 or from 1e15 up (" 1E+15", " 1.5E-05").
QString NumberText(double value);

// The value-of-text conversion: leading blanks, a sign, digits, a decimal
// point and an exponent are read up to the first other character; text with
// no leading number gives 0. A number too large for a double gives +/-inf.
double ValueOfText(QStringView text);

// Plain format: Format(value, "0.##################0") cut to its first
// `width` characters.
QString PlainFormat(double value, int width);

// Engineering format of the read-outs, about `width` characters: the value
// scaled into a group of three decades and followed by its prefix letter
// ("1.50000m", "500.000u"; a blank for no prefix, "5.000000 "). Zero is the
// plain format of 0 with width + 1 characters; magnitudes up to 1e-18 and
// from 1e12 use the "Scientific" pattern. The decade is found with
// floor(ln|v| / 2.302585093), so 1000 stays "1000.000 " and 1e6 is
// "1000.00k", while 0.001 is "1.00000m".
QString EngineeringFormat(double value, int width);

// Engineering format of the settings fields: the scaled value formatted
// with `pattern`, a trailing "." removed, the prefix letter appended and
// blanks trimmed ("1.5k", "500m", "5"). Zero is "0", or "0." followed by as
// many zeros as the pattern has characters after its point (".###": "0.000").
QString FormatEngineering(double value, QStringView pattern);

// Reads engineering notation: trailing blanks are removed; when the last
// character is one of the prefix letters (case-sensitive: "m" milli, "M"
// mega, "u" micro) the leading number is scaled by it. "1.5k" is 1500,
// "2m" 0.002, "abc" 0.
double ParseEngineering(QStringView text);

// The strict form for typed values: the whole text (blanks around it
// allowed) must be one number, optionally followed by one prefix letter.
// Returns nothing for text such as "", "abc", "12x", "1e999".
std::optional<double> ReadEngineering(QStringView text);

} // namespace zw::NumberFormat

#endif // ZW_SHELL_NUMBERFORMAT_H
