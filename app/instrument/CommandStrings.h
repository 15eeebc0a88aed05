// The command strings a transfer sends, assembled from a command object's
// answers in a fixed order with ";" between the non-empty ones.
#ifndef ZW_COMMAND_STRINGS_H
#define ZW_COMMAND_STRINGS_H

#include "GpibCommand.h"
#include "deviceinfo.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace zw {

// Appends `command` to `text` with ";" between, unless it is empty.
void AppendCommand(std::string& text, std::string_view command);

// Preset, header off, channel, frequency, offset switch, range, amplitude
// (with " VPP"), offset level and output state.
std::string BuildSettingString(const clsGpibCommand& command, const DeviceInfo& setting);

// Preset, channel, pre-command, size, bank, start address, name, format and
// the upload command itself.
std::string BuildUploadString(const clsGpibCommand& command, const DeviceInfo& setting,
                              long points);

// Where the upload command asks for the IEEE 488.2 definite-length block
// header of the data that follows.
inline constexpr std::string_view kBlockPlaceholder = "_$Block";

enum class BlockFraming {
    None,    // the upload string is sent as a message of its own
    Header,  // the placeholder ended the string and has been removed
    Invalid, // the placeholder stands elsewhere: the model file is wrong
};

// Looks for the placeholder at the end of `upload` and removes it.
BlockFraming TakeBlockPlaceholder(std::string& upload);

// "#" + number of length digits + length, e.g. "#6131072".
std::string BlockHeader(size_t bytes);

// A fixed text field of the setting without padding blanks or NULs.
std::string TrimmedField(const char* field, size_t size);

} // namespace zw

#endif // ZW_COMMAND_STRINGS_H
