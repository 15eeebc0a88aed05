#include "bus/ProfileFile.h"

#include "TextUtil.h"

#include <filesystem>
#include <fstream>

namespace zw::bus {

std::optional<std::string> ReadProfileString(const std::string& path, std::string_view section,
                                             std::string_view key, size_t bufferSize) {
    // A FIFO would block the open, a device could be read for ever.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream in(path);
    if (!in || bufferSize == 0)
        return std::nullopt;
    const std::string_view wantedSection = TrimText(section);
    const std::string_view wantedKey = TrimText(key);
    bool inSection = false;
    std::string line;
    while (std::getline(in, line)) {
        const std::string_view text = TrimText(line);
        if (text.empty() || text.front() == ';')
            continue;
        if (text.front() == '[') {
            const size_t close = text.find(']');
            inSection = close != std::string_view::npos &&
                        EqualsNoCase(TrimText(text.substr(1, close - 1)), wantedSection);
            continue;
        }
        if (!inSection)
            continue;
        const size_t eq = text.find('=');
        if (eq == std::string_view::npos || !EqualsNoCase(TrimText(text.substr(0, eq)), wantedKey))
            continue;
        std::string value(TrimText(text.substr(eq + 1)));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        if (value.size() > bufferSize - 1)
            value.resize(bufferSize - 1);
        return value;
    }
    return std::nullopt;
}

} // namespace zw::bus
