// Allocation, clearing, copying, deletion, reading and the bit operations of
// the wave memory.

#include "Wave.h"

using sigtest::Codes;
using sigtest::ramp;
using sigtest::Wave;

TEST(WaveMemory, AllocatesZeroFilledMemoriesOnlyForPositiveCounts) {
    EXPECT_EQ(W_AllocMemory(0), 0u);
    EXPECT_EQ(W_AllocMemory(-5), 0u);
    const Wave w(3);
    EXPECT_EQ(w.codes(), (Codes{0, 0, 0}));
    EXPECT_EQ(ZwGlobalSize(w.handle()), 6u);

    const ZwMemHandle h = W_AllocMemory(2);
    EXPECT_EQ(W_FreeMemory(h), 0u);
    EXPECT_EQ(W_FreeMemory(h), h) << "the platform reports a second release as failure";
}

TEST(WaveMemory, PositionsRoundUpAndLengthsOfAFractionCountAsOneSample) {
    const Wave w(ramp(12, 10));
    EXPECT_EQ(W_ClearMemory(w.handle(), 9.2, 0.5), 1);
    Codes expected = ramp(12, 10);
    expected[10] = 0;
    EXPECT_EQ(w.codes(), expected);
    EXPECT_EQ(W_GetMaxMin(w.handle(), 9.2, 1, 1), 0);
    EXPECT_EQ(W_GetMaxMin(w.handle(), 8.01, 1, 1), 90);
    EXPECT_EQ(W_ClearMemory(w.handle(), -0.9, 2.5), 1) << "ceil(-0.9) is sample 0";
    EXPECT_EQ(w.codes()[0], 0);
    EXPECT_EQ(w.codes()[2], 0);
    EXPECT_EQ(w.codes()[3], 30);
}

TEST(WaveMemory, NonPositiveLengthsChangeNothingAndReturnZero) {
    const Wave a(ramp(5, 3));
    const Wave b(ramp(5, 7));
    for (const double length : {0.0, -0.5, -3.0}) {
        EXPECT_EQ(W_ClearMemory(a.handle(), 0, length), 0);
        EXPECT_EQ(W_CopyMemory(a.handle(), b.handle(), 0, 0, length), 0);
        EXPECT_EQ(W_DeleteWave(a.handle(), 0, length, 5), 0);
    }
    EXPECT_EQ(a.codes(), ramp(5, 3));
    EXPECT_EQ(b.codes(), ramp(5, 7));
}

TEST(WaveMemory, CopyProceedsFirstSampleFirstEvenOverItsOwnStretch) {
    const Wave w(Codes{9, 1, 2, 3, 4, 5});
    EXPECT_EQ(W_CopyMemory(w.handle(), w.handle(), 0, 1, 4), 1);
    EXPECT_EQ(w.codes(), (Codes{9, 9, 9, 9, 9, 5}));

    const Wave down(Codes{0, 1, 2, 3, 4, 5});
    EXPECT_EQ(W_CopyMemory(down.handle(), down.handle(), 2, 0, 4), 1);
    EXPECT_EQ(down.codes(), (Codes{2, 3, 4, 5, 4, 5}));

    const Wave from(ramp(6, 11));
    const Wave to(6);
    EXPECT_EQ(W_CopyMemory(from.handle(), to.handle(), 1.5, 0.2, 2.5), 1);
    EXPECT_EQ(to.codes(), (Codes{0, 22, 33, 44, 0, 0}));
}

TEST(WaveMemory, DeleteClosesTheGapAndZeroesTheEndOfTheUsedLength) {
    const Wave w(ramp(12));
    EXPECT_EQ(W_DeleteWave(w.handle(), 2, 3, 10), 1);
    EXPECT_EQ(w.codes(), (Codes{0, 1, 5, 6, 7, 8, 9, 0, 0, 0, 10, 11}))
        << "samples past the used length stay";

    const Wave tail(ramp(10));
    EXPECT_EQ(W_DeleteWave(tail.handle(), 7, 3, 10), 1);
    EXPECT_EQ(tail.codes(), (Codes{0, 1, 2, 3, 4, 5, 6, 0, 0, 0}));

    const Wave all(ramp(4, 5));
    EXPECT_EQ(W_DeleteWave(all.handle(), 0, 4, 4), 1);
    EXPECT_EQ(all.codes(), (Codes{0, 0, 0, 0}));
}

TEST(WaveMemory, DeletingPastTheUsedLengthRemovesOnlyWhatIsInside) {
    // Removing 8..12 of a used length of 10 must not zero 5..7 in front of it.
    const Wave w(ramp(16));
    EXPECT_EQ(W_DeleteWave(w.handle(), 8, 5, 10), 1);
    EXPECT_EQ(w.codes(), (Codes{0, 1, 2, 3, 4, 5, 6, 7, 0, 0, 10, 11, 12, 13, 14, 15}));
    // A used length beyond the memory is the memory's size.
    const Wave small(ramp(6));
    EXPECT_EQ(W_DeleteWave(small.handle(), 1, 2, 1000), 1);
    EXPECT_EQ(small.codes(), (Codes{0, 3, 4, 5, 0, 0}));
}

TEST(WaveMemory, GetWaveDataRoundsDownAndWrapsAtTheCount) {
    const Wave w(ramp(101, 3));
    EXPECT_EQ(W_GetWaveData(w.handle(), 9.8, 100), 27);
    EXPECT_EQ(W_GetWaveData(w.handle(), 99.99, 100), 297);
    EXPECT_EQ(W_GetWaveData(w.handle(), 100, 100), 0);
    EXPECT_EQ(W_GetWaveData(w.handle(), 100, 100.9), 0) << "the count rounds down too";
    EXPECT_EQ(W_GetWaveData(w.handle(), 100, 101), 300);

    const Wave negative(Codes{-2, -32768, 7});
    EXPECT_EQ(W_GetWaveData(negative.handle(), 1, 3), -32768) << "sign-extended";
    EXPECT_EQ(W_GetWaveData(negative.handle(), 3, 3), -2);
}

TEST(WaveMemory, GetMaxMinComparesSignedCodes) {
    const Wave w(Codes{4, 5, -7, 3, 100});
    EXPECT_EQ(W_GetMaxMin(w.handle(), 1, 3, 1), 5);
    EXPECT_EQ(W_GetMaxMin(w.handle(), 1, 3, 0), -7);
    EXPECT_EQ(W_GetMaxMin(w.handle(), 1, 3, -1), 5) << "any non-zero selector asks for the max";
    for (const double length : {1.0, 0.5, 0.0, -4.0}) {
        EXPECT_EQ(W_GetMaxMin(w.handle(), 2, length, 1), -7);
        EXPECT_EQ(W_GetMaxMin(w.handle(), 2, length, 0), -7);
    }
}

TEST(WaveMemory, CopyBitDigitalCopiesOneLineOntoAnother) {
    const Wave w(Codes{1, 4, 5, 0, -1, 1, 1});
    EXPECT_EQ(W_CopyBitDigital(w.handle(), 0, 5, 1, 4), 0);
    EXPECT_EQ(w.codes(), (Codes{5, 0, 5, 0, -1, 1, 1}));
    // Line 15 (the sign bit) onto line 0 and back.
    const Wave s(Codes{-32768, 1, -2});
    EXPECT_EQ(W_CopyBitDigital(s.handle(), 0, 3, 0x8000, 1), 0);
    EXPECT_EQ(s.codes(), (Codes{-32767, 0, -1}));
    EXPECT_EQ(W_CopyBitDigital(s.handle(), 0, 3, 2, 0x8000), 0);
    EXPECT_EQ(s.codes(), (Codes{1, 0, -1}));
    EXPECT_EQ(W_CopyBitDigital(s.handle(), 0, 0.0, 1, 2), 0);
    EXPECT_EQ(s.codes(), (Codes{1, 0, -1}));
}

TEST(WaveMemory, ReverseBitMirrorsTheLow16Bits) {
    EXPECT_EQ(reverse_bit(1), 0x8000);
    EXPECT_EQ(reverse_bit(0x8000), 1);
    EXPECT_EQ(reverse_bit(0x10001), 0x8000);
    EXPECT_EQ(reverse_bit(0x1234), 0x2C48);
    EXPECT_EQ(reverse_bit(-1), 0xFFFF);
    for (int v = 0; v < 0x10000; v += 37)
        EXPECT_EQ(reverse_bit(reverse_bit(v)), v);
}
