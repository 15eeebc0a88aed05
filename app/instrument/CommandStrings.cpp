#include "CommandStrings.h"

#include "TextUtil.h"

namespace zw {

void AppendCommand(std::string& text, std::string_view command) {
    if (command.empty())
        return;
    if (!text.empty())
        text += ';';
    text += command;
}

std::string BuildSettingString(const clsGpibCommand& command, const DeviceInfo& setting) {
    std::string text;
    AppendCommand(text, command.Preset());
    AppendCommand(text, command.HeaderOff());
    if (setting.ChannelFlag)
        AppendCommand(text, command.channel(setting.ChannelIndex + 1));
    AppendCommand(text, command.frequency(setting.Frequency));
    AppendCommand(text, command.DcOffset(setting.OffsetSwitchState != 0));
    AppendCommand(text, command.AmplitudeRange(setting.RangeIndex));
    const std::string amplitude = command.AmplitudeLevel(setting.Amplitude);
    if (!amplitude.empty())
        AppendCommand(text, amplitude + " VPP");
    AppendCommand(text, command.DcOffsetLevel(setting.Offset));
    AppendCommand(text, command.Output(setting.OutputState));
    return text;
}

std::string TrimmedField(const char* field, size_t size) {
    return std::string(TrimText(FieldText(field, size)));
}

std::string BuildUploadString(const clsGpibCommand& command, const DeviceInfo& setting,
                              long points) {
    const std::string name = TrimmedField(setting.MemoryName, sizeof setting.MemoryName);
    std::string text;
    AppendCommand(text, command.Preset());
    if (setting.ChannelFlag)
        AppendCommand(text, command.channel(setting.ChannelIndex + 1));
    AppendCommand(text, command.ArbPreCommand());
    AppendCommand(text, command.ArbSize(static_cast<double>(points)));
    AppendCommand(text, command.ArbBank(setting.MemoryNumber));
    AppendCommand(text, command.ArbStartAddress(0));
    AppendCommand(text, command.ArbName(name));
    AppendCommand(text, command.ArbFormat());
    AppendCommand(text, command.ArbSend(name));
    return text;
}

BlockFraming TakeBlockPlaceholder(std::string& upload) {
    const size_t at = upload.find(kBlockPlaceholder);
    if (at == std::string::npos)
        return BlockFraming::None;
    if (at + kBlockPlaceholder.size() != upload.size())
        return BlockFraming::Invalid;
    upload.erase(at);
    return BlockFraming::Header;
}

std::string BlockHeader(size_t bytes) {
    const std::string length = std::to_string(bytes);
    return "#" + std::to_string(length.size()) + length;
}

} // namespace zw
