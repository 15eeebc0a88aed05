#include "bus/InterfaceLibrary.h"

namespace zw::bus {

InterfaceLibrary::InterfaceLibrary(InstrumentMessages& messages, BackendFactory factory)
    : messages_(messages), dispatcher_(std::move(factory)) {}

std::string InterfaceLibrary::Context(std::string_view function) {
    std::string text = "Module IntfcLib : Function ";
    text += function;
    return text;
}

std::string InterfaceLibrary::Context(std::string_view function, int address) {
    return Context(function) + "\rAddress " + std::to_string(address);
}

std::string InterfaceLibrary::ConfigurationText() const {
    std::string text =
        "MYADRS = 0, BOARD_NAME = GPIB0, USB488ID = " + std::to_string(addressField_);
    if (!extraConfig_.empty())
        text += ", " + extraConfig_;
    return text;
}

int InterfaceLibrary::Check(int code, const std::string& context) {
    lastCode_ = code;
    lastError_.clear();
    if (code != kBusOk) {
        lastError_ = BusCodeText(code);
        if (messagesOn_) {
            std::string text = lastError_ + "\r" + context;
            if (const std::string detail = dispatcher_.Detail(); !detail.empty())
                text += "\r" + detail;
            messages_.ShowBox("Interface Error", text);
        }
    }
    return code;
}

int InterfaceLibrary::GpSetup() {
    if (initialised_)
        dispatcher_.End();
    initialised_ = false;
    dispatcher_.SelectInterface(pendingType_);
    const int code = dispatcher_.Init(BusConfig::Parse(ConfigurationText()));
    terminators_.receive = Terminator::Lf;
    messagesOn_ = true;
    if (code == kBusOk) {
        initialised_ = true;
        terminators_.send = Terminator::Lf;
        terminators_.sendMode = TerminatorMode::AppendWithEnd;
        eoi_ = true;
        dispatcher_.Mterm(terminators_);
        dispatcher_.Eoi(eoi_);
        timeoutCode_ =
            IsValidTimeoutCode(setupTimeoutCode_) ? setupTimeoutCode_ : kDefaultTimeoutCode;
        dispatcher_.TimeOut(timeoutCode_);
    }
    return Check(code, Context("Setup"));
}

bool InterfaceLibrary::Ready() {
    return initialised_ || GpSetup() == kBusOk;
}

int InterfaceLibrary::GpPuts(int address, std::string_view text) {
    if (!Ready())
        return lastCode_;
    return Check(dispatcher_.SendStr(address, text), Context("Puts", address));
}

int InterfaceLibrary::GpGets(int address, std::string& reply) {
    reply.clear();
    if (!Ready())
        return lastCode_;
    return Check(dispatcher_.ReceiveStr(address, reply), Context("Gets", address));
}

int InterfaceLibrary::GpData(int address, std::span<const uint8_t> bytes) {
    if (!Ready())
        return lastCode_;
    return Check(dispatcher_.SendBinary(address, bytes), Context("Data", address));
}

int InterfaceLibrary::GpSDC(int address) {
    if (!Ready())
        return lastCode_;
    return Check(dispatcher_.DeviceClear(address), Context("SDC", address));
}

int InterfaceLibrary::GpIFC() {
    if (!Ready())
        return lastCode_;
    return Check(dispatcher_.InterfaceClear(), Context(": Function IFC"));
}

int InterfaceLibrary::GpREN(bool on) {
    if (!Ready())
        return lastCode_;
    return Check(dispatcher_.RemoteEnable(on), Context("REN"));
}

int InterfaceLibrary::GpLocal(int address) {
    if (!Ready())
        return lastCode_;
    return Check(dispatcher_.GoToLocal(address), Context("Local", address));
}

int InterfaceLibrary::GpBoardAdr(int& ownAddress) {
    ownAddress = -1;
    if (!Ready())
        return lastCode_;
    return Check(dispatcher_.BoardAddress(ownAddress), Context("BoardAdr"));
}

int InterfaceLibrary::GpTmo(int timeoutCode) {
    if (!Ready())
        return lastCode_;
    if (!IsValidTimeoutCode(timeoutCode))
        return Check(kBusError, Context("Tmo"));
    const int code = dispatcher_.TimeOut(timeoutCode);
    if (code == kBusOk)
        timeoutCode_ = timeoutCode;
    return Check(code, Context("Tmo"));
}

int InterfaceLibrary::GpEos(std::string_view terminator, int mode) {
    if (!Ready())
        return lastCode_;
    const auto send = TerminatorFromText(terminator);
    if (!send || mode < 0 || mode > 2)
        return Check(kBusError, "GpEos");
    Terminators next = terminators_;
    next.send = *send;
    next.sendMode = static_cast<TerminatorMode>(mode);
    const int code = dispatcher_.Mterm(next);
    if (code == kBusOk)
        terminators_ = next;
    return Check(code, "GpEos");
}

int InterfaceLibrary::GpEot(bool on) {
    if (!Ready())
        return lastCode_;
    const int code = dispatcher_.Eoi(on);
    if (code == kBusOk)
        eoi_ = on;
    return Check(code, "GpEot");
}

int InterfaceLibrary::GpErrMsgOn(int request) {
    switch (request) {
    case kErrMsgQuery:
        return messagesOn_ ? 1 : 0;
    case kErrMsgOn:
        messagesOn_ = true;
        return Check(kBusOk, "GpErrMsgOn");
    case kErrMsgOff:
        messagesOn_ = false;
        return Check(kBusOk, "GpErrMsgOn");
    default:
        return Check(kBusNoBoard, "GpErrMsgOn");
    }
}

int InterfaceLibrary::GpEnd() {
    if (!initialised_)
        return kBusOk;
    initialised_ = false;
    return Check(dispatcher_.End(), Context("End"));
}

} // namespace zw::bus
