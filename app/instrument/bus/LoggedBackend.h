// Wraps any back-end and writes one line per operation to the file named by
// the LOG_FILE item of the configuration: " < " before data sent, " > "
// before data received, "ALL" in place of the address for operations on the
// whole bus, and the return code when it is not 0.
#ifndef ZW_BUS_LOGGED_BACKEND_H
#define ZW_BUS_LOGGED_BACKEND_H

#include "bus/BusBackend.h"

#include <fstream>
#include <memory>

namespace zw::bus {

class LoggedBackend final : public BusBackend {
public:
    explicit LoggedBackend(std::unique_ptr<BusBackend> inner) : inner_(std::move(inner)) {}

    std::string_view Name() const override { return inner_->Name(); }
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
    std::string_view TimeoutLogName(int code) const override {
        return inner_->TimeoutLogName(code);
    }
    std::string Detail() const override { return inner_->Detail(); }

private:
    int Log(std::string_view who, std::string_view marker, std::string_view operation,
            std::string_view data, int code);
    static std::string Address(int address);

    std::unique_ptr<BusBackend> inner_;
    std::ofstream log_;
};

} // namespace zw::bus

#endif // ZW_BUS_LOGGED_BACKEND_H
