#include "bus/LoggedBackend.h"

namespace zw::bus {

namespace {

// Control characters are written as <xx> so that one operation stays on one
// line of the log.
std::string Printable(std::string_view data) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    out.reserve(data.size());
    for (const char c : data) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f) {
            out += '<';
            out += digits[u >> 4];
            out += digits[u & 15];
            out += '>';
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

std::string LoggedBackend::Address(int address) {
    return std::to_string(address);
}

int LoggedBackend::Log(std::string_view who, std::string_view marker, std::string_view operation,
                       std::string_view data, int code) {
    if (log_.is_open()) {
        log_ << who << marker << operation;
        if (!data.empty())
            log_ << ' ' << Printable(data);
        if (code != kBusOk)
            log_ << " (error " << code << ')';
        log_ << '\n';
        log_.flush();
    }
    return code;
}

int LoggedBackend::Init(const BusConfig& config) {
    log_.close();
    if (auto file = config.Get("LOG_FILE"); file && !file->empty())
        log_.open(*file, std::ios::app);
    return Log("ALL", " < ", "GP_Init", config.Text(), inner_->Init(config));
}

int LoggedBackend::End() {
    const int code = Log("ALL", " < ", "GP_END", "", inner_->End());
    log_.close();
    return code;
}

int LoggedBackend::SendStr(int address, std::string_view text) {
    return Log(Address(address), " < ", "GP_Send_Str", text, inner_->SendStr(address, text));
}

int LoggedBackend::ReceiveStr(int address, std::string& reply) {
    const int code = inner_->ReceiveStr(address, reply);
    return Log(Address(address), " > ", "GP_Receive_Str", reply, code);
}

int LoggedBackend::SendBinary(int address, std::span<const uint8_t> bytes) {
    return Log(Address(address), " < ", "GP_Send_Binary_Data",
               std::to_string(bytes.size()) + " bytes", inner_->SendBinary(address, bytes));
}

int LoggedBackend::ReceiveBinary(int address, std::vector<uint8_t>& bytes, size_t max) {
    const int code = inner_->ReceiveBinary(address, bytes, max);
    return Log(Address(address), " > ", "GP_Receive_Binary_Data",
               std::to_string(bytes.size()) + " bytes", code);
}

int LoggedBackend::LocalLockout() {
    return Log("ALL", " < ", "GP_LLO", "", inner_->LocalLockout());
}

int LoggedBackend::RemoteEnable(bool on) {
    return Log("ALL", " < ", "GP_REN", on ? "ON" : "OFF", inner_->RemoteEnable(on));
}

int LoggedBackend::InterfaceClear() {
    return Log("ALL", " < ", "GP_IFC", "", inner_->InterfaceClear());
}

int LoggedBackend::DeviceClear(int address) {
    return Log(Address(address), " < ", "GP_SDC", "", inner_->DeviceClear(address));
}

int LoggedBackend::GoToLocal(int address) {
    return Log(Address(address), " < ", "GP_GTL", "", inner_->GoToLocal(address));
}

int LoggedBackend::TimeOut(int code) {
    return Log("ALL", " < ", "GP_Time_Out", inner_->TimeoutLogName(code), inner_->TimeOut(code));
}

int LoggedBackend::Mterm(const Terminators& t) {
    std::string text = "SEND ";
    text += TerminatorName(t.send);
    text += " MODE " + std::to_string(static_cast<int>(t.sendMode));
    text += " RECEIVE ";
    text += TerminatorName(t.receive);
    return Log("ALL", " < ", "GP_Mterm", text, inner_->Mterm(t));
}

int LoggedBackend::Eoi(bool on) {
    return Log("ALL", " < ", "GP_EOI", on ? "ON" : "OFF", inner_->Eoi(on));
}

int LoggedBackend::BoardAddress(int& address) {
    const int code = inner_->BoardAddress(address);
    return Log("ALL", " > ", "GP_BoardAdr", std::to_string(address), code);
}

} // namespace zw::bus
