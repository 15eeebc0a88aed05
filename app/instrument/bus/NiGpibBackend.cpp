#include "bus/NiGpibBackend.h"

#include "TextUtil.h"

#include <algorithm>

namespace zw::bus {

namespace {

constexpr int kErr = 0x8000;
constexpr int kTimo = 0x4000;
constexpr int kEabo = 6; // I/O aborted: the timeout ran out
constexpr int kEneb = 7; // no such board
constexpr int kIbaPad = 0x1;
constexpr int kReos = 0x400; // end a read at the EOS character
constexpr int kLlo = 0x11;   // local lockout, a universal bus command
constexpr size_t kReadChunk = 65536;
constexpr size_t kMaxReply = 1 << 20;

int EosCharacter(Terminator t) {
    switch (t) {
    case Terminator::Cr:
        return '\r';
    case Terminator::None:
        return -1;
    default:
        return '\n';
    }
}

} // namespace

NiGpibBackend::~NiGpibBackend() {
    End();
}

bool NiGpibBackend::Bind() {
    const DynamicLibrary& l = *library_;
    const bool ok =
        l.Bind(api_.ibfind, "ibfind") && l.Bind(api_.ibdev, "ibdev") &&
        l.Bind(api_.ibpad, "ibpad") && l.Bind(api_.ibask, "ibask") && l.Bind(api_.ibsic, "ibsic") &&
        l.Bind(api_.ibsre, "ibsre") && l.Bind(api_.ibtmo, "ibtmo") && l.Bind(api_.ibeos, "ibeos") &&
        l.Bind(api_.ibeot, "ibeot") && l.Bind(api_.ibcmd, "ibcmd") && l.Bind(api_.ibwrt, "ibwrt") &&
        l.Bind(api_.ibrd, "ibrd") && l.Bind(api_.ibclr, "ibclr") && l.Bind(api_.ibloc, "ibloc") &&
        l.Bind(api_.ThreadIberr, "ThreadIberr") && l.Bind(api_.ThreadIbcntl, "ThreadIbcntl");
    l.Bind(api_.ibonl, "ibonl");
    l.Bind(api_.RegisterGpibGlobalsForThread, "RegisterGpibGlobalsForThread");
    l.Bind(api_.UnregisterGpibGlobalsForThread, "UnregisterGpibGlobalsForThread");
    return ok;
}

int NiGpibBackend::Init(const BusConfig& config) {
    End();
    detail_.clear();
    const std::string name = ToLowerAscii(config.GetOr("BOARD_NAME", "gpib0"));
    if (name.size() != 5 || name.rfind("gpib", 0) != 0 || name[4] < '0' || name[4] > '3') {
        detail_ = "BOARD_NAME must be gpib0 to gpib3, not " + name;
        return kBusError;
    }
    boardIndex_ = name[4] - '0';
    std::string error;
    library_ = DynamicLibrary::Open({config.GetOr("LIBRARY", kNiGpibLibrary)}, error);
    if (!library_) {
        detail_ = "The GPIB library is not installed (" + error + ").";
        return kBusNoBoard;
    }
    api_ = Api{};
    if (!Bind()) {
        detail_ = library_->Name() + " lacks a GPIB function.";
        library_.reset();
        return kBusNoBoard;
    }
    if (api_.RegisterGpibGlobalsForThread)
        api_.RegisterGpibGlobalsForThread();
    board_ = api_.ibfind(name.c_str());
    if (board_ < 0) {
        detail_ = "No GPIB board " + name + ".";
        End();
        return kBusNoBoard;
    }
    int code =
        Outcome(api_.ibpad(board_, static_cast<int>(config.GetInt("MYADRS").value_or(0))), "ibpad");
    if (code == kBusOk)
        code = Outcome(api_.ibsic(board_), "ibsic");
    if (code == kBusOk)
        code = Outcome(api_.ibsre(board_, 1), "ibsre");
    if (code == kBusOk)
        code = Outcome(api_.ibtmo(board_, settings_.timeoutCode), "ibtmo");
    if (code != kBusOk)
        End();
    return code;
}

int NiGpibBackend::End() {
    if (library_) {
        if (api_.ibonl) {
            for (const auto& [address, descriptor] : devices_)
                api_.ibonl(descriptor, 0);
        }
        if (api_.UnregisterGpibGlobalsForThread)
            api_.UnregisterGpibGlobalsForThread();
    }
    devices_.clear();
    board_ = -1;
    library_.reset();
    return kBusOk;
}

int NiGpibBackend::Outcome(int status, const char* operation) {
    if (!(status & kErr) && !(status & kTimo))
        return kBusOk;
    const int error = api_.ThreadIberr();
    detail_ = std::string(operation) + " failed, iberr " + std::to_string(error);
    if (status & kTimo || error == kEabo)
        return kBusTimeout;
    if (error == kEneb)
        return kBusNoBoard;
    return kBusError;
}

int NiGpibBackend::Device(int address, int& descriptor) {
    if (!library_ || board_ < 0)
        return kBusError;
    if (auto it = devices_.find(address); it != devices_.end()) {
        descriptor = it->second;
        return kBusOk;
    }
    descriptor =
        api_.ibdev(boardIndex_, address, 0, settings_.timeoutCode, settings_.eoi ? 1 : 0, 0);
    if (descriptor < 0)
        return Outcome(kErr, "ibdev");
    devices_[address] = descriptor;
    return kBusOk;
}

int NiGpibBackend::Write(int address, const void* data, size_t size, bool endWithEoi) {
    int device = -1;
    int code = Device(address, device);
    if (code != kBusOk)
        return code;
    code = Outcome(api_.ibeot(device, endWithEoi ? 1 : 0), "ibeot");
    if (code != kBusOk)
        return code;
    return Outcome(api_.ibwrt(device, data, static_cast<long>(size)), "ibwrt");
}

int NiGpibBackend::SendStr(int address, std::string_view text) {
    std::string message(text);
    if (settings_.terminators.sendMode != TerminatorMode::Off)
        message += TerminatorText(settings_.terminators.send);
    return Write(address, message.data(), message.size(), settings_.eoi);
}

int NiGpibBackend::SendBinary(int address, std::span<const uint8_t> bytes) {
    return Write(address, bytes.data(), bytes.size(), settings_.eoi);
}

int NiGpibBackend::Read(int address, std::string& data, size_t max) {
    int device = -1;
    int code = Device(address, device);
    if (code != kBusOk)
        return code;
    const int eos = EosCharacter(settings_.terminators.receive);
    code = Outcome(api_.ibeos(device, eos < 0 ? 0 : (eos | kReos)), "ibeos");
    if (code != kBusOk)
        return code;
    data.clear();
    char buffer[kReadChunk];
    while (data.size() < max) {
        const size_t want = std::min(sizeof buffer, max - data.size());
        const int status = api_.ibrd(device, buffer, static_cast<long>(want));
        code = Outcome(status, "ibrd");
        if (code != kBusOk)
            return code;
        const long count = std::clamp<long>(api_.ThreadIbcntl(), 0, static_cast<long>(want));
        data.append(buffer, static_cast<size_t>(count));
        // END: the talker asserted EOI or sent the EOS character.
        if (status & 0x2000 || count < static_cast<long>(want))
            break;
    }
    return kBusOk;
}

int NiGpibBackend::ReceiveStr(int address, std::string& reply) {
    const int code = Read(address, reply, kMaxReply);
    const std::string_view end = TerminatorText(settings_.terminators.receive);
    if (code == kBusOk && !end.empty() && reply.ends_with(end))
        reply.resize(reply.size() - end.size());
    return code;
}

int NiGpibBackend::ReceiveBinary(int address, std::vector<uint8_t>& bytes, size_t max) {
    std::string data;
    const Terminators kept = settings_.terminators;
    settings_.terminators.receive = Terminator::None;
    const int code = Read(address, data, max);
    settings_.terminators = kept;
    bytes.assign(data.begin(), data.end());
    return code;
}

int NiGpibBackend::LocalLockout() {
    if (board_ < 0)
        return kBusError;
    const char command = kLlo;
    return Outcome(api_.ibcmd(board_, &command, 1), "ibcmd");
}

int NiGpibBackend::RemoteEnable(bool on) {
    return board_ < 0 ? kBusError : Outcome(api_.ibsre(board_, on ? 1 : 0), "ibsre");
}

int NiGpibBackend::InterfaceClear() {
    return board_ < 0 ? kBusError : Outcome(api_.ibsic(board_), "ibsic");
}

int NiGpibBackend::DeviceClear(int address) {
    int device = -1;
    const int code = Device(address, device);
    return code != kBusOk ? code : Outcome(api_.ibclr(device), "ibclr");
}

int NiGpibBackend::GoToLocal(int address) {
    int device = -1;
    const int code = Device(address, device);
    return code != kBusOk ? code : Outcome(api_.ibloc(device), "ibloc");
}

int NiGpibBackend::TimeOut(int code) {
    if (!IsValidTimeoutCode(code))
        return kBusError;
    settings_.timeoutCode = code;
    if (board_ < 0)
        return kBusOk;
    int result = Outcome(api_.ibtmo(board_, code), "ibtmo");
    for (const auto& [address, device] : devices_)
        if (result == kBusOk)
            result = Outcome(api_.ibtmo(device, code), "ibtmo");
    return result;
}

int NiGpibBackend::Mterm(const Terminators& terminators) {
    settings_.terminators = terminators;
    return kBusOk;
}

int NiGpibBackend::Eoi(bool on) {
    settings_.eoi = on;
    return kBusOk;
}

int NiGpibBackend::BoardAddress(int& address) {
    if (board_ < 0)
        return kBusError;
    int value = -1;
    const int code = Outcome(api_.ibask(board_, kIbaPad, &value), "ibask");
    if (code == kBusOk)
        address = value;
    return code;
}

} // namespace zw::bus
