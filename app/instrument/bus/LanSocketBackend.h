// Interface type 7: raw SCPI over a TCP connection, the way current
// generators are reached on a network. The configuration items LAN_HOST and
// LAN_PORT (default 5025) name the instrument. Every wait (connect, send,
// receive) is bounded by the timeout code, so an instrument that stops
// answering gives the timeout code instead of a frozen program.
#ifndef ZW_BUS_LAN_SOCKET_BACKEND_H
#define ZW_BUS_LAN_SOCKET_BACKEND_H

#include "bus/BusBackend.h"

namespace zw::bus {

inline constexpr int kDefaultLanPort = 5025;

class LanSocketBackend final : public BusBackend {
public:
    LanSocketBackend() = default;
    ~LanSocketBackend() override;
    LanSocketBackend(const LanSocketBackend&) = delete;
    LanSocketBackend& operator=(const LanSocketBackend&) = delete;

    std::string_view Name() const override { return "LAN(Socket)"; }
    int Init(const BusConfig& config) override;
    int End() override;
    int SendStr(int address, std::string_view text) override;
    int ReceiveStr(int address, std::string& reply) override;
    int SendBinary(int address, std::span<const uint8_t> bytes) override;
    int ReceiveBinary(int address, std::vector<uint8_t>& bytes, size_t max) override;
    int LocalLockout() override { return Open() ? kBusOk : kBusError; }
    int RemoteEnable(bool) override { return Open() ? kBusOk : kBusError; }
    int InterfaceClear() override { return Open() ? kBusOk : kBusError; }
    int DeviceClear(int address) override;
    int GoToLocal(int) override { return Open() ? kBusOk : kBusError; }
    int TimeOut(int code) override;
    int Mterm(const Terminators& terminators) override;
    int Eoi(bool on) override;
    int BoardAddress(int& address) override;
    std::string Detail() const override { return detail_; }

private:
    bool Open() const { return fd_ >= 0; }
    int Connect(const std::string& host, int port);
    // Sends every byte of the pieces, waiting at most the timeout for each
    // stretch of progress; `more` tells the kernel that the message goes on.
    int SendAll(std::span<const uint8_t> first, std::string_view second, bool more);
    // Waits until data can be read and reads what is there into pending_.
    int ReadMore();
    void Close();

    int fd_ = -1;
    int myAddress_ = 0;
    BackendSettings settings_;
    std::string pending_;
    std::string detail_;
};

} // namespace zw::bus

#endif // ZW_BUS_LAN_SOCKET_BACKEND_H
