#include "SetupSession.h"

#include "TextUtil.h"

#include <charconv>

namespace zw {

int StoredInterfaceType(const InstrumentSettings& settings) {
    const std::string text(TrimText(settings.Setting("System", "GpibBoard")));
    int type = kDefaultInterfaceType;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), type);
    if (error != std::errc{} || end != text.data() + text.size())
        return kDefaultInterfaceType;
    return type;
}

void StoreSetting(InstrumentSettings& settings, const CurrentSetting& setting) {
    const StoredSetting s = setting.stored();
    settings.SetSetting("Sysinfo", "sys_no", std::to_string(s.sysNo));
    settings.SetSetting("Sysinfo", "memory_width_no", std::to_string(s.memoryWidthNo));
    settings.SetSetting("Sysinfo", "Gpib_Address", std::to_string(s.gpibAddress));
    settings.SetSetting("System", "GpibBoard", std::to_string(s.interfaceType));
    settings.SetSetting("System", "SerialNum", s.serialNumber.toStdString());
}

void SetupSession::open() {
    copy_ = setting_.info();
    serialCopy_ = setting_.serialNumber();
    lanBefore_.clear();
}

bool SetupSession::cancel() {
    const int32_t sizeBefore = setting_.info().MemorySize;
    setting_.info() = copy_;
    setting_.setSerialNumber(serialCopy_);
    setting_.setInterfaceType(StoredInterfaceType(settings_));
    for (const auto& [model, address] : lanBefore_)
        WriteLanAddress(settings_, model, address);
    lanBefore_.clear();
    return setting_.info().MemorySize != sizeBefore;
}

void SetupSession::close() {
    StoreSetting(settings_, setting_);
}

void SetupSession::setLanAddress(const std::string& modelName, const LanAddress& address) {
    if (!lanBefore_.contains(modelName))
        lanBefore_.emplace(modelName, ReadLanAddress(settings_, modelName));
    WriteLanAddress(settings_, modelName, address);
}

} // namespace zw
