#include "SetupRecord.h"

#include "TextUtil.h"

#include <cstring>
#include <type_traits>

namespace zw {

namespace {

class Writer {
public:
    explicit Writer(SetupBlock& block) : block_(block) {}
    template <typename T> void Put(size_t offset, T value) {
        static_assert(std::is_trivially_copyable_v<T>);
        uint8_t bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T)); // the platform is little-endian, as the file
        std::memcpy(block_.data() + offset, bytes, sizeof(T));
    }
    template <size_t N> void Text(size_t offset, const char (&field)[N]) {
        std::memcpy(block_.data() + offset, field, N);
    }

private:
    SetupBlock& block_;
};

class Reader {
public:
    explicit Reader(std::span<const uint8_t> block) : block_(block) {}
    template <typename T> T Get(size_t offset) const {
        T value;
        std::memcpy(&value, block_.data() + offset, sizeof(T));
        return value;
    }
    template <size_t N> void Text(size_t offset, char (&field)[N]) const {
        std::memcpy(field, block_.data() + offset, N);
    }

private:
    std::span<const uint8_t> block_;
};

int16_t OutputToFile(int16_t state) {
    switch (state) {
    case ZW_OUTPUT_ON:
        return -1;
    case ZW_OUTPUT_OFF:
        return 0;
    default:
        return ZW_OUTPUT_NO_CHANGE;
    }
}

int16_t OutputFromFile(int16_t stored) {
    switch (stored) {
    case -1:
        return ZW_OUTPUT_ON;
    case 0:
        return ZW_OUTPUT_OFF;
    default: // 2, and anything a damaged file holds, changes nothing
        return ZW_OUTPUT_NO_CHANGE;
    }
}

} // namespace

SetupBlock PackSetupBlock(const DeviceInfo& s, int interfaceType) {
    SetupBlock block{};
    Writer w(block);
    w.Put<int16_t>(0, static_cast<int16_t>(interfaceType * 256 + (s.ModelIndex & 0xFF)));
    w.Text(2, s.ModelName);
    w.Put(18, s.Address);
    w.Put(20, s.AddressMin);
    w.Put(22, s.AddressMax);
    w.Text(24, s.MemoryOption);
    w.Put(88, s.MemorySizeIndex);
    w.Put(90, s.MemorySize);
    w.Put(94, s.MaxCode);
    w.Put(98, s.DataCodeLow);
    w.Put(100, s.DataCodeHigh);
    w.Put(102, s.DataMask);
    w.Put(106, s.MemoryNumberSelectable);
    w.Put(108, s.MemoryNumber);
    w.Put(110, s.MemoryNumberMin);
    w.Put(112, s.MemoryNumberMax);
    w.Put(114, s.MemoryNameFlag);
    w.Text(116, s.MemoryName);
    w.Put(132, s.ChannelFlag);
    w.Put(134, s.ChannelIndex);
    w.Put<int16_t>(136, OutputToFile(s.OutputState));
    w.Put(138, s.Frequency);
    w.Put(146, s.FrequencyMin);
    w.Put(154, s.FrequencyMax);
    w.Put(162, s.FrequencyReso);
    w.Put(170, s.Cycle);
    w.Put(178, s.CycleOfFrequencyMin);
    w.Put(186, s.CycleOfFrequencyMax);
    w.Put(194, s.CycleReso);
    w.Put(202, s.RangeIndex);
    w.Put(204, s.XMode);
    w.Put(206, s.Amplitude);
    w.Put(214, s.AmplitudeMin);
    w.Put(222, s.AmplitudeMax);
    w.Put(230, s.AmplitudeReso);
    w.Put(238, s.OffsetSwitchAvailable);
    w.Put(240, s.Offset);
    w.Put(248, s.OffsetMin);
    w.Put(256, s.OffsetMax);
    w.Put(264, s.OffsetReso);
    w.Put(272, s.OffsetSwitchState);
    w.Put(274, s.XUnit);
    w.Put(276, s.XUserStart);
    w.Put(284, s.XUserEnd);
    w.Put(292, s.YUnit);
    w.Put(294, s.YUserMin);
    w.Put(302, s.YUserMax);
    w.Text(310, s.XUnitName);
    w.Text(318, s.YUnitName);
    return block;
}

bool UnpackSetupBlock(std::span<const uint8_t> block, DeviceInfo& setting, int& interfaceType) {
    if (block.size() != kSetupBlockSize)
        return false;
    const Reader r(block);
    DeviceInfo s = setting;
    const auto first = r.Get<int16_t>(0);
    if (first >= 256) {
        interfaceType = first / 256;
        s.ModelIndex = static_cast<int16_t>(first & 0xFF);
    } else {
        s.ModelIndex = first;
    }
    r.Text(2, s.ModelName);
    s.Address = r.Get<int16_t>(18);
    s.AddressMin = r.Get<int16_t>(20);
    s.AddressMax = r.Get<int16_t>(22);
    r.Text(24, s.MemoryOption);
    s.MemorySizeIndex = r.Get<int16_t>(88);
    s.MemorySize = r.Get<int32_t>(90);
    s.MaxCode = r.Get<int32_t>(94);
    s.DataCodeLow = r.Get<int16_t>(98);
    s.DataCodeHigh = r.Get<int16_t>(100);
    s.DataMask = r.Get<uint32_t>(102);
    s.MemoryNumberSelectable = r.Get<int16_t>(106);
    s.MemoryNumber = r.Get<int16_t>(108);
    s.MemoryNumberMin = r.Get<int16_t>(110);
    s.MemoryNumberMax = r.Get<int16_t>(112);
    s.MemoryNameFlag = r.Get<int16_t>(114);
    r.Text(116, s.MemoryName);
    s.ChannelFlag = r.Get<int16_t>(132);
    s.ChannelIndex = r.Get<int16_t>(134);
    s.OutputState = OutputFromFile(r.Get<int16_t>(136));
    s.Frequency = r.Get<double>(138);
    s.FrequencyMin = r.Get<double>(146);
    s.FrequencyMax = r.Get<double>(154);
    s.FrequencyReso = r.Get<double>(162);
    s.Cycle = r.Get<double>(170);
    s.CycleOfFrequencyMin = r.Get<double>(178);
    s.CycleOfFrequencyMax = r.Get<double>(186);
    s.CycleReso = r.Get<double>(194);
    s.RangeIndex = r.Get<int16_t>(202);
    s.XMode = r.Get<int16_t>(204);
    s.Amplitude = r.Get<double>(206);
    s.AmplitudeMin = r.Get<double>(214);
    s.AmplitudeMax = r.Get<double>(222);
    s.AmplitudeReso = r.Get<double>(230);
    s.OffsetSwitchAvailable = r.Get<int16_t>(238);
    s.Offset = r.Get<double>(240);
    s.OffsetMin = r.Get<double>(248);
    s.OffsetMax = r.Get<double>(256);
    s.OffsetReso = r.Get<double>(264);
    s.OffsetSwitchState = r.Get<int16_t>(272);
    s.XUnit = r.Get<int16_t>(274);
    s.XUserStart = r.Get<double>(276);
    s.XUserEnd = r.Get<double>(284);
    s.YUnit = r.Get<int16_t>(292);
    s.YUserMin = r.Get<double>(294);
    s.YUserMax = r.Get<double>(302);
    r.Text(310, s.XUnitName);
    r.Text(318, s.YUnitName);
    setting = s;
    return true;
}

std::vector<InterfaceChoice> InterfaceChoices(int bits) {
    std::vector<InterfaceChoice> choices;
    if (bits & 8)
        choices.push_back({"USB(TMC)", 3});
    if (bits & 3)
        choices.push_back({"NI GPIB", 0});
    if (bits & 2)
        choices.push_back({"KI GPIB", 1});
    choices.push_back({"LAN(Socket)", 7});
    return choices;
}

AddressCheck CheckTypedAddress(int typed, int minimum, int maximum, int controllerAddress) {
    if (typed < minimum || typed > maximum)
        return AddressCheck::OutOfRange;
    if (typed == controllerAddress)
        return AddressCheck::ControllerAddress;
    return AddressCheck::Accepted;
}

bool IsAcceptableSerialNumber(std::string_view text) {
    return text.empty() || text.substr(0, 2) == "SN";
}

UsbIdTable UsbIdTable::Parse(std::string_view text) {
    UsbIdTable table;
    for (std::string_view line : SplitText(text, '\n')) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        const std::vector<std::string_view> fields = SplitText(line, ',');
        table.pairs_.emplace_back(std::string(fields[0]),
                                  fields.size() > 1 ? std::string(fields[1]) : std::string());
    }
    return table;
}

std::string UsbIdTable::Prefix(std::string_view modelName) const {
    for (const auto& [model, prefix] : pairs_)
        if (model == modelName)
            return prefix;
    return {};
}

} // namespace zw
