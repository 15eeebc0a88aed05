// The exported expression functions, as the editor calls them.
#include "Formula32TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace formula32;
using namespace formula32::test;

namespace {

constexpr std::int16_t kUntouched = -12345;
constexpr std::int16_t kNoPosition = -999;

class EvalExports : public ::testing::Test {
protected:
    void SetUp() override {
        ClearConstant();
        EvalInitRandom(1);
    }
    void TearDown() override { ClearConstant(); }

    // EvalOne's code for the text; fails the test on an error.
    std::int32_t one(const std::string& text) {
        std::int32_t v = kUntouched;
        std::int16_t pos = kNoPosition;
        EXPECT_EQ(EvalOne(text.c_str(), &v, &pos), 0) << text;
        return v;
    }
};

TEST_F(EvalExports, ConversionLimitsThenTruncates) {
    struct Case {
        const char* text;
        std::int32_t code;
    } cases[] = {
        {"40000", 32767},     {"32767.9", 32767},  {"-40000", -32768},     {"-0.9", 0},
        {"2.7", 2},           {"-2.7", -2},        {"-32767.4", -32767},   {"-32767.5", -32767},
        {"-32767.6", -32768}, {"sqr(-1)", -32768}, {"1e400", 32767},       {"-1e400", -32768},
        {"log(0)", -32768},   {"0.5+0.5", 1},      {"1e300*1e300", 32767}, {"-0", 0},
    };
    WaveMemory m(1);
    for (const auto& k : cases) {
        EXPECT_EQ(one(k.text), k.code) << k.text;
        ASSERT_EQ(EvalArray1(0, 1, m.handle(), nullptr, k.text), 0);
        EXPECT_EQ(m.samples()[0], k.code) << "EvalArray1 " << k.text;
        ASSERT_EQ(EvalArray(0, 1, m.handle(), nullptr, k.text), 0);
        EXPECT_EQ(m.samples()[0], k.code) << "EvalArray " << k.text;
    }
}

TEST_F(EvalExports, EvalOneReportsPositionAndErrors) {
    std::int32_t v = kUntouched;
    std::int16_t pos = kNoPosition;
    EXPECT_EQ(EvalOne("x", &v, &pos), kSyntaxError) << "no x outside the array functions";
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(EvalOne("[a=1;] 3 4", &v, &pos), 0);
    EXPECT_EQ(v, 3);
    EXPECT_EQ(pos, 9) << "counted from the text's first byte, block included";
    EXPECT_EQ(EvalOne("1/0", &v, &pos), kDivideByZero);
    EXPECT_EQ(pos, 3);
    EXPECT_EQ(EvalOne(nullptr, &v, &pos), kSyntaxError) << "no text reads as empty";
    EXPECT_EQ(EvalOne("2", nullptr, nullptr), 0) << "out-parameters may be left out";
}

TEST_F(EvalExports, EvalArray1StretchRoundsUp) {
    WaveMemory m(10, kUntouched);
    std::int16_t pos = kNoPosition;
    ASSERT_EQ(EvalArray1(2.1, 3, m.handle(), &pos, "x*10"), 0);
    EXPECT_EQ(m.samples(),
              (std::vector<std::int16_t>{kUntouched, kUntouched, kUntouched, 30, 40, 50, kUntouched,
                                         kUntouched, kUntouched, kUntouched}));
    EXPECT_EQ(pos, 4);
    EXPECT_EQ(EvalArray1(4, 0, m.handle(), &pos, "1"), 0);
    EXPECT_EQ(EvalArray1(4, -3, m.handle(), &pos, "1"), 0);
    EXPECT_EQ(m.samples()[4], 40) << "count <= 0 writes nothing";
}

TEST_F(EvalExports, RunTimeErrorKeepsTheSamplesBeforeIt) {
    WaveMemory m(10, kUntouched);
    std::int16_t pos = kNoPosition;
    EXPECT_EQ(EvalArray1(0, 10, m.handle(), &pos, "1000/(x-5)"), kDivideByZero);
    EXPECT_EQ(pos, 10) << "where compilation stopped";
    EXPECT_EQ(m.samples(),
              (std::vector<std::int16_t>{-200, -250, -333, -500, -1000, kUntouched, kUntouched,
                                         kUntouched, kUntouched, kUntouched}));
    WaveMemory n(4, kUntouched);
    EXPECT_EQ(EvalArray1(0, 4, n.handle(), &pos, "x/0"), kDivideByZero);
    EXPECT_EQ(n.samples(), std::vector<std::int16_t>(4, kUntouched));
    EXPECT_EQ(EvalArray(0, 10, n.handle(), &pos, "1000/(x-2) + 1"), kDivideByZero);
    EXPECT_EQ(pos, 11) << "EvalArray reports where that evaluation stopped";
    EXPECT_EQ(n.samples(), (std::vector<std::int16_t>{-499, -999, kUntouched, kUntouched}));
}

TEST_F(EvalExports, CompileErrorWritesPositionAndNoSample) {
    WaveMemory m(4, kUntouched);
    std::int16_t pos = kNoPosition;
    EXPECT_EQ(EvalArray1(0, 4, m.handle(), &pos, "[k2=2;] x*k2+"), kSyntaxError);
    EXPECT_EQ(pos, 13);
    EXPECT_EQ(EvalArray1(0, 4, m.handle(), &pos, "1/0"), kDivideByZero) << "folded";
    EXPECT_EQ(EvalArray1(0, 4, m.handle(), &pos, "sin x"), kLackOfParenthesis);
    EXPECT_EQ(pos, 3);
    EXPECT_EQ(m.samples(), std::vector<std::int16_t>(4, kUntouched));
}

TEST_F(EvalExports, ConstantBlockGrammar) {
    std::int16_t pos = kNoPosition;
    std::int32_t v = 0;
    EXPECT_EQ(EvalOne("[a=2; b=a*pi;] b*a", &v, &pos), 0);
    EXPECT_EQ(v, static_cast<std::int32_t>(2 * 3.1415926535898 * 2));
    EXPECT_EQ(one("[ ]5"), 5);
    EXPECT_EQ(one(" [ a = 1 ; b=a+1 ;]b"), 2);
    EXPECT_EQ(one("[]a+b"), 3) << "constants outlive the call";
    for (const char* bad : {"[a=1]x", "[a=1;", "[a 1;]x", "[1a=1;]x", "[=1;]x", "[a=;]x",
                            "[a=1/0;]x", "[a=1 2;]x", "[a==1;]x", "[a=1;;]x"}) {
        pos = kNoPosition;
        EXPECT_EQ(EvalOne(bad, &v, &pos), kConstantBlockFailed) << bad;
        EXPECT_EQ(pos, kNoPosition) << "no position for a failed block: " << bad;
    }
    WaveMemory m(2, kUntouched);
    EXPECT_EQ(EvalArray1(0, 2, m.handle(), &pos, "[a=1]x"), kConstantBlockFailed);
    EXPECT_EQ(EvalArray(0, 2, m.handle(), &pos, "[a=1]x"), kConstantBlockFailed);
    EXPECT_EQ(DigitalPattern("[a=1]H", 0, m.handle(), 2, &pos), kConstantBlockFailed);
    EXPECT_EQ(pos, kNoPosition);
    EXPECT_EQ(m.samples(), std::vector<std::int16_t>(2, kUntouched));
}

TEST_F(EvalExports, ConstantNamesOfAtMost31Characters) {
    const std::string n31(31, 'q');
    EXPECT_EQ(one("[" + n31 + "=7;]" + n31), 7);
    std::int32_t v = 0;
    EXPECT_EQ(EvalOne(("[" + n31 + "q=7;]1").c_str(), &v, nullptr), kConstantBlockFailed);
}

TEST_F(EvalExports, UserConstantHidesPiUntilCleared) {
    EXPECT_EQ(one("[pi=3;]pi*100"), 300);
    EXPECT_EQ(one("pi*100"), 300);
    EXPECT_EQ(ClearConstant(), 0);
    EXPECT_EQ(one("pi*100"), 314);
    EXPECT_EQ(one("[q=5;]q"), 5);
    ClearConstant();
    std::int32_t v = 0;
    EXPECT_EQ(EvalOne("q", &v, nullptr), kSyntaxError);
}

TEST_F(EvalExports, TableOf256ConstantsKeepsWhatWasDefinedBeforeItFilled) {
    std::string block = "[";
    for (int i = 0; i < 256; ++i)
        block += "c" + std::to_string(i) + "=" + std::to_string(i) + ";";
    EXPECT_EQ(one(block + "c0=1000;]c0+c255"), 1255) << "redefining needs no new entry";
    std::int32_t v = 0;
    EXPECT_EQ(EvalOne("[c7=70; extra=1;]1", &v, nullptr), kConstantBlockFailed);
    EXPECT_EQ(one("c7"), 70) << "definitions before the failure stay";
}

TEST_F(EvalExports, RandomGeneratorIsTheClassicOneAndReproducible) {
    EXPECT_EQ(one("rnd(0)*32767+0.5"), 4167) << "draws 41 then 18467 from state 1";
    WaveMemory a(500);
    WaveMemory b(500);
    EvalInitRandom(17);
    ASSERT_EQ(EvalArray1(0, 500, a.handle(), nullptr, "rnd(x)*1000"), 0);
    EvalInitRandom(17);
    ASSERT_EQ(EvalArray1(0, 500, b.handle(), nullptr, "rnd(x)*1000"), 0);
    EXPECT_EQ(a.samples(), b.samples());
    EvalInitRandom(17);
    ASSERT_EQ(EvalArray(0, 500, b.handle(), nullptr, "rnd(x)*1000"), 0);
    EXPECT_EQ(a.samples(), b.samples()) << "one draw per sample either way";
    EvalInitRandom(17);
    ASSERT_EQ(EvalArray1(0, 500, b.handle(), nullptr, "rnd(0)*1000"), 0);
    EXPECT_EQ(b.samples(), std::vector<std::int16_t>(500, a.samples()[0])) << "folded once";
}

TEST_F(EvalExports, DirectAndCompiledArraysGiveIdenticalSamples) {
    const char* texts[] = {
        "32767*sin(2*pi*x/1000)",
        "x*x/65536-3*x+1",
        "[a=2;b=3;] sqw(x/100,30,5)*a*1000+tri(x/50)*b*1000",
        "(x%2)",
        "1000/(x-700)",
        "(x>100)*(x<200)*30000 - phase(x, 3)*1000 + power(x, 2)",
        "exp(x/100) - log(x) * 1000",
    };
    for (const char* t : texts) {
        WaveMemory direct(1024, kUntouched);
        WaveMemory compiled(1024, kUntouched);
        std::int16_t p1 = kNoPosition;
        std::int16_t p2 = kNoPosition;
        const auto r1 = EvalArray(3, 1000, direct.handle(), &p1, t);
        const auto r2 = EvalArray1(3, 1000, compiled.handle(), &p2, t);
        EXPECT_EQ(r1, r2) << t;
        EXPECT_EQ(direct.samples(), compiled.samples()) << t;
        if (r1 == 0) {
            EXPECT_EQ(p1, p2) << t;
        }
    }
}

TEST_F(EvalExports, UnlockableMemoryIsRefused) {
    const ZwMemHandle freed = ZwGlobalAlloc(20);
    ZwGlobalFree(freed);
    for (const ZwMemHandle h : {ZwMemHandle{0}, freed, ZwMemHandle{0xDEADBEEF}}) {
        std::int16_t pos = kNoPosition;
        EXPECT_EQ(EvalArray1(0, 10, h, &pos, "[z=1;]x"), kInsufficientMemory);
        EXPECT_EQ(EvalArray(0, 10, h, &pos, "[z=1;]x"), kInsufficientMemory);
        EXPECT_EQ(DigitalPattern("[z=1;]H", 0, h, 10, &pos), kInsufficientMemory);
        EXPECT_EQ(pos, kNoPosition);
    }
    std::int32_t v = 0;
    EXPECT_EQ(EvalOne("z", &v, nullptr), kSyntaxError) << "nothing was read from the texts";
}

TEST_F(EvalExports, StretchBeyondTheMemoryWritesOnlyInside) {
    WaveMemory m(10, kUntouched);
    EXPECT_EQ(EvalArray1(7, 10, m.handle(), nullptr, "x"), kInsufficientMemory);
    EXPECT_EQ(m.samples()[6], kUntouched);
    EXPECT_EQ(m.samples()[9], 9);
    EXPECT_EQ(EvalArray1(-3, 5, m.handle(), nullptr, "x+100"), kInsufficientMemory);
    EXPECT_EQ(m.samples()[0], 100);
    EXPECT_EQ(m.samples()[1], 101);
    EXPECT_EQ(m.samples()[2], kUntouched);
    EXPECT_EQ(EvalArray(8, 1000000, m.handle(), nullptr, "x+200"), kInsufficientMemory);
    EXPECT_EQ(m.samples()[9], 209);
    EXPECT_EQ(EvalArray1(0, 1e300, m.handle(), nullptr, "1/(x-5)"), kDivideByZero)
        << "an error inside the memory comes first";
    const auto before = m.samples();
    for (const double bad : {std::nan(""), 1e308, -1e308, 1e20})
        EXPECT_EQ(EvalArray1(bad, std::nan(""), m.handle(), nullptr, "7"), kInsufficientMemory);
    EXPECT_EQ(EvalArray1(20, 5, m.handle(), nullptr, "7"), kInsufficientMemory);
    EXPECT_EQ(EvalArray(2147483647, 2147483647, m.handle(), nullptr, "7"), kInsufficientMemory);
    EXPECT_EQ(m.samples(), before);
}

TEST_F(EvalExports, PositionsBeyond32767AreReportedAs32767) {
    const std::string text = std::string(40000, ' ') + "1 +";
    std::int16_t pos = 0;
    std::int32_t v = 0;
    EXPECT_EQ(EvalOne(text.c_str(), &v, &pos), kSyntaxError);
    EXPECT_EQ(pos, 32767);
    WaveMemory m(1);
    EXPECT_EQ(EvalArray1(0, 1, m.handle(), &pos, text.c_str()), kSyntaxError);
    EXPECT_EQ(pos, 32767);
    const std::string at100 = std::string(100, ' ') + "1 +";
    EXPECT_EQ(EvalOne(at100.c_str(), &v, &pos), kSyntaxError);
    EXPECT_EQ(pos, 103);
}

} // namespace
