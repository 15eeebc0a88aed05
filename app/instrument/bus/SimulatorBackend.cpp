#include "bus/SimulatorBackend.h"

#include "TextUtil.h"
#include "bus/ProfileFile.h"

#include <filesystem>

namespace zw::bus {

std::string SimulatorBackend::ProgramFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : exe.parent_path().string();
}

int SimulatorBackend::Init(const BusConfig& config) {
    lastSent_.clear();
    const std::string ini = config.GetOr("INI_FILE", "");
    iniPath_.clear();
    if (!ini.empty())
        iniPath_ = std::filesystem::path(ini).is_absolute()
                       ? ini
                       : (std::filesystem::path(ProgramFolder()) / ini).string();
    responseDialog_ = config.GetFlag("RESPONSE_DIALOG");
    myAddress_ = static_cast<int>(config.GetInt("MYADRS").value_or(0));
    open_ = true;
    return kBusOk;
}

int SimulatorBackend::End() {
    open_ = false;
    return kBusOk;
}

int SimulatorBackend::SendStr(int address, std::string_view text) {
    if (!open_)
        return kBusError;
    lastSent_[address] = std::string(text);
    return kBusOk;
}

int SimulatorBackend::ReceiveStr(int address, std::string& reply) {
    reply.clear();
    if (!open_)
        return kBusError;
    if (responseDialog_) {
        reply = messages_
                    .InputBox("Receive Data",
                              std::to_string(address) + "の応答メッセージを入力してください")
                    .value_or("");
        return kBusOk;
    }
    if (iniPath_.empty())
        return kBusOk;
    const std::string command(TrimText(lastSent_[address]));
    const auto value = ReadProfileString(iniPath_, "ADRS" + std::to_string(address), command,
                                         kSimulatorReplyBuffer);
    if (value && value->size() >= kSimulatorReplyBuffer - 1)
        reply = kBufferOver;
    else if (value)
        reply = *value;
    return kBusOk;
}

int SimulatorBackend::ReceiveBinary(int address, std::vector<uint8_t>& bytes, size_t max) {
    std::string reply;
    const int code = ReceiveStr(address, reply);
    reply.resize(std::min(reply.size(), max));
    bytes.assign(reply.begin(), reply.end());
    return code;
}

int SimulatorBackend::BoardAddress(int& address) {
    address = myAddress_;
    return Ok();
}

} // namespace zw::bus
