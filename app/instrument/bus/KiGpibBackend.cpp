#include "bus/KiGpibBackend.h"

#include <algorithm>

namespace zw::bus {

namespace {
constexpr size_t kMaxReply = 1 << 20;
} // namespace

int KiGpibBackend::Init(const BusConfig& config) {
    End();
    detail_.clear();
    const std::string name = config.GetOr("LIBRARY", "");
    if (name.empty()) {
        detail_ = "No KI GPIB library is set (setting System/KiGpibLibrary).";
        return kBusNoBoard;
    }
    std::string error;
    library_ = DynamicLibrary::Open({name}, error);
    if (!library_) {
        detail_ = "The KI GPIB library is not installed (" + error + ").";
        return kBusNoBoard;
    }
    const DynamicLibrary& l = *library_;
    if (!l.Bind(api_.initialize, "_ieee_initialize") ||
        !l.Bind(api_.boardPresent, "_ieee_board_present") ||
        !l.Bind(api_.setTimeout, "_ieee_settimeout") ||
        !l.Bind(api_.setInputEos, "_ieee_setinputEOS") ||
        !l.Bind(api_.transmit, "_ieee_transmit") || !l.Bind(api_.receive, "_ieee_receive") ||
        !l.Bind(api_.tarray, "_ieee_tarray")) {
        detail_ = name + " lacks a KI GPIB function.";
        library_.reset();
        return kBusNoBoard;
    }
    if (!api_.boardPresent()) {
        detail_ = "No KI GPIB board.";
        library_.reset();
        return kBusNoBoard;
    }
    myAddress_ = static_cast<int>(config.GetInt("MYADRS").value_or(0));
    int code = Outcome(api_.initialize(myAddress_, 0), 0, "_ieee_initialize");
    if (code == kBusOk)
        code = TimeOut(settings_.timeoutCode);
    if (code != kBusOk)
        library_.reset();
    return code;
}

int KiGpibBackend::End() {
    library_.reset();
    return kBusOk;
}

int KiGpibBackend::Outcome(int result, int status, const char* operation) {
    if (result == 0 && status == 0)
        return kBusOk;
    detail_ = std::string(operation) + " failed, status " + std::to_string(status);
    return status == 1 ? kBusTimeout : kBusError;
}

int KiGpibBackend::Transmit(const std::string& commands) {
    if (!library_)
        return kBusError;
    int status = 0;
    const int result = api_.transmit(commands.c_str(), &status);
    return Outcome(result, status, "_ieee_transmit");
}

int KiGpibBackend::SendStr(int address, std::string_view text) {
    std::string message(text);
    if (settings_.terminators.sendMode != TerminatorMode::Off)
        message += TerminatorText(settings_.terminators.send);
    // The command language quotes data with "'", so a text holding one goes
    // as bytes instead.
    if (message.find('\'') != std::string::npos)
        return SendBinary(address,
                          {reinterpret_cast<const uint8_t*>(message.data()), message.size()});
    return Transmit("UNL LISTEN " + std::to_string(address) + " DATA '" + message + "'" +
                    (settings_.eoi ? " EOI" : ""));
}

int KiGpibBackend::SendBinary(int address, std::span<const uint8_t> bytes) {
    int code = Transmit("UNL TALK MTA LISTEN " + std::to_string(address));
    if (code != kBusOk)
        return code;
    int status = 0;
    const int result = api_.tarray(bytes.data(), bytes.size(), settings_.eoi ? 1 : 0, &status);
    code = Outcome(result, status, "_ieee_tarray");
    const int released = Transmit("UNT UNL");
    return code != kBusOk ? code : released;
}

int KiGpibBackend::Read(int address, std::string& data, size_t max) {
    int code = Transmit("UNL LISTEN MLA TALK " + std::to_string(address));
    if (code != kBusOk)
        return code;
    data.assign(max, '\0');
    unsigned long length = 0;
    int status = 0;
    const int result = api_.receive(data.data(), max, &length, &status);
    code = Outcome(result, status, "_ieee_receive");
    data.resize(std::min<size_t>(length, max));
    const int released = Transmit("UNT UNL");
    return code != kBusOk ? code : released;
}

int KiGpibBackend::ReceiveStr(int address, std::string& reply) {
    const int code = Read(address, reply, kMaxReply);
    const std::string_view end = TerminatorText(settings_.terminators.receive);
    if (code == kBusOk && !end.empty() && reply.ends_with(end))
        reply.resize(reply.size() - end.size());
    return code;
}

int KiGpibBackend::ReceiveBinary(int address, std::vector<uint8_t>& bytes, size_t max) {
    std::string data;
    const int code = Read(address, data, max);
    bytes.assign(data.begin(), data.end());
    return code;
}

int KiGpibBackend::DeviceClear(int address) {
    return Transmit("UNL LISTEN " + std::to_string(address) + " SDC");
}

int KiGpibBackend::GoToLocal(int address) {
    return Transmit("UNL LISTEN " + std::to_string(address) + " GTL");
}

int KiGpibBackend::TimeOut(int code) {
    if (!IsValidTimeoutCode(code))
        return kBusError;
    settings_.timeoutCode = code;
    if (!library_)
        return kBusOk;
    return Outcome(api_.setTimeout(KiTimeoutMilliseconds(code)), 0, "_ieee_settimeout");
}

int KiGpibBackend::Mterm(const Terminators& terminators) {
    settings_.terminators = terminators;
    if (!library_)
        return kBusOk;
    const Terminator t = terminators.receive;
    const int character = t == Terminator::Cr ? '\r' : t == Terminator::None ? 0 : '\n';
    return Outcome(api_.setInputEos(character), 0, "_ieee_setinputEOS");
}

int KiGpibBackend::Eoi(bool on) {
    settings_.eoi = on;
    return kBusOk;
}

int KiGpibBackend::BoardAddress(int& address) {
    address = myAddress_;
    return library_ ? kBusOk : kBusError;
}

} // namespace zw::bus
