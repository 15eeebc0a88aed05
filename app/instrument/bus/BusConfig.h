// The configuration text handed to a back-end when the bus is initialised:
// comma-separated "KEY = value" items. Keys are compared without case.
#ifndef ZW_BUS_CONFIG_H
#define ZW_BUS_CONFIG_H

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zw::bus {

class BusConfig {
public:
    BusConfig() = default;
    static BusConfig Parse(std::string_view text);

    // The trimmed value of `key`, nothing when absent (the last item wins).
    std::optional<std::string> Get(std::string_view key) const;
    std::string GetOr(std::string_view key, std::string_view fallback) const;
    // A decimal integer value; nothing when absent or not a number.
    std::optional<long> GetInt(std::string_view key) const;
    // "true", "on", "yes" or a non-zero number.
    bool GetFlag(std::string_view key) const;

    const std::string& Text() const { return text_; }

private:
    std::string text_;
    std::vector<std::pair<std::string, std::string>> items_;
};

// Appends ", KEY = value" (or "KEY = value" to an empty text).
void AppendConfigItem(std::string& text, std::string_view key, std::string_view value);

} // namespace zw::bus

#endif // ZW_BUS_CONFIG_H
