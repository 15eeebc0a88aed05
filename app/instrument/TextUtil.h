// Small text helpers shared by instrument control: trimming, splitting,
// case folding and the leading-number reading the command scripts rely on.
#ifndef ZW_INSTRUMENT_TEXT_UTIL_H
#define ZW_INSTRUMENT_TEXT_UTIL_H

#include <string>
#include <string_view>
#include <vector>

namespace zw {

// Removes spaces and control characters at both ends.
std::string_view TrimText(std::string_view text);
// Removes one enclosing pair of double or single quotes.
std::string_view Unquote(std::string_view text);
// Trimmed, then unquoted, then trimmed again.
std::string_view TrimUnquote(std::string_view text);
std::vector<std::string_view> SplitText(std::string_view text, char separator);
std::string ToLowerAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
// A fixed-size text field up to its first NUL.
std::string_view FieldText(const char* field, size_t size);
// The leading number of a reply or script value (ReadLeadingNumber with
// "&H" hexadecimal numbers and "D" exponents); no number gives 0.
double LeadingNumber(std::string_view text);

} // namespace zw

#endif // ZW_INSTRUMENT_TEXT_UTIL_H
