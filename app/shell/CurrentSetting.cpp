#include "CurrentSetting.h"

#include "TextCodec.h"
#include "Units.h"
#include "docio32.h"
#include "modspec32.h"

#include <algorithm>
#include <cstring>

namespace zw {

namespace {

// Names from model files, which may be written in either encoding.
QString fromModelText(const char* text) {
    return DecodeFileText(QByteArray(text));
}

QString nameFrom(auto&& copy) {
    char buffer[SYS_NAME_BUFFER + 1] = {};
    copy(buffer);
    buffer[SYS_NAME_BUFFER] = '\0';
    return fromModelText(buffer);
}

void copyField(char* field, std::size_t size, const QByteArray& text) {
    std::memset(field, 0, size);
    std::memcpy(field, text.constData(), std::min<std::size_t>(size, text.size()));
}

} // namespace

CurrentSetting::CurrentSetting() {
    setDefaultUnits();
}

void CurrentSetting::setDefaultUnits() {
    SetStartupUserUnits(info_);
}

void CurrentSetting::loadModelLists() {
    models_.clear();
    const int32_t count = SysGetDeviceCnt();
    for (int32_t m = 0; m < count; ++m) {
        ModelLists lists;
        lists.name = nameFrom([&](char* b) { SysGetDeviceName(m, b); });
        for (int32_t i = 0; i < SysGetMemorySizeCnt(m); ++i)
            lists.memorySizes << nameFrom([&](char* b) { SysGetMemorySizeName(m, i, b); });
        for (int32_t c = 0; c < SysGetChannelCnt(m); ++c) {
            lists.channels << nameFrom([&](char* b) { SysGetChannelName(m, c, b); });
            QStringList ranges;
            for (int32_t r = 0; r < SysGetRangeCnt(m, c); ++r)
                ranges << nameFrom([&](char* b) { SysGetRangeName(m, c, r, b); });
            lists.ranges.push_back(ranges);
        }
        models_.push_back(std::move(lists));
    }
}

void CurrentSetting::storeModelName(int model) {
    // The record keeps the name in the bytes it was listed with.
    char buffer[SYS_NAME_BUFFER + 1] = {};
    SysGetDeviceName(model, buffer);
    buffer[SYS_NAME_BUFFER] = '\0';
    copyField(info_.ModelName, sizeof info_.ModelName, QByteArray(buffer));
}

bool CurrentSetting::selectModel(int model) {
    if (model < 0 || model >= static_cast<int>(models_.size()))
        return false;
    DeviceInfo next = info_;
    if (SysGetDeviceInfo(model, &next) != 1)
        return false;
    info_ = next;
    storeModelName(model);
    return true;
}

bool CurrentSetting::selectMemorySize(int index) {
    const int model = info_.ModelIndex;
    if (model < 0 || model >= static_cast<int>(models_.size()))
        return false;
    if (index < 0 || index >= models_[model].memorySizes.size())
        index = 0;
    return SysChangeMemorySize(model, index, &info_) == 1;
}

bool CurrentSetting::restore(const StoredSetting& stored) {
    if (models_.empty())
        return false;
    interfaceType_ = stored.interfaceType;
    serialNumber_ = stored.serialNumber;
    const int model =
        stored.sysNo >= 0 && stored.sysNo < static_cast<int>(models_.size()) ? stored.sysNo : 0;
    if (!selectModel(model))
        return false;
    selectMemorySize(stored.memoryWidthNo);
    // The address counts only where the interface's limits admit it.
    const int gpibInterface = interfaceType_ == 3 ? 3 : 0;
    SysChangeInterface(model, gpibInterface, &info_);
    if (stored.gpibAddress >= info_.AddressMin && stored.gpibAddress <= info_.AddressMax)
        info_.Address = static_cast<int16_t>(stored.gpibAddress);
    return true;
}

StoredSetting CurrentSetting::stored() const {
    StoredSetting s;
    s.sysNo = info_.ModelIndex;
    s.gpibAddress = info_.Address;
    s.memoryWidthNo = info_.MemorySizeIndex;
    s.interfaceType = interfaceType_;
    s.serialNumber = serialNumber_;
    return s;
}

bool CurrentSetting::takeFromBlock(const DeviceInfo& decoded, int interfaceType) {
    const int model = decoded.ModelIndex;
    if (model < 0 || model >= static_cast<int>(models_.size()))
        return false;
    // Start from the block's values and let the model database bring back
    // whatever lies outside the model's limits.
    DeviceInfo next = decoded;
    if (SysGetDeviceInfo(model, &next) != 1)
        return false;
    const int sizes = static_cast<int>(models_[model].memorySizes.size());
    const int sizeIndex = decoded.MemorySizeIndex >= 0 && decoded.MemorySizeIndex < sizes
                              ? decoded.MemorySizeIndex
                              : 0;
    SysChangeMemorySize(model, sizeIndex, &next);
    next.OutputState = decoded.OutputState;
    next.OffsetSwitchState = decoded.OffsetSwitchState;
    info_ = next;
    storeModelName(model);
    interfaceType_ = interfaceType;
    return true;
}

bool CurrentSetting::encode(uint8_t* block) const {
    return EncodeSetupBlock(&info_, interfaceType_, block) == 0;
}

long CurrentSetting::waveLength() const {
    return std::clamp<long>(info_.MemorySize, 1, 65536);
}

QString CurrentSetting::modelName() const {
    const int model = info_.ModelIndex;
    if (model < 0 || model >= static_cast<int>(models_.size()))
        return {};
    return models_[model].name;
}

} // namespace zw
