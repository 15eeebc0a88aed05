// One back-end of the bus layer: the operation set every outside bus library
// is driven through. Each operation returns a BusCode; a back-end never
// throws and never shows anything, except the simulator's reply box.
#ifndef ZW_BUS_BACKEND_H
#define ZW_BUS_BACKEND_H

#include "bus/BusConfig.h"
#include "bus/BusTypes.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zw::bus {

class BusBackend {
public:
    virtual ~BusBackend() = default;

    virtual std::string_view Name() const = 0;

    // Opens the outside library and the board or device.
    virtual int Init(const BusConfig& config) = 0;
    // Releases everything Init opened; safe to call when not open.
    virtual int End() = 0;
    // Sends a text; the send terminator is appended as the terminator mode
    // says, and the message ends with it.
    virtual int SendStr(int address, std::string_view text) = 0;
    // Reads one reply up to the receive terminator (left out of `reply`).
    virtual int ReceiveStr(int address, std::string& reply) = 0;
    // Sends bytes as they are. The message ends with the last byte only when
    // the end-of-transmission switch is on; then GPIB back-ends assert EOI on
    // it and stream back-ends append the send terminator.
    virtual int SendBinary(int address, std::span<const uint8_t> bytes) = 0;
    // Reads at most `max` bytes of one message.
    virtual int ReceiveBinary(int address, std::vector<uint8_t>& bytes, size_t max) = 0;
    virtual int LocalLockout() = 0;
    virtual int RemoteEnable(bool on) = 0;
    virtual int InterfaceClear() = 0;
    virtual int DeviceClear(int address) = 0;
    virtual int GoToLocal(int address) = 0;
    virtual int TimeOut(int code) = 0;
    virtual int Mterm(const Terminators& terminators) = 0;
    virtual int Eoi(bool on) = 0;
    // The board's own bus address.
    virtual int BoardAddress(int& address) = 0;

    // Why the last failing operation failed, in words (for example which
    // library could not be loaded); empty when there is nothing to add.
    virtual std::string Detail() const { return {}; }

    // How this back-end names a timeout code in the log.
    virtual std::string_view TimeoutLogName(int code) const { return TimeoutName(code); }
};

// The switches every back-end keeps between operations.
struct BackendSettings {
    Terminators terminators;
    bool eoi = true;
    int timeoutCode = kDefaultTimeoutCode;
};

} // namespace zw::bus

#endif // ZW_BUS_BACKEND_H
