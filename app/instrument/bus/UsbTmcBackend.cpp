#include "bus/UsbTmcBackend.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace zw::bus {

namespace {

// VISA's attribute and status numbers (its public C interface).
constexpr uint32_t kAttrTermchar = 0x3FFF0018u;
constexpr uint32_t kAttrTermcharEnabled = 0x3FFF0038u;
constexpr uint32_t kAttrSendEnd = 0x3FFF0016u;
constexpr uint32_t kAttrTimeout = 0x3FFF001Au;
constexpr uint64_t kTimeoutInfinite = 0xFFFFFFFFu;
constexpr int32_t kSuccessMaxCount = 0x3FFF0006;
constexpr int32_t kErrorTimeout = static_cast<int32_t>(0xBFFF0015u);
constexpr int32_t kErrorResourceNotFound = static_cast<int32_t>(0xBFFF0011u);
constexpr uint16_t kRenDeassert = 0;
constexpr uint16_t kRenAssert = 1;
constexpr uint16_t kRenAssertLlo = 4;
constexpr uint16_t kRenAddressGtl = 6;

constexpr size_t kMaxReply = 1 << 20;

int ReceiveCharacter(Terminator t) {
    return t == Terminator::Cr ? '\r' : '\n';
}

} // namespace

std::string_view UsbTmcBackend::Route() const {
    return visaOpen_ ? "VISA" : kernel_.IsOpen() ? "usbtmc" : "";
}

int UsbTmcBackend::Init(const BusConfig& config) {
    End();
    detail_.clear();
    myAddress_ = static_cast<int>(config.GetInt("MYADRS").value_or(0));
    const std::string identification = config.GetOr("USBTMC_ID", "");
    if (identification.empty()) {
        detail_ = "No USB instrument identification (model prefix and serial number).";
        return kBusNoBoard;
    }
    std::string error;
    std::vector<std::string> names = {"libvisa.so", "libvisa.so.0"};
    if (auto chosen = config.Get("VISA_LIBRARY"); chosen && !chosen->empty())
        names = {*chosen};
    library_ = DynamicLibrary::Open(names, error);
    int code = library_ ? OpenVisa(identification) : OpenKernel(identification);
    if (code == kBusOk)
        code = TimeOut(settings_.timeoutCode);
    if (code != kBusOk) {
        const std::string kept = detail_;
        End();
        detail_ = kept;
    }
    return code;
}

int UsbTmcBackend::OpenVisa(const std::string& identification) {
    const DynamicLibrary& l = *library_;
    visa_ = Visa{};
    if (!l.Bind(visa_.openDefaultRM, "viOpenDefaultRM") || !l.Bind(visa_.open, "viOpen") ||
        !l.Bind(visa_.close, "viClose") || !l.Bind(visa_.write, "viWrite") ||
        !l.Bind(visa_.read, "viRead") || !l.Bind(visa_.clear, "viClear") ||
        !l.Bind(visa_.setAttribute, "viSetAttribute")) {
        detail_ = l.Name() + " lacks a VISA function.";
        return kBusNoBoard;
    }
    l.Bind(visa_.gpibControlRen, "viGpibControlREN");
    if (visa_.openDefaultRM(&manager_) < 0) {
        detail_ = "The VISA resource manager does not open.";
        manager_ = 0;
        return kBusNoBoard;
    }
    const std::string resource = VisaResourceName(identification);
    const ViStatus status = visa_.open(manager_, resource.c_str(), 0, 0, &session_);
    if (status < 0) {
        detail_ = "VISA cannot open " + resource + ".";
        return status == kErrorResourceNotFound ? kBusNoBoard : kBusError;
    }
    visaOpen_ = true;
    return kBusOk;
}

int UsbTmcBackend::OpenKernel(const std::string& identification) {
    const auto resource = ParseUsbResource(VisaResourceName(identification));
    if (!resource) {
        detail_ = "No VISA library, and " + identification + " is no USB resource name.";
        return kBusNoBoard;
    }
    const auto path = FindUsbTmcDevice(*resource, sysfsRoot_, devRoot_);
    if (!path) {
        detail_ = "No VISA library, and no usbtmc device matches " + identification + ".";
        return kBusNoBoard;
    }
    if (const int error = kernel_.Open(*path); error != 0) {
        detail_ = "Cannot open " + *path + ": " + std::strerror(error) +
                  (error == EACCES ? " (install the udev rule for USB instruments)" : "");
        return kBusError;
    }
    return kBusOk;
}

int UsbTmcBackend::End() {
    if (library_) {
        if (visaOpen_)
            visa_.close(session_);
        if (manager_ != 0)
            visa_.close(manager_);
    }
    visaOpen_ = false;
    session_ = 0;
    manager_ = 0;
    library_.reset();
    kernel_.Close();
    return kBusOk;
}

int UsbTmcBackend::VisaOutcome(ViStatus status, const char* operation) {
    if (status >= 0)
        return kBusOk;
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(status));
    detail_ = std::string(operation) + " failed, status " + hex;
    return status == kErrorTimeout ? kBusTimeout : kBusError;
}

int UsbTmcBackend::KernelOutcome(int code, const char* operation) {
    if (code != kBusOk)
        detail_ = std::string(operation) + " failed: " + std::strerror(kernel_.LastErrno());
    return code;
}

int UsbTmcBackend::Write(std::span<const uint8_t> bytes, bool end) {
    if (visaOpen_) {
        int code =
            VisaOutcome(visa_.setAttribute(session_, kAttrSendEnd, end ? 1 : 0), "viSetAttribute");
        size_t done = 0;
        while (code == kBusOk && done < bytes.size()) {
            uint32_t written = 0;
            const auto n = static_cast<uint32_t>(std::min<size_t>(bytes.size() - done, 1u << 30));
            code = VisaOutcome(visa_.write(session_, bytes.data() + done, n, &written), "viWrite");
            if (code == kBusOk && written == 0)
                code = kBusError;
            done += written;
        }
        return code;
    }
    if (kernel_.IsOpen())
        return KernelOutcome(kernel_.Write(bytes, end), "write");
    return kBusError;
}

int UsbTmcBackend::Read(std::string& data, size_t max, bool text) {
    data.clear();
    if (visaOpen_) {
        const int character = ReceiveCharacter(settings_.terminators.receive);
        const bool useTerm = text && settings_.terminators.receive != Terminator::None;
        int code = VisaOutcome(
            visa_.setAttribute(session_, kAttrTermchar, static_cast<uint64_t>(character)),
            "viSetAttribute");
        if (code == kBusOk)
            code = VisaOutcome(visa_.setAttribute(session_, kAttrTermcharEnabled, useTerm ? 1 : 0),
                               "viSetAttribute");
        unsigned char buffer[65536];
        while (code == kBusOk && data.size() < max) {
            uint32_t count = 0;
            const auto want = static_cast<uint32_t>(std::min(sizeof buffer, max - data.size()));
            const ViStatus status = visa_.read(session_, buffer, want, &count);
            code = VisaOutcome(status, "viRead");
            data.append(reinterpret_cast<const char*>(buffer), std::min(count, want));
            if (status != kSuccessMaxCount)
                break;
        }
        return code;
    }
    if (kernel_.IsOpen())
        return KernelOutcome(kernel_.Read(data, max), "read");
    return kBusError;
}

int UsbTmcBackend::SendStr(int, std::string_view text) {
    std::string message(text);
    if (settings_.terminators.sendMode != TerminatorMode::Off)
        message += TerminatorText(settings_.terminators.send);
    return Write({reinterpret_cast<const uint8_t*>(message.data()), message.size()}, settings_.eoi);
}

int UsbTmcBackend::SendBinary(int, std::span<const uint8_t> bytes) {
    // The device's end of message marks the end; a terminator follows the
    // last byte as it does on a stream.
    const bool end = settings_.eoi;
    if (end && settings_.terminators.sendMode != TerminatorMode::Off &&
        settings_.terminators.send != Terminator::None) {
        std::vector<uint8_t> message(bytes.begin(), bytes.end());
        for (const char c : TerminatorText(settings_.terminators.send))
            message.push_back(static_cast<uint8_t>(c));
        return Write(message, true);
    }
    return Write(bytes, end);
}

int UsbTmcBackend::ReceiveStr(int, std::string& reply) {
    const int code = Read(reply, kMaxReply, true);
    const std::string_view end = TerminatorText(settings_.terminators.receive);
    if (code == kBusOk && !end.empty() && reply.ends_with(end))
        reply.resize(reply.size() - end.size());
    return code;
}

int UsbTmcBackend::ReceiveBinary(int, std::vector<uint8_t>& bytes, size_t max) {
    std::string data;
    const int code = Read(data, max, false);
    bytes.assign(data.begin(), data.end());
    return code;
}

int UsbTmcBackend::Ren(uint16_t mode) {
    if (visaOpen_)
        return visa_.gpibControlRen
                   ? VisaOutcome(visa_.gpibControlRen(session_, mode), "viGpibControlREN")
                   : kBusOk;
    if (!kernel_.IsOpen())
        return kBusError;
    switch (mode) {
    case kRenAssertLlo:
        return KernelOutcome(kernel_.LocalLockout(), "local lockout");
    case kRenAddressGtl:
        return KernelOutcome(kernel_.GoToLocal(), "go to local");
    default:
        return KernelOutcome(kernel_.RemoteEnable(mode != kRenDeassert), "remote enable");
    }
}

int UsbTmcBackend::LocalLockout() {
    return Ren(kRenAssertLlo);
}
int UsbTmcBackend::RemoteEnable(bool on) {
    return Ren(on ? kRenAssert : kRenDeassert);
}
int UsbTmcBackend::GoToLocal(int) {
    return Ren(kRenAddressGtl);
}

int UsbTmcBackend::DeviceClear(int) {
    if (visaOpen_)
        return VisaOutcome(visa_.clear(session_), "viClear");
    if (kernel_.IsOpen())
        return KernelOutcome(kernel_.Clear(), "clear");
    return kBusError;
}

int UsbTmcBackend::TimeOut(int code) {
    if (!IsValidTimeoutCode(code))
        return kBusError;
    settings_.timeoutCode = code;
    const int ms = TimeoutPollMilliseconds(code);
    if (visaOpen_)
        return VisaOutcome(
            visa_.setAttribute(session_, kAttrTimeout,
                               ms < 0 ? kTimeoutInfinite : static_cast<uint64_t>(ms)),
            "viSetAttribute");
    if (kernel_.IsOpen())
        return KernelOutcome(kernel_.SetTimeout(ms), "timeout");
    return kBusOk;
}

int UsbTmcBackend::Mterm(const Terminators& terminators) {
    settings_.terminators = terminators;
    return kBusOk;
}

int UsbTmcBackend::Eoi(bool on) {
    settings_.eoi = on;
    return kBusOk;
}

int UsbTmcBackend::BoardAddress(int& address) {
    address = myAddress_;
    return IsOpen() ? kBusOk : kBusError;
}

} // namespace zw::bus
