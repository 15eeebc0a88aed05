// DeviceInfo packed into the 326-byte setup block and back.
#include "docio32.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <string>

namespace {

using Block = std::array<uint8_t, DOCIO32_SETUP_BLOCK_SIZE>;

// Little-endian reads written out byte by byte, apart from the library.
int16_t i16At(const Block& b, std::size_t at) {
    return static_cast<int16_t>(b[at] | (b[at + 1] << 8));
}
uint32_t u32At(const Block& b, std::size_t at) {
    return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 |
           uint32_t{b[at + 3]} << 24;
}
double f64At(const Block& b, std::size_t at) {
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = bits << 8 | b[at + i];
    return std::bit_cast<double>(bits);
}
std::string textAt(const Block& b, std::size_t at, std::size_t width) {
    return std::string(reinterpret_cast<const char*>(b.data() + at), width);
}

template <std::size_t N> void setText(char (&field)[N], const char* text) {
    std::memset(field, 0, N);
    std::memcpy(field, text, std::min(N, std::strlen(text)));
}

// Every field distinct, so that a field stored at another's place shows.
DeviceInfo sampleInfo() {
    DeviceInfo d{};
    setText(d.ModelName, "GEN-A1");
    d.ModelIndex = 2;
    d.Address = 7;
    d.AddressMin = 1;
    d.AddressMax = 30;
    setText(d.MemoryOption, ":DATA:ARB:SIZE 4096");
    setText(d.MemoryName, "USER0123456789AB"); // fills its 16 characters
    d.MemorySize = 4096;
    d.MaxCode = 16383;
    d.DataCodeLow = -8192;
    d.DataCodeHigh = 8191;
    d.DataMask = 0xC0003FFFu;
    d.MemoryNumberSelectable = 1;
    d.MemoryNumber = 3;
    d.MemoryNumberMin = 1;
    d.MemoryNumberMax = 10;
    d.MemoryNameFlag = -1;
    d.MemorySizeIndex = 4;
    d.ChannelFlag = 1;
    d.ChannelIndex = 1;
    d.Frequency = 1234.5;
    d.FrequencyMin = 1e-3;
    d.FrequencyMax = 15e6;
    d.FrequencyReso = 1e-6;
    d.Cycle = 1.0 / 1234.5;
    d.CycleOfFrequencyMin = 1000.0;
    d.CycleOfFrequencyMax = 1.0 / 15e6;
    d.CycleReso = 1e6;
    d.Amplitude = 2.5;
    d.AmplitudeMin = 0.01;
    d.AmplitudeMax = 20.0;
    d.AmplitudeReso = 0.001;
    d.Offset = -1.25;
    d.OffsetMin = -10.0;
    d.OffsetMax = 10.0;
    d.OffsetReso = 0.002;
    d.OffsetSwitchAvailable = 1;
    d.OffsetSwitchState = -1;
    d.XUnit = 2;
    d.XUserStart = -0.5;
    d.XUserEnd = 99.75;
    d.YUnit = 1;
    d.YUserMin = -3.0;
    d.YUserMax = 3.5;
    d.OutputState = ZW_OUTPUT_OFF;
    d.RangeIndex = 5;
    d.XMode = 1;
    setText(d.XUnitName, "msec");
    setText(d.YUnitName, "mVpeakpk"); // fills its 8 characters
    return d;
}

Block encoded(const DeviceInfo& info, int32_t interfaceType) {
    Block block{};
    EXPECT_EQ(EncodeSetupBlock(&info, interfaceType, block.data()), 0);
    return block;
}

} // namespace

TEST(SetupBlock, EveryFieldLiesAtItsOffsetLittleEndian) {
    const Block b = encoded(sampleInfo(), 1);
    EXPECT_EQ(i16At(b, 0), 258) << "interface 1 x 256 + model 2";
    EXPECT_EQ(textAt(b, 2, 16), std::string("GEN-A1\0\0\0\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(i16At(b, 18), 7);
    EXPECT_EQ(i16At(b, 20), 1);
    EXPECT_EQ(i16At(b, 22), 30);
    EXPECT_EQ(textAt(b, 24, 64), std::string(":DATA:ARB:SIZE 4096") + std::string(45, '\0'));
    EXPECT_EQ(i16At(b, 88), 4);
    EXPECT_EQ(u32At(b, 90), 4096u);
    EXPECT_EQ(u32At(b, 94), 16383u);
    EXPECT_EQ(i16At(b, 98), -8192);
    EXPECT_EQ(i16At(b, 100), 8191);
    EXPECT_EQ(u32At(b, 102), 0xC0003FFFu);
    EXPECT_EQ(i16At(b, 106), 1);
    EXPECT_EQ(i16At(b, 108), 3);
    EXPECT_EQ(i16At(b, 110), 1);
    EXPECT_EQ(i16At(b, 112), 10);
    EXPECT_EQ(i16At(b, 114), -1);
    EXPECT_EQ(textAt(b, 116, 16), "USER0123456789AB");
    EXPECT_EQ(i16At(b, 132), 1);
    EXPECT_EQ(i16At(b, 134), 1);
    EXPECT_EQ(i16At(b, 136), 0) << "off is stored as 0";
    EXPECT_EQ(f64At(b, 138), 1234.5);
    EXPECT_EQ(f64At(b, 146), 1e-3);
    EXPECT_EQ(f64At(b, 154), 15e6);
    EXPECT_EQ(f64At(b, 162), 1e-6);
    EXPECT_EQ(f64At(b, 170), 1.0 / 1234.5);
    EXPECT_EQ(f64At(b, 178), 1000.0);
    EXPECT_EQ(f64At(b, 186), 1.0 / 15e6);
    EXPECT_EQ(f64At(b, 194), 1e6);
    EXPECT_EQ(i16At(b, 202), 5);
    EXPECT_EQ(i16At(b, 204), 1);
    EXPECT_EQ(f64At(b, 206), 2.5);
    EXPECT_EQ(f64At(b, 214), 0.01);
    EXPECT_EQ(f64At(b, 222), 20.0);
    EXPECT_EQ(f64At(b, 230), 0.001);
    EXPECT_EQ(i16At(b, 238), 1);
    EXPECT_EQ(f64At(b, 240), -1.25);
    EXPECT_EQ(f64At(b, 248), -10.0);
    EXPECT_EQ(f64At(b, 256), 10.0);
    EXPECT_EQ(f64At(b, 264), 0.002);
    EXPECT_EQ(i16At(b, 272), -1);
    EXPECT_EQ(i16At(b, 274), 2);
    EXPECT_EQ(f64At(b, 276), -0.5);
    EXPECT_EQ(f64At(b, 284), 99.75);
    EXPECT_EQ(i16At(b, 292), 1);
    EXPECT_EQ(f64At(b, 294), -3.0);
    EXPECT_EQ(f64At(b, 302), 3.5);
    EXPECT_EQ(textAt(b, 310, 8), std::string("msec\0\0\0\0", 8));
    EXPECT_EQ(textAt(b, 318, 8), "mVpeakpk");
    // A double's bytes in file order, once written out in full.
    EXPECT_EQ(textAt(b, 206, 8), std::string("\0\0\0\0\0\0\x04\x40", 8)) << "2.5";
}

TEST(SetupBlock, DecodingGivesBackEveryField) {
    const DeviceInfo original = sampleInfo();
    const Block b = encoded(original, 6);
    DeviceInfo decoded;
    std::memset(&decoded, 0x5A, sizeof decoded);
    int32_t interfaceType = -7;
    ASSERT_EQ(DecodeSetupBlock(b.data(), &decoded, &interfaceType), 0);
    EXPECT_EQ(interfaceType, 6);
    // Field by field; the record has padding, so no memcmp of the whole.
#define SAME(field) EXPECT_EQ(decoded.field, original.field) << #field
#define SAME_TEXT(field)                                                                           \
    EXPECT_EQ(std::memcmp(decoded.field, original.field, sizeof original.field), 0) << #field
    SAME_TEXT(ModelName);
    SAME(ModelIndex);
    SAME(Address);
    SAME(AddressMin);
    SAME(AddressMax);
    SAME_TEXT(MemoryOption);
    SAME_TEXT(MemoryName);
    SAME(MemorySize);
    SAME(MaxCode);
    SAME(DataCodeLow);
    SAME(DataCodeHigh);
    SAME(DataMask);
    SAME(MemoryNumberSelectable);
    SAME(MemoryNumber);
    SAME(MemoryNumberMin);
    SAME(MemoryNumberMax);
    SAME(MemoryNameFlag);
    SAME(MemorySizeIndex);
    SAME(ChannelFlag);
    SAME(ChannelIndex);
    SAME(Frequency);
    SAME(FrequencyMin);
    SAME(FrequencyMax);
    SAME(FrequencyReso);
    SAME(Cycle);
    SAME(CycleOfFrequencyMin);
    SAME(CycleOfFrequencyMax);
    SAME(CycleReso);
    SAME(Amplitude);
    SAME(AmplitudeMin);
    SAME(AmplitudeMax);
    SAME(AmplitudeReso);
    SAME(Offset);
    SAME(OffsetMin);
    SAME(OffsetMax);
    SAME(OffsetReso);
    SAME(OffsetSwitchAvailable);
    SAME(OffsetSwitchState);
    SAME(XUnit);
    SAME(XUserStart);
    SAME(XUserEnd);
    SAME(YUnit);
    SAME(YUserMin);
    SAME(YUserMax);
    SAME(OutputState);
    SAME(RangeIndex);
    SAME(XMode);
    SAME_TEXT(XUnitName);
    SAME_TEXT(YUnitName);
#undef SAME
#undef SAME_TEXT
}

TEST(SetupBlock, OutputStatesMapBetweenRecordAndFile) {
    const struct {
        int16_t record;
        int16_t file;
    } states[] = {{ZW_OUTPUT_ON, -1}, {ZW_OUTPUT_OFF, 0}, {ZW_OUTPUT_NO_CHANGE, 2}};
    for (const auto& s : states) {
        DeviceInfo info = sampleInfo();
        info.OutputState = s.record;
        const Block b = encoded(info, 0);
        EXPECT_EQ(i16At(b, 136), s.file);
        DeviceInfo back{};
        ASSERT_EQ(DecodeSetupBlock(b.data(), &back, nullptr), 0);
        EXPECT_EQ(back.OutputState, s.record);
    }
}

TEST(SetupBlock, SmallFirstWordIsTheModelAloneAndKeepsTheInterface) {
    Block b = encoded(sampleInfo(), 0);
    EXPECT_EQ(i16At(b, 0), 2);
    DeviceInfo info{};
    int32_t interfaceType = 3;
    ASSERT_EQ(DecodeSetupBlock(b.data(), &info, &interfaceType), 0);
    EXPECT_EQ(info.ModelIndex, 2);
    EXPECT_EQ(interfaceType, 3);

    b[0] = 0x05; // 4 x 256 + 5
    b[1] = 0x04;
    ASSERT_EQ(DecodeSetupBlock(b.data(), &info, &interfaceType), 0);
    EXPECT_EQ(info.ModelIndex, 5);
    EXPECT_EQ(interfaceType, 4);
}

TEST(SetupBlock, SpaceOrNulPaddedTextsReadAlike) {
    Block b = encoded(sampleInfo(), 0);
    std::memcpy(b.data() + 2, "GEN-A1          ", 16);
    std::memcpy(b.data() + 310, "V       ", 8);
    DeviceInfo info;
    std::memset(&info, 'x', sizeof info);
    ASSERT_EQ(DecodeSetupBlock(b.data(), &info, nullptr), 0);
    EXPECT_EQ(std::string(info.ModelName, 16), std::string("GEN-A1\0\0\0\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(std::string(info.XUnitName, 8), std::string("V\0\0\0\0\0\0\0", 8));
}

TEST(SetupBlock, ValuesThatCannotBeStoredOrReadAreRefused) {
    Block untouched;
    untouched.fill(0xCC);
    Block b = untouched;
    DeviceInfo info = sampleInfo();
    info.ModelIndex = 256; // would read back as interface 1, model 0
    EXPECT_EQ(EncodeSetupBlock(&info, 0, b.data()), -1);
    info = sampleInfo();
    info.OutputState = 3;
    EXPECT_EQ(EncodeSetupBlock(&info, 0, b.data()), -1);
    info = sampleInfo();
    EXPECT_EQ(EncodeSetupBlock(&info, 128, b.data()), -1);
    EXPECT_EQ(EncodeSetupBlock(&info, -1, b.data()), -1);
    EXPECT_EQ(EncodeSetupBlock(nullptr, 0, b.data()), -1);
    EXPECT_EQ(EncodeSetupBlock(&info, 0, nullptr), -1);
    EXPECT_EQ(b, untouched);

    b = encoded(sampleInfo(), 1);
    DeviceInfo record = sampleInfo();
    record.Address = 99;
    b[136] = 1; // neither on (-1), off (0) nor no change (2)
    b[137] = 0;
    EXPECT_EQ(DecodeSetupBlock(b.data(), &record, nullptr), -1);
    b = encoded(sampleInfo(), 1);
    b[1] = 0x80; // a negative first word
    EXPECT_EQ(DecodeSetupBlock(b.data(), &record, nullptr), -1);
    EXPECT_EQ(DecodeSetupBlock(nullptr, &record, nullptr), -1);
    EXPECT_EQ(DecodeSetupBlock(b.data(), nullptr, nullptr), -1);
    EXPECT_EQ(record.Address, 99) << "a refused block leaves the record as it was";
}

TEST(SetupBlock, NonFiniteAndSignedZeroDoublesKeepTheirBits) {
    DeviceInfo info = sampleInfo();
    info.Frequency = -0.0;
    info.Amplitude = std::nan("");
    info.OffsetMax = INFINITY;
    DeviceInfo back{};
    ASSERT_EQ(DecodeSetupBlock(encoded(info, 0).data(), &back, nullptr), 0);
    EXPECT_TRUE(std::signbit(back.Frequency));
    EXPECT_TRUE(std::isnan(back.Amplitude));
    EXPECT_EQ(back.OffsetMax, INFINITY);
}
