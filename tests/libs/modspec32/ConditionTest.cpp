// The condition mini-language and the resolution and warning lookups.
#include "Condition.h"

#include <gtest/gtest.h>

using namespace modspec32;

TEST(Conditions, VariableFirstWithEveryOperator) {
    struct Case {
        const char* condition;
        double below, equal, above; // results for 9, 10 and 11
    };
    const Case cases[] = {
        {"x = 10", 0, 1, 0},  {"x <> 10", 1, 0, 1}, {"X > 10", 0, 0, 1},
        {"x >= 10", 0, 1, 1}, {"x < 10", 1, 0, 0},  {"x <= 1e1", 1, 1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(conditionHolds(c.condition, 9), c.below != 0) << c.condition;
        EXPECT_EQ(conditionHolds(c.condition, 10), c.equal != 0) << c.condition;
        EXPECT_EQ(conditionHolds(c.condition, 11), c.above != 0) << c.condition;
    }
}

TEST(Conditions, NumberFirstWithAndWithoutARightBound) {
    const char* between = "1000 < x <= 1e6";
    EXPECT_FALSE(conditionHolds(between, 1000));
    EXPECT_TRUE(conditionHolds(between, 1000.5));
    EXPECT_TRUE(conditionHolds(between, 1e6));
    EXPECT_FALSE(conditionHolds(between, 1e6 + 1));

    EXPECT_TRUE(conditionHolds("5 >= x", 5));
    EXPECT_FALSE(conditionHolds("5 >= x", 5.1));
    EXPECT_FALSE(conditionHolds("1 < x <", 2)) << "a right operator needs its number";
    EXPECT_TRUE(conditionHolds("1 < v < 3", 2)) << "the third token stands for the variable";
}

TEST(Conditions, MalformedConditionsNeverHold) {
    for (const char* condition : {"", "x", "x <", "x => 1", "x == 1", "1 ! x", "1 < x =< 5"}) {
        for (const double value : {-1.0, 0.0, 1.0, 2.0}) {
            EXPECT_FALSE(conditionHolds(condition, value)) << condition << " at " << value;
        }
    }
}

TEST(Conditions, DoubleQuotesSeparateTheFirstTwoTokensOnly) {
    EXPECT_TRUE(conditionHolds("\"x\"<\"5", 4)) << "x and < split at quotes";
    EXPECT_TRUE(conditionHolds("x\t<=\t5", 5));
    EXPECT_FALSE(conditionHolds("x < \"5\"", 4)) << "the number token keeps its quote";
}

TEST(Conditions, FirstHoldingRuleGivesTheResolutionOtherwiseTheDefault) {
    RealParam block;
    block.resolution = 0.1;
    block.conditions.resize(2);
    block.conditions[0].condition.assign("x < 10");
    block.conditions[0].resolution = 0.001;
    block.conditions[1].condition.assign("x < 100");
    block.conditions[1].resolution = 0.01;
    EXPECT_DOUBLE_EQ(resolutionFor(block, 5), 0.001) << "file order, first match";
    EXPECT_DOUBLE_EQ(resolutionFor(block, 50), 0.01);
    EXPECT_DOUBLE_EQ(resolutionFor(block, 500), 0.1);

    block.warnings.resize(2);
    block.warnings[0].condition.assign("x > 1e6");
    block.warnings[0].warningEnglish.assign("high");
    block.warnings[1].condition.assign("x > 0");
    block.warnings[1].warningEnglish.assign("any");
    ASSERT_NE(warningFor(block, 2e6), nullptr);
    EXPECT_EQ(warningFor(block, 2e6)->warningEnglish.view(), "high");
    EXPECT_EQ(warningFor(block, 5)->warningEnglish.view(), "any");
    EXPECT_EQ(warningFor(block, -5), nullptr);
}
