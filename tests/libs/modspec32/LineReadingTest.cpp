// How a model file is cut into lines and tokens, and how values convert.
#include "LineReader.h"
#include "LineTokens.h"
#include "ModelFolder.h"
#include "ValueConversion.h"

#include <gtest/gtest.h>

#include <limits>

#include <sys/stat.h>

using namespace modspec32;
using namespace modspec32::test;

namespace {

std::vector<std::string> piecesOf(const std::string& content) {
    TempFolder folder;
    folder.write("F.SYS", content);
    LineReader reader(folder.path() / "F.SYS");
    std::vector<std::string> pieces;
    std::string piece;
    while (reader.next(piece)) {
        pieces.push_back(piece);
        EXPECT_EQ(reader.lineNumber(), static_cast<int>(pieces.size()));
    }
    EXPECT_FALSE(reader.failed());
    return pieces;
}

} // namespace

TEST(LineReading, LineEndsAndEndOfText) {
    EXPECT_EQ(piecesOf("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(piecesOf("a\rb\r\r\n"), (std::vector<std::string>{"a\rb\r"}))
        << "only the CR before a LF belongs to the line end";
    EXPECT_EQ(piecesOf("a\n\x1a"
                       "b\n"),
              (std::vector<std::string>{"a"}))
        << "Ctrl-Z ends a text file";
    EXPECT_TRUE(piecesOf("").empty());
}

TEST(LineReading, LongLinesAreReadIn511BytePieces) {
    const std::string full(511, 'a');
    EXPECT_EQ(piecesOf(full + "\nz\n"), (std::vector<std::string>{full, "", "z"}))
        << "the line feed after a full piece makes a blank line of its own";
    EXPECT_EQ(piecesOf(std::string(510, 'b') + "\r\n"),
              (std::vector<std::string>{std::string(510, 'b')}))
        << "CR LF counts as one byte";
    EXPECT_EQ(piecesOf(std::string(1100, 'c')),
              (std::vector<std::string>{std::string(511, 'c'), std::string(511, 'c'),
                                        std::string(78, 'c')}));
}

TEST(LineReading, PiecesOfALongLineAreParsedAndNumberedOnTheirOwn) {
    // The second piece of line 2 starts with "name_s" and nothing else: a syntax error on line 3.
    const std::string filler = "  sname_s = " + std::string(511 - 12, 'x');
    const Loaded loaded = loadText("begin system\n" + filler + "name_s\nend\n");
    EXPECT_EQ(loaded.outcome.code, kSyntaxError);
    EXPECT_EQ(loaded.outcome.lineNumber, 3);
}

TEST(LineReading, NulEndsTheTextOfALine) {
    const Loaded loaded = loadText(std::string("begin system\n sname_s = ab") + '\0' + "cd\nend\n");
    ASSERT_EQ(loaded.outcome.code, kLoadOk);
    EXPECT_EQ(loaded.models.at(0).shortName.view(), "ab");
}

TEST(LineTokens, TokensConsumeOneSeparator) {
    Tokenizer tokens("  key  =  value with spaces\t\"rest\"");
    EXPECT_EQ(tokens.next(kWordSeparators), "key");
    EXPECT_EQ(tokens.next(kWordSeparators), "=");
    EXPECT_EQ(tokens.next(kValueSeparators), " value with spaces");
    EXPECT_EQ(tokens.next(kValueSeparators), "rest");
    EXPECT_EQ(tokens.next(kValueSeparators), std::nullopt);
}

TEST(LineTokens, CommentStartsAtTheFirstApostropheOutsideQuotes) {
    EXPECT_EQ(withoutComment("a = \"b'c\" 'd"), "a = \"b'c\" ");
    EXPECT_EQ(withoutComment("a = \"open 'quote"), "a = \"open 'quote");
    EXPECT_EQ(withoutComment("'all"), "");
}

TEST(LineTokens, LoweringLeavesHighBytesAlone) {
    EXPECT_EQ(asciiLower("AbC\x82\x60\xc0Z"), "abc\x82\x60\xc0z");
}

TEST(ValueConversion, IntegersHexRealsAndFlags) {
    EXPECT_EQ(parseDecimal("  -42x"), -42);
    EXPECT_EQ(parseDecimal("+7"), 7);
    EXPECT_EQ(parseDecimal("x7"), 0);
    EXPECT_EQ(parseDecimal("99999999999"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(parseDecimal("-99999999999"), std::numeric_limits<int32_t>::min());

    EXPECT_EQ(parseHex("3FFF"), 0x3FFFu);
    EXPECT_EQ(parseHex("0Xffff"), 0xFFFFu);
    EXPECT_EQ(parseHex("  12g4"), 0x12u);
    EXPECT_EQ(parseHex("123456789"), 0xFFFFFFFFu);
    EXPECT_EQ(parseHex("zz"), 0u);

    EXPECT_DOUBLE_EQ(parseReal(" -1.25e-3V"), -1.25e-3);
    EXPECT_DOUBLE_EQ(parseReal(".5"), 0.5);
    EXPECT_DOUBLE_EQ(parseReal("abc"), 0.0);

    EXPECT_EQ(parseFlag("tRuE"), 1);
    EXPECT_EQ(parseFlag("true "), 0);
    EXPECT_EQ(parseFlag("1"), 0);

    EXPECT_EQ(toInt16(70000), 32767);
    EXPECT_EQ(toInt16(-70000), -32768);
}

TEST(LineReading, OnlyARegularFileOpensAndAFifoDoesNotBlock) {
    TempFolder folder;
    const auto fifo = folder.path() / "PIPE.SYS";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_FALSE(LineReader(fifo).isOpen());
    EXPECT_FALSE(LineReader(folder.path()).isOpen());
    EXPECT_FALSE(LineReader("/dev/zero").isOpen());
}
