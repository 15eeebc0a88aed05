#include "SetupFile.h"

#include "TextCodec.h"
#include "bus/BusTypes.h"
#include "docio32.h"
#include "modspec32.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <cmath>
#include <cstring>

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

QByteArray ListedName(int model) {
    char buffer[SYS_NAME_BUFFER + 1] = {};
    SysGetDeviceName(model, buffer);
    buffer[SYS_NAME_BUFFER] = '\0';
    return QByteArray(buffer).trimmed();
}

QByteArray StoredName(const DeviceInfo& d) {
    return QByteArray(d.ModelName, static_cast<int>(strnlen(d.ModelName, sizeof d.ModelName)))
        .trimmed();
}

// The model a block names: its index, unless the block carries a model name
// that is another loaded model's (the model files changed since it was
// saved). A name that no loaded model has refuses the block.
std::optional<int> ModelOfBlock(const DeviceInfo& decoded, int modelCount) {
    const QByteArray name = StoredName(decoded);
    const int index = decoded.ModelIndex;
    const bool indexValid = index >= 0 && index < modelCount;
    if (name.isEmpty())
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

std::optional<CheckedSetting> RevalidateSetting(const DeviceInfo& decoded, int interfaceType,
                                                const CurrentSetting& models) {
    if (!IsKnownInterface(interfaceType) || !IsUnitKind(decoded.XUnit) ||
        !IsUnitKind(decoded.YUnit) || !NumbersAreFinite(decoded))
        return std::nullopt;
    const int modelCount = static_cast<int>(models.models().size());
    const auto model = ModelOfBlock(decoded, modelCount);
    if (!model)
        return std::nullopt;
    const ModelLists& lists = models.models()[*model];

    DeviceInfo next = decoded;
    next.ModelIndex = static_cast<int16_t>(*model);
    next.ChannelIndex = static_cast<int16_t>(
        IndexWithin(decoded.ChannelIndex, static_cast<int>(lists.channels.size())));
    const int channel = next.ChannelIndex;
    const int rangeCount = channel < static_cast<int>(lists.ranges.size())
                               ? static_cast<int>(lists.ranges[channel].size())
                               : 0;
    next.RangeIndex = static_cast<int16_t>(IndexWithin(decoded.RangeIndex, rangeCount));
    // The model's limits first, keeping what lies inside them ...
    if (SysGetDeviceInfo(*model, &next) != 1)
        return std::nullopt;
    SysChangeMemorySize(
        *model, IndexWithin(decoded.MemorySizeIndex, static_cast<int>(lists.memorySizes.size())),
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
    const QByteArray name = ListedName(*model);
    std::memset(next.ModelName, 0, sizeof next.ModelName);
    std::memcpy(next.ModelName, name.constData(),
                std::min<std::size_t>(sizeof next.ModelName, name.size()));
    return CheckedSetting{next, checkedInterface};
}

std::optional<CheckedSetting> SettingFromBlock(std::span<const uint8_t> block,
                                               const DeviceInfo& current, int interfaceType,
                                               const CurrentSetting& models) {
    if (block.size() < DOCIO32_SETUP_BLOCK_SIZE)
        return std::nullopt;
    DeviceInfo decoded = current;
    int32_t type = interfaceType;
    if (DecodeSetupBlock(block.data(), &decoded, &type) != 0)
        return std::nullopt;
    return RevalidateSetting(decoded, type, models);
}

void TakeSetting(CurrentSetting& setting, const CheckedSetting& checked) {
    setting.info() = checked.info;
    setting.setInterfaceType(checked.interfaceType);
}

int SaveSetupFile(const QString& path, const CurrentSetting& setting) {
    std::array<uint8_t, DOCIO32_SETUP_BLOCK_SIZE> block{};
    if (!setting.encode(block.data()))
        return kSetupFileWriteError;
    return SaveSystemFile(QFile::encodeName(path).constData(), block.data()) == 0
               ? 0
               : kSetupFileWriteError;
}

int ReadSetupFile(const QString& path, CurrentSetting& setting) {
    // A shorter file would leave a block of old and new bytes: no setting.
    const QFileInfo file(path);
    if (!file.isFile() || file.size() < DOCIO32_SETUP_BLOCK_SIZE)
        return kSetupFileReadError;
    std::array<uint8_t, DOCIO32_SETUP_BLOCK_SIZE> block{};
    if (ReadSystemFile(QFile::encodeName(path).constData(), block.data()) != 0)
        return kSetupFileReadError;
    const auto checked = SettingFromBlock(block, setting.info(), setting.interfaceType(), setting);
    if (!checked)
        return kSetupFileReadError;
    TakeSetting(setting, *checked);
    return 0;
}

} // namespace zw
