// The standard generators at the phases where their pieces join, the period
// shapes, the noise sequence and the constant level.

#include "NoiseSource.h"
#include "PeriodShapes.h"
#include "Wave.h"

#include <cmath>

using sigtest::Codes;
using sigtest::Wave;

namespace {

Codes sine(double start, double length, double amplitude, double cycles, double phase,
           int size = 4) {
    const Wave w(size);
    EXPECT_EQ(W_MakeSin(w.handle(), start, length, 0, amplitude, cycles, phase), 1);
    return w.codes();
}

Codes square(double duty, double transition, int length, double phase = 0) {
    const Wave w(length);
    EXPECT_EQ(W_MakeSquare(w.handle(), 0, length, 0, 2000, 1, phase, duty, transition), 1);
    return w.codes();
}

Codes triangle(double symmetry, int length, double phase = 0) {
    const Wave w(length);
    EXPECT_EQ(W_MakeTriangle(w.handle(), 0, length, 0, 2000, 1, phase, symmetry), 1);
    return w.codes();
}

Codes noise(int count, double offset, double amplitude) {
    const Wave w(count);
    EXPECT_EQ(W_MakeNoise(w.handle(), 0, count, offset, amplitude), 1);
    return w.codes();
}

} // namespace

TEST(MakeSin, QuarterPhasesLandOnTheCodesOfTheRange) {
    EXPECT_EQ(sine(0, 4, 65534, 1, 0), (Codes{0, 32767, 0, -32767}));
    EXPECT_EQ(sine(0, 4, 65534, 1, 90), (Codes{32767, 0, -32767, 0}));
    EXPECT_EQ(sine(0, 4, 65534, 1, 360), (Codes{0, 32767, 0, -32767}));
    EXPECT_EQ(sine(0, 4, 65534, 2, 0), (Codes{0, 0, 0, 0})) << "two periods: half-period samples";
    EXPECT_EQ(sine(0, 4, 70000, 1, 0), (Codes{0, 32767, 0, -32768})) << "peaks saturate";
}

TEST(MakeSin, FractionalStartKeepsThePhaseOfTheUnroundedStart) {
    // Samples 1..4 (ceil(0.5) up to ceil(4.5)), at 45, 135, 225 and 315 degrees.
    EXPECT_EQ(sine(0.5, 4, 65534, 1, 0, 6), (Codes{0, 23170, 23170, -23170, -23170, 0}));
    // ceil(0.5 + 2.4) = 3: the bound is on start + length, so two samples.
    const Wave w(Codes{9, 9, 9, 9});
    EXPECT_EQ(W_MakeSin(w.handle(), 0.5, 2.4, 100, 0, 1, 0), 1);
    EXPECT_EQ(w.codes(), (Codes{9, 100, 100, 9}));
}

TEST(MakeSin, OffsetCentresTheWaveAndNothingIsWrittenForEmptyLengths) {
    const Wave w(Codes{5, 5, 5, 5});
    EXPECT_EQ(W_MakeSin(w.handle(), 0, 4, -1000.5, 1000, 1, 0), 1);
    EXPECT_EQ(w.codes(), (Codes{-1000, -500, -1000, -1500}));
    EXPECT_EQ(W_MakeSin(w.handle(), 0, 0, 0, 1000, 1, 0), 0);
    EXPECT_EQ(W_MakeSquare(w.handle(), 0, -1, 0, 1000, 1, 0, 50, 0), 0);
    EXPECT_EQ(W_MakeTriangle(w.handle(), 0, 0, 0, 1000, 1, 0, 50), 0);
    EXPECT_EQ(W_MakeNoise(w.handle(), 0, 0, 0, 1000), 0);
    EXPECT_EQ(W_MakeDC(w.handle(), 0, -0.5, 7), 0);
    EXPECT_EQ(w.codes(), (Codes{-1000, -500, -1000, -1500}));
}

TEST(MakeSquare, DutyAndTransitionShapeThePeriod) {
    EXPECT_EQ(square(50, 0, 4), (Codes{1000, 1000, -1000, -1000}));
    EXPECT_EQ(square(0, 0, 4), (Codes{-1000, -1000, -1000, -1000}));
    EXPECT_EQ(square(100, 30, 4), (Codes{1000, 1000, 1000, 1000}));
    EXPECT_EQ(square(25, 0, 8), (Codes{1000, 1000, -1000, -1000, -1000, -1000, -1000, -1000}));
    EXPECT_EQ(square(50, -20, 4), square(50, 0, 4)) << "a negative transition counts as 0";
    EXPECT_EQ(square(101, 0, 4), (Codes{0, 0, 0, 0}));
    EXPECT_EQ(square(-1, 0, 4), (Codes{0, 0, 0, 0}));
}

TEST(MakeSquare, EdgesAreStraightLinesThroughZero) {
    // Transition 50: each edge a quarter period, touching +-1 only at the quarter points.
    EXPECT_EQ(square(50, 50, 8), (Codes{0, 500, 1000, 500, 0, -500, -1000, -500}));
    // Transition 100: half-edges longer than half their part never reach +-1.
    EXPECT_EQ(square(50, 100, 8), (Codes{0, 250, 500, 250, 0, -250, -500, -250}));
    // Duty 75, transition 10: edges of 0.1 period centred on 0 and 0.75.
    EXPECT_EQ(square(75, 10, 20),
              (Codes{0,    1000, 1000, 1000, 1000, 1000, 1000,  1000,  1000,  1000,
                     1000, 1000, 1000, 1000, 1000, 0,    -1000, -1000, -1000, -1000}));
}

TEST(MakeSquare, WholePhaseTakesTheFirstSampleAsTheEndOfAPeriod) {
    EXPECT_EQ(square(50, 0, 4, 360), (Codes{-1000, 1000, -1000, -1000}));
    // Likewise inside a stretch: a whole period past the start is low.
    EXPECT_EQ(square(50, 0, 4, 180), (Codes{-1000, -1000, -1000, 1000}));
    EXPECT_EQ(square(50, 0, 4, -90), (Codes{-1000, 1000, 1000, -1000}));
}

TEST(MakeTriangle, SymmetrySetsTheShareOfTheRise) {
    EXPECT_EQ(triangle(50, 8), (Codes{0, 500, 1000, 500, 0, -500, -1000, -500}));
    EXPECT_EQ(triangle(100, 8), (Codes{0, 250, 500, 750, -1000, -750, -500, -250}));
    EXPECT_EQ(triangle(0, 8), (Codes{1000, 750, 500, 250, 0, -250, -500, -750}));
    EXPECT_EQ(triangle(25, 8), (Codes{0, 1000, 667, 333, 0, -333, -667, -1000}));
    EXPECT_EQ(triangle(120, 4), (Codes{0, 0, 0, 0}));
    EXPECT_EQ(triangle(-0.01, 4), (Codes{0, 0, 0, 0}));
}

TEST(MakeTriangle, WholeHalfAndNegativePhases) {
    // 360 degrees: the first sample is the end of a period; only the falling
    // ramp shows it.
    EXPECT_EQ(triangle(50, 4, 360), triangle(50, 4, 0));
    EXPECT_EQ(triangle(0, 4, 360), (Codes{-1000, 500, 0, -500}));
    EXPECT_EQ(triangle(0, 4, 0), (Codes{1000, 500, 0, -500}));
    // Half a period and negative phases fold into 0..1.
    EXPECT_EQ(triangle(50, 4, 180), (Codes{0, -1000, 0, 1000}));
    EXPECT_EQ(triangle(50, 4, -90), (Codes{-1000, 0, 1000, 0}));
}

TEST(PeriodShapes, NegativePositionsFoldIntoThePeriod) {
    using sigcore::periodPosition;
    const double quarter = 0.25 / sigcore::kPeriodsPerRadian;
    EXPECT_EQ(periodPosition(0), 0);
    EXPECT_NEAR(periodPosition(quarter), 0.25, 1e-15);
    EXPECT_NEAR(periodPosition(-quarter), 0.75, 1e-15);
    EXPECT_NEAR(periodPosition(-5 * quarter), 0.75, 1e-15);
}

TEST(PeriodShapes, ShapesStayWithinTheUnitRange) {
    for (double param = 0; param <= 100; param += 12.5) {
        const sigcore::SquareShape square(param, 100 - param);
        const sigcore::TriangleShape triangle(param);
        for (double f = 0; f <= 1; f += 1.0 / 64) {
            EXPECT_LE(std::abs(square(f)), 1.0) << param << " " << f;
            EXPECT_LE(std::abs(triangle(f)), 1.0) << param << " " << f;
        }
    }
}

TEST(MakeNoise, SeedGivesTheSameSequenceEveryTime) {
    W_InitRand(7);
    const Codes first = noise(6, 0, 65534);
    EXPECT_EQ(first, (Codes{2077, -18687, -19735, -9180, 7920, 24051}));
    W_InitRand(7);
    EXPECT_EQ(noise(6, 0, 65534), first);
}

TEST(MakeNoise, EverySampleTakesTwoNumbersEvenAtAmplitudeZero) {
    W_InitRand(7);
    EXPECT_EQ(noise(3, 100.4, 0), (Codes{100, 100, 100}));
    EXPECT_EQ(noise(3, 0, 65534), (Codes{-9180, 7920, 24051}));
    // Seed 35772 draws -32768 first, which is rejected: that sample takes four
    // numbers.
    W_InitRand(35772);
    EXPECT_EQ(noise(3, 0, 65534), (Codes{-7360, -28043, -9631}));
}

TEST(MakeNoise, DrawsAreTheSymmetricValuesKOver32767) {
    sigcore::NoiseSource source(12345);
    double lowest = 0;
    double highest = 0;
    for (int i = 0; i < 200000; ++i) {
        const double r = source.draw();
        const double k = r * 32767;
        ASSERT_NEAR(k, std::round(k), 1e-9);
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_GE(lowest, -1.0);
    EXPECT_LE(highest, 1.0);
    EXPECT_LT(lowest, -0.999);
    EXPECT_GT(highest, 0.999);
    EXPECT_EQ(sigcore::NoiseSource().next(), 41) << "the state is 1 before any seed";
}

TEST(MakeNoise, OffsetAndHalfAmplitudeAreLimited) {
    W_InitRand(1);
    for (const int16_t c : noise(500, 32000, 10000)) {
        EXPECT_GE(c, 27000);
        EXPECT_LE(c, 32767);
    }
}

TEST(MakeDC, RoundsHalfUpAndLimitsTheLevel) {
    const Wave w(Codes{1, 2, 3, 4});
    EXPECT_EQ(W_MakeDC(w.handle(), 0.5, 2, 100.5), 1);
    EXPECT_EQ(w.codes(), (Codes{1, 101, 101, 4}));
    EXPECT_EQ(W_MakeDC(w.handle(), 0, 1, -100.5), 1);
    EXPECT_EQ(w.codes()[0], -100);
    // Out-of-range levels saturate instead of wrapping into other codes.
    EXPECT_EQ(W_MakeDC(w.handle(), 0, 1, 40000), 1);
    EXPECT_EQ(w.codes()[0], 32767);
    EXPECT_EQ(W_MakeDC(w.handle(), 0, 1, -1e12), 1);
    EXPECT_EQ(w.codes()[0], -32768);
    EXPECT_EQ(W_MakeDC(w.handle(), 0, 1, 32767.4), 1);
    EXPECT_EQ(w.codes()[0], 32767);
}
