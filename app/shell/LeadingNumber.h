// Reading the number a text starts with, the one way the program does it:
// leading blanks, a sign, digits with a decimal point, an exponent, up to
// the first other character; no number gives 0. Independent of the
// process's locale (the point is always "."). A number too large for a
// double gives +/-inf.
#ifndef ZW_SHELL_LEADINGNUMBER_H
#define ZW_SHELL_LEADINGNUMBER_H

#include <cstddef>
#include <string_view>

namespace zw {

// Forms beyond the plain number that some texts allow.
struct LeadingNumberForms {
    // "&H" and hexadecimal digits: a 16-bit value, read as signed.
    bool hexadecimal = false;
    // "D" or "d" for the exponent as well as "E" or "e".
    bool dExponent = false;
};

struct ScannedNumber {
    double value = 0;
    size_t end = 0; // where the number ends in the text; 0 when there is none
};

ScannedNumber ScanLeadingNumber(std::string_view text, LeadingNumberForms forms = {});

inline double ReadLeadingNumber(std::string_view text, LeadingNumberForms forms = {}) {
    return ScanLeadingNumber(text, forms).value;
}

} // namespace zw

#endif // ZW_SHELL_LEADINGNUMBER_H
