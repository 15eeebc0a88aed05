// Sample codes to upload bytes: divisor, rounding, byte order, progress.
#include "SampleConversion.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using namespace zw;

TEST(SampleConversion, DivisorIsTheNegatedLowWord) {
    EXPECT_EQ(MaskDivisor(0xFFFC), 4);
    EXPECT_EQ(MaskDivisor(0xFFF0), 16);
    EXPECT_EQ(MaskDivisor(0xFFFF), 1);
    EXPECT_EQ(MaskDivisor(0xFFFFFFFC), 4);
    EXPECT_EQ(MaskDivisor(0x8000), 32768);
}

TEST(SampleConversion, MasksWithoutAPositiveDivisorAreRefused) {
    EXPECT_FALSE(MaskDivisor(0));
    EXPECT_FALSE(MaskDivisor(0x30000)); // low 16 bits 0
    EXPECT_FALSE(MaskDivisor(0x3FFF));  // would divide by -16383
}

TEST(SampleConversion, QuotientRoundsHalvesToEven) {
    EXPECT_EQ(ScaleSample(2, 4), 0);
    EXPECT_EQ(ScaleSample(6, 4), 2);
    EXPECT_EQ(ScaleSample(10, 4), 2);
    EXPECT_EQ(ScaleSample(-2, 4), 0);
    EXPECT_EQ(ScaleSample(-6, 4), -2);
    EXPECT_EQ(ScaleSample(7, 4), 2);
    EXPECT_EQ(ScaleSample(-7, 4), -2);
    EXPECT_EQ(ScaleSample(32767, 4), 8192);
    EXPECT_EQ(ScaleSample(-32768, 4), -8192);
    EXPECT_EQ(ScaleSample(-32768, 1), -32768);
    EXPECT_EQ(ScaleSample(32767, 32768), 1);
}

TEST(SampleConversion, IntegerRoundingAgreesWithFloatingPointForEveryCode) {
    for (int divisor : {1, 2, 4, 16, 3, 32768}) {
        for (int code = -32768; code <= 32767; ++code) {
            const double exact = std::nearbyint(static_cast<double>(code) / divisor);
            ASSERT_EQ(ScaleSample(static_cast<int16_t>(code), divisor), static_cast<int>(exact))
                << code << " / " << divisor;
        }
    }
}

TEST(SampleConversion, BlockConversionAgreesWithTheSingleSampleRuleForEveryCode) {
    std::vector<int16_t> every(65536);
    for (int i = 0; i < 65536; ++i)
        every[static_cast<size_t>(i)] = static_cast<int16_t>(i - 32768);
    for (int divisor : {1, 2, 4, 16, 256, 32768, 3, 12}) {
        std::vector<uint8_t> bytes(every.size() * 2);
        ConvertSamples(every, divisor, false, bytes, {});
        for (size_t i = 0; i < every.size(); ++i) {
            const auto word = static_cast<int16_t>(bytes[2 * i] << 8 | bytes[2 * i + 1]);
            ASSERT_EQ(word, ScaleSample(every[i], divisor)) << every[i] << " / " << divisor;
        }
    }
}

TEST(SampleConversion, ThreePointsWithMaskFFFCGiveSixBytes) {
    const std::vector<int16_t> samples = {400, -400, 32767};
    std::vector<uint8_t> bytes(6);
    ASSERT_EQ(ConvertSamples(samples, *MaskDivisor(0xFFFC), false, bytes, {}),
              ConversionResult::Completed);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0x00, 0x64, 0xFF, 0x9C, 0x20, 0x00}));
}

TEST(SampleConversion, ByteOrderFollowsTheSwapSwitch) {
    const std::vector<int16_t> samples = {-1, 256};
    std::vector<uint8_t> normal(4), swapped(4);
    ConvertSamples(samples, 1, false, normal, {});
    ConvertSamples(samples, 1, true, swapped, {});
    EXPECT_EQ(normal, (std::vector<uint8_t>{0xFF, 0xFF, 0x01, 0x00}));
    EXPECT_EQ(swapped, (std::vector<uint8_t>{0xFF, 0xFF, 0x00, 0x01}));
}

TEST(SampleConversion, ProgressEveryHundredSamplesAndAbortStops) {
    std::vector<int16_t> samples(1001, 8);
    std::vector<uint8_t> bytes(2002, 0xAA);
    std::vector<int> positions;
    EXPECT_EQ(ConvertSamples(samples, 4, false, bytes,
                             [&](int p) {
                                 positions.push_back(p);
                                 return false;
                             }),
              ConversionResult::Completed);
    ASSERT_EQ(positions.size(), 11u);
    EXPECT_EQ(positions.front(), 100);
    EXPECT_EQ(positions[9], 1000);
    EXPECT_EQ(positions.back(), 1000);

    std::vector<uint8_t> partial(2002, 0xAA);
    EXPECT_EQ(ConvertSamples(samples, 4, false, partial, [](int p) { return p >= 300; }),
              ConversionResult::Aborted);
    EXPECT_EQ(partial[2 * 299 + 1], 2);
    EXPECT_EQ(partial[2 * 300], 0xAA); // nothing converted after the abort
}

TEST(SampleConversion, ASinglePointDoesNotDivideByZeroInTheProgress) {
    const std::vector<int16_t> samples = {5};
    std::vector<uint8_t> bytes(2);
    int last = -1;
    EXPECT_EQ(ConvertSamples(samples, 1, false, bytes,
                             [&](int p) {
                                 last = p;
                                 return false;
                             }),
              ConversionResult::Completed);
    EXPECT_EQ(last, 1000);
}
