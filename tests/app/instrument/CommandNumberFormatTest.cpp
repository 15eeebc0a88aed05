// Numeric format patterns of the command scripts.
#include "CommandNumberFormat.h"

#include <gtest/gtest.h>

using zw::FormatWithPattern;

TEST(CommandNumberFormat, ScientificPatternsKeepTheirMantissaDigits) {
    EXPECT_EQ(FormatWithPattern(1000, "0.000E+00"), "1.000E+03");
    EXPECT_EQ(FormatWithPattern(0.00125, "0.00E+00"), "1.25E-03");
    EXPECT_EQ(FormatWithPattern(-2.5e6, "0.0E+0"), "-2.5E+6");
    EXPECT_EQ(FormatWithPattern(0, "0.000E+00"), "0.000E+00");
    EXPECT_EQ(FormatWithPattern(1e-3, "0.0e-00"), "1.0e-03");
    EXPECT_EQ(FormatWithPattern(1e3, "0.0e-00"), "1.0e03");
    // Rounding that carries into a new leading digit moves the exponent.
    EXPECT_EQ(FormatWithPattern(9.9996, "0.000E+00"), "1.000E+01");
}

TEST(CommandNumberFormat, FixedPatternsRoundHalvesAwayFromZero) {
    EXPECT_EQ(FormatWithPattern(1.5, "0"), "2");
    EXPECT_EQ(FormatWithPattern(2.5, "0"), "3");
    EXPECT_EQ(FormatWithPattern(-2.5, "0"), "-3");
    EXPECT_EQ(FormatWithPattern(0.125, "0.00"), "0.13");
    EXPECT_EQ(FormatWithPattern(1.005, "0.00"), "1.01");
    EXPECT_EQ(FormatWithPattern(3.14159, "0.000"), "3.142");
    EXPECT_EQ(FormatWithPattern(7, "000"), "007");
    EXPECT_EQ(FormatWithPattern(1234567.891, "#,##0.0"), "1,234,567.9");
}

TEST(CommandNumberFormat, OptionalDigitsDropTrailingZerosButKeepThePoint) {
    EXPECT_EQ(FormatWithPattern(5, "#.##"), "5.");
    EXPECT_EQ(FormatWithPattern(0.5, "#.##"), ".5");
    EXPECT_EQ(FormatWithPattern(0.5, "0.##"), "0.5");
    EXPECT_EQ(FormatWithPattern(2.25, "0.0#"), "2.25");
    EXPECT_EQ(FormatWithPattern(2.2, "0.0#"), "2.2");
    EXPECT_EQ(FormatWithPattern(-0.0001, "0.00"), "0.00");
}

TEST(CommandNumberFormat, LiteralsAndOddValues) {
    EXPECT_EQ(FormatWithPattern(3, "0 V"), "3 V");
    EXPECT_EQ(FormatWithPattern(1e300, "0.0E+000"), "1.0E+300");
    EXPECT_EQ(FormatWithPattern(std::numeric_limits<double>::quiet_NaN(), "0"), "NaN");
}
