// Unknown handles and stretches reaching outside a memory: the failure result
// and nothing touched, or only the part inside the memory processed. Run
// under AddressSanitizer, any read or write outside a block fails the test.

#include "RecordingSurface.h"
#include "Wave.h"

#include <cmath>
#include <limits>
#include <string>
#include <utility>

using sigtest::Codes;
using sigtest::ramp;
using sigtest::staleHandle;
using sigtest::Wave;
using zwtest::RecordingSurface;

namespace {
constexpr double kHuge = 1e300;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
} // namespace

TEST(Bounds, StaleOrUnknownHandlesFailAndTouchNothing) {
    const Wave good(ramp(8, 3));
    RecordingSurface s;
    for (const ZwMemHandle bad : {ZwMemHandle{0}, staleHandle(), ZwMemHandle{0xDEADBEEF}}) {
        const ZwMemHandle h = good.handle();
        EXPECT_EQ(W_ClearMemory(bad, 0, 4), 0);
        EXPECT_EQ(W_CopyMemory(bad, h, 0, 0, 4), 0);
        EXPECT_EQ(W_CopyMemory(h, bad, 0, 0, 4), 0);
        EXPECT_EQ(W_DeleteWave(bad, 0, 2, 8), 0);
        EXPECT_EQ(W_GetWaveData(bad, 1, 8), 0);
        EXPECT_EQ(W_GetMaxMin(bad, 0, 8, 1), 0);
        EXPECT_EQ(W_CopyBitDigital(bad, 0, 8, 1, 2), 0);
        EXPECT_EQ(W_CalcWave(bad, h, h, 0, 4, -1, 1, 0), 0);
        EXPECT_EQ(W_CalcWave(h, bad, h, 0, 4, -1, 1, 0), 0);
        EXPECT_EQ(W_CalcWave(h, h, bad, 0, 4, -1, 1, 7), 0);
        EXPECT_EQ(W_CompWaveX(bad, 0, 4, 8, 0, 2), 0);
        EXPECT_EQ(W_CompYMaxMin(bad, 0, 4, 10, 0), 0);
        EXPECT_EQ(W_CompYAmpOff(bad, 0, 4, 10, 0), 0);
        EXPECT_EQ(W_MakeSin(bad, 0, 4, 0, 100, 1, 0), 0);
        EXPECT_EQ(W_MakeSquare(bad, 0, 4, 0, 100, 1, 0, 50, 0), 0);
        EXPECT_EQ(W_MakeTriangle(bad, 0, 4, 0, 100, 1, 0, 50), 0);
        EXPECT_EQ(W_MakeNoise(bad, 0, 4, 0, 100), 0);
        EXPECT_EQ(W_MakeDC(bad, 0, 4, 1), 0);
        EXPECT_EQ(W_DrawWave2(s.get(), bad, 0, 0, 4, 65534, 4, 10), 0u);
        EXPECT_EQ(W_DrawWave(s.get(), bad, 0, 4, 4, 10), 0u);
        EXPECT_EQ(W_DrawWaveForPrint(s.get(), bad, 4, 4, 10, 0, 0), 0u);
        EXPECT_EQ(W_DrawDigital(s.get(), bad, 0, 4, 1, 4, 10), 0u);
        EXPECT_EQ(W_DrawDigitalPattern(s.get(), bad, 0, 4, 1, 1, 0, 1, 4, 10, 1, 2, 3, 4), 0u);
        EXPECT_EQ(good.codes(), ramp(8, 3));
    }
    EXPECT_TRUE(s.calls.empty());
}

TEST(Bounds, NoiseOnAnUnknownHandleTakesNoRandomNumbers) {
    W_InitRand(99);
    W_MakeNoise(staleHandle(), 0, 100, 0, 1000);
    const Wave a(3);
    W_MakeNoise(a.handle(), 0, 3, 0, 65534);
    W_InitRand(99);
    const Wave b(3);
    W_MakeNoise(b.handle(), 0, 3, 0, 65534);
    EXPECT_EQ(a.codes(), b.codes());
}

TEST(Bounds, PositionsThatAreNotNumbersAreRefused) {
    const Wave w(ramp(4, 1));
    for (const double bad : {kNaN, double(INFINITY), -double(INFINITY)}) {
        EXPECT_EQ(W_ClearMemory(w.handle(), bad, 2), 0);
        EXPECT_EQ(W_ClearMemory(w.handle(), 0, bad), 0);
        EXPECT_EQ(W_CopyMemory(w.handle(), w.handle(), 0, bad, 2), 0);
        EXPECT_EQ(W_DeleteWave(w.handle(), bad, 1, 4), 0);
        EXPECT_EQ(W_GetWaveData(w.handle(), 2, bad), 0);
        EXPECT_EQ(W_GetMaxMin(w.handle(), bad, 2, 1), 0);
        EXPECT_EQ(W_CalcWave(w.handle(), w.handle(), w.handle(), 0, bad, -1, 1, 0), 0);
        EXPECT_EQ(W_CompWaveX(w.handle(), 0, 2, 4, bad, 2), 0);
        EXPECT_EQ(W_CompWaveX(w.handle(), 0, 2, 4, 0, bad), 0);
        EXPECT_EQ(W_CompYMaxMin(w.handle(), bad, 2, 1, 0), 0);
        EXPECT_EQ(W_MakeSin(w.handle(), 0, bad, 0, 100, 1, 0), 0);
        EXPECT_EQ(W_MakeDC(w.handle(), bad, 1, 5), 0);
    }
    EXPECT_EQ(w.codes(), ramp(4, 1));
}

TEST(Bounds, StretchesAreCutAtTheEdgesOfTheMemory) {
    const Wave w(ramp(6, 10));
    EXPECT_EQ(W_ClearMemory(w.handle(), -2, 4), 1);
    EXPECT_EQ(w.codes(), (Codes{0, 0, 20, 30, 40, 50}));
    EXPECT_EQ(W_MakeDC(w.handle(), 4, 1000, 7), 1);
    EXPECT_EQ(w.codes(), (Codes{0, 0, 20, 30, 7, 7}));
    EXPECT_EQ(W_MakeDC(w.handle(), -kHuge, 2 * kHuge, 9), 1);
    EXPECT_EQ(w.codes(), (Codes{9, 9, 9, 9, 9, 9}));
    EXPECT_EQ(W_ClearMemory(w.handle(), 6, 10), 1) << "wholly outside: no failure, no change";
    EXPECT_EQ(W_ClearMemory(w.handle(), kHuge, kHuge), 1);
    EXPECT_EQ(w.codes(), (Codes{9, 9, 9, 9, 9, 9}));
    EXPECT_EQ(W_CopyBitDigital(w.handle(), 3, 100, 1, 2), 0);
    EXPECT_EQ(w.codes(), (Codes{9, 9, 9, 11, 11, 11}));
}

TEST(Bounds, CopiesKeepOnlyPairsWhoseEndsAreBothInside) {
    const Wave from(ramp(4, 1));
    const Wave to(Codes{9, 9, 9, 9, 9, 9});
    // Source -2..5 onto 1..8: source samples 0..3 land on 3..6, of which 3..5 exist.
    EXPECT_EQ(W_CopyMemory(from.handle(), to.handle(), -2, 1, 8), 1);
    EXPECT_EQ(to.codes(), (Codes{9, 9, 9, 0, 1, 2}));
    EXPECT_EQ(W_CopyMemory(from.handle(), to.handle(), 0, -kHuge, kHuge), 1);
    EXPECT_EQ(W_CopyMemory(from.handle(), from.handle(), 1, 0, 1e9), 1);
    EXPECT_EQ(from.codes(), (Codes{1, 2, 3, 3}));
}

TEST(Bounds, ReadsOutsideTheMemoryGiveZero) {
    const Wave w(Codes{-5, 6, -7});
    EXPECT_EQ(W_GetWaveData(w.handle(), 5, 100), 0);
    EXPECT_EQ(W_GetWaveData(w.handle(), -1, 100), 0);
    EXPECT_EQ(W_GetWaveData(w.handle(), 5, 3), -5) << "past the count: sample 0";
    EXPECT_EQ(W_GetMaxMin(w.handle(), 1, 100, 0), -7);
    EXPECT_EQ(W_GetMaxMin(w.handle(), -10, 11.5, 1), 6);
    EXPECT_EQ(W_GetMaxMin(w.handle(), 3, 5, 1), 0);
}

TEST(Bounds, DeleteUsesAtMostTheMemoryAsUsedLength) {
    const Wave w(ramp(5, 1));
    EXPECT_EQ(W_DeleteWave(w.handle(), -3, 5, 5), 1) << "removes samples 0 and 1";
    EXPECT_EQ(w.codes(), (Codes{2, 3, 4, 0, 0}));
    EXPECT_EQ(W_DeleteWave(w.handle(), 0, 1, -7), 1);
    EXPECT_EQ(W_DeleteWave(w.handle(), 0, kHuge, std::numeric_limits<int32_t>::max()), 1);
    EXPECT_EQ(w.codes(), (Codes{0, 0, 0, 0, 0}));
}

TEST(Bounds, CalcWaveWorksWhereAllThreeMemoriesHaveTheSample) {
    const Wave first(ramp(6, 1));
    const Wave second(Codes{10, 10});
    const Wave result(Codes{7, 7, 7});
    EXPECT_EQ(W_CalcWave(first.handle(), second.handle(), result.handle(), 3, 100, -1, 1, 0), 1);
    EXPECT_EQ(result.codes(), (Codes{13, 14, 7}));
    EXPECT_EQ(W_CalcWave(first.handle(), second.handle(), result.handle(), -1, 3, -1, 1, 1), 1);
    EXPECT_EQ(result.codes(), (Codes{13, -10, 7})) << "first[-1] does not exist";
}

TEST(Bounds, CompWaveXNewRangeCutAtTheMemoryKeepsTheRequestedRatio) {
    // 0..3 stretched to 0..7 in a memory of 5: what fits is what the first
    // five samples of the whole new range would be.
    const Wave w(Codes{0, 100, 200, 300, 400});
    EXPECT_EQ(W_CompWaveX(w.handle(), 0, 4, 5, 0, 8), 1);
    EXPECT_EQ(w.codes(), (Codes{0, 50, 100, 150, 200}));
    // Reversed, ending before 7: stored from 3 to 6 back to front, 5 and 6 cut.
    const Wave r(Codes{10, 20, 30, 40, 50});
    EXPECT_EQ(W_CompWaveX(r.handle(), 0, 4, 5, 7, -4), 1);
    EXPECT_EQ(r.codes(), (Codes{10, 10, 10, 40, 30}));
    // An immense new length costs no more than the memory's size.
    const Wave big(ramp(100, 1));
    EXPECT_EQ(W_CompWaveX(big.handle(), 0, 10, 100, -1e15, 2e15), 1);
    EXPECT_EQ(W_CompWaveX(big.handle(), 0, 100, 100, 0, -1e15), 1);
    // An old stretch reaching outside: the part inside is what gets resampled.
    const Wave cut(Codes{0, 10, 20, 30});
    EXPECT_EQ(W_CompWaveX(cut.handle(), 2, 10, 4, 0, 2), 1);
    EXPECT_EQ(cut.codes(), (Codes{20, 30, 0, 0}));
    EXPECT_EQ(W_CompWaveX(cut.handle(), 4, 2, 4, 0, 2), 1);
    EXPECT_EQ(cut.codes(), (Codes{20, 30, 0, 0}));
}

TEST(Bounds, GeneratorsWriteOnlyInsideAndKeepThePhase) {
    const Wave full(8);
    EXPECT_EQ(W_MakeTriangle(full.handle(), 0, 8, 0, 2000, 1, 0, 50), 1);
    const Wave part(4);
    EXPECT_EQ(W_MakeTriangle(part.handle(), -4, 8, 0, 2000, 1, 0, 50), 1);
    const Codes whole = full.codes();
    EXPECT_EQ(part.codes(), Codes(whole.begin() + 4, whole.end()));
    EXPECT_EQ(W_MakeSin(part.handle(), 2, kHuge, 0, 100, 1, 0), 1);
    EXPECT_EQ(W_MakeSquare(part.handle(), -kHuge, kHuge, 0, 100, 1, 0, 50, 0), 1);
    W_InitRand(3);
    EXPECT_EQ(W_MakeNoise(part.handle(), -1e15, 2e15, 0, 100), 1);
}

TEST(Bounds, DrawingStopsAtTheEndsOfTheMemory) {
    const Wave w(Codes{32767, 0, -32767, 0});
    RecordingSurface s;
    // Columns 0 and 1 hold samples 2 and 3; columns 2 and 3 would lie past the memory.
    EXPECT_EQ(W_DrawWave2(s.get(), w.handle(), 2, 0, 4, 65534, 4, 100), w.handle());
    EXPECT_EQ(s.calls, (std::vector<zwtest::SurfaceCall>{
                           zwtest::MoveTo(0, 99), zwtest::MoveTo(1, 99), zwtest::LineTo(1, 49)}));
    RecordingSurface before;
    EXPECT_EQ(W_DrawWave2(before.get(), w.handle(), -2, 0, 4, 65534, 4, 100), w.handle());
    ASSERT_FALSE(before.calls.empty());
    EXPECT_EQ(before.calls.front(), zwtest::MoveTo(2, 0)) << "the trace starts at sample 0";

    RecordingSurface outside;
    EXPECT_EQ(W_DrawWave2(outside.get(), w.handle(), 100, 0, 10, 65534, 4, 100), w.handle());
    EXPECT_EQ(W_DrawWave(outside.get(), w.handle(), kHuge, kHuge, 4, 100), w.handle());
    EXPECT_EQ(W_DrawWaveForPrint(outside.get(), w.handle(), kHuge, 4, 100, 0, 0), w.handle());
    EXPECT_EQ(W_DrawDigital(outside.get(), w.handle(), -kHuge, kHuge, 0xFFFF, 4, 100), w.handle());
    EXPECT_EQ(
        W_DrawDigitalPattern(outside.get(), w.handle(), 1e9, 10, 1, 1, 0, 1, 4, 100, 1, 2, 3, 4),
        w.handle());
    RecordingSurface pens;
    W_DrawDigitalPattern(pens.get(), w.handle(), 3, 10, 1, 1, 0, 1, 6, 100, 1, 2, 3, 4);
    EXPECT_EQ(pens.selected, 0u) << "pens are restored even when columns fall outside";
}

TEST(Bounds, SurfaceWithoutItsCallbacksIsRefused) {
    const Wave w(Codes{1, 2});
    ZwSurface empty{};
    EXPECT_EQ(W_DrawWave2(&empty, w.handle(), 0, 0, 2, 65534, 2, 10), 0u);
    EXPECT_EQ(W_DrawWave(&empty, w.handle(), 0, 2, 2, 10), 0u);
    EXPECT_EQ(W_DrawDigital(&empty, w.handle(), 0, 2, 1, 2, 10), 0u);
    EXPECT_EQ(W_DrawDigitalPattern(&empty, w.handle(), 0, 2, 1, 1, 0, 1, 2, 10, 1, 2, 3, 4), 0u);
    EXPECT_EQ(W_DrawGrid(&empty, 2, 10), 0);
    EXPECT_EQ(W_DrawGrid(nullptr, 2, 10), 0);
}

TEST(Bounds, SurfacesBeyondTheSizeLimitAreRefusedBeforeAnyDrawing) {
    const Wave w(Codes{32767, 0, -32767, 0});
    constexpr int32_t kLimit = SIGCORE32_MAX_SURFACE_SIZE;
    // Without the limit, these ran for up to a minute and took gigabytes.
    for (const auto& [width, height] : {std::pair{INT32_MAX, 100}, std::pair{100, INT32_MAX},
                                        std::pair{kLimit + 1, 100}, std::pair{100, kLimit + 1}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        RecordingSurface s;
        EXPECT_EQ(W_DrawWave2(s.get(), w.handle(), 0, 0, 4, 65534, width, height), 0u);
        EXPECT_EQ(W_DrawWave(s.get(), w.handle(), 0, 4, width, height), 0u);
        EXPECT_EQ(W_DrawWaveForPrint(s.get(), w.handle(), 4, width, height, 0, 0), 0u);
        EXPECT_EQ(W_DrawDigital(s.get(), w.handle(), 0, 4, 0xFFFF, width, height), 0u);
        EXPECT_EQ(
            W_DrawDigitalPattern(s.get(), w.handle(), 0, 4, 1, 1, 0, 1, width, height, 1, 2, 3, 4),
            0u);
        EXPECT_TRUE(s.calls.empty()) << "nothing drawn, not even the zero line, no pen made";
    }
    // The limit itself is a valid size.
    RecordingSurface s;
    EXPECT_EQ(W_DrawWave(s.get(), w.handle(), 0, 4, kLimit, kLimit), w.handle());
    EXPECT_EQ(W_DrawWaveForPrint(s.get(), w.handle(), 4, kLimit, kLimit, 0, 0), w.handle());
    EXPECT_EQ(
        W_DrawDigitalPattern(s.get(), w.handle(), 0, 4, 1, 1, 0, 1, kLimit, kLimit, 1, 2, 3, 4),
        w.handle());
}
