// The rule from a column's numbers to codes, with expected codes worked out
// by hand.
#include "CodeScaling.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using zw::textimport::CodeScaling;

std::vector<int16_t> Codes(const std::vector<double>& values) {
    CodeScaling scaling;
    for (const double v : values)
        scaling.add(v);
    std::vector<int16_t> codes;
    for (const double v : values)
        codes.push_back(scaling.code(v));
    return codes;
}

TEST(CodeScaling, WholeNumbersWithinTheCodeRangeAreTheCodes) {
    EXPECT_EQ(Codes({0, 1, -1, 32767, -32768, 12.0}),
              (std::vector<int16_t>{0, 1, -1, 32767, -32768, 12}));
}

TEST(CodeScaling, OtherNumbersAreScaledToTheLargestMagnitude) {
    // 32767 / 4 = 8191.75 per unit: 1 -> 8191.75, 2.5 -> 20479.375.
    EXPECT_EQ(Codes({0, 1, -4, 2.5}), (std::vector<int16_t>{0, 8192, -32767, 20479}));
    // One number out of the code range scales them all; the largest is the
    // positive one here.
    EXPECT_EQ(Codes({40000, -20000, 0}), (std::vector<int16_t>{32767, -16384, 0}));
    // Volts from an oscilloscope.
    EXPECT_EQ(Codes({0.001, -0.002, 0.0005}), (std::vector<int16_t>{16384, -32767, 8192}));
}

TEST(CodeScaling, HalvesGoToTheEvenCode) {
    // 0.5 of 32767 is 16383.5: up to 16384, and down to -16384 below zero;
    // 1.5 of 32767 / 3 likewise.
    EXPECT_EQ(Codes({0.5, 1, -0.5}), (std::vector<int16_t>{16384, 32767, -16384}));
    EXPECT_EQ(Codes({1.5, 3}), (std::vector<int16_t>{16384, 32767}));
}

TEST(CodeScaling, TinyMagnitudesStillReachFullScale) {
    EXPECT_EQ(Codes({4.9e-324, -4.9e-324, 0.5e-323}), (std::vector<int16_t>{32767, -32767, 32767}));
}

} // namespace
