#include "SetupBlockCheck.h"

#include "bus/BusTypes.h"
#include "docio32.h"
#include "modspec32.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

namespace zw {

namespace {

bool IsKnownInterface(int type) {
    switch (type) {
    case bus::kNiGpib:
    case bus::kKiGpib:
    case bus::kUsbTmc:
    case bus::kSimulator:
    case bus::kUsb488:
    case bus::kLanSocket:
        return true;
    default:
        return false;
    }
}

bool IsUnitKind(int kind) {
    return kind >= 0 && kind <= 2;
}

// The numbers a block carries that the checks below compare or keep.
bool NumbersAreFinite(const DeviceInfo& d) {
    for (double v :
         {d.Frequency, d.Amplitude, d.Offset, d.XUserStart, d.XUserEnd, d.YUserMin, d.YUserMax})
        if (!std::isfinite(v))
            return false;
    return true;
}

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::string ListedName(int model) {
    char buffer[SYS_NAME_BUFFER + 1] = {};
    SysGetDeviceName(model, buffer);
    buffer[SYS_NAME_BUFFER] = '\0';
    return Trimmed(buffer);
}

std::string StoredName(const DeviceInfo& d) {
    return Trimmed(std::string_view(d.ModelName, strnlen(d.ModelName, sizeof d.ModelName)));
}

// The model a block names: its index, unless the block carries a model name
// that is another loaded model's (the model files changed since it was
// saved). A name that no loaded model has refuses the block.
std::optional<int> ModelOfBlock(const DeviceInfo& decoded, int modelCount) {
    const std::string name = StoredName(decoded);
    const int index = decoded.ModelIndex;
    const bool indexValid = index >= 0 && index < modelCount;
    if (name.empty())
        return indexValid ? std::optional<int>(index) : std::nullopt;
    if (indexValid && ListedName(index) == name)
        return index;
    for (int m = 0; m < modelCount; ++m)
        if (ListedName(m) == name)
            return m;
    return std::nullopt;
}

int InterfaceFor(int model, int stored) {
    const int bits = SysGetInterfaceInfo(model);
    const bool offered =
        (stored == bus::kUsbTmc && (bits & 8)) ||
        ((stored == bus::kNiGpib || stored == bus::kSimulator || stored == bus::kUsb488) &&
         (bits & 3)) ||
        (stored == bus::kKiGpib && (bits & 2)) || stored == bus::kLanSocket;
    if (offered)
        return stored;
    return (bits & 8) ? bus::kUsbTmc : (bits & 3) ? bus::kNiGpib : bus::kLanSocket;
}

// The address limits of the interface from the model; the stored address
// stays when it lies inside them.
void CheckAddress(int model, int interfaceType, DeviceInfo& next) {
    int block = 0;
    if (interfaceType == bus::kUsbTmc)
        block = 3;
    else if (interfaceType == bus::kKiGpib)
        block = 1;
    if (SysChangeInterface(model, block, &next) == 1)
        return;
    // The socket needs no address; a model without a GPIB block has a USB one.
    if (SysChangeInterface(model, 3, &next) == 1)
        return;
    next.Address = next.AddressMin = next.AddressMax = -1;
}

int IndexWithin(int index, int count) {
    return index >= 0 && index < count ? index : 0;
}

} // namespace

std::optional<CheckedSetting> RevalidateSetting(const DeviceInfo& decoded, int interfaceType) {
    if (!IsKnownInterface(interfaceType) || !IsUnitKind(decoded.XUnit) ||
        !IsUnitKind(decoded.YUnit) || !NumbersAreFinite(decoded))
        return std::nullopt;
    const auto model = ModelOfBlock(decoded, SysGetDeviceCnt());
    if (!model)
        return std::nullopt;

    DeviceInfo next = decoded;
    next.ModelIndex = static_cast<int16_t>(*model);
    next.ChannelIndex =
        static_cast<int16_t>(IndexWithin(decoded.ChannelIndex, SysGetChannelCnt(*model)));
    const int channel = next.ChannelIndex;
    next.RangeIndex =
        static_cast<int16_t>(IndexWithin(decoded.RangeIndex, SysGetRangeCnt(*model, channel)));
    // The model's limits first, keeping what lies inside them ...
    if (SysGetDeviceInfo(*model, &next) != 1)
        return std::nullopt;
    SysChangeMemorySize(*model, IndexWithin(decoded.MemorySizeIndex, SysGetMemorySizeCnt(*model)),
                        &next);
    // ... then the stored values through the change operations, so that a
    // value the model accepts is kept exactly, with its resolution.
    SysChangeRange(*model, channel, next.RangeIndex, &next);
    SysChangeFrequency(*model, channel, decoded.Frequency, &next);
    next.Cycle = next.Frequency != 0.0 ? 1.0 / next.Frequency : 0.0;
    SysChangeAmplitude(*model, channel, next.RangeIndex, decoded.Amplitude, &next);
    SysChangeOffset(*model, channel, next.RangeIndex, decoded.Offset, &next);
    if (decoded.MemoryNumber >= next.MemoryNumberMin &&
        decoded.MemoryNumber <= next.MemoryNumberMax)
        next.MemoryNumber = decoded.MemoryNumber;

    const int checkedInterface = InterfaceFor(*model, interfaceType);
    next.Address = decoded.Address;
    CheckAddress(*model, checkedInterface, next);

    // The editor's own fields as the block has them.
    next.OutputState = decoded.OutputState;
    next.OffsetSwitchState = decoded.OffsetSwitchState != 0 && next.OffsetSwitchAvailable ? 1 : 0;
    const std::string name = ListedName(*model);
    std::memset(next.ModelName, 0, sizeof next.ModelName);
    std::memcpy(next.ModelName, name.data(),
                std::min<std::size_t>(sizeof next.ModelName, name.size()));
    return CheckedSetting{next, checkedInterface};
}

std::optional<CheckedSetting> SettingFromBlock(std::span<const uint8_t> block,
                                               const DeviceInfo& current, int interfaceType) {
    if (block.size() < DOCIO32_SETUP_BLOCK_SIZE)
        return std::nullopt;
    DeviceInfo decoded = current;
    int32_t type = interfaceType;
    if (DecodeSetupBlock(block.data(), &decoded, &type) != 0)
        return std::nullopt;
    return RevalidateSetting(decoded, type);
}

} // namespace zw
