// The setup and creation-page listings as data: labels in both languages,
// value texts, which lines each setting and page type gets, and the numbers
// with at most six (or thirteen) decimals.
#include "CaptionCatalog.h"
#include "ListingNumber.h"
#include "PageListing.h"
#include "SetupListing.h"
#include "Units.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using zw::CaptionCatalog;
using zw::Language;

TEST(ListingNumber, AtMostSixDecimalsWithoutTrailingZeros) {
    EXPECT_EQ(zw::ListingNumber(0), "0");
    EXPECT_EQ(zw::ListingNumber(1000), "1000");
    EXPECT_EQ(zw::ListingNumber(2.5), "2.5");
    EXPECT_EQ(zw::ListingNumber(0.5), ".5");
    EXPECT_EQ(zw::ListingNumber(-0.25), "-.25");
    EXPECT_EQ(zw::ListingNumber(1.0 / 3), ".333333");
    EXPECT_EQ(zw::ListingNumber(2.0 / 3), ".666667");
    EXPECT_EQ(zw::ListingNumber(123456.1234567), "123456.123457");
    EXPECT_EQ(zw::ListingNumber(2.0000004), "2");
    EXPECT_EQ(zw::ListingNumber(1e-7), "0");
    EXPECT_EQ(zw::ListingNumber(-1e-7), "0");
}

TEST(ListingNumber, ThirteenDecimalsForFrequencyAndPeriod) {
    EXPECT_EQ(zw::ListingNumber(1.0 / 3, zw::kFrequencyDecimals), ".3333333333333");
    EXPECT_EQ(zw::ListingNumber(1e-6, zw::kFrequencyDecimals), ".000001");
    EXPECT_EQ(zw::ListingNumber(12345678.5, zw::kFrequencyDecimals), "12345678.5");
}

void setText(char* field, std::size_t size, const char* text) {
    std::memset(field, ' ', size);
    std::memcpy(field, text, std::min(size, std::strlen(text)));
}

zw::SetupListingSource sampleSetup() {
    zw::SetupListingSource s;
    DeviceInfo& d = s.info;
    d.Address = 7;
    d.MemoryNameFlag = 1;
    setText(d.MemoryName, sizeof d.MemoryName, "PULSE");
    d.MemoryNumberSelectable = 1;
    d.MemoryNumber = 3;
    d.OutputState = ZW_OUTPUT_NO_CHANGE;
    d.Frequency = 1.0 / 3;
    d.Cycle = 3;
    d.Amplitude = 2.5;
    d.Offset = -0.25;
    d.OffsetSwitchAvailable = 1;
    d.OffsetSwitchState = 1;
    d.XUnit = 1;
    d.XUserStart = 0;
    d.XUserEnd = 1;
    d.YUnit = 2;
    d.YUserMin = -1.5;
    d.YUserMax = 1.5;
    setText(d.XUnitName, sizeof d.XUnitName, "ms");
    setText(d.YUnitName, sizeof d.YUnitName, "mbar");
    s.interfaceType = 0;
    s.modelName = "FG-100";
    s.memorySizeName = "64K";
    s.channelName = "CH1";
    s.rangeName = "10V";
    return s;
}

TEST(SetupListing, EveryLineInEnglish) {
    const zw::Listing listing =
        zw::BuildSetupListing(sampleSetup(), CaptionCatalog(Language::English));
    const QStringList expected = {
        "<System Setup>",
        "[Basic Setup]",
        "Model\tFG-100",
        "Interface\tNI GPIB",
        "GPIB Address\t7",
        "[Wave Memory Setup]",
        "Memory Size\t64K",
        "Memory Name\tPULSE",
        "Memory Number\t3",
        "[Oscillator Setup]",
        "Channel\tCH1",
        "Output ON/OFF\tNO CHANGE",
        "Frequency\t.3333333333333 Hz",
        "Period\t3 sec",
        "Range\t10V",
        "Amplitude\t2.5 Vp-p",
        "DC Offset\t-.25 V",
        "DC Offset ON/OFF\tON",
        "<Unit Setup>",
        "[X-Axis Unit]",
        "X-Axis Unit\tTime",
        "Name\tms",
        "Min to Max\t0,1",
        "[Y-Axis Unit]",
        "Y-Axis Unit\tUser Unit",
        "Name\tmbar",
        "Min to Max\t-1.5,1.5",
    };
    EXPECT_EQ(listing.texts(), expected);
    ASSERT_EQ(listing.blocks.size(), 2u);
    EXPECT_EQ(listing.blocks[1].lines.front().label, "<Unit Setup>");
}

TEST(SetupListing, JapaneseLabels) {
    const QStringList t =
        zw::BuildSetupListing(sampleSetup(), CaptionCatalog(Language::Japanese)).texts();
    EXPECT_EQ(t.value(0), QString::fromUtf8("<ｼｽﾃﾑ設定>"));
    EXPECT_TRUE(t.contains(QString::fromUtf8("周波数\t.3333333333333 Hz")));
    EXPECT_TRUE(t.contains(QString::fromUtf8("ｵﾌｾｯﾄON/OFF\tON")));
    EXPECT_TRUE(t.contains(QString::fromUtf8("単位\t時間")));
    EXPECT_TRUE(t.contains(QString::fromUtf8("<単位設定>")));
    EXPECT_TRUE(t.contains(QString::fromUtf8("最小値～最大値\t-1.5,1.5")));
}

TEST(SetupListing, LinesFollowTheSetting) {
    zw::SetupListingSource s = sampleSetup();
    s.interfaceType = 3;
    s.serialNumber = "SN1234 ";
    s.info.MemoryNameFlag = 0;
    s.info.MemoryNumberSelectable = 0;
    s.info.OffsetSwitchAvailable = 0;
    s.info.OutputState = ZW_OUTPUT_ON;
    const QStringList t = zw::BuildSetupListing(s, CaptionCatalog(Language::English)).texts();
    EXPECT_TRUE(t.contains("Interface\tUSB(TMC)"));
    EXPECT_TRUE(t.contains("USB ID\tSN1234"));
    EXPECT_FALSE(t.contains("GPIB Address\t7"));
    EXPECT_FALSE(t.filter("Memory Name").size());
    EXPECT_FALSE(t.filter("Memory Number").size());
    EXPECT_FALSE(t.filter("DC Offset ON/OFF").size());
    EXPECT_TRUE(t.contains("Output ON/OFF\tON"));

    s.info.OutputState = ZW_OUTPUT_OFF;
    s.info.OffsetSwitchAvailable = 1;
    s.info.OffsetSwitchState = 0;
    const QStringList off = zw::BuildSetupListing(s, CaptionCatalog(Language::English)).texts();
    EXPECT_TRUE(off.contains("Output ON/OFF\tOFF"));
    EXPECT_TRUE(off.contains("DC Offset ON/OFF\tOFF"));
}

// X in seconds over a 2 ms period of 1000 samples, Y in volts over 10 V p-p.
zw::Units timeAndVolts() {
    zw::UnitSetting u;
    u.XUnit = 1;
    u.YUnit = 1;
    u.WaveLength = 1000;
    u.Cycle = 0.002;
    u.Amplitude = 10;
    return zw::Units(u);
}

std::vector<zw::PageFields> samplePages() {
    zw::PageFields sine;
    sine.number = 1;
    sine.effective = true;
    sine.type = 0;
    sine.start = 250;
    sine.end = 750;
    sine.size = 500;
    sine.offset = 6553.4;   // 1 V
    sine.amplitude = 32767; // 5 V
    sine.cycles = 2.5;
    sine.phase = 90;
    sine.duty = 50; // not a sine's parameter: not printed

    zw::PageFields hidden = sine;
    hidden.number = 2;
    hidden.effective = false;

    zw::PageFields square = sine;
    square.number = 3;
    square.type = 2;
    square.duty = 25;
    square.transition = 1.0 / 3;

    zw::PageFields formula;
    formula.number = 4;
    formula.effective = true;
    formula.type = 5;
    formula.end = 1000;
    formula.size = 1000;
    formula.constants = "a=1\r\nb=2";
    formula.expression = " sin(x) * a ";
    return {sine, hidden, square, formula};
}

TEST(PageListing, EffectivePagesWithTheirParameters) {
    const zw::Listing listing =
        zw::BuildPageListing(samplePages(), timeAndVolts(), CaptionCatalog(Language::English));
    const QStringList expected = {
        "+++++++++++++++",      "Page\t1",
        "Function\tSin",        "Start X\t.0005 sec",
        "End X\t.0015 sec",     "Size\t.001 sec",
        "Offset\t1 V",          "Amplitude\t5 V",
        "Period\t2.5",          "Phase\t90",
        "---------------",      "Page\t3",
        "Function\tSquare",     "Start X\t.0005 sec",
        "End X\t.0015 sec",     "Size\t.001 sec",
        "Offset\t1 V",          "Amplitude\t5 V",
        "Period\t2.5",          "Phase\t90",
        "Duty Ratio\t25",       "Transition\t.333333",
        "---------------",      "Page\t4",
        "Function\tExpression", "Start X\t0 sec",
        "End X\t.002 sec",      "Size\t.002 sec",
        "Constant\ta=1\nb=2",   "Y=\tsin(x) * a",
        "---------------",      "+++++++++++++++",
    };
    EXPECT_EQ(listing.texts(), expected);
    // One block per page; the opening and closing lines travel with them.
    EXPECT_EQ(listing.blocks.size(), 3u);
}

TEST(PageListing, JapaneseLabelsAndTypeNames) {
    const QStringList t =
        zw::BuildPageListing(samplePages(), timeAndVolts(), CaptionCatalog(Language::Japanese))
            .texts();
    EXPECT_TRUE(t.contains(QString::fromUtf8("ﾍﾟｰｼﾞ\t1")));
    EXPECT_TRUE(t.contains(QString::fromUtf8("波形\t正弦波")));
    EXPECT_TRUE(t.contains(QString::fromUtf8("波形\t方形波")));
    EXPECT_TRUE(t.contains(QString::fromUtf8("遷移\t.333333")));
    EXPECT_TRUE(t.contains(QString::fromUtf8("ﾃﾞｭｰﾃｨ\t25")));
    EXPECT_TRUE(t.contains(QString::fromUtf8("定数\ta=1\nb=2")));
}

TEST(PageListing, NoPagesStillOpensAndCloses) {
    const QStringList t =
        zw::BuildPageListing({}, timeAndVolts(), CaptionCatalog(Language::English)).texts();
    EXPECT_EQ(t, QStringList({"+++++++++++++++", "+++++++++++++++"}));
}

TEST(PageListing, SamplesAndCodesWhenThoseAreTheUnits) {
    zw::UnitSetting u;
    u.WaveLength = 1000;
    zw::PageFields level;
    level.number = 9;
    level.effective = true;
    level.type = 4;
    level.start = 10;
    level.end = 20;
    level.size = 10;
    level.offset = -1234;
    const QStringList t =
        zw::BuildPageListing({level}, zw::Units(u), CaptionCatalog(Language::English)).texts();
    EXPECT_TRUE(t.contains("Start X\t10 Word"));
    EXPECT_TRUE(t.contains("Offset\t-1234"));
    EXPECT_FALSE(t.filter("Amplitude").size()); // a level has none
}

} // namespace
