// Forwards each bus operation to the back-end of the selected interface type.
// Back-ends are made on first use by the factory and kept until the
// dispatcher goes; an interface type the factory does not know makes every
// operation return kBusError without calling anything.
#ifndef ZW_BUS_DISPATCHER_H
#define ZW_BUS_DISPATCHER_H

#include "bus/BusBackend.h"

#include <functional>
#include <map>
#include <memory>

namespace zw::bus {

using BackendFactory = std::function<std::unique_ptr<BusBackend>(int interfaceType)>;

class BusDispatcher {
public:
    explicit BusDispatcher(BackendFactory factory) : factory_(std::move(factory)) {}

    void SelectInterface(int interfaceType) { type_ = interfaceType; }
    int SelectedInterface() const { return type_; }

    int Init(const BusConfig& config);
    int End();
    int SendStr(int address, std::string_view text);
    int ReceiveStr(int address, std::string& reply);
    int SendBinary(int address, std::span<const uint8_t> bytes);
    int ReceiveBinary(int address, std::vector<uint8_t>& bytes, size_t max);
    int LocalLockout();
    int RemoteEnable(bool on);
    int InterfaceClear();
    int DeviceClear(int address);
    int GoToLocal(int address);
    int TimeOut(int code);
    int Mterm(const Terminators& terminators);
    int Eoi(bool on);
    int BoardAddress(int& address);
    std::string Detail();

private:
    BusBackend* Current();
    template <typename Call> int Forward(Call call) {
        BusBackend* backend = Current();
        return backend ? call(*backend) : kBusError;
    }

    BackendFactory factory_;
    int type_ = kUsbTmc;
    std::map<int, std::unique_ptr<BusBackend>> backends_;
};

} // namespace zw::bus

#endif // ZW_BUS_DISPATCHER_H
