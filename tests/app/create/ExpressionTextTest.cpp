// The text an expression page hands to the evaluator.
#include "ExpressionText.h"
#include "CreateTestSupport.h"

#include <gtest/gtest.h>

using namespace zw;
using namespace zw::create;
using namespace zw::create::test;

TEST(ExpressionText, CodesAndSamplesNeedOnlyTheConstantBlockAndLowerCase) {
    const Units units(SamplesAndCodes());
    EXPECT_EQ(PrepareExpression("sin(x)", "", units), "[]sin(x)");
    EXPECT_EQ(PrepareExpression("X*2", "", units), "[]x*2");
    EXPECT_EQ(PrepareExpression("A*x", "  A=2;\r\nB=3;  ", units), "[a=2;\r\nb=3;]a*x");
}

TEST(ExpressionText, ValuesInVoltsAreScaledToCodes) {
    // -1 V .. 1 V: codes -32767 and 32767 are -1 and 1.
    const Units units(TimeAndVolts());
    EXPECT_EQ(WrapForYUnit("f", units), "((f)-(( 1+-1)/2))*(65534/( 1--1))");
}

TEST(ExpressionText, XBecomesTheSampleInTheDisplayUnit) {
    // Time: 1 ms over 1000 samples.
    EXPECT_EQ(ReplaceFreeX("sin(x)", Units(TimeAndVolts())), "sin((x*( .001/ 1000)))");
    // User unit 10 .. 20 over 1000 samples.
    EXPECT_EQ(ReplaceFreeX("x", Units(UserUnits())), "(x*(( 20- 10)/ 1000)+( 10))");
    // Samples: unchanged.
    EXPECT_EQ(ReplaceFreeX("x*2", Units(SamplesAndCodes())), "x*2");
}

TEST(ExpressionText, OnlyAnXStandingAloneIsReplaced) {
    UnitSetting timeAndCodes = TimeAndVolts();
    timeAndCodes.YUnit = 0;
    EXPECT_EQ(PrepareExpression("ax*x", "ax=2;", Units(timeAndCodes)),
              "[ax=2;]ax*(x*( .001/ 1000))");
    const Units units(TimeAndVolts());
    EXPECT_EQ(ReplaceFreeX("exp(x)+x1+x_2+max", units), "exp((x*( .001/ 1000)))+x1+x_2+max");
}

TEST(ExpressionText, RndDrawsForEverySample) {
    EXPECT_EQ(GiveRndItsVariable("rnd()"), "rnd(x)");
    EXPECT_EQ(GiveRndItsVariable("rnd ( )*2"), "rnd (x)*2");
    EXPECT_EQ(GiveRndItsVariable("RND()"), "RND(x)");
    EXPECT_EQ(GiveRndItsVariable("rnd(5)+rnd(sin(x)*(2))"), "rnd(x)+rnd(x)");
    EXPECT_EQ(GiveRndItsVariable("brnd()+rnda"), "brnd()+rnda");
    EXPECT_EQ(GiveRndItsVariable("rnd(("), "rnd(("); // left for the evaluator to report
}

TEST(ExpressionText, ConstantsAreCheckedAtAWholeSample) {
    EXPECT_EQ(ConstantCheckText("a=1;", 99.6), "[a=1;]100");
    EXPECT_EQ(ConstantCheckText("", 0), "[]0");
}
