// The one reader of a text's leading number: plain numbers, where it stops,
// the forms only replies and scripts allow, and the locale.
#include "LeadingNumber.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace {

using zw::ReadLeadingNumber;
using zw::ScanLeadingNumber;

TEST(LeadingNumber, ReadsUpToTheFirstOtherCharacter) {
    EXPECT_EQ(ReadLeadingNumber("  -12.5e1V"), -125.0);
    EXPECT_EQ(ReadLeadingNumber("\t+.25"), 0.25);
    EXPECT_EQ(ReadLeadingNumber("7e"), 7.0); // an exponent without digits is not one
    EXPECT_EQ(ReadLeadingNumber("7e+x"), 7.0);
    EXPECT_EQ(ReadLeadingNumber("abc"), 0.0);
    EXPECT_EQ(ReadLeadingNumber("-."), 0.0);
    EXPECT_EQ(ReadLeadingNumber(""), 0.0);
    EXPECT_TRUE(std::isinf(ReadLeadingNumber("1e999")));
    EXPECT_EQ(ReadLeadingNumber("nan"), 0.0);
    EXPECT_EQ(ReadLeadingNumber("0x10"), 0.0); // "0", then a letter
}

TEST(LeadingNumber, TellsWhereTheNumberEnds) {
    EXPECT_EQ(ScanLeadingNumber(" 1.5e3k").end, 6u);
    EXPECT_EQ(ScanLeadingNumber("1.5e").end, 3u);
    EXPECT_EQ(ScanLeadingNumber("x1").end, 0u);
    const std::string cut = "12345";
    EXPECT_EQ(ScanLeadingNumber(std::string_view(cut).substr(0, 2)).value, 12.0);
}

TEST(LeadingNumber, HexadecimalAndDExponentOnlyWhenAsked) {
    EXPECT_EQ(ReadLeadingNumber("&H10"), 0.0);
    EXPECT_EQ(ReadLeadingNumber("&H10", {.hexadecimal = true}), 16.0);
    EXPECT_EQ(ReadLeadingNumber("&hFFFF", {.hexadecimal = true}), -1.0); // 16 bits, signed
    EXPECT_EQ(ReadLeadingNumber("1D2"), 1.0);
    EXPECT_EQ(ReadLeadingNumber("1D2", {.dExponent = true}), 100.0);
}

TEST(LeadingNumber, ThePointIsAPointWhateverTheLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    bool changed = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"})
        if (std::setlocale(LC_NUMERIC, name)) {
            changed = true;
            break;
        }
    if (!changed)
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    const double value = ReadLeadingNumber("1.5");
    const double comma = ReadLeadingNumber("1,5");
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(value, 1.5);
    EXPECT_EQ(comma, 1.0);
}

} // namespace
