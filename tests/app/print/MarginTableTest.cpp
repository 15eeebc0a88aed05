// The margins of the Print window: typed values, the up-down limits, and
// which printout each tool gets.
#include "MarginTable.h"
#include "CaptionCatalog.h"
#include "PrintOutcome.h"
#include "PrintoutChoice.h"

#include <gtest/gtest.h>

namespace {

using zw::MarginTable;

TEST(MarginTable, StartsAtFiveMillimetresEverywhere) {
    const MarginTable m;
    for (int i = 0; i < MarginTable::kCount; ++i)
        EXPECT_EQ(m.margin(i), 5) << i;
}

TEST(MarginTable, TypedValuesAreLimitedAndRoundedDown) {
    MarginTable m;
    EXPECT_EQ(m.commitText(0, u"3"), 5);
    EXPECT_EQ(m.commitText(1, u"12.7"), 12);
    EXPECT_EQ(m.commitText(2, u"250"), 100);
    EXPECT_EQ(m.left(), 5);
    EXPECT_EQ(m.top(), 12);
    EXPECT_EQ(m.bottom(), 100);
    EXPECT_EQ(m.commitText(1, u" 99.999 "), 99);
    EXPECT_EQ(m.commitText(1, u"100.5"), 100);
    EXPECT_EQ(m.commitText(1, u"4.99"), 5);
    EXPECT_EQ(m.commitText(1, u"-20"), 5);
    EXPECT_EQ(m.commitText(1, u"1e300"), 100);
}

TEST(MarginTable, TextThatIsNoNumberKeepsTheMargin) {
    MarginTable m;
    m.commitText(0, u"42");
    EXPECT_EQ(m.commitText(0, u"abc"), 42);
    EXPECT_EQ(m.commitText(0, u""), 42);
    EXPECT_EQ(m.commitText(0, u"nan"), 42);
    EXPECT_EQ(m.left(), 42);
}

TEST(MarginTable, UpDownStopsAtTheLimits) {
    MarginTable m;
    EXPECT_FALSE(m.stepDown(0));
    EXPECT_EQ(m.left(), 5);
    EXPECT_TRUE(m.stepUp(0));
    EXPECT_EQ(m.left(), 6);
    EXPECT_TRUE(m.stepDown(0));
    EXPECT_EQ(m.left(), 5);

    m.commitText(2, u"100");
    EXPECT_FALSE(m.stepUp(2));
    EXPECT_EQ(m.bottom(), 100);
    EXPECT_TRUE(m.stepDown(2));
    EXPECT_EQ(m.bottom(), 99);
}

TEST(MarginTable, OnlyTheShownMarginsAreEdited) {
    MarginTable m;
    EXPECT_FALSE(m.stepUp(3));
    EXPECT_FALSE(m.stepUp(4));
    EXPECT_FALSE(m.stepUp(-1));
    EXPECT_EQ(m.commitText(4, u"50"), 5);
    EXPECT_EQ(m.margin(7), 5);
}

TEST(MarginTable, TheRightMarginFollowsTheLeft) {
    MarginTable m;
    m.commitText(0, u"30");
    EXPECT_EQ(m.right(), 30);
    m.stepUp(0);
    EXPECT_EQ(m.right(), 31);
    m.commitText(1, u"60");
    EXPECT_EQ(m.right(), 31);
}

TEST(PrintoutChoice, FollowsTheActiveTool) {
    using zw::Printout;
    using zw::ToolMode;
    EXPECT_EQ(zw::PrintoutFor(ToolMode::Create), Printout::CreationPages);
    EXPECT_EQ(zw::PrintoutFor(ToolMode::Compress), Printout::Nothing);
    EXPECT_EQ(zw::PrintoutFor(ToolMode::Interpolate), Printout::Nothing);
    EXPECT_EQ(zw::PrintoutFor(ToolMode::Operate), Printout::Nothing);
    EXPECT_EQ(zw::PrintoutFor(ToolMode::SystemSetup), Printout::SystemSetup);
    EXPECT_EQ(zw::PrintoutFor(ToolMode::None), Printout::Waveform);
}

TEST(PrintOutcome, FailuresNameThePrinterOrTheFile) {
    using zw::PrintOutcome;
    const zw::CaptionCatalog en(zw::Language::English);
    EXPECT_EQ(zw::PrintOutcomeText(PrintOutcome::FileFailed, en, "lp0", "/x/out.pdf"),
              "Cannot write the PDF file: /x/out.pdf");
    EXPECT_EQ(zw::PrintOutcomeText(PrintOutcome::PrinterFailed, en, "lp0", "/x/out.pdf"),
              "The printer could not print. Printer: lp0");
    EXPECT_FALSE(zw::PrintOutcomeText(PrintOutcome::NoRoom, en, "lp0", "").isEmpty());
    EXPECT_TRUE(zw::PrintOutcomeText(PrintOutcome::Printed, en, "lp0", "").isEmpty());
    EXPECT_TRUE(zw::PrintOutcomeText(PrintOutcome::NothingToPrint, en, "lp0", "").isEmpty());
    const zw::CaptionCatalog ja(zw::Language::Japanese);
    EXPECT_TRUE(zw::PrintOutcomeText(PrintOutcome::FileFailed, ja, "", "/x/out.pdf")
                    .startsWith(QString::fromUtf8("PDFファイル")));
}

} // namespace
