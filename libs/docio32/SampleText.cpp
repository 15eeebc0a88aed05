#include "SampleText.h"

#include <charconv>

namespace docio32 {

void appendUnsignedCodes(std::string& out, std::span<const int16_t> codes,
                         std::string_view lineEnd) {
    out.reserve(out.size() + codes.size() * (5 + lineEnd.size()));
    char digits[8];
    for (const int16_t code : codes) {
        const auto unsignedCode = static_cast<uint16_t>(code);
        const auto end = std::to_chars(digits, digits + sizeof digits, unsignedCode).ptr;
        out.append(digits, end);
        out.append(lineEnd);
    }
}

} // namespace docio32
