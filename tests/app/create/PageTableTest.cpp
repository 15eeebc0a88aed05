// The page table: clearing, marking and navigation.
#include "PageTable.h"

#include <gtest/gtest.h>

using namespace zw::create;

TEST(PageTable, StartsWithClearedPagesOverTheWholeMemory) {
    const PageTable table(1000);
    for (int n = 0; n < kPageRecordCount; ++n) {
        const PageRecord& p = table.page(n);
        EXPECT_EQ(p.PageNumber, n);
        EXPECT_FALSE(p.Visited);
        EXPECT_FALSE(p.Effective);
        EXPECT_EQ(p.Type, PageType::Sine);
        EXPECT_EQ(p.Start, 0);
        EXPECT_EQ(p.End, 1000);
        EXPECT_EQ(p.Size, 1000);
        EXPECT_EQ(p.Amplitude, 65534);
        EXPECT_EQ(p.Cycles, 1);
        EXPECT_EQ(p.Symmetry, 50);
        EXPECT_EQ(p.Duty, 50);
        EXPECT_EQ(p.Transition, 0);
    }
    EXPECT_FALSE(table.lowestEffective());
}

TEST(PageTable, PageClearKeepsTypeAndStretchAllPageClearResetsThem) {
    PageTable table(1000);
    PageRecord& p = table.page(7);
    p.Type = PageType::Expression;
    p.Start = 100;
    p.End = 300;
    p.Size = 200;
    p.Offset = 5;
    p.Amplitude = 7;
    p.Cycles = 3;
    p.Phase = 45;
    p.Symmetry = 20;
    p.Duty = 30;
    p.Transition = 10;
    p.Constants = "a=1;";
    p.Expression = "x";
    p.Visited = p.Effective = true;

    p.clearValues();
    EXPECT_EQ(p.Type, PageType::Expression);
    EXPECT_EQ(p.Start, 100);
    EXPECT_EQ(p.End, 300);
    EXPECT_EQ(p.Size, 200);
    EXPECT_FALSE(p.Visited || p.Effective);
    EXPECT_EQ(p.Offset, 0);
    EXPECT_EQ(p.Amplitude, 65534);
    EXPECT_EQ(p.Cycles, 1);
    EXPECT_EQ(p.Phase, 0);
    EXPECT_EQ(p.Symmetry, 50);
    EXPECT_EQ(p.Duty, 50);
    EXPECT_EQ(p.Transition, 0);
    EXPECT_TRUE(p.Constants.isEmpty() && p.Expression.isEmpty());

    p.Effective = true;
    table.clearAll();
    EXPECT_EQ(table.page(7).Type, PageType::Sine);
    EXPECT_EQ(table.page(7).Start, 0);
    EXPECT_EQ(table.page(7).End, 0);
    EXPECT_EQ(table.page(7).Size, 0);
    EXPECT_FALSE(table.page(7).Effective);
}

TEST(PageTable, FirstChangeMarksAPageOnlyOnce) {
    PageTable table(1000);
    EXPECT_TRUE(table.markChanged(3));
    EXPECT_TRUE(table.page(3).Visited && table.page(3).Effective);
    // Set to "No Effect" by the user: later changes leave it so.
    table.page(3).Effective = false;
    EXPECT_FALSE(table.markChanged(3));
    EXPECT_FALSE(table.page(3).Effective);
}

TEST(PageTable, NavigationStopsAtTheEndsAndFindsEffectivePages) {
    PageTable table(1000);
    EXPECT_EQ(PageTable::previousPage(1), 1);
    EXPECT_EQ(PageTable::nextPage(200), 200);
    EXPECT_EQ(PageTable::previousPage(2), 1);
    EXPECT_EQ(PageTable::nextPage(199), 200);
    EXPECT_EQ(table.firstPage(), 1);
    EXPECT_EQ(table.lastPage(), 200);

    table.page(12).Effective = true;
    table.page(150).Effective = true;
    table.page(201).Effective = true; // never offered
    EXPECT_EQ(table.firstPage(), 12);
    EXPECT_EQ(table.lastPage(), 150);
    EXPECT_EQ(table.effectivePages(), (std::vector<int>{12, 150}));
}

TEST(PageTable, TextsAreKeptAsThePageFileCanHoldThem) {
    EXPECT_EQ(NormalizedConstants("  a=1;\r\n\r\n   b=2;  \n\rc=3;\n"), "a=1;\r\nb=2;\r\nc=3;");
    EXPECT_EQ(NormalizedExpression(" sin(x)\r\n* 2\t"), "sin(x)  * 2");
    const QString longText(2000, u'a');
    EXPECT_EQ(NormalizedExpression(longText).size(), kExpressionCapacity);
    EXPECT_EQ(NormalizedConstants(longText).size(), kConstantsCapacity);
    // Cut at a character boundary: three bytes each in UTF-8.
    const QString wide(400, QChar(0x6CE2));
    EXPECT_EQ(NormalizedConstants(wide).toUtf8().size(), 942);
}

TEST(PageTable, ParametersFollowTheBoxesOfEachType) {
    using P = PageParameter;
    EXPECT_TRUE(UsesParameter(PageType::Sine, P::Phase));
    EXPECT_FALSE(UsesParameter(PageType::Sine, P::Symmetry));
    EXPECT_TRUE(UsesParameter(PageType::Triangle, P::Symmetry));
    EXPECT_FALSE(UsesParameter(PageType::Triangle, P::Duty));
    EXPECT_TRUE(UsesParameter(PageType::Square, P::Duty));
    EXPECT_TRUE(UsesParameter(PageType::Square, P::Transition));
    EXPECT_TRUE(UsesParameter(PageType::Noise, P::Amplitude));
    EXPECT_FALSE(UsesParameter(PageType::Noise, P::Cycles));
    EXPECT_TRUE(UsesParameter(PageType::DcLevel, P::Offset));
    EXPECT_TRUE(UsesParameter(PageType::DcLevel, P::Size));
    EXPECT_FALSE(UsesParameter(PageType::DcLevel, P::Amplitude));
    for (int i = 0; i < kParameterCount; ++i)
        EXPECT_FALSE(UsesParameter(PageType::Expression, static_cast<P>(i)));
}
