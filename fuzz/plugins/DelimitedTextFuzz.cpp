// ReadColumnCodes on arbitrary bytes. Besides not crashing: a result is
// either codes (at least one) or a refusal with none, and reading the same
// text as UTF-16 (with its mark) gives the same answer for ASCII input.
#include "DelimitedText.h"
#include "importplugin.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool IsAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80 || c == '\0')
            return false;
    return true;
}

std::string AsUtf16(std::string_view text) {
    std::string units = "\xFF\xFE";
    for (const char c : text) {
        units.push_back(c);
        units.push_back('\0');
    }
    return units;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const zw::textimport::ColumnCodes column = zw::textimport::ReadColumnCodes(bytes);
    if ((column.result == ZW_IMPORT_OK) == column.codes.empty())
        std::abort();
    // Text that starts with a mark of its own would be read differently.
    if (IsAscii(bytes) && size < 4096) {
        const zw::textimport::ColumnCodes wide = zw::textimport::ReadColumnCodes(AsUtf16(bytes));
        if (wide.result != column.result || wide.codes != column.codes)
            std::abort();
    }
    return 0;
}
