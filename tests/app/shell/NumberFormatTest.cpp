// Number patterns, number text, value of text and engineering notation.
#include "NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace zw::NumberFormat;

namespace {

struct PatternCase {
    double value;
    const char* pattern;
    const char* expected;
};

void expectAll(const std::vector<PatternCase>& cases) {
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.value, QString::fromUtf8(c.pattern)).toStdString(), c.expected)
            << "value " << c.value << " pattern " << c.pattern;
}

} // namespace

TEST(NumberFormatPattern, DigitPlaceholdersInTheIntegerPart) {
    expectAll({
        {1, "#00000000", "00000001"},
        {1, "000###", "000001"},
        {1, "#00##00#0", "00000001"},
        {1, "1#####0000", "10001"},
        {17, "#0", "17"},
        {4711, "#0", "4711"},
        {17, "#000", "017"},
        {100, "0##", "100"},
        {17, "#3", "173"},
        {17, "#3.33", "173.33"},
        {0, "#", ""},
        {0, "0", "0"},
        {1, "00", "01"},
        {1e20, "#0", "100000000000000000000"},
        {123456789012345678.0, "#0", "123456789012346000"},
    });
}

TEST(NumberFormatPattern, FractionPlaceholdersArePositional) {
    expectAll({
        {1.23456789, "0#.0#0#0#0#0", "01.234567890"},
        {1.2, "0#.0#0#0#0#0", "01.200000000"},
        {9.87654321, "#0.#0#0#0#0#", "9.87654321"},
        {9.8, "#0.#0#0#0#0#", "9.80000000"},
        {0.00000008, "#0.#0#0#0#0#0", "0.0000000800"},
        {0.00010705, "#0.##########", "0.00010705"},
        {17, "#.00", "17.00"},
        {1.7, "#.00", "1.70"},
        {.17, "#.00", ".17"},
        {1, "#.#", "1."},
        {0, "#.#", "."},
        {0.0049, "#.##", "."},
        {0.0995, "#.##", ".1"},
        {8.0995, "#.##", "8.1"},
        {0, "0.0", "0.0"},
    });
}

TEST(NumberFormatPattern, PatternsOfTheDialogsAndListings) {
    expectAll({
        {500, "0.##################0", "500.0000000000000000000"},
        {0.1 + 0.2, "0.##################0", "0.3000000000000000000"},
        {5, ".######", "5."},
        {0.1234567, ".######", ".123457"},
        {1.0 / 3.0, ".######", ".333333"},
        {12.5, ".###", "12.5"},
        {1000, ".#############", "1000."},
        {1.25e-7, ".#############", ".000000125"},
        {1.0005, ".000", "1.001"},
        {-1.5, ".000000", "-1.500000"},
        {7, "#0", "7"},
    });
}

TEST(NumberFormatPattern, RoundsHalfAwayFromZeroOnFifteenDigits) {
    expectAll({
        {2.5, "#0", "3"},
        {-2.5, "#0", "-3"},
        {0.5, "#0", "1"},
        {1.7, "#0", "2"},
        {1.005, "0.00", "1.01"},
        {9.9999999, "#0.000000", "10.000000"},
        {9.9995, "0.000", "10.000"},
    });
}

TEST(NumberFormatPattern, NegativeValuesAndSections) {
    expectAll({
        {-1.57, "0.00", "-1.57"},
        {-1.57, "#.##", "-1.57"},
        {-0.1, ".#", "-.1"},
        {-0.0004, ".000", ".000"}, // nothing left to be negative
        {1, "#;-#", "1"},
        {-1, "#;-#", "-1"},
        {-1, "\"pos\";\"neg\"", "neg"},
        {0, "\"pos\";\"neg\";\"zero\"", "zero"},
        {1, "\"pos\";\"neg\";\"zero\"", "pos"},
        {-3, "0;(0)", "(3)"},
    });
}

TEST(NumberFormatPattern, ExponentPatterns) {
    expectAll({
        {1000, "0.000E+00", "1.000E+03"},
        {0.5, "0.0E+0", "5.0E-1"},
        {-2.5e-6, "0.000E+00", "-2.500E-06"},
        {0, "0.000E+00", "0.000E+00"},
        {9.9996, "0.000E+00", "1.000E+01"},
        {0.9996, "0.000E+00", "9.996E-01"},
        {1.7, "0.0000E-000", "1.7000E000"},
        {1.7, "0.0000e-1", "1.7000e01"},
        {86.936849, "#0.000000000000e-000", "86.936849000000e000"},
        {1.73245, "0.0000E+000", "1.7325E+000"},
        {1.7, "0.0000e+0#", "1.7000e+0"},
        {100.0001, "0.0000E+0", "1.0000E+2"},
        {1000001, "0.0000e+1", "1.0000e+61"},
        {100.0001e+25, "0.0000e+0", "1.0000e+27"},
        {450.0001e+43, "#000.0000e+0", "4500.0010e+42"},
        {0.0001e-11, "##00.0000e-0", "1000.0000e-18"},
        {0.0317e-11, "0000.0000e-0", "3170.0000e-16"},
        {47.11, ".0000E+0", ".4711E+2"},
        {3.0401e-13, "#####.####e-0%", "30401.e-15%"},
    });
}

TEST(NumberFormatPattern, NamedPatternsLiteralsAndGrouping) {
    expectAll({
        {1, "Scientific", "1.00E+00"},
        {0, "Scientific", "0.00E+00"},
        {1e13, "scientific", "1.00E+13"},
        {1e-19, "Scientific", "1.00E-19"},
        {1, "Fixed", "1.00"},
        {1234.5, "Standard", "1,234.50"},
        {1, "Percent", "100.00%"},
        {0.5, "General Number", "0.5"},
        {0.5, "", "0.5"},
        {1, "00\\c\\o\\p\\y", "01copy"},
        {2.5, "0.0\" V\"", "2.5 V"},
        {100000, "#,###,###,###", "100,000"},
        {1, "0,000,000,000", "0,000,000,001"},
        {123456789, "#,#.#", "123,456,789."},
    });
}

TEST(NumberFormatPattern, NonFiniteValuesGetAMarker) {
    EXPECT_EQ(Format(std::nan(""), u"0.00"), "NaN");
    EXPECT_EQ(Format(INFINITY, u"0.00"), "Inf");
    EXPECT_EQ(Format(-INFINITY, u"Scientific"), "-Inf");
}

TEST(NumberFormatText, InterfaceNumberToText) {
    EXPECT_EQ(NumberText(0), " 0");
    EXPECT_EQ(NumberText(-0.0), " 0");
    EXPECT_EQ(NumberText(5), " 5");
    EXPECT_EQ(NumberText(-5), "-5");
    EXPECT_EQ(NumberText(0.5), " .5");
    EXPECT_EQ(NumberText(-0.25), "-.25");
    EXPECT_EQ(NumberText(32767.0 / 2), " 16383.5");
    EXPECT_EQ(NumberText(1.0 / 3.0), " .333333333333333");
    EXPECT_EQ(NumberText(2.0 / 3.0), " .666666666666667");
    EXPECT_EQ(NumberText(1e7), " 10000000");
    EXPECT_EQ(NumberText(123456789012345.0), " 123456789012345");
    EXPECT_EQ(NumberText(1e15), " 1E+15");
    EXPECT_EQ(NumberText(1.23456789012345678e20), " 1.23456789012346E+20");
    EXPECT_EQ(NumberText(0.0001), " .0001");
    EXPECT_EQ(NumberText(1e-5), " 1E-05");
    EXPECT_EQ(NumberText(-1.5e-5), "-1.5E-05");
    EXPECT_EQ(NumberText(1e100), " 1E+100");
}

TEST(NumberFormatText, NumberTextReadsBackToFifteenDigits) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> decade(-30, 30);
    for (int i = 0; i < 2000; ++i) {
        const double v = mantissa(rng) * std::pow(10.0, decade(rng));
        const double back = ValueOfText(NumberText(v));
        EXPECT_NEAR(back, v, std::fabs(v) * 1e-14) << NumberText(v).toStdString();
    }
}

TEST(NumberFormatRead, ValueOfTextReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(ValueOfText(u"  12.5abc"), 12.5);
    EXPECT_DOUBLE_EQ(ValueOfText(u"-3e2x"), -300);
    EXPECT_DOUBLE_EQ(ValueOfText(u"1e"), 1);
    EXPECT_DOUBLE_EQ(ValueOfText(u"1e+"), 1);
    EXPECT_DOUBLE_EQ(ValueOfText(u"+.5"), 0.5);
    EXPECT_DOUBLE_EQ(ValueOfText(u"1,5"), 1);
    EXPECT_DOUBLE_EQ(ValueOfText(u"\t7"), 7);
    EXPECT_EQ(ValueOfText(u""), 0);
    EXPECT_EQ(ValueOfText(u"."), 0);
    EXPECT_EQ(ValueOfText(u"e5"), 0);
    EXPECT_EQ(ValueOfText(u"abc"), 0);
    EXPECT_EQ(ValueOfText(u"False"), 0);
    EXPECT_EQ(ValueOfText(u"1e999"), INFINITY);
    EXPECT_EQ(ValueOfText(u"-1e999"), -INFINITY);
    EXPECT_EQ(ValueOfText(u"1e-999"), 0);
}

TEST(NumberFormatEngineering, ParseEngineeringScalesByTheLastLetter) {
    EXPECT_DOUBLE_EQ(ParseEngineering(u"1.5k"), 1500);
    EXPECT_EQ(ParseEngineering(u"2m"), 0.002);
    EXPECT_DOUBLE_EQ(ParseEngineering(u"2M"), 2000000);
    EXPECT_DOUBLE_EQ(ParseEngineering(u"10"), 10);
    EXPECT_EQ(ParseEngineering(u"abc"), 0);
    EXPECT_DOUBLE_EQ(ParseEngineering(u"5u  "), 5e-6);
    EXPECT_DOUBLE_EQ(ParseEngineering(u"3a"), 3e-18);
    EXPECT_DOUBLE_EQ(ParseEngineering(u"9f"), 9e-15);
    EXPECT_DOUBLE_EQ(ParseEngineering(u"8p"), 8e-12);
    EXPECT_DOUBLE_EQ(ParseEngineering(u"7n"), 7e-9);
    EXPECT_DOUBLE_EQ(ParseEngineering(u"4G"), 4e9);
    EXPECT_DOUBLE_EQ(ParseEngineering(u"1T"), 1e12);
    EXPECT_DOUBLE_EQ(ParseEngineering(u"1.5 k"), 1500);
    EXPECT_DOUBLE_EQ(ParseEngineering(u"1.5K"), 1.5); // capital K is no prefix
    EXPECT_DOUBLE_EQ(ParseEngineering(u"1e3m"), 1);
    EXPECT_EQ(ParseEngineering(u""), 0);
    EXPECT_EQ(ParseEngineering(u"k"), 0);
}

TEST(NumberFormatEngineering, ReadEngineeringRejectsWhatIsNoNumber) {
    EXPECT_EQ(ReadEngineering(u"1.5k"), 1500);
    EXPECT_EQ(ReadEngineering(u" 10 "), 10);
    EXPECT_EQ(ReadEngineering(u"1.5 k"), 1500);
    EXPECT_EQ(ReadEngineering(u"-2.5E-3"), -0.0025);
    EXPECT_EQ(ReadEngineering(u"5."), 5);
    for (const char16_t* bad :
         {u"", u"  ", u"abc", u"12x", u"1e", u"m", u".", u"1e999", u"1.5kk", u"1.5K", u"--1"})
        EXPECT_FALSE(ReadEngineering(bad).has_value()) << QString::fromUtf16(bad).toStdString();
}

TEST(NumberFormatEngineering, PlainFormatCutsThePattern) {
    EXPECT_EQ(PlainFormat(500, 8), "500.0000");
    EXPECT_EQ(PlainFormat(0, 8), "0.000000");
    EXPECT_EQ(PlainFormat(-1.5, 8), "-1.50000");
    EXPECT_EQ(PlainFormat(65536, 8), "65536.00");
    EXPECT_EQ(PlainFormat(10.5, 11), "10.50000000");
    EXPECT_EQ(PlainFormat(12345678901.0, 8), "12345678");
    EXPECT_EQ(PlainFormat(3, 0), "");
}

TEST(NumberFormatEngineering, EngineeringFormatOfTheReadOuts) {
    EXPECT_EQ(EngineeringFormat(0.0015, 7), "1.50000m");
    EXPECT_EQ(EngineeringFormat(-0.0015, 7), "-1.5000m");
    EXPECT_EQ(EngineeringFormat(2500000, 7), "2.50000M");
    EXPECT_EQ(EngineeringFormat(0.0005, 7), "500.000u");
    EXPECT_EQ(EngineeringFormat(5, 7), "5.000000 ");
    EXPECT_EQ(EngineeringFormat(0, 7), "0.000000");
    EXPECT_EQ(EngineeringFormat(1e-19, 7), "1.00E-19");
    EXPECT_EQ(EngineeringFormat(1e-18, 7), "1.00E-18");
    EXPECT_EQ(EngineeringFormat(1e13, 7), "1.00E+13");
    EXPECT_EQ(EngineeringFormat(1e12, 7), "1.00E+12");
    EXPECT_EQ(EngineeringFormat(1.5e-18, 7), "1.50000a");
    EXPECT_EQ(EngineeringFormat(9.99e11, 7), "999.000G");
    EXPECT_EQ(EngineeringFormat(12.345678, 10), "12.34567800 ");
}

TEST(NumberFormatEngineering, TheDecadeDivisorKeepsPowersOfAThousandBelow) {
    EXPECT_EQ(EngineeringFormat(1000, 7), "1000.000 ");
    EXPECT_EQ(EngineeringFormat(1e6, 7), "1000.00k");
    EXPECT_EQ(EngineeringFormat(1e9, 7), "1000.00M");
    EXPECT_EQ(EngineeringFormat(0.001, 7), "1.00000m");
    EXPECT_EQ(EngineeringFormat(1e-6, 7), "1.00000u");
    EXPECT_EQ(EngineeringFormat(1001, 7), "1.00100k");
}

TEST(NumberFormatEngineering, FormatEngineeringOfTheSettingsFields) {
    EXPECT_EQ(FormatEngineering(1500, u".###"), "1.5k");
    EXPECT_EQ(FormatEngineering(0.001, u".###"), "1m");
    EXPECT_EQ(FormatEngineering(5, u".###"), "5");
    EXPECT_EQ(FormatEngineering(0.5, u".000000"), "500.000000m");
    EXPECT_EQ(FormatEngineering(1e7, u".#############"), "10M");
    EXPECT_EQ(FormatEngineering(1e6, u".###"), "1000k");
    EXPECT_EQ(FormatEngineering(-0.25, u".###"), "-250m");
    EXPECT_EQ(FormatEngineering(1e13, u".###"), "1.00E+13");
    EXPECT_EQ(FormatEngineering(0, u".###"), "0.000");
    EXPECT_EQ(FormatEngineering(0, u".#############"), "0.0000000000000");
    EXPECT_EQ(FormatEngineering(0, u"#0"), "0");
}

TEST(NumberFormatEngineering, EngineeringTextReadsBack) {
    // What the settings fields show, typed back, is the value to 6 digits.
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> decade(-17, 10);
    for (int i = 0; i < 3000; ++i) {
        const double v = (i % 2 ? -1 : 1) * mantissa(rng) * std::pow(10.0, decade(rng));
        const QString shown = FormatEngineering(v, u".######");
        const auto back = ReadEngineering(shown);
        ASSERT_TRUE(back.has_value()) << shown.toStdString();
        EXPECT_NEAR(*back, v, std::fabs(v) * 1e-6) << shown.toStdString();
        EXPECT_NEAR(ParseEngineering(EngineeringFormat(v, 10)), v, std::fabs(v) * 1e-5)
            << EngineeringFormat(v, 10).toStdString();
    }
}

TEST(NumberFormatPattern, FormattedValuesReadBackWithinHalfTheLastPlace) {
    // Half a unit of the last place shown, plus what rounding to 15 digits
    // first may add.
    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> decade(-8, 8);
    for (int i = 0; i < 3000; ++i) {
        const double v = mantissa(rng) * std::pow(10.0, decade(rng));
        const double fixed = ValueOfText(Format(v, u"0.000000"));
        EXPECT_LE(std::fabs(fixed - v), 0.5e-6 + std::fabs(v) * 1e-14)
            << v << " " << Format(v, u"0.000000").toStdString();
        const double sci = ValueOfText(Format(v, u"0.000E+00"));
        EXPECT_LE(std::fabs(sci - v), std::fabs(v) * (0.5e-3 + 1e-14))
            << v << " " << Format(v, u"0.000E+00").toStdString();
        const double grouped = ValueOfText(Format(v, u"#,##0.###").remove(u','));
        EXPECT_LE(std::fabs(grouped - v), 0.5e-3 + std::fabs(v) * 1e-14);
    }
}

TEST(NumberFormatPattern, ArbitraryPatternsAndTextsAreHandledSafely) {
    // Patterns come from model files and texts from the user: whatever they
    // hold, formatting and reading must stay within their inputs.
    std::mt19937_64 rng(9);
    const std::string alphabet = "0#.,;%E+e-\"\\ xk";
    std::uniform_int_distribution<size_t> length(0, 24), pick(0, alphabet.size() - 1);
    const double values[] = {0,     -0.0,    1,    -1.5, 0.5,      123456.789, -9.9996e-7,
                             1e300, -1e-300, 1e15, NAN,  INFINITY, 5e-324,     32767};
    for (int i = 0; i < 20000; ++i) {
        std::string p;
        for (size_t n = length(rng); n > 0; --n)
            p.push_back(alphabet[pick(rng)]);
        const QString pattern = QString::fromStdString(p);
        const double v = values[i % std::size(values)];
        const QString text = Format(v, pattern);
        EXPECT_LT(text.size(), 400 + 2 * pattern.size()) << p;
        (void)ValueOfText(pattern);
        (void)ParseEngineering(pattern);
        if (const auto r = ReadEngineering(pattern)) {
            EXPECT_TRUE(std::isfinite(*r)) << p;
        }
        (void)FormatEngineering(v, pattern);
    }
}
