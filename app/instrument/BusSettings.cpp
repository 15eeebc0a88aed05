#include "BusSettings.h"

#include "TextUtil.h"
#include "bus/BusConfig.h"
#include "bus/BusTypes.h"

namespace zw {

std::optional<std::string> OptionalSetting(const InstrumentSettings& settings,
                                           std::string_view section, std::string_view key) {
    std::string value(TrimText(settings.Setting(section, key)));
    if (value.empty() || value == "False")
        return std::nullopt;
    return value;
}

std::string BusConfigurationItems(const InstrumentSettings& settings, int interfaceType,
                                  std::string_view modelName, std::string_view usbTmcId) {
    std::string items;
    auto add = [&](std::string_view configKey, std::string_view section, std::string_view key) {
        if (auto value = OptionalSetting(settings, section, key))
            bus::AppendConfigItem(items, configKey, *value);
    };
    add("LOG_FILE", "System", "BusLogFile");
    switch (interfaceType) {
    case bus::kSimulator:
        add("INI_FILE", "System", "SimIniFile");
        add("RESPONSE_DIALOG", "System", "SimResponseDialog");
        break;
    case bus::kNiGpib:
        add("LIBRARY", "System", "NiGpibLibrary");
        break;
    case bus::kKiGpib:
        add("LIBRARY", "System", "KiGpibLibrary");
        break;
    case bus::kUsb488:
        add("LIBRARY", "System", "Usb488Library");
        break;
    case bus::kUsbTmc:
        add("VISA_LIBRARY", "System", "VisaLibrary");
        bus::AppendConfigItem(items, "USBTMC_ID", usbTmcId);
        break;
    case bus::kLanSocket: {
        const std::string model(TrimText(modelName));
        add("LAN_HOST", kLanSection, model + ".Host");
        add("LAN_PORT", kLanSection, model + ".Port");
        break;
    }
    default:
        break;
    }
    return items;
}

void SetLanAddress(InstrumentSettings& settings, std::string_view modelName, std::string_view host,
                   int port) {
    const std::string model(TrimText(modelName));
    settings.SetSetting(kLanSection, model + ".Host", host);
    settings.SetSetting(kLanSection, model + ".Port", std::to_string(port));
}

} // namespace zw
