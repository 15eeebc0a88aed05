// Reading "key=value" profile files the way the desktop's profile-string
// function does: section and key names without case, names and values
// trimmed, one pair of enclosing quotes removed from a value, the first of
// duplicate keys wins, and the value cut to the caller's buffer.
#ifndef ZW_BUS_PROFILE_FILE_H
#define ZW_BUS_PROFILE_FILE_H

#include <optional>
#include <string>
#include <string_view>

namespace zw::bus {

// The value of `key` in `section` of the file at `path`; nothing when the
// file, the section or the key is missing. At most `bufferSize - 1`
// characters are returned, as through a buffer of that size.
std::optional<std::string> ReadProfileString(const std::string& path, std::string_view section,
                                             std::string_view key, size_t bufferSize);

} // namespace zw::bus

#endif // ZW_BUS_PROFILE_FILE_H
