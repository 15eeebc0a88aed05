// The device information interface over a loaded set of test models.
#include "DeviceSettings.h"
#include "ModelFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace modspec32;
using namespace modspec32::test;

namespace {

constexpr const char* kJapaneseWarning = "\x8e\xfc\x94\x67\x90\x94\x92\x8d\x88\xd3"; // 周波数注意

// Model 0 "TWO": two channels, the second in peak mode; model 1 "BARE":
// fixed memory, no interfaces, empty parameter blocks; model 2 "EMPTY": no
// lists at all; model 3 "NORANGE": a channel without voltage ranges.
std::string testModels() {
    return std::string("begin system\n"
                       "  sname_s = TWO\n"
                       "  data_bit = 3FFF\n"
                       "  begin gpib_address\n min_i = 1\n max_i = 30\n init_i = 5\n end\n"
                       "  begin usb_id\n min_i = 0\n max_i = 0\n init_i = 0\n end\n"
                       "  begin wavememory\n"
                       "    mem_name_b = true\n"
                       "    sel_s = select\n"
                       "    begin memorysize\n"
                       "      size_i = 1024\n min_i = 1\n max_i = 8\n s_opt_val = PRE,SEND 1024\n"
                       "    end\n"
                       "    begin memorysize\n"
                       "      size_i = 65536\n min_i = 2\n max_i = 3\n s_opt_val = SEND 65536\n"
                       "    end\n"
                       "  end\n"
                       "  begin systemparameter\n"
                       "    channel_b = true\n"
                       "    begin channel\n"
                       "      name_s = CH1\n"
                       "      offs_switch_b = true\n"
                       "      begin frequency\n"
                       "        min_d = 1\n max_d = 1000\n init_d = 100\n reso_d = 0.1\n"
                       "        begin condition\n cond_s = x < 10\n reso_d = 0.001\n end\n"
                       "        begin conditionwarning\n"
                       "          cond_s = x > 500\n"
                       "          warn_j_s = ") +
           kJapaneseWarning +
           "\n"
           "          warn_e_s = Above 500 Hz\n"
           "        end\n"
           "      end\n"
           "      begin voltrange\n"
           "        range_s = 10 V\n"
           "        begin amplitude\n"
           "          min_d = 0.1\n max_d = 10\n init_d = 1\n reso_d = 0.01\n"
           "          begin condition\n cond_s = x < 1\n reso_d = 0.001\n end\n"
           "        end\n"
           "        begin offset\n"
           "          min_d = -5\n max_d = 5\n init_d = 0\n reso_d = 0.01\n"
           "          begin condition\n cond_s = -1 < x < 1\n reso_d = 0.001\n end\n"
           "        end\n"
           "      end\n"
           "      begin voltrange\n"
           "        range_s = 1 V\n"
           "        begin amplitude\n min_d = 0.01\n max_d = 1\n init_d = 0.5\n reso_d = 0.001\n"
           "        end\n"
           "        begin offset\n min_d = -0.5\n max_d = 0.5\n reso_d = 0.001\n end\n"
           "      end\n"
           "    end\n"
           "    begin channel\n"
           "      name_s = CH2\n"
           "      x_exp_i = 1\n"
           "      begin frequency\n min_d = 0\n max_d = 100\n init_d = 10\n reso_d = 1\n end\n"
           "      begin voltrange\n"
           "        range_s = peak\n"
           "        begin amplitude\n min_d = 0\n max_d = 20\n init_d = 4\n reso_d = 0.1\n"
           "          begin condition\n cond_s = x >= 4\n reso_d = 0.5\n end\n"
           "        end\n"
           "        begin offset\n min_d = -10\n max_d = 10\n reso_d = 0.1\n"
           "          begin condition\n cond_s = x >= 4\n reso_d = 0.5\n end\n"
           "        end\n"
           "      end\n"
           "    end\n"
           "  end\n"
           "  beginscript gpib_command gpib_init\n"
           "    identify = *IDN?,1,3,TWO\n"
           "    getsts = *ESR?\n"
           "  end\n"
           "end\n"
           "begin system\n"
           "  sname_s = BARE\n"
           "  begin wavememory\n"
           "    sel_s = fix\n"
           "    begin memorysize\n size_i = 4096\n min_i = 1\n max_i = 1\n end\n"
           "    begin memorysize\n size_i = 8192\n end\n"
           "  end\n"
           "  begin systemparameter\n"
           "    begin channel\n"
           "      name_s = only\n"
           "      begin voltrange\n range_s = none\n end\n"
           "    end\n"
           "    begin channel\n"
           "      name_s = a channel name far longer than its field\n"
           "    end\n"
           "  end\n"
           "end\n"
           "begin system\n"
           "  sname_s = EMPTY\n"
           "end\n"
           "begin system\n"
           "  sname_s = NORANGE\n"
           "  begin gpib_address\n init_i = 1\n end\n"
           "  begin wavememory\n begin memorysize\n size_i = 16\n end\n end\n"
           "  begin systemparameter\n begin channel\n end\n end\n"
           "end\n";
}

enum TestModel : int32_t { kTwo = 0, kBare = 1, kEmpty = 2, kNoRange = 3 };

// A record as the editor holds it: its own fields set to patterns the
// library must leave alone.
DeviceInfo editorRecord() {
    DeviceInfo info;
    std::memset(&info, 0, sizeof info);
    std::memcpy(info.ModelName, "editor's name..", 16);
    std::memcpy(info.MemoryName, "WAVEFORM_NAME..", 16);
    info.XUnit = 2;
    info.XUserStart = -1.5;
    info.XUserEnd = 2.5;
    info.YUnit = 3;
    info.YUserMin = -7.0;
    info.YUserMax = 7.0;
    std::memcpy(info.XUnitName, "msec\0\0\0\0", 8);
    std::memcpy(info.YUnitName, "mV\0\0\0\0\0\0", 8);
    info.MemorySize = 65536;
    info.ChannelIndex = 1;
    return info;
}

void expectEditorFieldsKept(const DeviceInfo& info) {
    const DeviceInfo editor = editorRecord();
    EXPECT_EQ(std::memcmp(info.ModelName, editor.ModelName, 16), 0);
    EXPECT_EQ(std::memcmp(info.MemoryName, editor.MemoryName, 16), 0);
    EXPECT_EQ(info.XUnit, editor.XUnit);
    EXPECT_EQ(info.XUserStart, editor.XUserStart);
    EXPECT_EQ(info.XUserEnd, editor.XUserEnd);
    EXPECT_EQ(info.YUnit, editor.YUnit);
    EXPECT_EQ(info.YUserMin, editor.YUserMin);
    EXPECT_EQ(info.YUserMax, editor.YUserMax);
    EXPECT_EQ(std::memcmp(info.XUnitName, editor.XUnitName, 8), 0);
    EXPECT_EQ(std::memcmp(info.YUnitName, editor.YUnitName, 8), 0);
}

bool sameBytes(const DeviceInfo& a, const DeviceInfo& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

class DeviceInfoTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        TempFolder folder;
        folder.write("TEST.SYS", testModels());
        ASSERT_EQ(initIn(folder.path()), 0);
        ASSERT_EQ(SysGetDeviceCnt(), 4);
    }
    static void TearDownTestSuite() { modelDatabase().reset(); }

    // Model TWO with its initial settings, channel 0.
    DeviceInfo initialTwo() {
        DeviceInfo info = editorRecord();
        info.ChannelIndex = 0;
        EXPECT_EQ(SysGetInitDeviceInfo(kTwo, &info), 1);
        return info;
    }
};

} // namespace

TEST_F(DeviceInfoTest, InitialSettingsComeFromTheFirstEntries) {
    DeviceInfo info = editorRecord();
    info.Address = 7;
    info.MemoryNumber = 99;
    info.RangeIndex = 1;
    ASSERT_EQ(SysGetInitDeviceInfo(kTwo, &info), 1);
    expectEditorFieldsKept(info);
    EXPECT_EQ(info.ModelIndex, kTwo);
    EXPECT_EQ(info.Address, -1);
    EXPECT_EQ(info.AddressMin, -1);
    EXPECT_EQ(info.AddressMax, -1);
    EXPECT_EQ(info.MemorySizeIndex, 1) << "the record's memory size is found in the list";
    EXPECT_EQ(info.MemorySize, 65536);
    EXPECT_EQ(info.MemoryNumberSelectable, 1);
    EXPECT_EQ(info.MemoryNumberMin, 1) << "number limits of the first memory size";
    EXPECT_EQ(info.MemoryNumberMax, 8);
    EXPECT_EQ(info.MemoryNumber, 1);
    EXPECT_STREQ(info.MemoryOption, "PRE,SEND 1024");
    EXPECT_EQ(info.MaxCode, 16383);
    EXPECT_EQ(info.DataCodeLow, -8192);
    EXPECT_EQ(info.DataCodeHigh, 8191);
    EXPECT_EQ(info.DataMask, 0x3FFFu);
    EXPECT_EQ(info.MemoryNameFlag, 1);
    EXPECT_EQ(info.ChannelFlag, 1);
    EXPECT_EQ(info.ChannelIndex, 1) << "kept: below the channel count";
    EXPECT_EQ(info.OutputState, ZW_OUTPUT_NO_CHANGE);
    EXPECT_DOUBLE_EQ(info.Frequency, 100.0);
    EXPECT_DOUBLE_EQ(info.FrequencyMin, 1.0);
    EXPECT_DOUBLE_EQ(info.FrequencyMax, 1000.0);
    EXPECT_DOUBLE_EQ(info.FrequencyReso, 0.1);
    EXPECT_DOUBLE_EQ(info.Cycle, 0.01);
    EXPECT_DOUBLE_EQ(info.CycleOfFrequencyMin, 1.0);
    EXPECT_DOUBLE_EQ(info.CycleOfFrequencyMax, 0.001);
    EXPECT_DOUBLE_EQ(info.CycleReso, 10.0);
    EXPECT_EQ(info.RangeIndex, 0);
    EXPECT_EQ(info.XMode, 0);
    EXPECT_DOUBLE_EQ(info.Amplitude, 1.0);
    EXPECT_DOUBLE_EQ(info.AmplitudeMin, 0.1);
    EXPECT_DOUBLE_EQ(info.AmplitudeMax, 10.0);
    EXPECT_DOUBLE_EQ(info.AmplitudeReso, 0.01);
    EXPECT_DOUBLE_EQ(info.Offset, 0.0);
    EXPECT_DOUBLE_EQ(info.OffsetReso, 0.01) << "the default, though a condition holds for 0";
    EXPECT_EQ(info.OffsetSwitchState, 0);

    info.MemorySize = 777;
    ASSERT_EQ(SysGetInitDeviceInfo(kTwo, &info), 1);
    EXPECT_EQ(info.MemorySizeIndex, 0);
    EXPECT_EQ(info.MemorySize, 1024);
}

TEST_F(DeviceInfoTest, DeviceInfoKeepsWhatIsStillValid) {
    DeviceInfo info = initialTwo();
    info.Frequency = 5.0;
    info.Amplitude = 2.0;
    info.Offset = 3.0;
    info.MemoryNumber = 7;
    info.RangeIndex = 1;
    info.OutputState = ZW_OUTPUT_ON;
    info.OffsetSwitchState = 1;
    info.Address = 12;
    ASSERT_EQ(SysGetDeviceInfo(kTwo, &info), 1);
    expectEditorFieldsKept(info);
    EXPECT_EQ(info.Address, 12) << "addresses are the interface's business";
    EXPECT_EQ(info.MemorySizeIndex, 0);
    EXPECT_EQ(info.MemorySize, 1024);
    EXPECT_EQ(info.MemoryNumber, 7);
    EXPECT_STREQ(info.MemoryOption, "PRE,SEND 1024");
    EXPECT_DOUBLE_EQ(info.Frequency, 5.0);
    EXPECT_DOUBLE_EQ(info.FrequencyReso, 0.001);
    EXPECT_DOUBLE_EQ(info.Cycle, 0.2);
    EXPECT_DOUBLE_EQ(info.CycleReso, 1000.0);
    EXPECT_EQ(info.RangeIndex, 1);
    EXPECT_DOUBLE_EQ(info.Amplitude, 1.0) << "clamped into the 1 V range";
    EXPECT_DOUBLE_EQ(info.AmplitudeMax, 1.0);
    EXPECT_DOUBLE_EQ(info.Offset, 0.5);
    EXPECT_EQ(info.OutputState, ZW_OUTPUT_NO_CHANGE);
    EXPECT_EQ(info.OffsetSwitchState, 0);
    EXPECT_EQ(info.OffsetSwitchAvailable, 1);

    info.Frequency = 5000.0;
    info.ChannelIndex = 5;
    info.MemoryNumber = 0;
    ASSERT_EQ(SysGetDeviceInfo(kTwo, &info), 1);
    EXPECT_DOUBLE_EQ(info.Frequency, 100.0) << "outside the limits: the initial frequency";
    EXPECT_EQ(info.ChannelIndex, 0);
    EXPECT_EQ(info.MemoryNumber, 1);

    // The peak-mode channel: its own limits, but the offset switch flag of the first channel.
    info.ChannelIndex = 1;
    ASSERT_EQ(SysGetDeviceInfo(kTwo, &info), 1);
    EXPECT_EQ(info.XMode, 1);
    EXPECT_DOUBLE_EQ(info.FrequencyMax, 100.0);
    EXPECT_EQ(info.OffsetSwitchAvailable, 1);
}

TEST_F(DeviceInfoTest, FrequencyAtAndBeyondItsLimits) {
    DeviceInfo info = initialTwo();
    EXPECT_EQ(SysChangeFrequency(kTwo, 0, 1.0, &info), 1);
    EXPECT_DOUBLE_EQ(info.FrequencyReso, 0.001);
    EXPECT_EQ(SysChangeFrequency(kTwo, 0, 1000.0, &info), 1);
    EXPECT_DOUBLE_EQ(info.Frequency, 1000.0);
    EXPECT_DOUBLE_EQ(info.FrequencyReso, 0.1);
    EXPECT_DOUBLE_EQ(info.Cycle, 0.01) << "the cycle follows at the next range change";

    const DeviceInfo before = info;
    for (const double refused :
         {1000.0000001, 0.999, std::nan(""), std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(SysChangeFrequency(kTwo, 0, refused, &info), 0) << refused;
        EXPECT_TRUE(sameBytes(info, before)) << refused;
    }
    EXPECT_EQ(SysChangeFrequency(kTwo, 0, 5.0, &info), 1);
    EXPECT_DOUBLE_EQ(info.FrequencyReso, 0.001);
    EXPECT_EQ(SysChangeFrequency(kTwo, 0, 20.0, &info), 1);
    EXPECT_DOUBLE_EQ(info.FrequencyReso, 0.1);
}

TEST_F(DeviceInfoTest, CycleBetweenTheReciprocalLimits) {
    DeviceInfo info = initialTwo();
    EXPECT_EQ(SysChangeCycle(kTwo, 0, 0, 0.001, &info), 1);
    EXPECT_EQ(SysChangeCycle(kTwo, 0, 0, 1.0, &info), 1);
    EXPECT_EQ(SysChangeCycle(kTwo, 0, 0, 0.5, &info), 1);
    EXPECT_DOUBLE_EQ(info.Cycle, 0.5);
    EXPECT_DOUBLE_EQ(info.CycleReso, 1000.0) << "1 / resolution at 2 Hz";
    EXPECT_DOUBLE_EQ(info.Frequency, 100.0) << "the frequency is not changed";

    const DeviceInfo before = info;
    for (const double refused : {1.0001, 0.0009, 0.0, -1.0, std::nan("")}) {
        EXPECT_EQ(SysChangeCycle(kTwo, 0, 0, refused, &info), 0) << refused;
        EXPECT_TRUE(sameBytes(info, before)) << refused;
    }

    // Channel 2's frequency minimum is 0: no reciprocal, so no upper cycle limit.
    ASSERT_EQ(SysChangeChannel(kTwo, 1, &info), 1);
    EXPECT_DOUBLE_EQ(info.CycleOfFrequencyMin, 0.0);
    EXPECT_DOUBLE_EQ(info.CycleOfFrequencyMax, 0.01);
    EXPECT_EQ(SysChangeCycle(kTwo, 1, 0, 1000.0, &info), 1);
    EXPECT_EQ(SysChangeCycle(kTwo, 1, 0, 0.001, &info), 0);
    EXPECT_EQ(SysChangeCycle(kTwo, 1, 0, std::numeric_limits<double>::infinity(), &info), 0);
}

TEST_F(DeviceInfoTest, AmplitudeAndOffsetLimitsAndResolutions) {
    DeviceInfo info = initialTwo();
    EXPECT_EQ(SysChangeAmplitude(kTwo, 0, 0, 0.1, &info), 1);
    EXPECT_DOUBLE_EQ(info.AmplitudeReso, 0.001);
    EXPECT_EQ(SysChangeAmplitude(kTwo, 0, 0, 10.0, &info), 1);
    EXPECT_DOUBLE_EQ(info.AmplitudeReso, 0.01);
    EXPECT_EQ(SysChangeOffset(kTwo, 0, 0, 0.5, &info), 1);
    EXPECT_DOUBLE_EQ(info.OffsetReso, 0.001);
    EXPECT_EQ(SysChangeOffset(kTwo, 0, 0, -1.0, &info), 1);
    EXPECT_DOUBLE_EQ(info.OffsetReso, 0.01) << "-1 < x is strict";
    EXPECT_EQ(SysChangeOffset(kTwo, 0, 0, 5.0, &info), 1);

    const DeviceInfo before = info;
    EXPECT_EQ(SysChangeAmplitude(kTwo, 0, 0, 10.01, &info), 0);
    EXPECT_EQ(SysChangeAmplitude(kTwo, 0, 0, 0.09, &info), 0);
    EXPECT_EQ(SysChangeAmplitude(kTwo, 0, 0, std::nan(""), &info), 0);
    EXPECT_EQ(SysChangeOffset(kTwo, 0, 0, -5.01, &info), 0);
    EXPECT_EQ(SysChangeOffset(kTwo, 0, 0, std::nan(""), &info), 0);
    EXPECT_EQ(SysChangeAmplitude(kTwo, 0, 2, 1.0, &info), 0) << "no such range";
    EXPECT_TRUE(sameBytes(info, before));
}

TEST_F(DeviceInfoTest, PeakModeLooksResolutionsUpAtThePeakVoltageBeforeTheChange) {
    DeviceInfo info = initialTwo();
    ASSERT_EQ(SysChangeChannel(kTwo, 1, &info), 1);
    ASSERT_EQ(info.XMode, 1);
    info.Offset = -2.0;
    info.Amplitude = 4.0;
    EXPECT_EQ(SysChangeAmplitude(kTwo, 1, 0, 1.0, &info), 1);
    EXPECT_DOUBLE_EQ(info.AmplitudeReso, 0.5) << "x = |-2| + 4 / 2 = 4, not the new 1";
    EXPECT_DOUBLE_EQ(info.Amplitude, 1.0);
    EXPECT_EQ(SysChangeOffset(kTwo, 1, 0, 0.0, &info), 1);
    EXPECT_DOUBLE_EQ(info.OffsetReso, 0.1) << "x = 2 + 0.5";
    EXPECT_EQ(SysChangeOffset(kTwo, 1, 0, 3.0, &info), 1);
    EXPECT_EQ(SysChangeAmplitude(kTwo, 1, 0, 2.0, &info), 1);
    EXPECT_DOUBLE_EQ(info.AmplitudeReso, 0.1) << "x = 3 + 0.5";
    EXPECT_EQ(SysChangeOffset(kTwo, 1, 0, 0.0, &info), 1);
    EXPECT_DOUBLE_EQ(info.OffsetReso, 0.5) << "x = 3 + 1 from the record before, not 0 + 1";
}

TEST_F(DeviceInfoTest, RangeChangeClampsAndFallsBackToRangeZero) {
    DeviceInfo info = initialTwo();
    info.Amplitude = 5.0;
    info.Offset = -3.0;
    ASSERT_EQ(SysChangeFrequency(kTwo, 0, 20.0, &info), 1);
    ASSERT_EQ(SysChangeRange(kTwo, 0, 1, &info), 1);
    EXPECT_EQ(info.RangeIndex, 1);
    EXPECT_DOUBLE_EQ(info.AmplitudeMin, 0.01);
    EXPECT_DOUBLE_EQ(info.AmplitudeMax, 1.0);
    EXPECT_DOUBLE_EQ(info.Amplitude, 1.0);
    EXPECT_DOUBLE_EQ(info.AmplitudeReso, 0.001);
    EXPECT_DOUBLE_EQ(info.Offset, -0.5);
    EXPECT_DOUBLE_EQ(info.OffsetMin, -0.5);
    EXPECT_DOUBLE_EQ(info.Cycle, 0.05) << "reciprocals are recomputed";

    info.Amplitude = 0.001;
    for (const int32_t pastTheList : {2, 100, -1}) {
        info.RangeIndex = 1;
        ASSERT_EQ(SysChangeRange(kTwo, 0, pastTheList, &info), 1);
        EXPECT_EQ(info.RangeIndex, 0) << pastTheList;
        EXPECT_DOUBLE_EQ(info.AmplitudeMax, 10.0);
    }
    EXPECT_DOUBLE_EQ(info.Amplitude, 0.1) << "raised to the minimum";

    const DeviceInfo before = info;
    EXPECT_EQ(SysChangeRange(kTwo, 2, 0, &info), 0) << "no such channel";
    EXPECT_EQ(SysChangeRange(kNoRange, 0, 0, &info), 0) << "a channel without ranges";
    EXPECT_TRUE(sameBytes(info, before));
}

TEST_F(DeviceInfoTest, ChannelChangeTakesItsLimitsAndModes) {
    DeviceInfo info = initialTwo();
    ASSERT_EQ(SysChangeFrequency(kTwo, 0, 500.0, &info), 1);
    ASSERT_EQ(SysChangeRange(kTwo, 0, 1, &info), 1);
    ASSERT_EQ(SysChangeChannel(kTwo, 1, &info), 1);
    expectEditorFieldsKept(info);
    EXPECT_EQ(info.ChannelIndex, 1);
    EXPECT_EQ(info.XMode, 1);
    EXPECT_EQ(info.OffsetSwitchAvailable, 0);
    EXPECT_DOUBLE_EQ(info.FrequencyMin, 0.0);
    EXPECT_DOUBLE_EQ(info.FrequencyMax, 100.0);
    EXPECT_DOUBLE_EQ(info.Frequency, 10.0) << "500 is outside: the initial frequency";
    EXPECT_DOUBLE_EQ(info.FrequencyReso, 1.0);
    EXPECT_EQ(info.RangeIndex, 0) << "range 1 does not exist on this channel";

    const DeviceInfo before = info;
    EXPECT_EQ(SysChangeChannel(kTwo, 2, &info), 0);
    EXPECT_EQ(SysChangeChannel(kTwo, -1, &info), 0);
    EXPECT_EQ(SysChangeChannel(kNoRange, 0, &info), 0);
    EXPECT_TRUE(sameBytes(info, before));
}

TEST_F(DeviceInfoTest, MemorySizesCountsNamesAndSelection) {
    EXPECT_EQ(SysGetMemorySizeCnt(kTwo), 2);
    EXPECT_EQ(SysGetMemorySizeCnt(kBare), 1) << "\"fix\" offers one size whatever the list";
    char name[SYS_NAME_BUFFER];
    ASSERT_EQ(SysGetMemorySizeName(kTwo, 1, name), 1);
    EXPECT_STREQ(name, "65536");
    std::memset(name, '#', sizeof name);
    EXPECT_EQ(SysGetMemorySizeName(kTwo, 2, name), 1);
    EXPECT_EQ(name[0], '#') << "nothing copied past the list";

    DeviceInfo info = initialTwo();
    info.MemoryNumber = 7;
    ASSERT_EQ(SysChangeMemorySize(kTwo, 1, &info), 1);
    EXPECT_EQ(info.MemorySizeIndex, 1);
    EXPECT_EQ(info.MemorySize, 65536);
    EXPECT_EQ(info.MemoryNumberMin, 2);
    EXPECT_EQ(info.MemoryNumberMax, 3);
    EXPECT_EQ(info.MemoryNumber, 3);
    EXPECT_STREQ(info.MemoryOption, "SEND 65536");
    EXPECT_EQ(info.MemoryNumberSelectable, 1);
    info.MemoryNumber = -4;
    ASSERT_EQ(SysChangeMemorySize(kTwo, 1, &info), 1);
    EXPECT_EQ(info.MemoryNumber, 2);

    const DeviceInfo before = info;
    EXPECT_EQ(SysChangeMemorySize(kTwo, 2, &info), 0);
    EXPECT_EQ(SysChangeMemorySize(kTwo, -1, &info), 0);
    EXPECT_EQ(SysChangeMemorySize(kEmpty, 0, &info), 0);
    EXPECT_TRUE(sameBytes(info, before));
}

TEST_F(DeviceInfoTest, InterfacesAndAddressLimits) {
    EXPECT_EQ(SysGetInterfaceInfo(kTwo), 15);
    EXPECT_EQ(SysGetInterfaceInfo(kBare), 0);
    EXPECT_EQ(SysGetInterfaceInfo(kNoRange), 7);

    DeviceInfo info = initialTwo();
    ASSERT_EQ(SysChangeInterface(kTwo, 1, &info), 1);
    EXPECT_EQ(info.Address, 5) << "-1 lies outside 1..30";
    EXPECT_EQ(info.AddressMin, 1);
    EXPECT_EQ(info.AddressMax, 30);
    info.Address = 12;
    ASSERT_EQ(SysChangeInterface(kTwo, 2, &info), 1);
    EXPECT_EQ(info.Address, 12);
    ASSERT_EQ(SysChangeInterface(kTwo, 3, &info), 1);
    EXPECT_EQ(info.Address, 0);
    EXPECT_EQ(info.AddressMax, 0);

    const DeviceInfo before = info;
    EXPECT_EQ(SysChangeInterface(kTwo, 4, &info), 0);
    EXPECT_EQ(SysChangeInterface(kTwo, -1, &info), 0);
    EXPECT_EQ(SysChangeInterface(kBare, 3, &info), 0);
    EXPECT_EQ(SysChangeInterface(kNoRange, 3, &info), 0);
    EXPECT_TRUE(sameBytes(info, before));
}

TEST_F(DeviceInfoTest, FrequencyWarningsInEitherLanguage) {
    char text[SYS_WARNING_BUFFER];
    ASSERT_EQ(SysCheckFrequency(kTwo, 0, 1, 600.0, text), 1);
    EXPECT_STREQ(text, "Above 500 Hz");
    ASSERT_EQ(SysCheckFrequency(kTwo, 0, 0, 600.0, text), 1);
    EXPECT_STREQ(text, kJapaneseWarning);
    std::memset(text, '#', sizeof text);
    EXPECT_EQ(SysCheckFrequency(kTwo, 0, 1, 400.0, text), 0);
    EXPECT_EQ(SysCheckFrequency(kTwo, 1, 1, 600.0, text), 0) << "no warnings defined";
    EXPECT_EQ(SysCheckFrequency(kTwo, 2, 1, 600.0, text), 0);
    EXPECT_EQ(text[0], '#');
}

TEST_F(DeviceInfoTest, ScriptsAreCopiedIntoTheirSlots) {
    char buffer[SYS_SCRIPT_BUFFER];
    std::memset(buffer, '#', sizeof buffer);
    ASSERT_EQ(SysGetGPIBInfo(kTwo, 0, buffer), 2);
    EXPECT_EQ(std::string(buffer, 8), "identify") << "a full key has no terminator";
    EXPECT_STREQ(buffer + 8, "getsts");
    EXPECT_EQ(buffer[16], '#') << "slots past the count are left alone";
    EXPECT_STREQ(buffer + 400, "\"*IDN?,1,3,TWO\"");
    EXPECT_STREQ(buffer + 464, "\"*ESR?\"");
    EXPECT_EQ(buffer[528], '#');

    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(SysGetGPIBInfo(kTwo, 3, buffer), 0);
    EXPECT_EQ(SysGetGPIBInfo(kTwo, 4, buffer), -1);
    EXPECT_EQ(SysGetGPIBInfo(kTwo, -1, buffer), -1);
    EXPECT_EQ(SysGetGPIBInfo(kTwo, 0, nullptr), -1);
    EXPECT_EQ(buffer[0], '#');
}

TEST_F(DeviceInfoTest, NamesAndCountsAreBoundedCopies) {
    char name[SYS_NAME_BUFFER + 8];
    std::memset(name, '#', sizeof name);
    EXPECT_EQ(SysGetDeviceName(kTwo, name), 0);
    EXPECT_STREQ(name, "TWO");
    EXPECT_EQ(SysGetChannelCnt(kTwo), 2);
    EXPECT_EQ(SysGetChannelCnt(kBare), 1) << "without the channel flag one channel is offered";
    EXPECT_EQ(SysGetChannelCnt(kEmpty), 1);
    ASSERT_EQ(SysGetChannelName(kBare, 1, name), 1);
    EXPECT_STREQ(name, "a channel name far longer than ");
    EXPECT_EQ(name[SYS_NAME_BUFFER], '#');
    EXPECT_EQ(SysGetRangeCnt(kTwo, 0), 2);
    EXPECT_EQ(SysGetRangeCnt(kTwo, 2), 0);
    ASSERT_EQ(SysGetRangeName(kTwo, 0, 1, name), 1);
    EXPECT_STREQ(name, "1 V");
    std::memset(name, '#', sizeof name);
    EXPECT_EQ(SysGetRangeName(kTwo, 0, 2, name), 1);
    EXPECT_EQ(SysGetChannelName(kTwo, 2, name), 1);
    EXPECT_EQ(SysGetRangeName(kTwo, 2, 0, name), 0) << "no such channel";
    EXPECT_EQ(name[0], '#');
}

TEST_F(DeviceInfoTest, UnknownModelsGiveFailureValuesAndTouchNothing) {
    for (const int32_t model : {-1, 4, 1000}) {
        DeviceInfo info = initialTwo();
        const DeviceInfo before = info;
        char text[SYS_SCRIPT_BUFFER];
        std::memset(text, '#', sizeof text);
        EXPECT_EQ(SysGetDeviceName(model, text), 0);
        EXPECT_EQ(SysGetDeviceInfo(model, &info), 0);
        EXPECT_EQ(SysGetInitDeviceInfo(model, &info), 0);
        EXPECT_EQ(SysGetInterfaceInfo(model), 0);
        EXPECT_EQ(SysChangeInterface(model, 0, &info), 0);
        EXPECT_EQ(SysGetMemorySizeCnt(model), 0);
        EXPECT_EQ(SysGetMemorySizeName(model, 0, text), 0);
        EXPECT_EQ(SysChangeMemorySize(model, 0, &info), 0);
        EXPECT_EQ(SysGetChannelCnt(model), 0);
        EXPECT_EQ(SysGetChannelName(model, 0, text), 0);
        EXPECT_EQ(SysChangeChannel(model, 0, &info), 0);
        EXPECT_EQ(SysGetRangeCnt(model, 0), 0);
        EXPECT_EQ(SysGetRangeName(model, 0, 0, text), 0);
        EXPECT_EQ(SysChangeRange(model, 0, 0, &info), 0);
        EXPECT_EQ(SysCheckFrequency(model, 0, 1, 600.0, text), 0);
        EXPECT_EQ(SysChangeFrequency(model, 0, 100.0, &info), 0);
        EXPECT_EQ(SysChangeCycle(model, 0, 0, 0.5, &info), 0);
        EXPECT_EQ(SysChangeAmplitude(model, 0, 0, 1.0, &info), 0);
        EXPECT_EQ(SysChangeOffset(model, 0, 0, 0.0, &info), 0);
        EXPECT_EQ(SysGetGPIBInfo(model, 0, text), -1);
        EXPECT_TRUE(sameBytes(info, before)) << model;
        EXPECT_EQ(text[0], '#') << model;
    }
    EXPECT_EQ(SysGetDeviceInfo(kTwo, nullptr), 0);
    EXPECT_EQ(SysChangeFrequency(kTwo, 0, 100.0, nullptr), 0);
}

TEST_F(DeviceInfoTest, ModelsLackingListsAreRefusedAndEmptyBlocksReadAsZeros) {
    DeviceInfo info = initialTwo();
    const DeviceInfo before = info;
    EXPECT_EQ(SysGetDeviceInfo(kEmpty, &info), 0);
    EXPECT_EQ(SysGetInitDeviceInfo(kEmpty, &info), 0);
    EXPECT_EQ(SysGetDeviceInfo(kNoRange, &info), 0);
    EXPECT_EQ(SysGetInitDeviceInfo(kNoRange, &info), 0);
    EXPECT_TRUE(sameBytes(info, before));

    // BARE has no data bits, no frequency block and a range without amplitude or offset.
    info.ChannelIndex = 1;
    ASSERT_EQ(SysGetDeviceInfo(kBare, &info), 1);
    EXPECT_EQ(info.ChannelIndex, 0) << "one channel is offered without the channel flag";
    EXPECT_EQ(info.MaxCode, 0);
    EXPECT_EQ(info.DataCodeLow, 0);
    EXPECT_EQ(info.DataCodeHigh, 0);
    EXPECT_EQ(info.MemoryNumberSelectable, 0);
    EXPECT_DOUBLE_EQ(info.Frequency, 0.0);
    EXPECT_DOUBLE_EQ(info.Cycle, 0.0);
    EXPECT_DOUBLE_EQ(info.CycleOfFrequencyMin, 0.0);
    EXPECT_DOUBLE_EQ(info.CycleReso, 0.0);
    EXPECT_DOUBLE_EQ(info.Amplitude, 0.0);
    EXPECT_DOUBLE_EQ(info.AmplitudeMax, 0.0);
    ASSERT_EQ(SysGetInitDeviceInfo(kBare, &info), 1);
    EXPECT_EQ(info.MemorySize, 4096);
}

TEST(DataCodes, FollowTheMaxCode) {
    struct Case {
        uint32_t mask;
        int32_t maxCode;
        int16_t low, high;
    };
    const Case cases[] = {{0x3FFF, 16383, -8192, 8191},
                          {0xFFF, 4095, -2048, 2047},
                          {0xFFFF, 65535, -32768, 32767},
                          {0, 0, 0, 0}};
    for (const Case& c : cases) {
        ModelEntry model;
        model.dataBitMask = c.mask;
        model.memorySizes.emplace_back();
        model.channels.emplace_back().ranges.emplace_back();
        DeviceInfo info{};
        fillInitDeviceInfo(model, info);
        EXPECT_EQ(info.MaxCode, c.maxCode) << std::hex << c.mask;
        EXPECT_EQ(info.DataCodeLow, c.low) << std::hex << c.mask;
        EXPECT_EQ(info.DataCodeHigh, c.high) << std::hex << c.mask;
        EXPECT_EQ(info.DataMask, c.mask);
    }
}
