// The expression language's values: every case is computed both directly and
// by compiling and running, and the two must agree to the bit.
#include "Formula32TestSupport.h"

#include "BuiltinFunctions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <string>

using namespace formula32;
using namespace formula32::test;

namespace {

struct Case {
    const char* text;
    double expected;
};

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

class ExpressionLanguage : public ::testing::Test {
protected:
    // Both front ends give the same value, which is returned.
    double value(const char* text, double x = 0) {
        box.x = x;
        const Outcome d = box.direct(text);
        const Outcome c = box.compiled(text);
        EXPECT_EQ(d.error, kOk) << text;
        EXPECT_EQ(c.error, kOk) << text;
        EXPECT_TRUE(sameBits(d.value, c.value)) << text << ": " << d.value << " vs " << c.value;
        EXPECT_EQ(d.position, std::strlen(text)) << text;
        return d.value;
    }
    void expectAll(std::initializer_list<Case> cases, double x = 0) {
        for (const auto& c : cases)
            EXPECT_EQ(value(c.text, x), c.expected) << c.text;
    }
    Sandbox box;
};

TEST_F(ExpressionLanguage, PrecedenceAndAssociativity) {
    expectAll({
        {"1+2*3", 7},   {"(1+2)*3", 9}, {"10-4-3", 3},    {"64/4/2", 8},  {"-2^2", 4},
        {"2^3^2", 64},  {"2^-1", 0.5},  {"-2*-3", 6},     {"1+2==3", 1},  {"1<2==1", 1},
        {"3>2>1", 0},   {"1||0&&0", 1}, {"(1||0)&&0", 0}, {"0&&1||1", 1}, {"2+3<2*3", 1},
        {"1==1!=0", 1}, {"!0", 1},      {"!5", 0},        {"!!7", 1},     {"-!0", -1},
        {"!-1", 0},     {"+3", 3},      {"- -3", 3},      {"+-+2", -2},   {"!2^2", 0},
        {"2*3^2", 18},  {"8/2^2", 2},   {"2^2*3", 12},
    });
}

TEST_F(ExpressionLanguage, ComparisonsAndLogicGiveOneOrZero) {
    expectAll({
        {"1<2", 1},
        {"2<2", 0},
        {"2<=2", 1},
        {"3<=2", 0},
        {"3>2", 1},
        {"2>2", 0},
        {"2>=2", 1},
        {"1>=2", 0},
        {"2==2", 1},
        {"2==3", 0},
        {"2!=3", 1},
        {"2!=2", 0},
        {"5&&-2", 1},
        {"5&&0", 0},
        {"0||0", 0},
        {"0||-3", 1},
        {"0.5&&1", 1},
    });
}

TEST_F(ExpressionLanguage, NaNComparesUnequalAndCountsAsTrue) {
    expectAll({
        {"sqr(-1)==sqr(-1)", 0},
        {"sqr(-1)!=sqr(-1)", 1},
        {"sqr(-1)<1", 0},
        {"sqr(-1)&&1", 1},
        {"!sqr(-1)", 0},
    });
}

TEST_F(ExpressionLanguage, NumbersDecimalAndHexadecimal) {
    expectAll({
        {"12", 12},
        {"0.5", 0.5},
        {".5", 0.5},
        {"1.", 1},
        {"1e-3", 1e-3},
        {"2.5E+3", 2500},
        {"007", 7},
        {"$10", 16},
        {"$ff", 255},
        {"$FFFF", 65535},
        {"$FFFFFFFF", 4294967295.0},
        {"$123456789", 4294967295.0}, // saturates like strtoul
        {"$0x1F", 31},                // strtoul's prefix
        {"1e400", std::numeric_limits<double>::infinity()},
        {"1e-400", 0},
    });
    EXPECT_TRUE(std::isnan(value("1e400-1e400")));
}

TEST_F(ExpressionLanguage, NumberEndsWhereStrtodWouldStop) {
    for (const char* text : {"1e", "1e+", "1ex"}) {
        const Outcome o = box.direct(text);
        EXPECT_EQ(o.error, kOk);
        EXPECT_EQ(o.value, 1);
        EXPECT_EQ(o.position, 1u) << text;
    }
}

TEST_F(ExpressionLanguage, WhiteSpaceBeforeEveryToken) {
    expectAll({{" \t1 +\n2 ", 3}, {"sin (0)", 0}, {"power( 3 ,\v4 )", 5}, {"\r-\f2", -2}});
}

TEST_F(ExpressionLanguage, BuiltinConstantsAreTheExactLiterals) {
    expectAll({
        {"pi", 3.1415926535898},
        {"c", 299792458},
        {"G", 6.67259e-11},
        {"h", 6.6260755e-34},
        {"NA", 6.0221367e+23},
        {"k", 1.380658e-23},
        {"r", 0.57721566490153},
    });
    EXPECT_NE(value("pi"), std::numbers::pi) << "pi has 14 significant digits only";
}

TEST_F(ExpressionLanguage, NameResolutionOrder) {
    ASSERT_TRUE(box.constants.define("pi", 3));
    ASSERT_TRUE(box.constants.define("x", 100));
    ASSERT_TRUE(box.constants.define("sin", 100));
    ASSERT_TRUE(box.constants.define("two_1", 2));
    EXPECT_EQ(value("pi"), 3) << "a user constant hides a built-in constant";
    EXPECT_EQ(value("x", 7), 7) << "but never the variable";
    EXPECT_EQ(value("sin(0)"), 0) << "nor a function";
    EXPECT_EQ(value("two_1*x", 4), 8);
}

TEST_F(ExpressionLanguage, EveryFunctionRow) {
    const double a = 0.7;
    const double b = -1.3;
    box.x = a;
    EXPECT_EQ(value("sin(x)", a), std::sin(a));
    EXPECT_EQ(value("cos(x)", a), std::cos(a));
    EXPECT_EQ(value("tan(x)", a), std::tan(a));
    EXPECT_EQ(value("atn(x)", a), std::atan(a));
    EXPECT_EQ(value("sqr(x)", a), std::sqrt(a));
    EXPECT_EQ(value("exp(x)", a), std::exp(a));
    EXPECT_EQ(value("log(x)", a), std::log(a));
    EXPECT_EQ(value("log10(1000)"), 3);
    EXPECT_EQ(value("power(3,4)"), 5);
    EXPECT_EQ(value("power(x,-1.3)", a), std::sqrt(a * a + b * b));
    EXPECT_EQ(value("phase(1,0)"), std::atan2(1.0, 0.0));
    EXPECT_EQ(value("phase(0,-1)"), std::atan2(0.0, -1.0)) << "angle of the point (b, a)";
    EXPECT_EQ(value("tri(x,30)", a), triangleWave(a, 30));
    EXPECT_EQ(value("sqw(x,30,5)", a), squareWave(a, 30, 5));
}

TEST_F(ExpressionLanguage, DomainErrorsFlowOnAsValues) {
    EXPECT_EQ(value("log(0)"), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(value("sqr(-1)")));
    EXPECT_TRUE(std::isnan(value("log(-1)")));
    EXPECT_EQ(value("exp(1000)"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(value("0^-1"), std::numeric_limits<double>::infinity()) << "pow, not a division";
}

TEST_F(ExpressionLanguage, ShortCallsOfTriAndSqwUseTheirDefaults) {
    for (const double x : {-7.0, -0.2, 0.0, 0.3, 1.6, 3.2, 5.0, 100.5}) {
        EXPECT_EQ(value("tri(x)", x), value("tri(x,50)", x)) << x;
        EXPECT_EQ(value("sqw(x)", x), value("sqw(x,50,0)", x)) << x;
        EXPECT_EQ(value("sqw(x,30)", x), value("sqw(x,30,0)", x)) << x;
    }
}

TEST_F(ExpressionLanguage, PowerFoldedAndComputedAgree) {
    EXPECT_EQ(value("2^3"), 8);
    EXPECT_EQ(value("x^3", 2), 8);
    EXPECT_EQ(value("2^x", 3), 8);
    EXPECT_EQ(value("x^(x+1)", 2), 8);
}

TEST_F(ExpressionLanguage, DirectAndCompiledAgreeOnLongerExpressions) {
    const char* texts[] = {
        "32767*sin(2*pi*x/1000)",
        "x*x/65536-3*x+1",
        "sqw(x/100,30,5)*2+tri(x/50)*3",
        "(x>10)*(x<20)*1000 + !(x-15)*5",
        "power(x, x/3) - phase(x, 2) ^ 2 / (1 + x)",
        "-(-x) ^ 2 ^ 0.5 || 0 && x",
        "exp(-x/100)*cos(x)*log10(x+1)*atn(x)/sqr(x+2)",
    };
    for (const char* t : texts)
        for (const double x : {0.0, 1.0, 13.0, 15.0, 999.0, -4.5})
            value(t, x);
}

} // namespace
