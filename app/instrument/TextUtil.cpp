#include "TextUtil.h"

#include "LeadingNumber.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace zw {

namespace {
bool IsTrimmed(char c) {
    return static_cast<unsigned char>(c) <= ' ' || c == 0x7f;
}
} // namespace

std::string_view TrimText(std::string_view text) {
    while (!text.empty() && IsTrimmed(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsTrimmed(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view Unquote(std::string_view text) {
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front())
        return text.substr(1, text.size() - 2);
    return text;
}

std::string_view TrimUnquote(std::string_view text) {
    return TrimText(Unquote(TrimText(text)));
}

std::vector<std::string_view> SplitText(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    while (true) {
        const size_t at = text.find(separator, start);
        if (at == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, at - start));
        start = at + 1;
    }
}

std::string ToLowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::string_view FieldText(const char* field, size_t size) {
    const void* nul = std::memchr(field, 0, size);
    return {field, nul ? static_cast<size_t>(static_cast<const char*>(nul) - field) : size};
}

double LeadingNumber(std::string_view text) {
    return ReadLeadingNumber(text, {.hexadecimal = true, .dExponent = true});
}

} // namespace zw
