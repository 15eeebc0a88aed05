// The setup block of system setup files, the interface list and the checks
// of typed addresses and serial numbers.
#include "FakeServices.h"
#include "SetupRecord.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace zw;
using zw::test::SetField;

namespace {

DeviceInfo Sample() {
    DeviceInfo s{};
    SetField(s.ModelName, "SIM-ARB");
    s.ModelIndex = 2;
    s.Address = 11;
    s.AddressMin = 1;
    s.AddressMax = 30;
    SetField(s.MemoryOption, "DATA:DAC VOLATILE");
    s.MemorySizeIndex = 1;
    s.MemorySize = 65536;
    s.MaxCode = 16383;
    s.DataCodeLow = -8192;
    s.DataCodeHigh = 8191;
    s.DataMask = 0xFFFC;
    s.MemoryNumberSelectable = 1;
    s.MemoryNumber = 3;
    s.MemoryNumberMin = 1;
    s.MemoryNumberMax = 4;
    s.MemoryNameFlag = 1;
    SetField(s.MemoryName, "WAVE1");
    s.ChannelFlag = 1;
    s.ChannelIndex = 1;
    s.OutputState = ZW_OUTPUT_OFF;
    s.Frequency = 1234.5;
    s.FrequencyMin = 0.001;
    s.FrequencyMax = 1e7;
    s.FrequencyReso = 0.001;
    s.Cycle = 1 / 1234.5;
    s.CycleOfFrequencyMin = 1000;
    s.CycleOfFrequencyMax = 1e-7;
    s.CycleReso = 1000;
    s.RangeIndex = 2;
    s.XMode = 1;
    s.Amplitude = 2.5;
    s.AmplitudeMin = 0.01;
    s.AmplitudeMax = 10;
    s.AmplitudeReso = 0.001;
    s.OffsetSwitchAvailable = 1;
    s.Offset = -0.25;
    s.OffsetMin = -5;
    s.OffsetMax = 5;
    s.OffsetReso = 0.01;
    s.OffsetSwitchState = 1;
    s.XUnit = 1;
    s.XUserStart = -1;
    s.XUserEnd = 2;
    s.YUnit = 2;
    s.YUserMin = -3;
    s.YUserMax = 4;
    SetField(s.XUnitName, "ms      ");
    SetField(s.YUnitName, "mV");
    return s;
}

template <typename T> T At(const SetupBlock& block, size_t offset) {
    T value;
    std::memcpy(&value, block.data() + offset, sizeof value);
    return value;
}

} // namespace

TEST(SetupRecord, FieldsStandAtTheirOffsets) {
    DeviceInfo s = Sample();
    s.ModelIndex = 2;
    const SetupBlock block = PackSetupBlock(s, 1);
    EXPECT_EQ(At<int16_t>(block, 0), 258);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(block.data() + 2), 7), "SIM-ARB");
    EXPECT_EQ(At<int16_t>(block, 18), 11);
    EXPECT_EQ(At<int32_t>(block, 90), 65536);
    EXPECT_EQ(At<uint32_t>(block, 102), 0xFFFCu);
    EXPECT_EQ(At<int16_t>(block, 108), 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(block.data() + 116), 5), "WAVE1");
    EXPECT_EQ(At<int16_t>(block, 136), 0); // off
    EXPECT_EQ(At<double>(block, 138), 1234.5);
    EXPECT_EQ(At<int16_t>(block, 202), 2);
    EXPECT_EQ(At<double>(block, 240), -0.25);
    EXPECT_EQ(At<int16_t>(block, 272), 1);
    EXPECT_EQ(At<double>(block, 302), 4.0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(block.data() + 318), 2), "mV");
}

TEST(SetupRecord, OutputStateIsStoredAsTheFileSpellsIt) {
    DeviceInfo s = Sample();
    for (const auto& [memory, file] : {std::pair{ZW_OUTPUT_ON, -1}, std::pair{ZW_OUTPUT_OFF, 0},
                                       std::pair{ZW_OUTPUT_NO_CHANGE, 2}}) {
        s.OutputState = static_cast<int16_t>(memory);
        const SetupBlock block = PackSetupBlock(s, 3);
        EXPECT_EQ(At<int16_t>(block, 136), file);
        DeviceInfo back{};
        int type = 0;
        ASSERT_TRUE(UnpackSetupBlock(block, back, type));
        EXPECT_EQ(back.OutputState, memory);
    }
}

TEST(SetupRecord, RoundTripKeepsEveryField) {
    const DeviceInfo s = Sample();
    DeviceInfo back{};
    int type = 0;
    ASSERT_TRUE(UnpackSetupBlock(PackSetupBlock(s, 3), back, type));
    EXPECT_EQ(type, 3);
    EXPECT_EQ(std::memcmp(&back, &s, sizeof s), 0);
}

TEST(SetupRecord, SmallFirstWordKeepsTheInterfaceType) {
    SetupBlock block = PackSetupBlock(Sample(), 0);
    block[0] = 5;
    block[1] = 0;
    DeviceInfo back{};
    int type = 6;
    ASSERT_TRUE(UnpackSetupBlock(block, back, type));
    EXPECT_EQ(type, 6);
    EXPECT_EQ(back.ModelIndex, 5);
    block[136] = 7; // no output state the file defines
    ASSERT_TRUE(UnpackSetupBlock(block, back, type));
    EXPECT_EQ(back.OutputState, ZW_OUTPUT_NO_CHANGE);
}

TEST(SetupRecord, ShortBlockChangesNothing) {
    const SetupBlock block = PackSetupBlock(Sample(), 1);
    DeviceInfo kept{};
    kept.Address = 9;
    int type = 4;
    EXPECT_FALSE(UnpackSetupBlock(std::span(block).first(325), kept, type));
    EXPECT_EQ(kept.Address, 9);
    EXPECT_EQ(type, 4);
}

TEST(SetupRecord, InterfaceListFollowsTheModelsBits) {
    auto texts = [](int bits) {
        std::vector<std::string> out;
        for (const auto& c : InterfaceChoices(bits))
            out.push_back(c.text + "=" + std::to_string(c.interfaceType));
        return out;
    };
    EXPECT_EQ(texts(15), (std::vector<std::string>{"USB(TMC)=3", "NI GPIB=0", "KI GPIB=1",
                                                   "LAN(Socket)=7"}));
    EXPECT_EQ(texts(8), (std::vector<std::string>{"USB(TMC)=3", "LAN(Socket)=7"}));
    EXPECT_EQ(texts(1), (std::vector<std::string>{"NI GPIB=0", "LAN(Socket)=7"}));
    EXPECT_EQ(texts(0), (std::vector<std::string>{"LAN(Socket)=7"}));
}

TEST(SetupRecord, TypedAddressAndSerialNumberChecks) {
    EXPECT_EQ(CheckTypedAddress(5, 0, 30, 0), AddressCheck::Accepted);
    EXPECT_EQ(CheckTypedAddress(31, 0, 30, 0), AddressCheck::OutOfRange);
    EXPECT_EQ(CheckTypedAddress(-1, 0, 30, 0), AddressCheck::OutOfRange);
    EXPECT_EQ(CheckTypedAddress(0, 0, 30, 0), AddressCheck::ControllerAddress);
    EXPECT_TRUE(IsAcceptableSerialNumber("SN123456"));
    EXPECT_TRUE(IsAcceptableSerialNumber(""));
    EXPECT_FALSE(IsAcceptableSerialNumber("sn123456"));
    EXPECT_FALSE(IsAcceptableSerialNumber("123456"));
}

TEST(SetupRecord, UsbIdTableLooksModelsUpExactly) {
    const UsbIdTable table =
        UsbIdTable::Parse("SIM-ARB,USB0::0x0D4A::0x000E::\r\nOTHER,USB0::1::2::,extra\nLONE\n");
    EXPECT_EQ(table.Prefix("SIM-ARB"), "USB0::0x0D4A::0x000E::");
    EXPECT_EQ(table.Prefix("OTHER"), "USB0::1::2::");
    EXPECT_EQ(table.Prefix("LONE"), "");
    EXPECT_EQ(table.Prefix("sim-arb"), "");
    EXPECT_TRUE(UsbIdTable::Parse("").Empty());
}
