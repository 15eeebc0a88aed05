// Interface type 4: a bus without hardware. Sends are only logged; a receive
// from address A answers the last command sent to A with the value of that
// command in section "ADRS" + A of the INI_FILE (relative to the program's
// folder), or, with RESPONSE_DIALOG on, with what the user types.
#ifndef ZW_BUS_SIMULATOR_BACKEND_H
#define ZW_BUS_SIMULATOR_BACKEND_H

#include "InstrumentServices.h"
#include "bus/BusBackend.h"

#include <map>

namespace zw::bus {

// Replies of 99 characters or more do not fit the reply buffer of 100.
inline constexpr size_t kSimulatorReplyBuffer = 100;
inline constexpr std::string_view kBufferOver = "Buffer Over";

class SimulatorBackend final : public BusBackend {
public:
    explicit SimulatorBackend(InstrumentMessages& messages) : messages_(messages) {}

    std::string_view Name() const override { return "Simulator"; }
    int Init(const BusConfig& config) override;
    int End() override;
    int SendStr(int address, std::string_view text) override;
    int ReceiveStr(int address, std::string& reply) override;
    int SendBinary(int, std::span<const uint8_t>) override { return Ok(); }
    int ReceiveBinary(int address, std::vector<uint8_t>& bytes, size_t max) override;
    int LocalLockout() override { return Ok(); }
    int RemoteEnable(bool) override { return Ok(); }
    int InterfaceClear() override { return Ok(); }
    int DeviceClear(int) override { return Ok(); }
    int GoToLocal(int) override { return Ok(); }
    int TimeOut(int code) override { return IsValidTimeoutCode(code) ? Ok() : kBusError; }
    int Mterm(const Terminators&) override { return Ok(); }
    int Eoi(bool) override { return Ok(); }
    int BoardAddress(int& address) override;

    // The program's folder, where a relative INI_FILE is looked for.
    static std::string ProgramFolder();

private:
    int Ok() const { return open_ ? kBusOk : kBusError; }

    InstrumentMessages& messages_;
    bool open_ = false;
    std::string iniPath_;
    bool responseDialog_ = false;
    int myAddress_ = 0;
    std::map<int, std::string> lastSent_;
};

} // namespace zw::bus

#endif // ZW_BUS_SIMULATOR_BACKEND_H
