// The delimited-text reader on whole files: what spreadsheets, scopes and
// hand-written lists look like, and the files it must refuse.
#include "DelimitedText.h"
#include "TextFields.h"
#include "importplugin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using zw::textimport::Delimiter;
using zw::textimport::ParseNumber;
using zw::textimport::ReadColumnCodes;
using Codes = std::vector<int16_t>;

Codes Read(std::string_view text) {
    const zw::textimport::ColumnCodes column = ReadColumnCodes(text);
    EXPECT_EQ(column.result, ZW_IMPORT_OK) << text;
    return column.codes;
}

int32_t Refusal(std::string_view text) {
    const zw::textimport::ColumnCodes column = ReadColumnCodes(text);
    EXPECT_TRUE(column.codes.empty());
    return column.result;
}

TEST(DelimitedText, SpreadsheetExportWithHeaderSemicolonsAndDecimalCommas) {
    // Labels first, so the first numeric column is the second; 1 is the
    // largest magnitude: 0.5 -> 16383.5 -> 16384, 0.25 -> 8191.75 -> 8192.
    EXPECT_EQ(Read("\"Label\";\"Value\"\r\n\"A\";0,5\r\n\"B\";-1\r\n\"C\";0,25\r\n"),
              (Codes{16384, -32767, 8192}));
}

TEST(DelimitedText, TheFirstNumericColumnIsTaken) {
    EXPECT_EQ(Read("100\t-200\n300\t400\n"), (Codes{100, 300}));
    EXPECT_EQ(Read("Time,CH1\n0,5\n1,6\n2,7\n"), (Codes{0, 1, 2}));
    EXPECT_EQ(Read("Name,Code\n\"x, y\",5\n\"z\",-6\n"), (Codes{5, -6}));
}

TEST(DelimitedText, TheFirstLineIsDataWhenItsFieldIsANumber) {
    EXPECT_EQ(Read("7\n8\n9"), (Codes{7, 8, 9}));
    EXPECT_EQ(Read("A,1\nB,2\n"), (Codes{1, 2}));
    EXPECT_EQ(Read("42"), (Codes{42}));
}

TEST(DelimitedText, BlanksTabsAndLineEndingsOfAnyKind) {
    EXPECT_EQ(Read("  1   2\n\t3 4\r\n5  6\r7 8"), (Codes{1, 3, 5, 7}));
    // A tab-separated file whose numbers use a decimal comma.
    EXPECT_EQ(Read("0,5\t9\n-1\t9\n"), (Codes{16384, -32767}));
    // A comma on one line of a blank-separated file is no delimiter.
    EXPECT_EQ(Read("Time, s\n1 2\n3 4\n"), (Codes{1, 3}));
}

TEST(DelimitedText, EmptyAndCommentLinesArePassedOver) {
    EXPECT_EQ(Read("# exported by a simulator\n\nv(out)\n\n1\n# halfway\n2\n\n"), (Codes{1, 2}));
}

TEST(DelimitedText, ByteOrderMarksAndUtf16Text) {
    EXPECT_EQ(Read("\xEF\xBB\xBFValue\n3\n4\n"), (Codes{3, 4}));
    // "Wert\t\xE4\r\n5\r\n-6\r\n" in UTF-16 LE, as a spreadsheet's "Unicode text".
    const std::string utf16le("\xFF\xFEW\0e\0r\0t\0\t\0\xE4\0\r\0\n\0"
                              "5\0\r\0\n\0-\0"
                              "6\0\r\0\n\0",
                              32);
    EXPECT_EQ(Read(utf16le), (Codes{5, -6}));
    const std::string utf16be("\xFE\xFF\0"
                              "1\0\n\0"
                              "2",
                              8);
    EXPECT_EQ(Read(utf16be), (Codes{1, 2}));
}

TEST(DelimitedText, NumbersThatStopHalfWayAreRefused) {
    EXPECT_EQ(Refusal("1\n2\nabc\n4\n"), ZW_IMPORT_BAD_FORMAT);
    EXPECT_EQ(Refusal("x,1\ny,2\nz\n"), ZW_IMPORT_BAD_FORMAT);
    EXPECT_EQ(Refusal("x,1\ny,2\nz,\n"), ZW_IMPORT_BAD_FORMAT);
    EXPECT_EQ(Refusal("1\n2\ninf\n"), ZW_IMPORT_BAD_FORMAT);
    EXPECT_EQ(Refusal("1\n2\n1e400\n"), ZW_IMPORT_BAD_FORMAT);
}

TEST(DelimitedText, FilesWithoutNumbers) {
    EXPECT_EQ(Refusal(""), ZW_IMPORT_NO_SAMPLES);
    EXPECT_EQ(Refusal(" \r\n\t\n# only a comment\n"), ZW_IMPORT_NO_SAMPLES);
    EXPECT_EQ(Refusal("Time,Value\n"), ZW_IMPORT_BAD_FORMAT);
    EXPECT_EQ(Refusal("Time,Value\nTime,Value\n1,2\n"), ZW_IMPORT_BAD_FORMAT);
    EXPECT_EQ(Refusal(std::string("RIFF\x24\0\0\0WAVEfmt ", 16)), ZW_IMPORT_BAD_FORMAT);
}

TEST(DelimitedText, NumberNotation) {
    EXPECT_EQ(ParseNumber("+1.5e3", Delimiter::Comma), 1500.0);
    EXPECT_EQ(ParseNumber("-.25", Delimiter::Comma), -0.25);
    EXPECT_EQ(ParseNumber("2,5", Delimiter::Semicolon), 2.5);
    EXPECT_EQ(ParseNumber("2,5", Delimiter::Comma), std::nullopt);
    EXPECT_EQ(ParseNumber("1,000,000", Delimiter::Tab), std::nullopt);
    EXPECT_EQ(ParseNumber("1.5,0", Delimiter::Tab), std::nullopt);
    EXPECT_EQ(ParseNumber("+", Delimiter::Comma), std::nullopt);
    EXPECT_EQ(ParseNumber("+-1", Delimiter::Comma), std::nullopt);
    EXPECT_EQ(ParseNumber("0x10", Delimiter::Comma), std::nullopt);
    EXPECT_EQ(ParseNumber("nan", Delimiter::Comma), std::nullopt);
    EXPECT_EQ(ParseNumber("12 V", Delimiter::Comma), std::nullopt);
    EXPECT_EQ(ParseNumber(std::string(200, '1'), Delimiter::Comma), std::nullopt);
}

TEST(DelimitedText, TheDelimiterIsTheOneThatAgreesOverTheLines) {
    using zw::textimport::GuessDelimiter;
    EXPECT_EQ(GuessDelimiter({"a;b,c", "1;2,5", "3;4,5"}), Delimiter::Semicolon);
    EXPECT_EQ(GuessDelimiter({"a,b", "1,2", "3,4"}), Delimiter::Comma);
    EXPECT_EQ(GuessDelimiter({"a b\tc", "1 2\t3"}), Delimiter::Tab);
    EXPECT_EQ(GuessDelimiter({"1 2", "3 4"}), Delimiter::Blanks);
    EXPECT_EQ(GuessDelimiter({"1,5 2", "3 4", "5 6"}), Delimiter::Blanks);
}

} // namespace
