#include "bus/BusConfig.h"

#include "TextUtil.h"

#include <charconv>

namespace zw::bus {

BusConfig BusConfig::Parse(std::string_view text) {
    BusConfig config;
    config.text_ = std::string(text);
    for (std::string_view item : SplitText(text, ',')) {
        const size_t eq = item.find('=');
        if (eq == std::string_view::npos)
            continue;
        std::string key = ToLowerAscii(TrimText(item.substr(0, eq)));
        if (key.empty())
            continue;
        config.items_.emplace_back(std::move(key), std::string(TrimText(item.substr(eq + 1))));
    }
    return config;
}

std::optional<std::string> BusConfig::Get(std::string_view key) const {
    const std::string wanted = ToLowerAscii(key);
    for (auto it = items_.rbegin(); it != items_.rend(); ++it)
        if (it->first == wanted)
            return it->second;
    return std::nullopt;
}

std::string BusConfig::GetOr(std::string_view key, std::string_view fallback) const {
    auto value = Get(key);
    return value ? *value : std::string(fallback);
}

std::optional<long> BusConfig::GetInt(std::string_view key) const {
    auto value = Get(key);
    if (!value || value->empty())
        return std::nullopt;
    long result = 0;
    const char* first = value->data();
    const char* last = first + value->size();
    if (*first == '+')
        ++first;
    auto [ptr, ec] = std::from_chars(first, last, result);
    if (ec != std::errc() || ptr != last)
        return std::nullopt;
    return result;
}

bool BusConfig::GetFlag(std::string_view key) const {
    auto value = Get(key);
    if (!value)
        return false;
    const std::string lowered = ToLowerAscii(*value);
    if (lowered == "true" || lowered == "on" || lowered == "yes")
        return true;
    auto number = GetInt(key);
    return number && *number != 0;
}

void AppendConfigItem(std::string& text, std::string_view key, std::string_view value) {
    if (!text.empty())
        text += ", ";
    text += key;
    text += " = ";
    text += value;
}

} // namespace zw::bus
