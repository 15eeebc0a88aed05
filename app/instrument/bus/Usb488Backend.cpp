#include "bus/Usb488Backend.h"

#include <algorithm>

namespace zw::bus {

namespace {
constexpr int kReplyBuffer = 65536;
} // namespace

bool Usb488Backend::Bind() {
    const DynamicLibrary& l = *library_;
    return l.Bind(api_.initialize, "UsbInitialize") && l.Bind(api_.finalize, "UsbFinalize") &&
           l.Bind(api_.openDevice, "UsbOpenDevice") && l.Bind(api_.closeDevice, "UsbCloseDevice") &&
           l.Bind(api_.sendText, "UsbSendTextData") &&
           l.Bind(api_.receiveText, "UsbReceiveTextData") &&
           l.Bind(api_.sendBinary, "UsbSendBinary") && l.Bind(api_.setTimeout, "UsbSetTimeout") &&
           l.Bind(api_.setIfc, "UsbSetIFC") && l.Bind(api_.devClear, "UsbDevClear") &&
           l.Bind(api_.enableRemote, "UsbEnableRemote") &&
           l.Bind(api_.enableLocal, "UsbEnableLocal") && l.Bind(api_.sendLlo, "UsbSendLLO") &&
           l.Bind(api_.getErrorCode, "UsbGetErrorCode") &&
           l.Bind(api_.getDataCount, "UsbGetDataCount");
}

int Usb488Backend::Init(const BusConfig& config) {
    End();
    detail_.clear();
    const std::string name = config.GetOr("LIBRARY", "");
    if (name.empty()) {
        detail_ = "No USB488 library is set (setting System/Usb488Library).";
        return kBusNoBoard;
    }
    std::string error;
    library_ = DynamicLibrary::Open({name}, error);
    if (!library_) {
        detail_ = "The USB488 library is not installed (" + error + ").";
        return kBusNoBoard;
    }
    api_ = Api{};
    if (!Bind()) {
        detail_ = name + " lacks a USB488 function.";
        library_.reset();
        return kBusNoBoard;
    }
    myAddress_ = static_cast<int>(config.GetInt("MYADRS").value_or(0));
    if (api_.initialize() != 0) {
        detail_ = "UsbInitialize failed.";
        library_.reset();
        return kBusNoBoard;
    }
    initialised_ = true;
    const int id = static_cast<int>(config.GetInt("USB488ID").value_or(-1));
    if (api_.openDevice(id, &device_) != 0) {
        detail_ = "No USB488 device with the ID " + std::to_string(id) + ".";
        device_ = -1;
        End();
        return kBusNoBoard;
    }
    const int code = TimeOut(settings_.timeoutCode);
    if (code != kBusOk)
        End();
    return code;
}

int Usb488Backend::End() {
    if (library_) {
        if (device_ >= 0)
            api_.closeDevice(device_);
        if (initialised_)
            api_.finalize();
    }
    device_ = -1;
    initialised_ = false;
    library_.reset();
    return kBusOk;
}

int Usb488Backend::Outcome(int result, const char* operation) {
    if (result == 0)
        return kBusOk;
    const int error = api_.getErrorCode(device_);
    detail_ = std::string(operation) + " failed, error " + std::to_string(error);
    return error == 1 ? kBusTimeout : kBusError;
}

int Usb488Backend::Call(int (*function)(int), const char* operation) {
    if (device_ < 0)
        return kBusError;
    return Outcome(function(device_), operation);
}

int Usb488Backend::SendStr(int, std::string_view text) {
    if (device_ < 0)
        return kBusError;
    std::string message(text);
    if (settings_.terminators.sendMode != TerminatorMode::Off)
        message += TerminatorText(settings_.terminators.send);
    return Outcome(api_.sendText(device_, message.c_str(), settings_.eoi ? 1 : 0),
                   "UsbSendTextData");
}

int Usb488Backend::SendBinary(int, std::span<const uint8_t> bytes) {
    if (device_ < 0)
        return kBusError;
    return Outcome(api_.sendBinary(device_, bytes.data(), bytes.size(), settings_.eoi ? 1 : 0),
                   "UsbSendBinary");
}

int Usb488Backend::ReceiveStr(int, std::string& reply) {
    if (device_ < 0)
        return kBusError;
    std::string buffer(kReplyBuffer, '\0');
    const int code =
        Outcome(api_.receiveText(device_, buffer.data(), kReplyBuffer), "UsbReceiveTextData");
    if (code != kBusOk)
        return code;
    buffer.resize(std::min<size_t>(api_.getDataCount(device_), kReplyBuffer));
    const std::string_view end = TerminatorText(settings_.terminators.receive);
    if (!end.empty() && buffer.ends_with(end))
        buffer.resize(buffer.size() - end.size());
    reply = std::move(buffer);
    return kBusOk;
}

int Usb488Backend::ReceiveBinary(int address, std::vector<uint8_t>& bytes, size_t max) {
    std::string reply;
    const Terminators kept = settings_.terminators;
    settings_.terminators.receive = Terminator::None;
    const int code = ReceiveStr(address, reply);
    settings_.terminators = kept;
    reply.resize(std::min(reply.size(), max));
    bytes.assign(reply.begin(), reply.end());
    return code;
}

int Usb488Backend::TimeOut(int code) {
    if (!IsValidTimeoutCode(code))
        return kBusError;
    settings_.timeoutCode = code;
    if (device_ < 0)
        return kBusOk;
    const int64_t us = TimeoutMicroseconds(code);
    const unsigned long ms = us == 0 ? 0 : static_cast<unsigned long>((us + 999) / 1000);
    return Outcome(api_.setTimeout(device_, ms), "UsbSetTimeout");
}

int Usb488Backend::Mterm(const Terminators& terminators) {
    settings_.terminators = terminators;
    return kBusOk;
}

int Usb488Backend::Eoi(bool on) {
    settings_.eoi = on;
    return kBusOk;
}

int Usb488Backend::BoardAddress(int& address) {
    address = myAddress_;
    return device_ >= 0 ? kBusOk : kBusError;
}

} // namespace zw::bus
