// A setup block read from a file, checked against the loaded models before
// anything takes it. Plain C++ over the model database and the block codec,
// so the file reader's checks run in the fuzz target as they run here.
#ifndef ZW_SETUP_SETUPBLOCKCHECK_H
#define ZW_SETUP_SETUPBLOCKCHECK_H

#include "deviceinfo.h"

#include <cstdint>
#include <optional>
#include <span>

namespace zw {

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
std::optional<CheckedSetting> RevalidateSetting(const DeviceInfo& decoded, int interfaceType);

// Decodes a whole setup block (first word rule: interface type x 256 + model
// index, or the model index alone keeping `interfaceType`) and revalidates it.
std::optional<CheckedSetting> SettingFromBlock(std::span<const uint8_t> block,
                                               const DeviceInfo& current, int interfaceType);

} // namespace zw

#endif // ZW_SETUP_SETUPBLOCKCHECK_H
