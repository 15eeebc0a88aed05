// The data side of the system setup window: the 326-byte setup block of
// system setup files (also stored in wave files), the interface list of a
// model, and the checks of a typed address and serial number.
#ifndef ZW_SETUP_RECORD_H
#define ZW_SETUP_RECORD_H

#include "deviceinfo.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zw {

inline constexpr size_t kSetupBlockSize = 326;
using SetupBlock = std::array<uint8_t, kSetupBlockSize>;

// Packs the setting: little-endian numbers, texts as they stand in their
// fields, the output state as -1 on, 0 off, 2 no change.
SetupBlock PackSetupBlock(const DeviceInfo& setting, int interfaceType);

// Unpacks a block into `setting`. A first word of 256 or more carries the
// interface type (word / 256) besides the model index (low byte); a smaller
// one is the model index alone and `interfaceType` is kept. False, with
// nothing changed, for a block that is not exactly 326 bytes.
bool UnpackSetupBlock(std::span<const uint8_t> block, DeviceInfo& setting, int& interfaceType);

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
inline constexpr std::string_view kSerialNumberHint = "Please Input SN and Serial Numbers!(SNXXXXXX)";

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

#endif // ZW_SETUP_RECORD_H
