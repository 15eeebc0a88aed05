// The system setup file (".ocb"): the 326-byte setup block of the current
// setting and nothing else. Saving packs the setting and replaces the file
// in one step; reading decodes the block into a copy, checks it against the
// loaded models and takes it only when it passes, so a file that fails
// leaves the setting exactly as it was.
#ifndef ZW_SETUP_SETUPFILE_H
#define ZW_SETUP_SETUPFILE_H

#include "CurrentSetting.h"
#include "deviceinfo.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <span>

namespace zw {

// Catalogue messages of the file commands.
inline constexpr int kSetupFileReadError = 71;
inline constexpr int kSetupFileWriteError = 72;

// 0, or kSetupFileWriteError when the setting cannot be packed or the file
// not written (an existing file is then untouched).
int SaveSetupFile(const QString& path, const CurrentSetting& setting);

// 0, or kSetupFileReadError with the setting unchanged: the file cannot be
// read, is not exactly 326 bytes long, or its block does not describe a
// setting of a loaded model.
int ReadSetupFile(const QString& path, CurrentSetting& setting);

// A decoded setting checked against the loaded models: the model its index
// names (an index outside the list, or a name that is not that model's,
// refuses the block), then the stored memory size, interface address,
// memory number, channel, range, frequency, amplitude and offset through
// the change operations, each value the model rejects replaced by the
// model's own; output state, offset switch, units and names from the block.
// Nothing for a block that cannot describe a setting (unknown interface
// type or unit kind, numbers that are not finite).
struct CheckedSetting {
    DeviceInfo info;
    int interfaceType;
};
std::optional<CheckedSetting> RevalidateSetting(const DeviceInfo& decoded, int interfaceType,
                                                const CurrentSetting& models);

// Decodes a whole setup block (first word rule: interface type x 256 + model
// index, or the model index alone keeping `interfaceType`) and revalidates it.
std::optional<CheckedSetting> SettingFromBlock(std::span<const uint8_t> block,
                                               const DeviceInfo& current, int interfaceType,
                                               const CurrentSetting& models);

// Takes a checked setting into the current one.
void TakeSetting(CurrentSetting& setting, const CheckedSetting& checked);

} // namespace zw

#endif // ZW_SETUP_SETUPFILE_H
