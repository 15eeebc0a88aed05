// Command objects filled from model scripts: every key, the fallback from
// the memory option text, formatting, name substitution and the masks.
#include "GpibCommand.h"
#include "CommandStrings.h"
#include "FakeServices.h"
#include "ScriptText.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace zw;
using zw::test::RecordingMessages;
using zw::test::Script;
using zw::test::SetField;

namespace {

DeviceInfo Setting(const char* option = "") {
    DeviceInfo info{};
    SetField(info.MemoryOption, option);
    return info;
}

struct Filled {
    RecordingMessages messages;
    clsGpibCommand command{messages};
    explicit Filled(const std::string& lines, const char* option = "") {
        command.FillFromScript(Script(lines), Setting(option));
    }
};

} // namespace

TEST(GpibCommand, QueriesGiveTheirReplyPositions) {
    Filled f("maker = *IDN?,1,2\n"
             "model = *IDN?,4,7,SIM-ARB\n"
             "version = *IDN?,14,4\n"
             "serial = *IDN?,12,1\n");
    int start = 0, length = 0;
    std::string expected;
    EXPECT_EQ(f.command.Maker(start, length), "*IDN?");
    EXPECT_EQ(start, 1);
    EXPECT_EQ(length, 2);
    EXPECT_EQ(f.command.Model(start, length, expected), "*IDN?");
    EXPECT_EQ(start, 4);
    EXPECT_EQ(length, 7);
    EXPECT_EQ(expected, "SIM-ARB");
    EXPECT_EQ(f.command.Version(start, length), "*IDN?");
    EXPECT_EQ(start, 14);
    EXPECT_EQ(f.command.Serial(start, length), "*IDN?");
    EXPECT_EQ(length, 1);
}

TEST(GpibCommand, ExpectedIdentityMayHoldCommas) {
    Filled f("model = *IDN?,1,10,ZW,SIM-ARB");
    int start = 0, length = 0;
    std::string expected;
    f.command.Model(start, length, expected);
    EXPECT_EQ(expected, "ZW,SIM-ARB");
}

TEST(GpibCommand, PlainCommandsAndSwitches) {
    Filled f("preset = *RST\n"
             "headoff = HEAD OFF\n"
             "getsts = *ESR?\n"
             "geterr = SYST:ERR?\n"
             "gpibcmd = *CLS\n"
             "arbfmt = FORM:BORD NORM\n"
             "ofson = OFFS:STAT ON\n"
             "ofsoff = OFFS:STAT OFF\n"
             "outon = OUTP ON\n"
             "outoff = OUTP OFF\n");
    const clsGpibCommand& c = f.command;
    EXPECT_EQ(c.Preset(), "*RST");
    EXPECT_EQ(c.HeaderOff(), "HEAD OFF");
    EXPECT_EQ(c.GetStatus(), "*ESR?");
    EXPECT_EQ(c.GetErrorMessage(), "SYST:ERR?");
    EXPECT_EQ(c.SendGpibCommand(), "*CLS");
    EXPECT_EQ(c.ArbFormat(), "FORM:BORD NORM");
    EXPECT_EQ(c.DcOffset(true), "OFFS:STAT ON");
    EXPECT_EQ(c.DcOffset(false), "OFFS:STAT OFF");
    EXPECT_EQ(c.Output(ZW_OUTPUT_ON), "OUTP ON");
    EXPECT_EQ(c.Output(ZW_OUTPUT_OFF), "OUTP OFF");
    EXPECT_EQ(c.Output(ZW_OUTPUT_NO_CHANGE), "");
    EXPECT_EQ(c.ArbPreCommand(), "");
    EXPECT_TRUE(f.messages.boxes.empty());
}

TEST(GpibCommand, FormattedCommandsRenderTheValueWithThePattern) {
    Filled f("freq = FREQ,0.000E+00\n"
             "amprng = VOLT:RANG,0\n"
             "amp = VOLT,0.000\n"
             "offset = VOLT:OFFS,0.00\n"
             "channel = INST:SEL CH,0\n"
             "arbstt = DATA:STAR,0\n"
             "arbsize = DATA:POIN,0\n");
    const clsGpibCommand& c = f.command;
    EXPECT_EQ(c.frequency(1000), "FREQ 1.000E+03");
    EXPECT_EQ(c.frequency(), "FREQ");
    EXPECT_EQ(c.AmplitudeRange(2), "VOLT:RANG 2");
    EXPECT_EQ(c.AmplitudeLevel(1.25), "VOLT 1.250");
    EXPECT_EQ(c.DcOffsetLevel(-0.5), "VOLT:OFFS -0.50");
    EXPECT_EQ(c.channel(2), "INST:SEL CH 2");
    EXPECT_EQ(c.ArbStartAddress(0), "DATA:STAR 0");
    EXPECT_EQ(c.ArbSize(65536), "DATA:POIN 65536");
}

TEST(GpibCommand, AFormatlessEntryGivesTheBareCommandAndAMissingOneNothing) {
    Filled f("freq = FREQ");
    EXPECT_EQ(f.command.frequency(1000), "FREQ");
    EXPECT_EQ(f.command.AmplitudeLevel(1), "");
}

TEST(GpibCommand, BankOffsetIsAddedToTheBankNumber) {
    Filled f("arbbank = DATA:BANK,0,1");
    EXPECT_EQ(f.command.ArbBank(0), "DATA:BANK 1");
    EXPECT_EQ(f.command.ArbBank(3), "DATA:BANK 4");
    EXPECT_EQ(f.command.ArbBank(), "DATA:BANK");
    Filled noOffset("arbbank = DATA:BANK,0");
    EXPECT_EQ(noOffset.command.ArbBank(3), "DATA:BANK 3");
}

TEST(GpibCommand, HexWordsBecomeCharactersJoinedWithoutSpaces) {
    Filled f("arbsend = DATA:DAC _$Name 0x0A");
    EXPECT_EQ(f.command.ArbSend("W1"), "DATA:DAC W1\n");
    EXPECT_EQ(ExpandHexWords("A 0x3B B C"), "A;B C");
    EXPECT_EQ(ExpandHexWords("0x2Astart"), "*start");
    EXPECT_EQ(ExpandHexWords("KEEP 0xZZ"), "KEEP 0xZZ");
}

TEST(GpibCommand, NameIsCutToTheModelsMaximumLength) {
    Filled f("arbname = DATA:NAME _$Name,8\n"
             "arbsend = DATA:COPY _$Name");
    EXPECT_EQ(f.command.ArbName("WAVEFORM_LONG"), "DATA:NAME WAVEFORM");
    EXPECT_EQ(f.command.ArbSend("WAVEFORM_LONG"), "DATA:COPY WAVEFORM");
    EXPECT_EQ(f.command.ArbSend(), "DATA:COPY _$Name");
}

TEST(GpibCommand, NameWithoutLimitIsKeptAndLosesControlCharacters) {
    Filled f("arbsend = DATA:COPY _$Name");
    EXPECT_EQ(f.command.ArbSend("A_VERY_LONG_NAME"), "DATA:COPY A_VERY_LONG_NAME");
    EXPECT_EQ(f.command.ArbSend("AB\nC\r"), "DATA:COPY ABC");
}

TEST(GpibCommand, UploadCommandFallsBackToTheMemoryOptionText) {
    Filled two("preset = *RST", "\"DATA:CLE, DATA:DAC VOLATILE,\"");
    EXPECT_EQ(two.command.ArbSend(), "DATA:DAC VOLATILE");
    EXPECT_EQ(two.command.ArbPreCommand(), "DATA:CLE");
    EXPECT_EQ(two.command.Preset(), "*RST");
    Filled one("preset = *RST", "TRAC:DATA");
    EXPECT_EQ(one.command.ArbSend(), "TRAC:DATA");
    EXPECT_EQ(one.command.ArbPreCommand(), "");
    Filled own("arbsend = MINE", "TRAC:DATA");
    EXPECT_EQ(own.command.ArbSend(), "MINE");
    EXPECT_TRUE(two.messages.boxes.empty());
}

TEST(GpibCommand, ByteSwapTextIsCheckedAndReported) {
    Filled upper("arbbswap = TRUE");
    EXPECT_TRUE(upper.command.ArbByteSwap());
    Filled none("preset = *RST");
    EXPECT_FALSE(none.command.ArbByteSwap());
    Filled wrong("arbbswap = false");
    EXPECT_FALSE(wrong.command.ArbByteSwap());
    ASSERT_EQ(wrong.messages.boxes.size(), 1u);
    EXPECT_EQ(wrong.messages.boxes[0].title, "Interface System Error");
    EXPECT_EQ(wrong.messages.boxes[0].text, "ArbByteSwap Command Error\rfalse");
}

TEST(GpibCommand, MasksReadDecimalOrHexadecimal) {
    Filled hex("arbmask = 0x3FFF\nerrmask = 0X3C");
    Filled dec("arbmask = 16383\nerrmask = 60");
    EXPECT_EQ(hex.command.ArbBitMask(), 0x3FFFu);
    EXPECT_EQ(dec.command.ArbBitMask(), 0x3FFFu);
    EXPECT_EQ(hex.command.ErrorMask(), 0x3C);
    EXPECT_EQ(dec.command.ErrorMask(), 60);
    Filled wide("arbmask = 0xFFFFFFFC\nerrmask = 0xFFFF");
    EXPECT_EQ(wide.command.ArbBitMask(), 0xFFFFFFFCu);
    EXPECT_EQ(wide.command.ErrorMask(), -1);
    Filled none("preset = *RST");
    EXPECT_EQ(none.command.ArbBitMask(), 0u);
    EXPECT_EQ(none.command.ErrorMask(), 0);
}

TEST(GpibCommand, UnknownKeyIsReportedOnceAndTheOthersStillWork) {
    Filled f("frq = FREQ,0\n"
             "FREQ = FREQ,0.0\n"
             "  Amp   = VOLT,0.0\n");
    ASSERT_EQ(f.messages.boxes.size(), 1u);
    EXPECT_EQ(f.messages.boxes[0].title, "GPIB System Error");
    EXPECT_EQ(f.messages.boxes[0].text, "Script Error\rfrq");
    EXPECT_EQ(f.command.frequency(5), "FREQ 5.0");
    EXPECT_EQ(f.command.AmplitudeLevel(1), "VOLT 1.0");
}

TEST(GpibCommand, SetUpWithoutResetOverwritesOnlyTheGivenKeys) {
    RecordingMessages messages;
    clsGpibCommand c(messages);
    c.SetUp(true, {"preset", "freq", ""}, {{"*RST"}, {"FREQ", "0"}});
    c.SetUp(false, {"freq", ""}, {{"F", "0.0"}});
    EXPECT_EQ(c.Preset(), "*RST");
    EXPECT_EQ(c.frequency(2), "F 2.0");
    c.SetUp(true, {"outon", "", "preset"}, {{"OUTP ON"}, {}, {"*RST"}});
    EXPECT_EQ(c.Preset(), ""); // reset, and the list ended at the empty key
    EXPECT_EQ(c.Output(0), "OUTP ON");
}

TEST(GpibCommand, QuotesAndBlanksAroundColumnsAreRemoved) {
    Filled f("freq =  ' FREQ ' , \"0.0\" ");
    EXPECT_EQ(f.command.frequency(1), "FREQ 1.0");
}

TEST(CommandStrings, SettingStringFollowsTheFixedOrder) {
    Filled f("preset = *RST\n"
             "headoff = HEAD OFF\n"
             "channel = INST CH,0\n"
             "freq = FREQ,0.0\n"
             "ofson = OFFS ON\n"
             "ofsoff = OFFS OFF\n"
             "amprng = RANG,0\n"
             "amp = VOLT,0.00\n"
             "offset = VOLT:OFFS,0.00\n"
             "outon = OUTP ON\n");
    DeviceInfo s{};
    s.ChannelFlag = 1;
    s.ChannelIndex = 1;
    s.Frequency = 1000;
    s.OffsetSwitchState = 0;
    s.RangeIndex = 2;
    s.Amplitude = 2;
    s.Offset = 0.5;
    s.OutputState = ZW_OUTPUT_ON;
    EXPECT_EQ(BuildSettingString(f.command, s), "*RST;HEAD OFF;INST CH 2;FREQ 1000.0;OFFS OFF;"
                                                "RANG 2;VOLT 2.00 VPP;VOLT:OFFS 0.50;OUTP ON");
    s.ChannelFlag = 0;
    s.OutputState = ZW_OUTPUT_NO_CHANGE;
    s.OffsetSwitchState = 1;
    EXPECT_EQ(BuildSettingString(f.command, s),
              "*RST;HEAD OFF;FREQ 1000.0;OFFS ON;RANG 2;VOLT 2.00 VPP;VOLT:OFFS 0.50");
}

TEST(CommandStrings, UploadStringSkipsWhatTheModelLacks) {
    Filled f("preset = *RST\n"
             "arbbank = BANK,0,1\n"
             "arbname = NAME _$Name,4\n"
             "arbsend = DATA _$Name 0x2C _$Block\n");
    DeviceInfo s{};
    SetField(s.MemoryName, "WAVE1   ");
    s.MemoryNumber = 2;
    EXPECT_EQ(BuildUploadString(f.command, s, 1000), "*RST;BANK 3;NAME WAVE;DATA WAVE,_$Block");
    std::string upload = BuildUploadString(f.command, s, 1000);
    EXPECT_EQ(TakeBlockPlaceholder(upload), BlockFraming::Header);
    EXPECT_EQ(upload, "*RST;BANK 3;NAME WAVE;DATA WAVE,");
    std::string misplaced = "DATA _$Block,X";
    EXPECT_EQ(TakeBlockPlaceholder(misplaced), BlockFraming::Invalid);
    std::string plain = "DATA";
    EXPECT_EQ(TakeBlockPlaceholder(plain), BlockFraming::None);
    EXPECT_EQ(BlockHeader(131072), "#6131072");
    EXPECT_EQ(BlockHeader(6), "#16");
}
