// Renders a number with a numeric format pattern of a model's command
// script: digit placeholders "0" (always shown) and "#" (shown when
// significant), a decimal point, a thousands separator "," and an exponent
// part such as "E+00" or "e-0"; other characters are copied. Rounding is to
// nearest with halves away from zero on the number's shortest decimal form,
// as the desktop's number formatting does, so 0.125 with "0.00" is "0.13".
#ifndef ZW_COMMAND_NUMBER_FORMAT_H
#define ZW_COMMAND_NUMBER_FORMAT_H

#include <string>
#include <string_view>

namespace zw {

std::string FormatWithPattern(double value, std::string_view pattern);

} // namespace zw

#endif // ZW_COMMAND_NUMBER_FORMAT_H
