// Arithmetic between waveforms, time-axis resampling and value-axis fitting.

#include "Wave.h"

#include <cmath>
#include <random>

using sigtest::Codes;
using sigtest::ramp;
using sigtest::Wave;

TEST(CalcWave, CombinesInPhysicalUnitsAndStoresFromSampleZero) {
    const Wave first(Codes{0, 0, 100, 200, -300, 32767});
    const Wave second(Codes{50, -20, 7, 0});
    const Wave result(Codes{9, 9, 9, 9, 9});
    // Symmetric range: sums and differences of codes.
    EXPECT_EQ(W_CalcWave(first.handle(), second.handle(), result.handle(), 1.5, 3, -5, 5, 0), 1);
    EXPECT_EQ(result.codes(), (Codes{150, 180, -293, 9, 9}));
    EXPECT_EQ(W_CalcWave(first.handle(), second.handle(), result.handle(), 2, 3, -5, 5, 1), 1);
    EXPECT_EQ(result.codes(), (Codes{50, 220, -307, 9, 9}));
}

TEST(CalcWave, ProductsAreLimitedAndDivisionByZeroGivesCodeZero) {
    const Wave first(Codes{32767, 32767, -32767, 16384});
    const Wave second(Codes{32767, 0, 32767, 16384});
    const Wave result(4);
    EXPECT_EQ(W_CalcWave(first.handle(), second.handle(), result.handle(), 0, 4, -10, 10, 2), 1);
    // 10 * 10 and -10 * 10 are limited; 5.00015 * 5.00015 = 25.0015 V is limited too.
    EXPECT_EQ(result.codes(), (Codes{32767, 0, -32768, 32767}));
    EXPECT_EQ(W_CalcWave(first.handle(), second.handle(), result.handle(), 0, 4, -10, 10, 3), 1);
    EXPECT_EQ(result.codes(), (Codes{3277, 0, -3277, 3277}))
        << "1 V / 1 V = 1 V; x / 0 V gives code 0, not a limited extreme";
}

TEST(CalcWave, AsymmetricRangeWorksAroundItsCentre) {
    // Range 0..10 V: code 0 is 5 V, one code step is 10/65534 V.
    const Wave first(Codes{0, 32767});
    const Wave second(Codes{0, 0});
    const Wave result(2);
    EXPECT_EQ(W_CalcWave(first.handle(), second.handle(), result.handle(), 0, 2, 0, 10, 0), 1);
    // 5 + 5 = 10 V is code 32767; 10 + 5 = 15 V is limited.
    EXPECT_EQ(result.codes(), (Codes{32767, 32767}));
    EXPECT_EQ(W_CalcWave(first.handle(), second.handle(), result.handle(), 0, 2, 0, 10, 1), 1);
    EXPECT_EQ(result.codes(), (Codes{-32767, 0}));
}

TEST(CalcWave, UnknownOperationComputesNothingButSucceeds) {
    const Wave a(ramp(3, 5));
    const Wave result(Codes{1, 2, 3});
    EXPECT_EQ(W_CalcWave(a.handle(), a.handle(), result.handle(), 0, 3, -1, 1, 7), 1);
    EXPECT_EQ(W_CalcWave(a.handle(), a.handle(), result.handle(), 0, 3, -1, 1, -1), 1);
    EXPECT_EQ(result.codes(), (Codes{1, 2, 3}));
    EXPECT_EQ(W_CalcWave(a.handle(), a.handle(), result.handle(), 0, 0, -1, 1, 0), 0);
}

TEST(CalcWave, ResultMayBeTheFirstWaveform) {
    // In place from a later stretch: each sample is read before it is overwritten.
    const Wave w(Codes{1, 2, 3, 4, 5});
    const Wave zero(5);
    EXPECT_EQ(W_CalcWave(w.handle(), zero.handle(), w.handle(), 1, 4, -1, 1, 0), 1);
    EXPECT_EQ(w.codes(), (Codes{2, 3, 4, 5, 5}));
}

// --- time-axis resampling ---------------------------------------------------

TEST(CompWaveX, CompressionPicksSamplesAndHoldsTheFollowingCode) {
    Codes codes = ramp(6, 10);
    codes.push_back(77);
    const Wave w(codes);
    EXPECT_EQ(W_CompWaveX(w.handle(), 0, 6, 7, 0, 3), 1);
    EXPECT_EQ(w.codes(), (Codes{0, 20, 40, 77, 77, 77, 77}));

    // Ending at the used length, the waveform repeats: sample 0 follows.
    const Wave end(Codes{5, 10, 20, 30, 40, 50});
    EXPECT_EQ(W_CompWaveX(end.handle(), 0, 6, 6, 0, 3), 1);
    EXPECT_EQ(end.codes(), (Codes{5, 20, 40, 5, 5, 5}));
}

TEST(CompWaveX, StretchingWalksTowardsTheNextSample) {
    const Wave up(Codes{0, 100, 200, 300, 400});
    EXPECT_EQ(W_CompWaveX(up.handle(), 0, 2, 5, 0, 4), 1);
    EXPECT_EQ(up.codes(), (Codes{0, 50, 100, 150, 400}));

    const Wave flat(Codes{0, 100, 100, 300, 400});
    EXPECT_EQ(W_CompWaveX(flat.handle(), 0, 2, 5, 0, 4), 1);
    EXPECT_EQ(flat.codes(), (Codes{0, 50, 100, 100, 400}));

    // At the end of the used length the first sample takes the following
    // code's place: 1..2 stretched to 2.9 (ratio 1.45, positions 0, 1, 3)
    // walks from 100 down towards sample 0's 40: 100 - round(60 / 1.45).
    const Wave wrap(Codes{40, 0, 100, 0});
    EXPECT_EQ(W_CompWaveX(wrap.handle(), 1, 2, 3, 0, 2.9), 1);
    EXPECT_EQ(wrap.codes(), (Codes{0, 100, 59, 0}));
}

TEST(CompWaveX, WalkStepFollowsTheRatioNotTheGap) {
    // 3 samples to 8: ratio 8/3, positions 0, 3, 5 and 8; the gap 3..5 is 2
    // positions but the step is |d - c| / (8/3).
    const Wave w(Codes{0, 300, 600, 900, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(W_CompWaveX(w.handle(), 0, 3, 10, 0, 8), 1);
    EXPECT_EQ(w.codes(), (Codes{0, 113, 225, 300, 413, 600, 713, 825, 0, 0}));
}

TEST(CompWaveX, NegativeNewLengthStoresTheStretchBackToFront) {
    const Wave w(ramp(6, 10));
    EXPECT_EQ(W_CompWaveX(w.handle(), 0, 6, 6, 6, -6), 1);
    EXPECT_EQ(w.codes(), (Codes{50, 40, 30, 20, 10, 0}));

    // Reversed and compressed into 2..4 (ending before 5): 0..1 hold the old
    // first code, 5 the code after the old stretch.
    const Wave c(Codes{10, 20, 30, 40, 50, 60, 70});
    EXPECT_EQ(W_CompWaveX(c.handle(), 0, 6, 7, 5, -3), 1);
    EXPECT_EQ(c.codes(), (Codes{10, 10, 50, 30, 10, 70, 70}));
}

TEST(CompWaveX, MovedStretchHoldsItsEdgesOverTheUncoveredPart) {
    // The stretch 2..5 moved to 4..7 (same length): 2..3 hold the old first code.
    const Wave w(Codes{0, 1, 20, 30, 40, 50, 6, 7, 8});
    EXPECT_EQ(W_CompWaveX(w.handle(), 2, 4, 9, 4, 4), 1);
    EXPECT_EQ(w.codes(), (Codes{0, 1, 20, 20, 20, 30, 40, 50, 8}));
    // Moved down to 0..3: 4..5 hold the code that followed (sample 6).
    const Wave d(Codes{0, 1, 20, 30, 40, 50, 6, 7, 8});
    EXPECT_EQ(W_CompWaveX(d.handle(), 2, 4, 9, 0, 4), 1);
    EXPECT_EQ(d.codes(), (Codes{20, 30, 40, 50, 6, 6, 6, 7, 8}));
}

TEST(CompWaveX, ZeroLengthsChangeNothing) {
    const Wave w(ramp(6, 10));
    EXPECT_EQ(W_CompWaveX(w.handle(), 0, 0, 6, 0, 3), 0);
    EXPECT_EQ(W_CompWaveX(w.handle(), 0, -2, 6, 0, 3), 0);
    EXPECT_EQ(W_CompWaveX(w.handle(), 0, 6, 6, 0, 0), 0);
    EXPECT_EQ(W_CompWaveX(w.handle(), 0, 6, 6, 3, -0.5), 0) << "ceil(-0.5) is 0";
    EXPECT_EQ(w.codes(), ramp(6, 10));
}

namespace {

// A plain, whole-memory reading of the resampling, kept apart from the
// library's windowed one, for calls whose ranges lie inside the memory.
Codes referenceCompWaveX(Codes mem, double start, double length, int total, double newStart,
                         double newLength) {
    const auto at = [&](long i) { return long(mem.at(std::size_t(i))); };
    const long s = long(std::ceil(start)), n = long(std::ceil(length));
    const long t = long(std::ceil(newStart)), v = long(std::ceil(newLength));
    const long m = std::labs(v), w = s + n;
    const long first = at(s);
    const long after = w < total ? at(w) : at(0);
    std::vector<long> q(std::size_t(m), 0);
    if (n > m) {
        const double ratio = length / std::fabs(newLength);
        for (long j = 0; j < m; ++j)
            q[std::size_t(j)] = at(s + long(std::floor(j * ratio + 0.5)));
    } else if (n == m) {
        for (long j = 0; j < m; ++j)
            q[std::size_t(j)] = at(s + j);
    } else {
        const double ratio = std::fabs(newLength) / length;
        std::vector<long> pos(std::size_t(n) + 1);
        for (long k = 0; k < n; ++k)
            pos[std::size_t(k)] = long(std::floor(k * ratio + 0.5));
        pos[std::size_t(n)] = std::min<long>(m, total);
        for (long k = 0; k < n; ++k) {
            const long c = at(s + k);
            const long d = s + k + 1 < total ? at(s + k + 1) : at(0);
            const double step = std::labs(d - c) / ratio;
            if (pos[std::size_t(k)] < m)
                q[std::size_t(pos[std::size_t(k)])] = c;
            // Reversed, m = |ceil(new length)| may be below |new length|, so
            // positions can pass m; they are never stored back.
            for (long p = pos[std::size_t(k)] + 1;
                 p < pos[std::size_t(k) + 1] && p < total && p < m; ++p) {
                const long r = long(std::floor((p - pos[std::size_t(k)]) * step + 0.5));
                q[std::size_t(p)] = d > c ? c + r : d < c ? c - r : c;
            }
        }
    }
    const long lo = v >= 0 ? t : t - m, hi = v >= 0 ? t + m : t;
    for (long i = s; i < lo; ++i)
        mem[std::size_t(i)] = int16_t(first);
    for (long i = hi; i < w; ++i)
        mem[std::size_t(i)] = int16_t(after);
    for (long i = 0; i < m; ++i)
        mem[std::size_t(lo + i)] = int16_t(v >= 0 ? q[std::size_t(i)] : q[std::size_t(m - 1 - i)]);
    return mem;
}

} // namespace

TEST(CompWaveX, AgreesWithAPlainReadingOnRandomInRangeCalls) {
    std::mt19937 rng(4410);
    std::uniform_int_distribution<int> code(-32768, 32767);
    int checked = 0;
    for (int round = 0; round < 400; ++round) {
        // The memory reaches past the used length, so that even a pick one
        // past the stretch stays inside it.
        const int total = std::uniform_int_distribution<int>(1, 300)(rng);
        Codes codes(static_cast<std::size_t>(total + 1 + round % 5));
        for (auto& c : codes)
            c = static_cast<int16_t>(code(rng));
        std::uniform_real_distribution<double> within(0, total);
        const double a = within(rng), b = within(rng);
        const double start = std::min(a, b), length = std::fabs(a - b);
        const double c = within(rng), d = within(rng);
        const bool reversed = round % 3 == 0;
        const double newStart = reversed ? std::max(c, d) : std::min(c, d);
        const double newLength = reversed ? -std::fabs(c - d) : std::fabs(c - d);
        const long n = long(std::ceil(length)), m = std::labs(long(std::ceil(newLength)));
        if (n <= 0 || m <= 0 || std::ceil(start) + n > total ||
            (reversed ? std::ceil(newStart) - m < 0 : std::ceil(newStart) + m > total))
            continue;
        ++checked;
        const Wave w(codes);
        ASSERT_EQ(W_CompWaveX(w.handle(), start, length, total, newStart, newLength), 1);
        ASSERT_EQ(w.codes(), referenceCompWaveX(codes, start, length, total, newStart, newLength))
            << "start " << start << " length " << length << " total " << total << " new start "
            << newStart << " new length " << newLength;
    }
    EXPECT_GT(checked, 100);
}

// --- value-axis fitting ------------------------------------------------------

TEST(CompYMaxMin, MapsTheExtremesOntoTheNewOnes) {
    const Wave w(Codes{-100, 0, 100, 5});
    EXPECT_EQ(W_CompYMaxMin(w.handle(), 0, 3, 400, 0), 1);
    EXPECT_EQ(w.codes(), (Codes{0, 200, 400, 5}));
    const Wave shift(Codes{-100, 0, 100});
    EXPECT_EQ(W_CompYMaxMin(shift.handle(), 0, 3, 300, 100), 1);
    EXPECT_EQ(shift.codes(), (Codes{100, 200, 300}));
    // Inverted and limited: new max below new min flips the stretch.
    const Wave flip(Codes{-1000, 0, 3000});
    EXPECT_EQ(W_CompYMaxMin(flip.handle(), 0, 3, -32767, 40000), 1);
    EXPECT_EQ(flip.codes(), (Codes{32767, 21808, -32767}));
}

TEST(CompYMaxMin, FlatStretchStaysAsItIs) {
    const Wave w(Codes{7, 7, 7});
    EXPECT_EQ(W_CompYMaxMin(w.handle(), 0, 3, 100, -100), 1);
    EXPECT_EQ(w.codes(), (Codes{7, 7, 7}));
    EXPECT_EQ(W_CompYMaxMin(w.handle(), 0, 0, 100, -100), 0);
}

TEST(CompYMaxMin, FitsToFullScaleFromAnOddSpan) {
    // -1000..3000 onto -32767..32767: the centre moves to 0.
    const Wave w(Codes{-1000, 1000, 3000, 2});
    EXPECT_EQ(W_CompYMaxMin(w.handle(), 0, 4, 32767, -32767), 1);
    EXPECT_EQ(w.codes(), (Codes{-32767, 0, 32767, -16351}));
}

TEST(CompYAmpOff, ShiftsOnEqualSpanAndScalesOtherwise) {
    const Wave w(Codes{-100, 0, 100});
    EXPECT_EQ(W_CompYAmpOff(w.handle(), 0, 3, 200, 50), 1);
    EXPECT_EQ(w.codes(), (Codes{-50, 50, 150}));
    EXPECT_EQ(W_CompYAmpOff(w.handle(), 0, 3, 100, 0), 1);
    EXPECT_EQ(w.codes(), (Codes{-50, 0, 50}));
    // Half-up rounding of the scaled codes: centre 0.5, scale 1.5 give -0.75
    // and 0.75.
    const Wave odd(Codes{0, 1});
    EXPECT_EQ(W_CompYAmpOff(odd.handle(), 0, 2, 1.5, 0), 1);
    EXPECT_EQ(odd.codes(), (Codes{-1, 1}));
}

TEST(CompYAmpOff, FlatStretchBecomesTheOffset) {
    const Wave w(Codes{7, 7, 7, 9});
    EXPECT_EQ(W_CompYAmpOff(w.handle(), 0, 3, 500, -20.5), 1);
    EXPECT_EQ(w.codes(), (Codes{-20, -20, -20, 9}));
    EXPECT_EQ(W_CompYAmpOff(w.handle(), 0, 3, 0, 40000), 1) << "equal span 0: shifted, limited";
    EXPECT_EQ(w.codes(), (Codes{32767, 32767, 32767, 9}));
}
