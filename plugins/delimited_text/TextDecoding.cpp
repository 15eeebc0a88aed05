#include "TextDecoding.h"

#include <cstdint>

namespace zw::textimport {

namespace {

std::string NarrowUtf16(std::string_view units, bool bigEndian) {
    std::string text;
    text.reserve(units.size() / 2);
    for (std::size_t i = 0; i + 1 < units.size(); i += 2) {
        const auto first = static_cast<uint8_t>(units[i]);
        const auto second = static_cast<uint8_t>(units[i + 1]);
        const unsigned unit = bigEndian ? (first << 8 | second) : (second << 8 | first);
        if (unit >= 0xDC00 && unit <= 0xDFFF)
            continue; // the second half of a pair already stood as one '?'
        text.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    }
    return text;
}

} // namespace

std::optional<std::string> DecodeText(std::string_view bytes) {
    std::string text;
    if (bytes.starts_with("\xFF\xFE"))
        text = NarrowUtf16(bytes.substr(2), false);
    else if (bytes.starts_with("\xFE\xFF"))
        text = NarrowUtf16(bytes.substr(2), true);
    else if (bytes.starts_with("\xEF\xBB\xBF"))
        text = bytes.substr(3);
    else
        text = bytes;
    if (text.find('\0') != std::string::npos)
        return std::nullopt;
    return text;
}

} // namespace zw::textimport
