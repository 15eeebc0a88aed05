// Stretches of a waveform through the clipboard's text.
#include "docio32.h"

#include "DocioTestSupport.h"
#include "MemoryClipboard.h"

#include <gtest/gtest.h>

#include <random>

using zwtest::MemoryClipboard;
using zwtest::ramp;
using zwtest::WaveMemory;

namespace {

struct Paste {
    int32_t result;
    int32_t pasted;
    std::vector<int16_t> codes;
};

// Pastes `text` over a..a+b-1 of a memory holding 0, 1, 2, ... .
Paste paste(const std::string& text, int32_t a, int32_t b, int32_t n, std::size_t samples = 0) {
    MemoryClipboard clipboard;
    clipboard.text = text;
    WaveMemory memory(samples ? samples : static_cast<std::size_t>(std::max(n, 1)));
    memory.set(ramp(samples ? samples : static_cast<std::size_t>(std::max(n, 1))));
    int32_t pasted = -99;
    const int32_t result = GetClipBoard(clipboard.get(), memory.handle(), a, b, n, &pasted);
    EXPECT_FALSE(clipboard.isOpen) << "the clipboard must be closed again";
    return {result, pasted, memory.codes()};
}

std::vector<int16_t> codesOf(const std::string& text) {
    const Paste p = paste(text, 0, 0, 64);
    EXPECT_EQ(p.result, 0);
    return {p.codes.begin(), p.codes.begin() + p.pasted};
}

// The paste as described for a waveform of used length n, written plainly:
// whole scratch copy, then tokens, then the gap closed or room made.
std::vector<int16_t> referencePaste(std::vector<int16_t> memory, const std::vector<int16_t>& tokens,
                                    int a, int b, int n, int& k) {
    const std::vector<int16_t> scratch = memory;
    k = 0;
    while (a + k < n && k < static_cast<int>(tokens.size())) {
        memory[a + k] = tokens[k];
        ++k;
    }
    if (k < b) {
        if (a + b < n)
            for (int i = a + b; i < n; ++i)
                memory[i - (b - k)] = scratch[i];
        for (int i = n - (b - k); i < n; ++i)
            memory[i] = 0;
    } else if (k > b) {
        for (int i = a + k; i < n; ++i)
            memory[i] = scratch[i - (k - b)];
    }
    return memory;
}

} // namespace

TEST(Clipboard, CopyWritesUnsignedDecimalsEachFollowedByLf) {
    MemoryClipboard clipboard;
    WaveMemory memory{9, 0, 1, -1, -32768, 9};
    ASSERT_EQ(SetClipBoard(clipboard.get(), memory.handle(), 1, 3), 0);
    EXPECT_EQ(clipboard.text, "0\n1\n65535\n");
    EXPECT_EQ(clipboard.opens, 1);
    EXPECT_FALSE(clipboard.isOpen);

    ASSERT_EQ(SetClipBoard(clipboard.get(), memory.handle(), 4, 10), 0)
        << "a stretch past the memory is cut at its end";
    EXPECT_EQ(clipboard.text, "32768\n9\n");
    ASSERT_EQ(SetClipBoard(clipboard.get(), memory.handle(), 6, 0), 0);
    EXPECT_EQ(clipboard.text, "");
}

TEST(Clipboard, CopyFailuresReportTheirCode) {
    MemoryClipboard clipboard;
    clipboard.text = "old";
    WaveMemory memory{1, 2};

    clipboard.refuseOpen = true;
    EXPECT_EQ(SetClipBoard(clipboard.get(), memory.handle(), 0, 2), 81);
    clipboard.refuseOpen = false;
    clipboard.refuseSet = true;
    EXPECT_EQ(SetClipBoard(clipboard.get(), memory.handle(), 0, 2), 82)
        << "a refused hand-over is not a success";
    clipboard.refuseSet = false;
    EXPECT_FALSE(clipboard.isOpen);

    clipboard.text = "old";
    const int opens = clipboard.opens;
    EXPECT_EQ(SetClipBoard(clipboard.get(), zwtest::freedHandle(), 0, 2), 83);
    EXPECT_EQ(SetClipBoard(clipboard.get(), memory.handle(), -1, 2), 83);
    EXPECT_EQ(SetClipBoard(clipboard.get(), memory.handle(), 3, 1), 83);
    EXPECT_EQ(SetClipBoard(clipboard.get(), memory.handle(), 0, -1), 83);
    EXPECT_EQ(clipboard.opens, opens) << "bad arguments never touch the clipboard";
    EXPECT_EQ(clipboard.text, "old");
    EXPECT_EQ(SetClipBoard(nullptr, memory.handle(), 0, 2), 81);
}

TEST(Clipboard, TokensAreRunsOfDigitsAndSigns) {
    EXPECT_EQ(codesOf("10 20\t30\r\n"), (std::vector<int16_t>{10, 20, 30}));
    EXPECT_EQ(codesOf("1.5"), (std::vector<int16_t>{1, 5})) << "a point separates";
    EXPECT_EQ(codesOf("12-3 - +7 -8 x+-2"), (std::vector<int16_t>{12, 0, 7, -8, 0}));
    EXPECT_EQ(codesOf("65535,-1;70000"), (std::vector<int16_t>{-1, -1, 4464}));
    EXPECT_EQ(codesOf("no digits at all"), std::vector<int16_t>{});
    EXPECT_EQ(codesOf(std::string("1 2\0 3", 6)), (std::vector<int16_t>{1, 2}))
        << "a NUL ends the text";
    // A run of 22: 19 characters, the 20th dropped, the last two a new token.
    EXPECT_EQ(codesOf("0000000000000000012"
                      "7"
                      "34"),
              (std::vector<int16_t>{12, 34}));
    EXPECT_EQ(codesOf(std::string(19, '9')), std::vector<int16_t>{-1})
        << "beyond 32 bits the value saturates before its low 16 bits are kept";
}

TEST(Clipboard, PasteReplacesTheStretchAndClosesTheGap) {
    const Paste p = paste("10 20 30", 5, 5, 20);
    ASSERT_EQ(p.result, 0);
    EXPECT_EQ(p.pasted, 3);
    std::vector<int16_t> expected = ramp(20);
    expected[5] = 10;
    expected[6] = 20;
    expected[7] = 30;
    for (int i = 10; i < 20; ++i)
        expected[i - 2] = static_cast<int16_t>(i);
    expected[18] = expected[19] = 0;
    EXPECT_EQ(p.codes, expected);

    const Paste none = paste("nothing", 2, 3, 10);
    EXPECT_EQ(none.pasted, 0);
    EXPECT_EQ(none.codes, (std::vector<int16_t>{0, 1, 5, 6, 7, 8, 9, 0, 0, 0}))
        << "no numbers: the stretch is removed as a delete would";
}

TEST(Clipboard, PasteMakesRoomAndLosesWhatIsPushedPastTheEnd) {
    const Paste seven = paste("100 101 102 103 104 105 106", 0, 2, 10);
    EXPECT_EQ(seven.pasted, 7);
    EXPECT_EQ(seven.codes, (std::vector<int16_t>{100, 101, 102, 103, 104, 105, 106, 2, 3, 4}));

    const Paste insert = paste("50 51", 3, 0, 8);
    EXPECT_EQ(insert.pasted, 2);
    EXPECT_EQ(insert.codes, (std::vector<int16_t>{0, 1, 2, 50, 51, 3, 4, 5}));

    const Paste tooMany = paste("7 7 7 7 7", 8, 0, 10);
    EXPECT_EQ(tooMany.pasted, 2) << "only the codes that fit before the used length";
    EXPECT_EQ(tooMany.codes, (std::vector<int16_t>{0, 1, 2, 3, 4, 5, 6, 7, 7, 7}));

    const Paste beyondUsed = paste("7 7 7", 2, 1, 4, 8);
    EXPECT_EQ(beyondUsed.codes, (std::vector<int16_t>{0, 1, 7, 7, 4, 5, 6, 7}))
        << "samples past the used length are never touched";
}

TEST(Clipboard, PasteMatchesThePlainAlgorithmForEveryShapeOfStretch) {
    std::mt19937 random(4410);
    for (int round = 0; round < 3000; ++round) {
        const int n = std::uniform_int_distribution<int>(1, 24)(random);
        const int a = std::uniform_int_distribution<int>(0, n - 1)(random);
        const int b = std::uniform_int_distribution<int>(0, n - a)(random);
        const int count = std::uniform_int_distribution<int>(0, 30)(random);
        std::vector<int16_t> tokens;
        std::string text;
        for (int t = 0; t < count; ++t) {
            tokens.push_back(static_cast<int16_t>(1000 + t));
            text += std::to_string(1000 + t) + (t % 2 ? "\n" : " ; ");
        }
        int k = 0;
        const auto expected = referencePaste(ramp(n), tokens, a, b, n, k);
        const Paste p = paste(text, a, b, n);
        ASSERT_EQ(p.result, 0);
        ASSERT_EQ(p.pasted, k) << "n=" << n << " a=" << a << " b=" << b << " k=" << count;
        ASSERT_EQ(p.codes, expected) << "n=" << n << " a=" << a << " b=" << b << " k=" << count;
    }
}

TEST(Clipboard, PasteOutsideTheWaveformIsLimitedNeverOutOfBounds) {
    // Used length larger than the memory: cut to the memory.
    const Paste bigN = paste("9 9 9 9 9 9", 2, 1, 1000, 4);
    EXPECT_EQ(bigN.result, 0);
    EXPECT_EQ(bigN.pasted, 2);
    EXPECT_EQ(bigN.codes, (std::vector<int16_t>{0, 1, 9, 9}));

    // A stretch reaching past the used length is cut there: nothing before it moves.
    const Paste longB = paste("9", 8, 5, 10);
    EXPECT_EQ(longB.codes, (std::vector<int16_t>{0, 1, 2, 3, 4, 5, 6, 7, 9, 0}));

    // A start at or past the used length writes nothing.
    const Paste past = paste("9 9", 10, 3, 10);
    EXPECT_EQ(past.result, 0);
    EXPECT_EQ(past.pasted, 0);
    EXPECT_EQ(past.codes, ramp(10));

    const Paste negative = paste("9", -1, 2, 10);
    EXPECT_EQ(negative.result, 83);
    EXPECT_EQ(negative.pasted, 0);
    EXPECT_EQ(negative.codes, ramp(10));
}

TEST(Clipboard, PasteRefusalsLeaveTheMemoryAsItWas) {
    const Paste negativeLength = paste("1 2", 0, -1, 10);
    EXPECT_EQ(negativeLength.result, 0);
    EXPECT_EQ(negativeLength.pasted, -99) << "the out value is not written";
    EXPECT_EQ(negativeLength.codes, ramp(10));
    const Paste noLength = paste("1 2", 0, 1, 0);
    EXPECT_EQ(noLength.result, 0);
    EXPECT_EQ(noLength.pasted, -99);

    MemoryClipboard clipboard; // holds no text
    WaveMemory memory{4, 5, 6};
    int32_t pasted = -99;
    EXPECT_EQ(GetClipBoard(clipboard.get(), memory.handle(), 0, 1, 3, &pasted), 81);
    EXPECT_FALSE(clipboard.isOpen);
    clipboard.text = "1";
    clipboard.refuseOpen = true;
    EXPECT_EQ(GetClipBoard(clipboard.get(), memory.handle(), 0, 1, 3, &pasted), 81);
    EXPECT_EQ(memory.codes(), (std::vector<int16_t>{4, 5, 6}));
    clipboard.refuseOpen = false;
    EXPECT_EQ(GetClipBoard(clipboard.get(), zwtest::freedHandle(), 0, 1, 3, &pasted), 83);
    EXPECT_EQ(GetClipBoard(nullptr, memory.handle(), 0, 1, 3, &pasted), 81);
    EXPECT_EQ(GetClipBoard(clipboard.get(), memory.handle(), 0, 1, 3, nullptr), 0)
        << "the count is optional";
    EXPECT_EQ(memory.codes(), (std::vector<int16_t>{1, 5, 6}));
}

TEST(Clipboard, CopyThenPasteGivesTheSameCodes) {
    MemoryClipboard clipboard;
    WaveMemory source(65536);
    source.set(ramp(65536, -32768));
    ASSERT_EQ(SetClipBoard(clipboard.get(), source.handle(), 0, 65536), 0);
    WaveMemory target(65536);
    int32_t pasted = 0;
    ASSERT_EQ(GetClipBoard(clipboard.get(), target.handle(), 0, 65536, 65536, &pasted), 0);
    EXPECT_EQ(pasted, 65536);
    EXPECT_EQ(target.codes(), source.codes());
}
