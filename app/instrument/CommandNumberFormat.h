// Renders a number with a numeric format pattern of a model's command
// script ("0", "0.000", "0.000000E+00", ...) through the editor's number
// formatting (NumberFormat::Format of the shell): halves away from zero,
// so 0.125 with "0.00" is "0.13". Patterns are single-byte text.
#ifndef ZW_COMMAND_NUMBER_FORMAT_H
#define ZW_COMMAND_NUMBER_FORMAT_H

#include <string>
#include <string_view>

namespace zw {

std::string FormatWithPattern(double value, std::string_view pattern);

} // namespace zw

#endif // ZW_COMMAND_NUMBER_FORMAT_H
