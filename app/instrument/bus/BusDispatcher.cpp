#include "bus/BusDispatcher.h"

#include "bus/LoggedBackend.h"

namespace zw::bus {

BusBackend* BusDispatcher::Current() {
    auto it = backends_.find(type_);
    if (it != backends_.end())
        return it->second.get();
    std::unique_ptr<BusBackend> made = factory_ ? factory_(type_) : nullptr;
    if (!made)
        return nullptr;
    auto logged = std::make_unique<LoggedBackend>(std::move(made));
    BusBackend* raw = logged.get();
    backends_.emplace(type_, std::move(logged));
    return raw;
}

int BusDispatcher::Init(const BusConfig& config) {
    return Forward([&](BusBackend& b) { return b.Init(config); });
}
int BusDispatcher::End() {
    return Forward([&](BusBackend& b) { return b.End(); });
}
int BusDispatcher::SendStr(int address, std::string_view text) {
    return Forward([&](BusBackend& b) { return b.SendStr(address, text); });
}
int BusDispatcher::ReceiveStr(int address, std::string& reply) {
    reply.clear();
    return Forward([&](BusBackend& b) { return b.ReceiveStr(address, reply); });
}
int BusDispatcher::SendBinary(int address, std::span<const uint8_t> bytes) {
    return Forward([&](BusBackend& b) { return b.SendBinary(address, bytes); });
}
int BusDispatcher::ReceiveBinary(int address, std::vector<uint8_t>& bytes, size_t max) {
    bytes.clear();
    return Forward([&](BusBackend& b) { return b.ReceiveBinary(address, bytes, max); });
}
int BusDispatcher::LocalLockout() {
    return Forward([&](BusBackend& b) { return b.LocalLockout(); });
}
int BusDispatcher::RemoteEnable(bool on) {
    return Forward([&](BusBackend& b) { return b.RemoteEnable(on); });
}
int BusDispatcher::InterfaceClear() {
    return Forward([&](BusBackend& b) { return b.InterfaceClear(); });
}
int BusDispatcher::DeviceClear(int address) {
    return Forward([&](BusBackend& b) { return b.DeviceClear(address); });
}
int BusDispatcher::GoToLocal(int address) {
    return Forward([&](BusBackend& b) { return b.GoToLocal(address); });
}
int BusDispatcher::TimeOut(int code) {
    return Forward([&](BusBackend& b) { return b.TimeOut(code); });
}
int BusDispatcher::Mterm(const Terminators& terminators) {
    return Forward([&](BusBackend& b) { return b.Mterm(terminators); });
}
int BusDispatcher::Eoi(bool on) {
    return Forward([&](BusBackend& b) { return b.Eoi(on); });
}
int BusDispatcher::BoardAddress(int& address) {
    return Forward([&](BusBackend& b) { return b.BoardAddress(address); });
}

std::string BusDispatcher::Detail() {
    BusBackend* backend = Current();
    return backend ? backend->Detail() : std::string();
}

} // namespace zw::bus
