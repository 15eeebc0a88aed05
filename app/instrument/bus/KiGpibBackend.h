// Interface type 1 "KI GPIB": a GPIB library driven by IEEE-488 command
// texts ("UNL LISTEN 5 DATA 'FREQ 1' EOI"). No such library ships with Linux
// distributions, so it is named by the LIBRARY configuration item (the
// "KiGpibLibrary" setting). The functions it must export, all returning 0
// on success:
//   int _ieee_initialize(int own_address, int system_controller);
//   int _ieee_board_present(void);                 non-zero when present
//   int _ieee_settimeout(long milliseconds);
//   int _ieee_setinputEOS(int character);
//   int _ieee_transmit(const char* commands, int* status);
//   int _ieee_receive(char* buffer, unsigned long maximum,
//                     unsigned long* length, int* status);
//   int _ieee_tarray(const void* data, unsigned long count, int eoi, int* status);
// A status of 1 reports a timeout, any other non-zero status an error.
#ifndef ZW_BUS_KI_GPIB_BACKEND_H
#define ZW_BUS_KI_GPIB_BACKEND_H

#include "bus/BusBackend.h"
#include "bus/DynamicLibrary.h"

#include <memory>

namespace zw::bus {

class KiGpibBackend final : public BusBackend {
public:
    std::string_view Name() const override { return "KI GPIB"; }
    int Init(const BusConfig& config) override;
    int End() override;
    int SendStr(int address, std::string_view text) override;
    int ReceiveStr(int address, std::string& reply) override;
    int SendBinary(int address, std::span<const uint8_t> bytes) override;
    int ReceiveBinary(int address, std::vector<uint8_t>& bytes, size_t max) override;
    int LocalLockout() override { return Transmit("LLO"); }
    int RemoteEnable(bool on) override { return Transmit(on ? "REN" : "LOCAL"); }
    int InterfaceClear() override { return Transmit("IFC"); }
    int DeviceClear(int address) override;
    int GoToLocal(int address) override;
    int TimeOut(int code) override;
    int Mterm(const Terminators& terminators) override;
    int Eoi(bool on) override;
    int BoardAddress(int& address) override;
    std::string Detail() const override { return detail_; }
    std::string_view TimeoutLogName(int code) const override { return KiTimeoutName(code); }

private:
    struct Api {
        int (*initialize)(int, int) = nullptr;
        int (*boardPresent)() = nullptr;
        int (*setTimeout)(long) = nullptr;
        int (*setInputEos)(int) = nullptr;
        int (*transmit)(const char*, int*) = nullptr;
        int (*receive)(char*, unsigned long, unsigned long*, int*) = nullptr;
        int (*tarray)(const void*, unsigned long, int, int*) = nullptr;
    };
    int Transmit(const std::string& commands);
    int Outcome(int result, int status, const char* operation);
    int Read(int address, std::string& data, size_t max);

    std::unique_ptr<DynamicLibrary> library_;
    Api api_;
    int myAddress_ = 0;
    BackendSettings settings_;
    std::string detail_;
};

} // namespace zw::bus

#endif // ZW_BUS_KI_GPIB_BACKEND_H
