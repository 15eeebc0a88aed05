// Block execution against the per-sample stack machine: the same samples, the
// same first failing sample, the same random draws, across block boundaries.
#include "Formula32TestSupport.h"

#include "BlockEngine.h"
#include "SampleCode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace formula32;
using namespace formula32::test;

namespace {

constexpr std::int16_t kUnwritten = 12345;

struct EngineRun {
    ErrorCode error;
    std::vector<std::int16_t> samples;
    std::uint32_t randomState;
};

EngineRun perSample(const std::string& text, std::int64_t first, std::size_t count,
                    std::uint32_t seed) {
    Sandbox box;
    box.random.seed(seed);
    const Compilation c = compile(text.c_str(), 0, box.code.data(), sizeof box.code, box.context());
    EXPECT_EQ(c.error, kOk) << text;
    EngineRun r{kOk, std::vector<std::int16_t>(count, kUnwritten), 0};
    for (std::size_t i = 0; i < count; ++i) {
        box.x = static_cast<double>(first + static_cast<std::int64_t>(i));
        double v = 0;
        r.error = runCode(box.code.data(), c.bytes, box.variables, box.random, v);
        if (r.error != kOk)
            break;
        r.samples[i] = toSampleCode(v);
    }
    r.randomState = box.random.state();
    return r;
}

EngineRun inBlocks(const std::string& text, std::int64_t first, std::size_t count,
                   std::uint32_t seed) {
    Sandbox box;
    box.random.seed(seed);
    const Compilation c = compile(text.c_str(), 0, box.code.data(), sizeof box.code, box.context());
    EXPECT_EQ(c.error, kOk) << text;
    BlockEngine engine;
    EXPECT_TRUE(engine.prepare(box.code.data(), c.bytes, box.variables, &box.x)) << text;
    EngineRun r{kOk, std::vector<std::int16_t>(count, kUnwritten), 0};
    r.error = engine.run(first, count, r.samples.data(), box.random);
    r.randomState = box.random.state();
    return r;
}

void expectSameRun(const std::string& text, std::int64_t first, std::size_t count,
                   std::uint32_t seed = 1) {
    const EngineRun a = perSample(text, first, count, seed);
    const EngineRun b = inBlocks(text, first, count, seed);
    EXPECT_EQ(a.error, b.error) << text;
    EXPECT_EQ(a.samples, b.samples) << text;
    EXPECT_EQ(a.randomState, b.randomState) << text << ": random draws differ";
}

std::size_t written(const EngineRun& r) {
    std::size_t n = 0;
    while (n < r.samples.size() && r.samples[n] != kUnwritten)
        ++n;
    return n;
}

TEST(BlockEngine, SameSamplesAsPerSampleExecution) {
    const char* texts[] = {
        "32767*sin(2*pi*x/1000)",
        "x*x/65536-3*x+1",
        "sqw(x/100,30,5)*2+tri(x/50)*3+rnd(x)",
        "x",
        "x*x-x",
        "17.9",
        "-x/4",
        "x/0.5 - x/3 + x/-8",
        "(x>300)*(x<=700)*20000 - (x==512)*5 + !(x-3)",
        "(x<100||x>900)&&x!=950",
        "power(x, 3) + phase(x, -5)*1000 + tri(x, 20)*100 + sqw(x/7)*7 + sqw(x/9, 25)*9",
        "tan(x/1000)*100 + atn(x) + sqr(x) + exp(x/5000) + log(x+1) + log10(x+1) + cos(x)",
        "x^0.5 + 2^(x/1000) + (x-500)^2/100",
        "rnd(x)*1000 + rnd(x+1)*100 - rnd(0)",
        "rnd(rnd(x))*30000",
        "1/(1+x*x) * 40000",
    };
    for (const char* t : texts) {
        expectSameRun(t, 0, 1000);
        expectSameRun(t, -300, 777, 99);
        expectSameRun(t, 65500, 36, 4);
        expectSameRun(t, 5, 1, 7);
    }
}

TEST(BlockEngine, BlockConversionToCodesMatchesTheScalarRule) {
    // Results that vary by lane go through the block conversion; the
    // per-sample run converts one value at a time.
    for (const char* t :
         {"x/10-32768", "32767-x/10+0.95", "sqr(x-3)", "log(x)*40000", "x*x*x*x*x*x*x*1e300",
          "-x*x*x*x*x*x*x*1e300", "x*1e9", "-x*1e9", "(x-10)/4", "-(x-10)/4"})
        expectSameRun(t, 0, 300);
}

TEST(BlockEngine, FirstFailingSampleIsExact) {
    struct Case {
        const char* text;
        std::int64_t first;
        std::size_t failsAt;
    } cases[] = {
        {"1000/(x-5)", 0, 5},
        {"x/0", 0, 0},
        {"1/(x-300)", 0, 300},           // in the second block
        {"1/(x-255)+1/(x-256)", 0, 255}, // at a block's last lane
        {"1/(x-256)", 0, 256},           // at the next block's first lane
        {"1/(x-610)+1/(x-600)", 0, 600}, // a later slot failing on an earlier lane wins
        {"x/(x-40)/(x-30)", 10, 20},
    };
    for (const auto& k : cases) {
        const EngineRun r = inBlocks(k.text, k.first, 1000, 1);
        EXPECT_EQ(r.error, kDivideByZero) << k.text;
        EXPECT_EQ(written(r), k.failsAt) << k.text;
        expectSameRun(k.text, k.first, 1000);
    }
}

TEST(BlockEngine, RandomDrawsFollowPerSampleOrderUpToTheFailure) {
    // Sample 7 fails before its rnd in the first, after it in the second, and
    // between its two draws in the third: the generator must end where
    // one-at-a-time execution leaves it.
    for (const char* t : {"rnd(1/(x-7))", "rnd(x)+1/(x-7)", "rnd(x)*(1/(x-300))+rnd(x)",
                          "rnd(x)*rnd(x)*rnd(x)+1/(x-600)"}) {
        expectSameRun(t, 0, 1000, 3);
        expectSameRun(t, 0, 1000, 12345);
    }
    const EngineRun before = inBlocks("rnd(1/(x-7))", 0, 100, 3);
    const EngineRun after = inBlocks("rnd(x)+1/(x-7)", 0, 100, 3);
    RandomGenerator g;
    g.seed(3);
    for (int i = 0; i < 7; ++i)
        g.value();
    EXPECT_EQ(before.randomState, g.state()) << "seven samples, one draw each";
    g.value();
    EXPECT_EQ(after.randomState, g.state()) << "sample 7 drew before failing";
}

TEST(BlockEngine, TwoRndCallsDrawSampleBySample) {
    const EngineRun r = inBlocks("rnd(x)*10000+rnd(x)*3", 0, 300, 5);
    RandomGenerator g;
    g.seed(5);
    for (std::size_t i = 0; i < 300; ++i) {
        const double a = g.value();
        const double b = g.value();
        ASSERT_EQ(r.samples[i], toSampleCode(a * 10000 + b * 3)) << i;
    }
}

TEST(BlockEngine, OtherVariablesKeepTheirValue) {
    Sandbox box;
    double y = 21;
    box.variables.add("y", &y);
    const Compilation c = compile("x+y*2", 0, box.code.data(), sizeof box.code, box.context());
    ASSERT_EQ(c.error, kOk);
    BlockEngine engine;
    ASSERT_TRUE(engine.prepare(box.code.data(), c.bytes, box.variables, &box.x));
    std::vector<std::int16_t> out(3);
    ASSERT_EQ(engine.run(10, 3, out.data(), box.random), kOk);
    EXPECT_EQ(out, (std::vector<std::int16_t>{52, 53, 54}));
}

} // namespace
