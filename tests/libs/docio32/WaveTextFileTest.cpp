// The text wave file: one unsigned decimal per line, read back by each
// line's leading number.
#include "docio32.h"

#include "DocioTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using zwtest::ramp;
using zwtest::readWholeFile;
using zwtest::TempDir;
using zwtest::WaveMemory;
using zwtest::writeWholeFile;

namespace {

// The codes LoadWaveData makes of a file's text, read into a memory of
// `samples` codes preset to 7777.
std::vector<int16_t> loadText(const std::string& text, std::size_t samples, int32_t start,
                              int32_t count, int32_t* result = nullptr) {
    TempDir dir;
    writeWholeFile(dir.file("w.txt"), text);
    WaveMemory memory(samples);
    memory.fill(7777);
    const int32_t rc = LoadWaveData(dir.file("w.txt").c_str(), memory.handle(), start, count);
    if (result)
        *result = rc;
    else
        EXPECT_EQ(rc, 0);
    return memory.codes();
}

} // namespace

TEST(WaveTextFile, WritesUnsignedDecimalsWithCrLf) {
    TempDir dir;
    WaveMemory memory{5, 0, 1, -1, -32767, -32768, 32767, 9};
    ASSERT_EQ(SaveWaveData(dir.file("w.txt").c_str(), memory.handle(), 1, 6), 0);
    EXPECT_EQ(readWholeFile(dir.file("w.txt")), "0\r\n1\r\n65535\r\n32769\r\n32768\r\n32767\r\n");

    ASSERT_EQ(SaveWaveData(dir.file("empty.txt").c_str(), memory.handle(), 8, 0), 0);
    EXPECT_EQ(readWholeFile(dir.file("empty.txt")), "");
}

TEST(WaveTextFile, EveryCodeSurvivesASaveAndLoad) {
    TempDir dir;
    WaveMemory saved(65536);
    saved.set(ramp(65536, -32768));
    ASSERT_EQ(SaveWaveData(dir.file("all.txt").c_str(), saved.handle(), 0, 65536), 0);
    const std::string text = readWholeFile(dir.file("all.txt"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 65536);

    WaveMemory loaded(65536);
    ASSERT_EQ(LoadWaveData(dir.file("all.txt").c_str(), loaded.handle(), 0, 65536), 0);
    EXPECT_EQ(loaded.codes(), saved.codes());
}

TEST(WaveTextFile, EachLineGivesTheLow16BitsOfItsLeadingNumber) {
    const std::string text = "  -5abc\n"     // blanks, sign, digits, then anything
                             "\n"            // no number
                             "65535\r\n"     // CR LF line end
                             "-1\n"          // same code
                             "70000\n"       // 70000 - 65536
                             "+12\n"         // explicit plus
                             "\t 42 7\n"     // only the first number
                             "abc 9\n"       // text first: no number
                             "- 5\n"         // a sign must be followed by digits
                             "--5\n"         // one sign only
                             "12\r34\n"      // a lone CR ends the number like any character
                             "99999999999\n" // beyond 32 bits: saturates to 0x7FFFFFFF
                             "-99999999999\n"
                             "-32768"; // the last line needs no line end
    EXPECT_EQ(loadText(text, 16, 0, 16), (std::vector<int16_t>{-5, 0, -1, -1, 4464, 12, 42, 0, 0, 0,
                                                               12, -1, 0, -32768, 7777, 7777}));
}

TEST(WaveTextFile, LinesLongerThan127CharactersGoOnAsFurtherLines) {
    const std::string exact = std::string(124, '0') + "123"; // 127 characters: one line
    const std::string longer = std::string(127, '0') + "45"; // 129: two lines
    const std::string text = exact + "\r\n" + longer + "\n" + "6\n";
    EXPECT_EQ(loadText(text, 5, 0, 5), (std::vector<int16_t>{123, 0, 45, 6, 7777}));
}

TEST(WaveTextFile, ReadsAtMostCountLinesFromStartAndNeverPastTheMemory) {
    const std::string text = "1\n2\n3\n4\n5\n6\n";
    EXPECT_EQ(loadText(text, 8, 2, 3),
              (std::vector<int16_t>{7777, 7777, 1, 2, 3, 7777, 7777, 7777}))
        << "more lines than count: only count read";
    EXPECT_EQ(loadText("1\n2\n", 5, 1, 4), (std::vector<int16_t>{7777, 1, 2, 7777, 7777}))
        << "fewer lines: the rest keeps its samples";
    EXPECT_EQ(loadText(text, 4, 2, 100), (std::vector<int16_t>{7777, 7777, 1, 2}))
        << "count beyond the memory is cut at its end";
    EXPECT_EQ(loadText(text, 4, 4, 10), (std::vector<int16_t>(4, 7777)));
    EXPECT_EQ(loadText(text, 4, 0, 0), (std::vector<int16_t>(4, 7777)));
    EXPECT_EQ(loadText(text, 4, 0, -3), (std::vector<int16_t>(4, 7777)));
}

TEST(WaveTextFile, FailuresReportTheirCodeAndChangeNothing) {
    TempDir dir;
    WaveMemory memory{1, 2, 3};
    EXPECT_EQ(LoadWaveData(dir.file("missing.txt").c_str(), memory.handle(), 0, 3), 71);
    EXPECT_EQ(LoadWaveData(dir.path().c_str(), memory.handle(), 0, 3), 71)
        << "a folder opens but cannot be read";
    EXPECT_EQ(LoadWaveData(nullptr, memory.handle(), 0, 3), 71);
    EXPECT_EQ(memory.codes(), (std::vector<int16_t>{1, 2, 3}));

    int32_t rc = 0;
    EXPECT_EQ(loadText("1\n", 3, -1, 2, &rc), (std::vector<int16_t>(3, 7777)));
    EXPECT_EQ(rc, 71);
    EXPECT_EQ(loadText("1\n", 3, 4, 2, &rc), (std::vector<int16_t>(3, 7777)));
    EXPECT_EQ(rc, 71);
    writeWholeFile(dir.file("w.txt"), "1\n");
    EXPECT_EQ(LoadWaveData(dir.file("w.txt").c_str(), zwtest::freedHandle(), 0, 1), 71);

    EXPECT_EQ(SaveWaveData(dir.file("a.txt").c_str(), memory.handle(), 1, 3), 72)
        << "stretch past the memory";
    EXPECT_EQ(SaveWaveData(dir.file("a.txt").c_str(), memory.handle(), -1, 1), 72);
    EXPECT_EQ(SaveWaveData(dir.file("a.txt").c_str(), memory.handle(), 0, -1), 72);
    EXPECT_EQ(SaveWaveData(dir.file("a.txt").c_str(), zwtest::freedHandle(), 0, 1), 72);
    EXPECT_EQ(SaveWaveData(dir.file("none/a.txt").c_str(), memory.handle(), 0, 3), 72);
    EXPECT_FALSE(std::filesystem::exists(dir.file("a.txt")));
}
