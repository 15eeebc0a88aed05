// Rules of the system setup window that need no window: the interface list
// of a model, the checks of a typed address and serial number, and the USB
// identification table. (The setup block itself is packed by docio32.)
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

// The pairs of "USBTMC.ID": one "model name,identification prefix" a line.
class UsbIdTable {
public:
    static UsbIdTable Parse(std::string_view text);
    bool Empty() const { return pairs_.empty(); }
    // The prefix of the first line naming the model exactly; "" when none.
    std::string Prefix(std::string_view modelName) const;

private:
    std::vector<std::pair<std::string, std::string>> pairs_;
};

} // namespace zw

#endif // ZW_SETUP_RULES_H
