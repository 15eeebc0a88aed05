// Feeds arbitrary bytes to the setup file reader's checks as a setup block
// (the first two input bytes choose the interface type the setting had
// before), over the bundled models. A block that passes must describe a
// setting inside its model's limits, and must pass again unchanged after it
// was packed and checked once more.
#include "SetupBlockCheck.h"
#include "docio32.h"
#include "modspec32.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

void Require(bool condition) {
    if (!condition)
        std::abort();
}

void RequireInsideLimits(const DeviceInfo& d) {
    const int model = d.ModelIndex;
    Require(model >= 0 && model < SysGetDeviceCnt());
    Require(d.ChannelIndex >= 0 && d.ChannelIndex < SysGetChannelCnt(model));
    Require(d.RangeIndex >= 0 && d.RangeIndex < SysGetRangeCnt(model, d.ChannelIndex));
    Require(d.MemorySizeIndex >= 0 && d.MemorySizeIndex < SysGetMemorySizeCnt(model));
    Require(d.MemoryNumber >= d.MemoryNumberMin && d.MemoryNumber <= d.MemoryNumberMax);
    Require(d.Frequency >= d.FrequencyMin && d.Frequency <= d.FrequencyMax);
    Require(d.Amplitude >= d.AmplitudeMin && d.Amplitude <= d.AmplitudeMax);
    Require(d.Offset >= d.OffsetMin && d.Offset <= d.OffsetMax);
    Require(d.Address == -1 || (d.Address >= d.AddressMin && d.Address <= d.AddressMax));
    Require(d.OutputState >= 0 && d.OutputState <= 2);
    Require(d.XUnit >= 0 && d.XUnit <= 2 && d.YUnit >= 0 && d.YUnit <= 2);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const auto here = std::filesystem::current_path();
    std::filesystem::current_path(ZW_MODELS_DIR);
    const int32_t loaded = SysInitDeviceInfo();
    std::filesystem::current_path(here);
    Require(loaded == SYS_LOAD_OK && SysGetDeviceCnt() > 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const int interfaceBefore = data[0] % 8;
    std::array<uint8_t, DOCIO32_SETUP_BLOCK_SIZE> block{};
    std::memcpy(block.data(), data + 2, std::min(size - 2, block.size()));

    DeviceInfo current{};
    SysGetDeviceInfo(0, &current);
    const auto checked = zw::SettingFromBlock(block, current, interfaceBefore);
    if (!checked)
        return 0;
    RequireInsideLimits(checked->info);

    std::array<uint8_t, DOCIO32_SETUP_BLOCK_SIZE> again{};
    Require(EncodeSetupBlock(&checked->info, checked->interfaceType, again.data()) == 0);
    const auto second = zw::SettingFromBlock(again, current, interfaceBefore);
    Require(second.has_value());
    Require(second->interfaceType == checked->interfaceType);
    const DeviceInfo& a = checked->info;
    const DeviceInfo& b = second->info;
    Require(a.ModelIndex == b.ModelIndex && a.Address == b.Address &&
            a.MemorySizeIndex == b.MemorySizeIndex && a.MemoryNumber == b.MemoryNumber &&
            a.ChannelIndex == b.ChannelIndex && a.RangeIndex == b.RangeIndex &&
            a.Frequency == b.Frequency && a.Amplitude == b.Amplitude && a.Offset == b.Offset &&
            a.OutputState == b.OutputState && a.OffsetSwitchState == b.OffsetSwitchState &&
            a.XUnit == b.XUnit && a.YUnit == b.YUnit);
    return 0;
}
