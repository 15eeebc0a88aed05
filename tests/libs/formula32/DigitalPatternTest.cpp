// The digital pattern language through DigitalPattern, and the executor on
// words that no compiler wrote.
#include "Formula32TestSupport.h"

#include "PatternExecutor.h"
#include "PatternWord.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

using namespace formula32;
using namespace formula32::test;

namespace {

using Codes = std::vector<std::int16_t>;

struct PatternRun {
    ErrorCode result;
    Codes samples;
    std::int16_t position;
};

class DigitalPatterns : public ::testing::Test {
protected:
    void SetUp() override { ClearConstant(); }

    // Applies the pattern to all of `initial` (or to `count` samples).
    PatternRun apply(const std::string& text, Codes initial, int count = -1, int start = 0) {
        WaveMemory m(initial.size());
        m.set(initial);
        std::int16_t pos = -999;
        const ErrorCode r =
            DigitalPattern(text.c_str(), start, m.handle(),
                           count < 0 ? static_cast<int>(initial.size()) : count, &pos);
        return {r, m.samples(), pos};
    }
    Codes applied(const std::string& text, Codes initial, int count = -1) {
        const PatternRun r = apply(text, std::move(initial), count);
        EXPECT_EQ(r.result, 0) << text;
        EXPECT_EQ(r.position, static_cast<std::int16_t>(text.size())) << text;
        return r.samples;
    }
    // Bit `line` of every sample.
    static std::vector<int> line(const Codes& codes, int line) {
        std::vector<int> bits;
        for (const auto c : codes)
            bits.push_back((c >> line) & 1);
        return bits;
    }
};

TEST_F(DigitalPatterns, LettersAndRunsOnTheMaskedLines) {
    const Codes r = applied("Mask $0001 1H LHL", {0x1230, 0x1231, 0x1232, 0x1233});
    EXPECT_EQ(r, (Codes{0x1231, 0x1230, 0x1233, 0x1232})) << "only line 0 changes";
    EXPECT_EQ(applied("3H 2L", Codes(10, 0x00F0)),
              (Codes{-1, -1, -1, 0, 0, 0x00F0, 0x00F0, 0x00F0, 0x00F0, 0x00F0}));
    EXPECT_EQ(applied("0H", Codes(5, 0x1234)), Codes(5, -1));
    EXPECT_EQ(applied("Mask $00FF 0L", Codes(3, 0x1234)), Codes(3, 0x1200));
    EXPECT_EQ(applied("mAsK $0F0F 0N", Codes(2, 0x1234)), Codes(2, 0x1D3B))
        << "keyword in any case";
    EXPECT_EQ(applied("Z N 2Z H", Codes(5, 0)), (Codes{0, -1, 0, 0, -1}));
    EXPECT_EQ(applied("2H -5L", Codes(5, 0x10)), (Codes{-1, -1, 0, 0, 0}))
        << "negative counts as 0";
}

TEST_F(DigitalPatterns, NineLettersSpanTwoWords) {
    EXPECT_EQ(line(applied("Mask 1 HLLHHHLHL", Codes(10, 0)), 0),
              (std::vector<int>{1, 0, 0, 1, 1, 1, 0, 1, 0, 0}));
    EXPECT_EQ(line(applied("Mask 1 HLH", Codes(2, 0)), 0), (std::vector<int>{1, 0}))
        << "letters stop at the stretch's end";
}

TEST_F(DigitalPatterns, ValuesAndRepeatedValues) {
    EXPECT_EQ(applied("#$00FF 2#7 #-1", Codes(5, 0x5555)), (Codes{0x00FF, 7, 7, -1, 0x5555}));
    EXPECT_EQ(applied("Mask $0F00 #$1234", Codes(1, 0x5555)), (Codes{0x5255}));
    EXPECT_EQ(applied("0#70000", Codes(3, 0)), Codes(3, 70000 & 0xFFFF)) << "low 16 bits";
    EXPECT_EQ(applied("3 Mask 1 H", Codes(3, 0)), (Codes{1, 0, 0}))
        << "a count before Mask does nothing";
}

TEST_F(DigitalPatterns, RepeatedBracketsAndLoopsUntilFull) {
    const Codes x(8, 0x10);
    const Codes twice = applied("Mask 1 2[HL]", x);
    EXPECT_EQ(line(twice, 0), (std::vector<int>{1, 0, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(line(applied("Mask 1 0[HL]", x), 0), (std::vector<int>{1, 0, 1, 0, 1, 0, 1, 0}));
    EXPECT_EQ(line(applied("Mask 1 H[LL]H", Codes(5, 0)), 0), (std::vector<int>{1, 0, 0, 1, 0}))
        << "without a count a bracket only groups";
    EXPECT_EQ(line(applied("Mask 1 2[2[H]L]", Codes(7, 0)), 0),
              (std::vector<int>{1, 1, 0, 1, 1, 0, 0}));
    EXPECT_EQ(line(applied("Mask 1 3[]H", Codes(2, 0)), 0), (std::vector<int>{1, 0}));
}

TEST_F(DigitalPatterns, NestedRepeatUntilFullLoopsAreNotMistakenForIdle) {
    EXPECT_EQ(line(applied("Mask 1 0[3[H]2[L]]", Codes(12, 0)), 0),
              (std::vector<int>{1, 1, 1, 0, 0, 1, 1, 1, 0, 0, 1, 1}));
    EXPECT_EQ(line(applied("Mask 3 0[2{hl}]", Codes(4, 0)), 1), (std::vector<int>{1, 1, 1, 1}));
}

TEST_F(DigitalPatterns, TracksStartAgainAtTheFirstSample) {
    const Codes r = applied("Mask $0001 1H LHL : Mask $0002 2L 2H", Codes(4, 0));
    EXPECT_EQ(line(r, 0), (std::vector<int>{1, 0, 1, 0}));
    EXPECT_EQ(line(r, 1), (std::vector<int>{0, 0, 1, 1}));
    EXPECT_EQ(line(applied("Mask 1 0H : L", Codes(3, 0)), 0), (std::vector<int>{0, 1, 1}));
}

TEST_F(DigitalPatterns, WordGroupsWriteLinesOfOneSample) {
    EXPECT_EQ(applied("{hlnz}", {0x000F, 0x000F}), (Codes{0x0009, 0x000F}));
    EXPECT_EQ(applied("4{#1 #0}", Codes(5, 0x0001)), (Codes{2, 2, 2, 2, 1}));
    EXPECT_EQ(applied("{#3 #2 #-1}", Codes(1, 0x0002)), (Codes{0x0005})) << "odd, even, odd";
    EXPECT_EQ(applied("Mask $0002 {hh}", Codes(1, 0)), (Codes{0x0002})) << "only masked lines";
    EXPECT_EQ(applied("0{ h l }", Codes(3, 0x0001)), Codes(3, 0x0002));
    EXPECT_EQ(applied("{h" + std::string(16, 'l') + "}", Codes(1, -1)), Codes(1, 0))
        << "more than 16 items lose the earliest";
    EXPECT_EQ(applied("{} H", Codes(2, 0)), (Codes{0, -1}))
        << "an empty group still takes a sample";
}

TEST_F(DigitalPatterns, NumbersAreExpressions) {
    EXPECT_EQ(applied("[n=2;] n*1H (n-1)L", Codes(4, 0)), (Codes{-1, -1, 0, 0}));
    EXPECT_EQ(applied("Mask 2^3 0H", Codes(2, 0)), Codes(2, 8));
    EXPECT_EQ(applied("1.9H", Codes(2, 0)), (Codes{-1, 0})) << "truncated toward zero";
}

TEST_F(DigitalPatterns, CompileErrorsChangeNoSample) {
    struct Case {
        const char* text;
        ErrorCode code;
        std::int16_t position;
    } cases[] = {
        {"40000H", kRepeatCountTooLarge, 5},
        {"32767.5H", kRepeatCountTooLarge, 7},
        {"{hq}", kGroupSyntax, 2},
        {"{H}", kGroupSyntax, 1},
        {"{hl", kGroupUnbalanced, 3},
        {"{#}", kPatternSyntax, 2},
        {"H]", kPatternItem, 1},
        {"3H q", kPatternItem, 3},
        {"}", kPatternItem, 0},
        {"H (q", kPatternSyntax, 3},
        {"H[HL", kPatternSyntax, 4},
        {"2[H }", kPatternSyntax, 4},
        {"H[Hq]", kPatternSyntax, 3},
        {"#", kPatternSyntax, 1},
        {"Mask", kPatternSyntax, 4},
        {"sqr(-1)H", kPatternSyntax, 7},
        {"H 1/0 H", kPatternSyntax, 6},
    };
    const Codes initial{1, 2, 3, 4};
    for (const auto& k : cases) {
        const PatternRun r = apply(k.text, initial);
        EXPECT_EQ(r.result, k.code) << k.text;
        EXPECT_EQ(r.position, k.position) << k.text;
        EXPECT_EQ(r.samples, initial) << k.text;
    }
}

TEST_F(DigitalPatterns, LeadingBracketIsAConstantBlock) {
    EXPECT_EQ(apply("[HL]", Codes(2, 0)).result, kConstantBlockFailed);
    EXPECT_EQ(applied("[]2[HL]", Codes(2, 0)), (Codes{-1, 0}));
}

TEST_F(DigitalPatterns, CodeBufferOf1024Words) {
    std::string fits;
    for (int i = 0; i < 1022; ++i)
        fits += ":";
    EXPECT_EQ(apply(fits, Codes(1, 0)).result, 0) << "start, 1022 tracks, end";
    const PatternRun r = apply(fits + ":", Codes(1, 0));
    EXPECT_EQ(r.result, kPatternTooLong);
    EXPECT_EQ(r.position, 1023) << "no room for the end word";
    const PatternRun r2 = apply(fits + "::", Codes(1, 0));
    EXPECT_EQ(r2.result, kPatternTooLong);
    EXPECT_EQ(r2.position, 1023) << "at the colon that found no room";
}

TEST_F(DigitalPatterns, DeepBracketNestingIsRefused) {
    const std::string deep = "H" + std::string(300, '[');
    EXPECT_EQ(apply(deep, Codes(1, 0)).result, kLoopTooComplex);
    const std::string fine = "H" + std::string(200, '[') + std::string(200, ']');
    EXPECT_EQ(apply(fine, Codes(1, 0)).result, 0);
}

TEST_F(DigitalPatterns, ExecutionErrorsKeepWhatWasWritten) {
    PatternRun r = apply("0[ ]", Codes(3, 0));
    EXPECT_EQ(r.result, kPatternSyntax) << "a repeat-until-full loop that writes nothing";
    EXPECT_EQ(r.position, 4);
    r = apply("H 0[Mask 1]", Codes(3, 0));
    EXPECT_EQ(r.result, kPatternSyntax);
    EXPECT_EQ(r.samples, (Codes{-1, 0, 0}));
}

TEST_F(DigitalPatterns, RunawayLoopsAreStopped) {
    const PatternRun r = apply("32767[32767[32767[Mask 1]]]", Codes(4, 0));
    EXPECT_EQ(r.result, kLoopTooComplex);
    const PatternRun cycle = apply("0[ 2[H] : H ]", Codes(10, 0));
    EXPECT_NE(cycle.result, 0) << "a loop that goes back to the first sample never fills";
}

TEST_F(DigitalPatterns, StretchLimits) {
    EXPECT_EQ(apply("0H", Codes(4, 0), 0).samples, Codes(4, 0)) << "count 0";
    EXPECT_EQ(apply("0H", Codes(4, 0), -3).result, 0);
    EXPECT_EQ(apply("0H", Codes(4, 0), 2, 1).samples, (Codes{0, -1, -1, 0}));
    PatternRun r = apply("0H", Codes(4, 0), 10, 2);
    EXPECT_EQ(r.result, kInsufficientMemory) << "the stretch reaches past the memory";
    EXPECT_EQ(r.samples, (Codes{0, 0, -1, -1}));
    r = apply("Mask 1 HLHLH", Codes(4, 0), 5, -2);
    EXPECT_EQ(r.result, kInsufficientMemory);
    EXPECT_EQ(line(r.samples, 0), (std::vector<int>{1, 0, 1, 0})) << "alignment kept";
    r = apply("0H", Codes(4, 0), 10, 100);
    EXPECT_EQ(r.result, kInsufficientMemory);
    EXPECT_EQ(r.samples, Codes(4, 0));
}

class PatternWords : public ::testing::Test {
protected:
    ErrorCode execute(std::vector<std::uint32_t> words, Codes& samples) {
        const PatternTarget t{samples.data(), samples.size(), 0,
                              static_cast<std::int64_t>(samples.size())};
        return executePattern(words.data(), words.size(), t);
    }
    static std::uint32_t w(PatternKind k, unsigned field = 0, unsigned value = 0) {
        return patternWord(k, field, value);
    }
};

TEST_F(PatternWords, UnknownOrMalformedWords) {
    Codes s(2, 0);
    for (unsigned kind : {1u, 13u, 14u, 15u})
        EXPECT_EQ(execute({w(PatternKind::Start), kind, w(PatternKind::End)}, s),
                  kUnknownPatternWord)
            << kind;
    EXPECT_EQ(execute({w(PatternKind::Start), w(PatternKind::Run, 0, 1)}, s), kUnknownPatternWord)
        << "no end word";
    EXPECT_EQ(execute({w(PatternKind::Start), w(PatternKind::LoopEnd, 5), w(PatternKind::End)}, s),
              kUnknownPatternWord)
        << "loop end pointing before the code";
    EXPECT_EQ(execute({w(PatternKind::Start), w(PatternKind::LoopEnd, 1), w(PatternKind::End)}, s),
              kUnknownPatternWord)
        << "loop end pointing at no loop head";
    EXPECT_EQ(execute({}, s), kUnknownPatternWord);
}

TEST_F(PatternWords, RunWordsAndStayingOrWords) {
    Codes s(3, 0);
    EXPECT_EQ(execute({w(PatternKind::Start), w(PatternKind::Or, 0, 1), w(PatternKind::Or, 0, 2),
                       w(PatternKind::Run, 0, 1), w(PatternKind::Run, 1, 0), w(PatternKind::End)},
                      s),
              kOk);
    EXPECT_EQ(s, (Codes{-1, 0, 0}));
}

} // namespace

TEST_F(DigitalPatterns, StretchesFarOutsideTheMemoryAreNotWalked) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    // Wholly before or after the memory: nothing can change, nothing is run
    // (a run would end with 118 on this idle loop).
    EXPECT_EQ(apply("0[ ]", Codes(4, 0), kMax, kMin).result, kInsufficientMemory);
    EXPECT_EQ(apply("0[ ]", Codes(4, 0), kMax, 4).result, kInsufficientMemory);
    PatternRun r = apply("0[HL]", Codes(4, 0), kMax, kMin);
    EXPECT_EQ(r.result, kInsufficientMemory);
    EXPECT_EQ(r.samples, Codes(4, 0));
    // Reaching into the memory from two billion samples before it: the walk
    // that would keep the alignment is cut off by the work limit long before
    // the memory, so nothing changes.
    r = apply("0[HL]", Codes(4, 0), kMax, -2000000000);
    EXPECT_EQ(r.result, kLoopTooComplex);
    EXPECT_EQ(r.samples, Codes(4, 0));
    // A short way before the memory still keeps the alignment.
    r = apply("0[HL]", Codes(4, 0), 1004, -1000);
    EXPECT_EQ(r.result, kInsufficientMemory);
    EXPECT_EQ(r.samples, (Codes{-1, 0, -1, 0}));
}
