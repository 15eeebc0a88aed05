// Computing pages (Make_Wave) and putting them into a target (Page OK, All
// Page OK), against the real libraries. Expected samples are computed here
// from the shapes' definitions.
#include "PageComputer.h"
#include "CreateTestSupport.h"
#include "RandomSeed.h"

#include "formula32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

using namespace zw;
using namespace zw::create;
using namespace zw::create::test;

namespace {

constexpr double kPi14 = 3.1415926535898; // the evaluator's pi

PageRecord page(PageType type, double start, double end) {
    PageRecord p;
    p.Type = type;
    p.Start = start;
    p.End = end;
    p.Size = end - start;
    p.Visited = p.Effective = true;
    return p;
}

PageRecord expression(const char* formula, double start = 0, double end = 1000) {
    PageRecord p = page(PageType::Expression, start, end);
    p.Expression = formula;
    return p;
}

int16_t truncated(double v) {
    if (v > 32767)
        return 32767;
    if (v < -32767.5)
        return -32768;
    return int16_t(std::trunc(v));
}

int16_t roundedHalfUp(double v) {
    return int16_t(std::clamp(std::floor(v + 0.5), -32768.0, 32767.0));
}

struct Fixture : ::testing::Test {
    Memory work;
    Memory target;
    PageTable table{1000};
    int backups = 0;
    CreateTarget document{target.get(), [this] { ++backups; }};

    void SetUp() override {
        ClearConstant();
        SeedRandomSources(7);
    }
};

using Computing = Fixture;

} // namespace

TEST_F(Computing, SinePageFollowsItsDefinition) {
    const PageComputer computer(work.get(), Units(SamplesAndCodes()), CreateMode::InPlace);
    PageRecord p = page(PageType::Sine, 100, 300);
    p.Offset = 1000;
    p.Amplitude = 20000;
    p.Cycles = 2;
    p.Phase = 30;
    ASSERT_EQ(computer.Make_Wave(p), 0);
    const auto codes = work.codes(100, 200);
    for (int k = 0; k < 200; ++k) {
        const double degrees = k * 360.0 / 200 * 2 + 30;
        ASSERT_EQ(codes[size_t(k)], roundedHalfUp(std::sin(degrees * kPi14 / 180) * 10000 + 1000))
            << k;
    }
    EXPECT_EQ(work.at(99), 0);
    EXPECT_EQ(work.at(300), 0);
}

TEST_F(Computing, TriangleSquareNoiseAndLevelPages) {
    const PageComputer computer(work.get(), Units(SamplesAndCodes()), CreateMode::InPlace);
    PageRecord tri = page(PageType::Triangle, 0, 8);
    tri.Amplitude = 2000;
    ASSERT_EQ(computer.Make_Wave(tri), 0);
    EXPECT_EQ(work.codes(0, 8), (std::vector<int16_t>{0, 500, 1000, 500, 0, -500, -1000, -500}));

    PageRecord square = page(PageType::Square, 10, 14);
    square.Amplitude = 2000;
    square.Offset = 10;
    ASSERT_EQ(computer.Make_Wave(square), 0);
    EXPECT_EQ(work.codes(10, 4), (std::vector<int16_t>{1010, 1010, -990, -990}));

    PageRecord level = page(PageType::DcLevel, 20, 23);
    level.Offset = 100.5;
    ASSERT_EQ(computer.Make_Wave(level), 0);
    EXPECT_EQ(work.codes(20, 3), (std::vector<int16_t>(3, 101)));

    PageRecord noise = page(PageType::Noise, 30, 530);
    noise.Offset = -5000;
    noise.Amplitude = 4000;
    SeedRandomSources(11);
    ASSERT_EQ(computer.Make_Wave(noise), 0);
    const auto first = work.codes(30, 500);
    for (int16_t c : first)
        ASSERT_TRUE(c >= -7000 && c <= -3000) << c;
    EXPECT_GT(std::set<int16_t>(first.begin(), first.end()).size(), 400u);
    SeedRandomSources(11);
    ASSERT_EQ(computer.Make_Wave(noise), 0);
    EXPECT_EQ(work.codes(30, 500), first);
}

TEST_F(Computing, FormulaValueInCodesIsTheCode) {
    const PageComputer computer(work.get(), Units(SamplesAndCodes()), CreateMode::InPlace);
    ASSERT_EQ(computer.Make_Wave(expression("32767*sin(2*pi*x/1000)")), 0);
    const auto full = work.codes(0, 1000);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(full[size_t(i)], truncated(32767 * std::sin(2 * kPi14 * i / 1000))) << i;
    EXPECT_GE(*std::ranges::max_element(full), 32766);
    EXPECT_LE(*std::ranges::min_element(full), -32766);

    ASSERT_EQ(computer.Make_Wave(expression("sin(2*pi*x/1000)")), 0);
    const auto small = work.codes(0, 1000);
    EXPECT_LE(std::ranges::count_if(small, [](int16_t c) { return c != 0; }), 2);
}

TEST_F(Computing, FormulaValueInVoltsIsScaledToFullRange) {
    // -1 V .. 1 V: 1 V is code 32767.
    const PageComputer computer(work.get(), Units(TimeAndVolts()), CreateMode::InPlace);
    // x in seconds: 1 ms is the whole memory.
    ASSERT_EQ(computer.Make_Wave(expression("sin(2*pi*x/0.001)")), 0);
    const auto codes = work.codes(0, 1000);
    EXPECT_GE(*std::ranges::max_element(codes), 32765);
    EXPECT_LE(*std::ranges::min_element(codes), -32765);
    EXPECT_NEAR(codes[500], 0, 2);
    EXPECT_NEAR(codes[250], 32767, 2);
}

TEST_F(Computing, UpperCaseFormulaWorksAsLowerCase) {
    const PageComputer computer(work.get(), Units(SamplesAndCodes()), CreateMode::InPlace);
    ASSERT_EQ(computer.Make_Wave(expression("X*2")), 0);
    const auto upper = work.codes(0, 1000);
    ASSERT_EQ(computer.Make_Wave(expression("x*2")), 0);
    EXPECT_EQ(work.codes(0, 1000), upper);
    EXPECT_EQ(upper[400], 800);
}

TEST_F(Computing, OnlyTheFreeXOfAConstantsNameIsTheSample) {
    UnitSetting s = TimeAndVolts();
    s.YUnit = 0;
    const PageComputer computer(work.get(), Units(s), CreateMode::InPlace);
    PageRecord p = expression("ax*x*1000000");
    p.Constants = "ax=2;";
    ASSERT_EQ(computer.Make_Wave(p), 0);
    // x of sample 400 is 400 us; 2 * 400e-6 * 1e6 = 800.
    EXPECT_NEAR(work.at(400), 800, 1);
}

TEST_F(Computing, ErrorsAreCatalogueCodes) {
    const PageComputer computer(work.get(), Units(SamplesAndCodes()), CreateMode::InPlace);
    EXPECT_EQ(computer.Make_Wave(expression("x/0")), 104);
    EXPECT_EQ(computer.Make_Wave(expression("sin(x")), 101);
    EXPECT_EQ(computer.Make_Wave(expression("3 4")), 100); // text left over
    PageRecord badBlock = expression("a*x");
    badBlock.Constants = "a=1";
    EXPECT_EQ(computer.Make_Wave(badBlock), 18);
    // Samples before a run-time error stay.
    EXPECT_EQ(computer.Make_Wave(expression("1000/(x-5)")), 104);
    EXPECT_EQ(work.codes(0, 5), (std::vector<int16_t>{-200, -250, -333, -500, -1000}));
}

TEST_F(Computing, ComputeChecksConstantsAndMarksThePage) {
    const PageComputer computer(work.get(), Units(SamplesAndCodes()), CreateMode::InPlace);
    table.page(4) = expression("K*x", 0, 100);
    table.page(4).Visited = table.page(4).Effective = false;
    table.page(4).Constants = "K=3";
    EXPECT_EQ(ComputeWithConstantCheck(table, 4, computer), 18);
    EXPECT_FALSE(table.page(4).Effective);
    table.page(4).Constants = "K=3;";
    ASSERT_EQ(ComputeWithConstantCheck(table, 4, computer), 0);
    EXPECT_EQ(table.page(4).Constants, "k=3;"); // stored back lower-cased
    EXPECT_TRUE(table.page(4).Effective && table.page(4).Visited);
    EXPECT_FALSE(table.page(4).modified());
    EXPECT_EQ(work.at(10), 30);
}

TEST_F(Computing, AllPageOkLaterPagesWinAndNoEffectPagesAreLeftOut) {
    const PageComputer computer(work.get(), Units(SamplesAndCodes()), CreateMode::InPlace);
    table.page(1) = page(PageType::DcLevel, 0, 600);
    table.page(1).Offset = 100;
    table.page(2) = page(PageType::DcLevel, 400, 1000);
    table.page(2).Offset = -200;
    table.page(3) = page(PageType::DcLevel, 0, 1000);
    table.page(3).Offset = 5000;
    table.page(3).Effective = false;
    target.fill(77);
    ASSERT_EQ(AllPageOK(table, computer, document), 0);
    EXPECT_EQ(backups, 1);
    EXPECT_EQ(target.at(0), 100);
    EXPECT_EQ(target.at(399), 100);
    EXPECT_EQ(target.at(400), -200);
    EXPECT_EQ(target.at(999), -200);
    EXPECT_EQ(target.at(1000), 77); // beyond the used length
}

TEST_F(Computing, TwoRndPagesDiffer) {
    const PageComputer computer(work.get(), Units(SamplesAndCodes()), CreateMode::InPlace);
    table.page(1) = expression("rnd()*1000", 0, 100);
    table.page(2) = expression("rnd()*1000", 100, 200);
    ASSERT_EQ(AllPageOK(table, computer, document), 0);
    const auto a = target.codes(0, 100);
    const auto b = target.codes(100, 100);
    EXPECT_NE(a, b);
    EXPECT_GT(std::set<int16_t>(a.begin(), a.end()).size(), 50u);
}

TEST_F(Computing, AllPageOkWithAnErrorLeavesTheTargetAlone) {
    const PageComputer computer(work.get(), Units(SamplesAndCodes()), CreateMode::InPlace);
    table.page(1) = page(PageType::DcLevel, 0, 500);
    table.page(1).Offset = 100;
    table.page(2) = expression("x/0", 500, 1000);
    target.fill(77);
    EXPECT_EQ(AllPageOK(table, computer, document), 104);
    EXPECT_EQ(backups, 0);
    EXPECT_EQ(target.at(0), 77);
    // No page at all: nothing happens.
    PageTable empty(1000);
    EXPECT_EQ(AllPageOK(empty, computer, document), 0);
    EXPECT_EQ(backups, 0);
}

TEST_F(Computing, PageOkCopiesWhatThePreviewShowsAndRecomputesAChangedPage) {
    const PageComputer computer(work.get(), Units(SamplesAndCodes()), CreateMode::InPlace);
    table.page(5) = page(PageType::Noise, 200, 400);
    ASSERT_EQ(ComputePage(table, 5, computer), 0);
    const auto shown = work.codes(200, 200);
    ASSERT_EQ(PageOK(table, 5, computer, document), 0);
    EXPECT_EQ(target.codes(200, 200), shown);
    EXPECT_EQ(backups, 1);

    table.page(5).touch();
    ASSERT_EQ(PageOK(table, 5, computer, document), 0);
    EXPECT_NE(target.codes(200, 200), shown);
    EXPECT_EQ(target.codes(200, 200), work.codes(200, 200));

    table.page(6) = expression("x/0", 0, 100);
    EXPECT_EQ(PageOK(table, 6, computer, document), 104);
    EXPECT_EQ(backups, 2);
}

TEST_F(Computing, OperandModeComputesEveryPageFromSampleZero) {
    Memory operand(300);
    operand.fill(9);
    CreateTarget into{operand.get(), {}};
    const PageComputer computer(work.get(), Units(SamplesAndCodes()), CreateMode::FromZero);
    table.page(1) = page(PageType::Sine, 500, 600);
    table.page(1).Amplitude = 2000;
    table.page(1).Cycles = 1;
    ASSERT_EQ(AllPageOK(table, computer, into), 0);
    for (int k = 0; k < 100; ++k)
        ASSERT_EQ(operand.at(k), roundedHalfUp(std::sin(k * 3.6 * kPi14 / 180) * 1000)) << k;
    EXPECT_EQ(operand.at(100), 0); // the operand is cleared first
    EXPECT_EQ(operand.at(299), 0);
}

TEST_F(Computing, StretchesStayInsideTheUsedLength) {
    const PageComputer computer(work.get(), Units(SamplesAndCodes()), CreateMode::InPlace);
    work.fill(-1);
    ASSERT_EQ(computer.Make_Wave(expression("x+1", -100, 2000)), 0);
    EXPECT_EQ(work.at(0), 1);
    EXPECT_EQ(work.at(999), 1000);
    EXPECT_EQ(work.at(1000), -1);
    PageRecord nan = page(PageType::DcLevel, std::nan(""), 10);
    EXPECT_EQ(computer.stretchOf(nan).length, 0);
    EXPECT_EQ(computer.Make_Wave(nan), 0);
}

TEST(RandomSeed, SeedIsAWholeNumberUpTo100) {
    EXPECT_EQ(SeedOf(0.0), 0);
    EXPECT_EQ(SeedOf(0.125), 12); // 12.5 to even
    EXPECT_EQ(SeedOf(0.375), 38);
    EXPECT_EQ(SeedOf(0.999), 100);
    for (int i = 0; i < 20; ++i) {
        const int seed = SeedRandomSourcesFromClock();
        EXPECT_TRUE(seed >= 0 && seed <= 100);
    }
}
