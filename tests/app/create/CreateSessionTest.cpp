// The Create window's commands without the window.
#include "CreateSession.h"
#include "CreateTestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zw;
using namespace zw::create;
using namespace zw::create::test;

namespace {

struct Session : ::testing::Test {
    Memory work;
    Memory document;
    PageTable table{1000};
};

} // namespace

TEST_F(Session, ValuesAreTypedAndShownInTheDisplayUnits) {
    // 1 ms over 1000 samples; -1 V .. 1 V.
    CreateSession s(table, work.get(), Units(TimeAndVolts()), CreateMode::InPlace);
    s.open(1);
    EXPECT_TRUE(s.typeArea(0, "100u").accepted);
    EXPECT_TRUE(s.typeArea(1, " 0.5m ").accepted);
    EXPECT_DOUBLE_EQ(s.page().Start, 100);
    EXPECT_DOUBLE_EQ(s.page().End, 500);
    EXPECT_DOUBLE_EQ(s.page().Size, 400);
    EXPECT_EQ(s.areaText(0), "100u");
    EXPECT_EQ(s.parameterText(PageParameter::Size), "400u");

    EXPECT_TRUE(s.typeParameter(PageParameter::Offset, "500m").accepted);
    EXPECT_NEAR(s.page().Offset, 16383.5, 1e-9);
    EXPECT_EQ(s.parameterText(PageParameter::Offset), "500m");
    EXPECT_TRUE(s.typeParameter(PageParameter::Amplitude, "1").accepted);
    EXPECT_NEAR(s.page().Amplitude, 32767, 1e-9);
    EXPECT_TRUE(s.typeParameter(PageParameter::Cycles, "2.5").accepted);
    EXPECT_EQ(s.parameterText(PageParameter::Cycles), "2.5");

    // A size beyond the memory's end is limited; end follows start + size.
    EXPECT_TRUE(s.typeParameter(PageParameter::Size, "2m").accepted);
    EXPECT_DOUBLE_EQ(s.page().End, 1000);
    // Typing marks the page.
    EXPECT_TRUE(s.page().Effective && s.page().Visited);
}

TEST_F(Session, TextThatIsNoNumberIsRefusedAndChangesNothing) {
    CreateSession s(table, work.get(), Units(SamplesAndCodes()), CreateMode::InPlace);
    s.open(1);
    const PageRecord before = s.page();
    for (const char* text : {"", "abc", "12x", "1e999", "--1"})
        EXPECT_FALSE(s.typeParameter(PageParameter::Phase, text).accepted) << text;
    EXPECT_FALSE(s.typeArea(1, "x").accepted);
    EXPECT_TRUE(s.page().sameContents(before));
    EXPECT_FALSE(s.typePage("0").accepted);
    EXPECT_FALSE(s.typePage("201").accepted);
    EXPECT_TRUE(s.typePage("17").accepted);
    EXPECT_EQ(s.currentPage(), 17);
    EXPECT_EQ(s.parameterText(PageParameter::Amplitude), "65534");
}

TEST_F(Session, TypeChangesRecomputeTheShownPage) {
    CreateSession s(table, work.get(), Units(SamplesAndCodes()), CreateMode::InPlace);
    s.open(1);
    s.typeArea(0, "0");
    s.typeArea(1, "4");
    EXPECT_EQ(work.codes(0, 4), (std::vector<int16_t>{0, 32767, 0, -32767}));
    EXPECT_EQ(s.setType(PageType::Square), 0);
    EXPECT_EQ(work.codes(0, 4), (std::vector<int16_t>{32767, 32767, -32767, -32767}));
    EXPECT_EQ(s.setType(PageType::Expression), 0); // no formula yet: nothing to show
    s.setExpression("x*10");
    EXPECT_TRUE(s.page().modified());
    EXPECT_EQ(s.compute(), 0);
    EXPECT_EQ(work.codes(0, 4), (std::vector<int16_t>{0, 10, 20, 30}));
}

TEST_F(Session, ADragOnASinePageMovesItsOffset) {
    CreateSession s(table, work.get(), Units(SamplesAndCodes()), CreateMode::InPlace);
    s.open(1);
    EXPECT_TRUE(s.beginDrag(500));
    EXPECT_EQ(s.dragTo(0, 1000, {}), 0);
    EXPECT_EQ(s.dragTo(0, 2500, {}), 0);
    s.endDrag();
    EXPECT_EQ(s.parameterText(PageParameter::Offset), "2500");
    EXPECT_EQ(work.at(0), 2500);
    EXPECT_FALSE(s.beginDrag(1000)); // outside the stretch
}

TEST_F(Session, PageOkAndAllPageOkWriteTheTargetCancelDoesNot) {
    CreateSession s(table, work.get(), Units(SamplesAndCodes()), CreateMode::InPlace);
    s.open(1);
    s.setType(PageType::DcLevel);
    s.typeParameter(PageParameter::Offset, "123");
    int backups = 0;
    CreateTarget target{document.get(), [&] { ++backups; }};
    s.cancel();
    EXPECT_EQ(document.at(5), 0);
    EXPECT_EQ(s.pageOK(target), 0);
    EXPECT_EQ(document.at(5), 123);
    s.goNext();
    s.typeArea(0, "500");
    s.setType(PageType::DcLevel);
    s.typeParameter(PageParameter::Offset, "-7");
    EXPECT_EQ(s.allPageOK(target), 0);
    EXPECT_EQ(document.at(5), 123);
    EXPECT_EQ(document.at(600), -7);
    EXPECT_EQ(backups, 2);
    s.close();
    EXPECT_EQ(work.at(600), 0);
}

TEST_F(Session, ClearsAndFiles) {
    QTemporaryDir dir;
    CreateSession s(table, work.get(), Units(SamplesAndCodes()), CreateMode::InPlace, 3);
    s.open(1);
    s.setType(PageType::Triangle);
    s.typeParameter(PageParameter::Symmetry, "20");
    ASSERT_EQ(s.save(dir.filePath("p.wfn"), Language::English), 0);
    s.pageClear();
    EXPECT_EQ(s.page().Type, PageType::Triangle);
    EXPECT_EQ(s.page().Symmetry, 50);
    EXPECT_FALSE(s.page().Effective);
    EXPECT_EQ(work.at(100), 0);
    ASSERT_EQ(s.load(dir.filePath("p.wfn")).code, 0);
    EXPECT_EQ(s.currentPage(), 3);
    EXPECT_EQ(s.page().Symmetry, 20);
    s.allPageClear();
    EXPECT_EQ(s.currentPage(), 1);
    EXPECT_FALSE(table.page(3).Effective);
    EXPECT_EQ(s.load(dir.filePath("none.wfn")).code, 71);
}

TEST_F(Session, OpeningShowsEveryEffectivePageInTheWorkMemory) {
    table.page(1).Type = PageType::DcLevel;
    table.page(1).End = 100;
    table.page(1).Offset = 11;
    table.page(1).Effective = true;
    table.page(4).Type = PageType::DcLevel;
    table.page(4).Start = 500;
    table.page(4).Offset = 44;
    table.page(4).Effective = true;
    CreateSession s(table, work.get(), Units(SamplesAndCodes()), CreateMode::InPlace, 4);
    EXPECT_EQ(s.open(1), 0);
    EXPECT_EQ(work.at(50), 11);
    EXPECT_EQ(work.at(700), 44);
    EXPECT_FALSE(table.page(4).modified()); // the page shown is what the memory holds
    EXPECT_TRUE(table.page(1).modified());
    // From sample 0 only the page shown is computed.
    Memory other;
    CreateSession operand(table, other.get(), Units(SamplesAndCodes()), CreateMode::FromZero, 4);
    operand.open(1);
    EXPECT_EQ(other.at(0), 44);
    EXPECT_EQ(other.at(600), 0);
}
