// Rules of the system setup window that need no window: the interface list
// of a model and the checks of a typed address and serial number. (The USB
// identification table is the shell's UsbTmcTable; the setup block is packed
// by docio32.)
#ifndef ZW_SETUP_RULES_H
#define ZW_SETUP_RULES_H

#include <string>
#include <string_view>
#include <vector>

namespace zw {

struct InterfaceChoice {
    std::string text;
    int interfaceType;
};

// The interface list for a model's interface bits (the model database's
// interface information): "USB(TMC)" with bit 3, "NI GPIB" with bit 0 or 1,
// "KI GPIB" with bit 1, and "LAN(Socket)" for every model.
std::vector<InterfaceChoice> InterfaceChoices(int interfaceBits);

enum class AddressCheck { Accepted, OutOfRange, ControllerAddress };

// A typed address: outside the limits brings the previous one back; the
// board's own address is refused with message 228.
AddressCheck CheckTypedAddress(int typed, int minimum, int maximum, int controllerAddress);

// Empty, or starting with "SN" (case-sensitive).
bool IsAcceptableSerialNumber(std::string_view text);
inline constexpr std::string_view kSerialNumberHint =
    "Please Input SN and Serial Numbers!(SNXXXXXX)";

} // namespace zw

#endif // ZW_SETUP_RULES_H
