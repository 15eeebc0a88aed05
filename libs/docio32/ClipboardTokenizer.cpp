#include "ClipboardTokenizer.h"

#include "SampleText.h"

namespace docio32 {

namespace {

bool isTokenCharacter(char c) {
    return isDigit(c) || c == '+' || c == '-';
}

} // namespace

ClipboardTokenizer::ClipboardTokenizer(std::string_view text)
    : rest_(text.substr(0, text.find('\0'))) {}

std::optional<int16_t> ClipboardTokenizer::next() {
    std::size_t begin = 0;
    while (begin < rest_.size() && !isTokenCharacter(rest_[begin]))
        ++begin;
    if (begin == rest_.size()) {
        rest_ = {};
        return std::nullopt;
    }
    std::size_t end = begin;
    while (end < rest_.size() && end - begin < kMaxTokenLength && isTokenCharacter(rest_[end]))
        ++end;
    const std::string_view token = rest_.substr(begin, end - begin);
    // A run cut at the limit loses the character just after the token.
    const bool cut =
        end - begin == kMaxTokenLength && end < rest_.size() && isTokenCharacter(rest_[end]);
    rest_.remove_prefix(cut ? end + 1 : end);
    return codeOfText(token);
}

std::vector<int16_t> clipboardCodes(std::string_view text) {
    std::vector<int16_t> codes;
    ClipboardTokenizer tokens(text);
    while (const auto code = tokens.next())
        codes.push_back(*code);
    return codes;
}

} // namespace docio32
