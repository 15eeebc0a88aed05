// Interface type 0 "NI GPIB": Linux GPIB's NI-488.2-compatible C library
// (libgpib.so.0, or the LIBRARY configuration item). The board is found by
// BOARD_NAME ("gpib0" to "gpib3"), takes MYADRS as its own address, clears
// the interface and asserts remote enable; each instrument address gets a
// device descriptor on first use.
#ifndef ZW_BUS_NI_GPIB_BACKEND_H
#define ZW_BUS_NI_GPIB_BACKEND_H

#include "bus/BusBackend.h"
#include "bus/DynamicLibrary.h"

#include <map>
#include <memory>

namespace zw::bus {

inline constexpr const char* kNiGpibLibrary = "libgpib.so.0";

class NiGpibBackend final : public BusBackend {
public:
    NiGpibBackend() = default;
    ~NiGpibBackend() override;

    std::string_view Name() const override { return "NI GPIB"; }
    int Init(const BusConfig& config) override;
    int End() override;
    int SendStr(int address, std::string_view text) override;
    int ReceiveStr(int address, std::string& reply) override;
    int SendBinary(int address, std::span<const uint8_t> bytes) override;
    int ReceiveBinary(int address, std::vector<uint8_t>& bytes, size_t max) override;
    int LocalLockout() override;
    int RemoteEnable(bool on) override;
    int InterfaceClear() override;
    int DeviceClear(int address) override;
    int GoToLocal(int address) override;
    int TimeOut(int code) override;
    int Mterm(const Terminators& terminators) override;
    int Eoi(bool on) override;
    int BoardAddress(int& address) override;
    std::string Detail() const override { return detail_; }

private:
    struct Api {
        int (*ibfind)(const char*) = nullptr;
        int (*ibdev)(int, int, int, int, int, int) = nullptr;
        int (*ibpad)(int, int) = nullptr;
        int (*ibask)(int, int, int*) = nullptr;
        int (*ibsic)(int) = nullptr;
        int (*ibsre)(int, int) = nullptr;
        int (*ibtmo)(int, int) = nullptr;
        int (*ibeos)(int, int) = nullptr;
        int (*ibeot)(int, int) = nullptr;
        int (*ibcmd)(int, const void*, long) = nullptr;
        int (*ibwrt)(int, const void*, long) = nullptr;
        int (*ibrd)(int, void*, long) = nullptr;
        int (*ibclr)(int) = nullptr;
        int (*ibloc)(int) = nullptr;
        int (*ibonl)(int, int) = nullptr;
        int (*ThreadIberr)() = nullptr;
        long (*ThreadIbcntl)() = nullptr;
        // Present in some implementations only.
        int (*RegisterGpibGlobalsForThread)() = nullptr;
        int (*UnregisterGpibGlobalsForThread)() = nullptr;
    };

    bool Bind();
    // The status word's outcome as a bus code.
    int Outcome(int status, const char* operation);
    // The descriptor of an instrument address, made on first use.
    int Device(int address, int& descriptor);
    int Write(int address, const void* data, size_t size, bool endWithEoi);
    int Read(int address, std::string& data, size_t max);

    std::unique_ptr<DynamicLibrary> library_;
    Api api_;
    int board_ = -1;
    int boardIndex_ = 0;
    std::map<int, int> devices_;
    BackendSettings settings_;
    std::string detail_;
};

} // namespace zw::bus

#endif // ZW_BUS_NI_GPIB_BACKEND_H
