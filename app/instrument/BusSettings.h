// Where the bus layer's configuration items come from in the settings store.
// The store keeps them as text; a missing key reads "False" and counts as
// not set.
//
//   section "System":    BusLogFile        log of every bus operation (LOG_FILE)
//                        SimIniFile        reply file of the bus simulator (INI_FILE)
//                        SimResponseDialog "true": ask replies in a box (RESPONSE_DIALOG)
//                        NiGpibLibrary     GPIB library instead of libgpib.so.0 (LIBRARY)
//                        KiGpibLibrary     library of the "KI GPIB" boards (LIBRARY)
//                        Usb488Library     library of the USB488 devices (LIBRARY)
//                        VisaLibrary       VISA library to use instead of libvisa.so
//   section "LanSocket": <model name>.Host and <model name>.Port of each model
#ifndef ZW_BUS_SETTINGS_H
#define ZW_BUS_SETTINGS_H

#include "InstrumentServices.h"

#include <optional>
#include <string>
#include <string_view>

namespace zw {

inline constexpr std::string_view kLanSection = "LanSocket";

// A setting's text, nothing when missing or empty.
std::optional<std::string> OptionalSetting(const InstrumentSettings& settings,
                                           std::string_view section, std::string_view key);

// The items added to the bus configuration text for this interface and model.
std::string BusConfigurationItems(const InstrumentSettings& settings, int interfaceType,
                                  std::string_view modelName, std::string_view usbTmcId);

// Stores the host and port the LAN back-end uses for a model.
void SetLanAddress(InstrumentSettings& settings, std::string_view modelName, std::string_view host,
                   int port);

} // namespace zw

#endif // ZW_BUS_SETTINGS_H
