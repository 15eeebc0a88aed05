// The digital view: level traces of the low lines, and the 16-line pattern
// with its pens and selection.

#include "RecordingSurface.h"
#include "Wave.h"

using sigtest::Codes;
using sigtest::Wave;
using zwtest::LineTo;
using zwtest::MoveTo;
using zwtest::RecordingSurface;
using zwtest::SurfaceCall;
using Calls = std::vector<SurfaceCall>;

namespace {

SurfaceCall Select(ZwPen pen) {
    SurfaceCall c{SurfaceCall::Kind::SelectPen};
    c.pen = pen;
    return c;
}

std::vector<int32_t> moveRows(const Calls& calls) {
    std::vector<int32_t> rows;
    for (const auto& c : calls)
        if (c.kind == SurfaceCall::Kind::MoveTo && c.x == 0)
            rows.push_back(c.y);
    return rows;
}

} // namespace

TEST(DrawDigital, OneLineAsALevelTraceWithVerticalEdges) {
    // Mask 1: one line; row height 30 / 3 = 10, high at 30 - 20 = 10, low at 20.
    const Wave w(Codes{0, 1, 1, 0});
    RecordingSurface s;
    EXPECT_EQ(W_DrawDigital(s.get(), w.handle(), 0, 4, 1, 4, 30), w.handle());
    EXPECT_EQ(s.calls,
              (Calls{MoveTo(0, 20), LineTo(0, 20), LineTo(0, 20), LineTo(1, 20), LineTo(1, 10),
                     LineTo(2, 10), LineTo(2, 10), LineTo(3, 10), LineTo(3, 20)}));
}

TEST(DrawDigital, OnlyTheHighestBitOfTheMaskCounts) {
    // 0x00F0: lines 7 down to 0; row height 170 / 17 = 10, line 7 high at 10,
    // each following line 20 lower.
    const Wave w(Codes{0x00FF, 0x00FF});
    RecordingSurface s;
    EXPECT_EQ(W_DrawDigital(s.get(), w.handle(), 0, 2, 0x00F0, 2, 170), w.handle());
    EXPECT_EQ(moveRows(s.calls), (std::vector<int32_t>{10, 30, 50, 70, 90, 110, 130, 150}));
    RecordingSurface top;
    EXPECT_EQ(W_DrawDigital(top.get(), w.handle(), 0, 2, 0x18000, 2, 330), w.handle())
        << "bits above the 16 lines name no line";
    EXPECT_EQ(moveRows(top.calls).size(), 16u);
    RecordingSurface none;
    EXPECT_EQ(W_DrawDigital(none.get(), w.handle(), 0, 2, 0x10000, 2, 170), 0u);
    EXPECT_EQ(W_DrawDigital(none.get(), w.handle(), 0, 0, 1, 2, 170), 0u);
    EXPECT_TRUE(none.calls.empty());
}

TEST(DrawDigital, ColumnsTakeTheSampleAtTheRoundedPosition) {
    // step 1.5: column 1 reads sample round(1.5) = 2, not 1.
    const Wave w(Codes{0, 1, 0});
    RecordingSurface s;
    EXPECT_EQ(W_DrawDigital(s.get(), w.handle(), 0, 3, 1, 2, 30), w.handle());
    EXPECT_EQ(s.calls,
              (Calls{MoveTo(0, 20), LineTo(0, 20), LineTo(0, 20), LineTo(1, 20), LineTo(1, 20)}));
}

TEST(DrawDigitalPattern, GeometryOf49Units) {
    // Height 100: level height 5, bit 15 high at row 3, a pitch of 6: bit 0 at 93.
    const Wave w(Codes{0, 0});
    RecordingSurface s;
    EXPECT_EQ(W_DrawDigitalPattern(s.get(), w.handle(), 0, 2, 0, 0, 0, 0, 2, 100, 1, 2, 3, 4),
              w.handle());
    std::vector<int32_t> rows = moveRows(s.calls);
    ASSERT_EQ(rows.size(), 32u) << "per line the column-0 move and the first piece";
    EXPECT_EQ(rows[0], 3 + 5);
    EXPECT_EQ(rows[30], 93 + 5);
    // Height 49: v = 1.9999999999999998, so the pitch is floor(2.9999999999999996) = 2.
    RecordingSurface t;
    W_DrawDigitalPattern(t.get(), w.handle(), 0, 2, 0, 0, 0, 0, 2, 49, 1, 2, 3, 4);
    rows = moveRows(t.calls);
    EXPECT_EQ(rows[0], 2 + 2);
    EXPECT_EQ(rows[30], 2 + 15 * 2 + 2);
}

TEST(DrawDigitalPattern, PensPerLineAndThePenFoundIsSelectedBack) {
    const Wave w(Codes{1, 1});
    RecordingSurface s;
    s.selected = 0;
    EXPECT_EQ(W_DrawDigitalPattern(s.get(), w.handle(), 0, 2, 0x0001, 0, 0, 0, 2, 100, 0x10, 0x20,
                                   0x30, 0x40),
              w.handle());
    // Pens 101..104 in the colour order: enabled, disabled, enabled-selected,
    // disabled-selected.
    std::vector<SurfaceCall> pens;
    for (const auto& c : s.calls)
        if (c.kind != SurfaceCall::Kind::MoveTo && c.kind != SurfaceCall::Kind::LineTo)
            pens.push_back(c);
    ASSERT_EQ(pens.size(), 4u + 16u + 1u + 4u);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(pens[std::size_t(k)].kind, SurfaceCall::Kind::CreatePen);
        EXPECT_EQ(pens[std::size_t(k)].rgb, uint32_t(0x10 * (k + 1)));
        EXPECT_EQ(pens[std::size_t(k)].width, 1);
    }
    for (int line = 0; line < 15; ++line)
        EXPECT_EQ(pens[std::size_t(4 + line)], Select(102)) << "bits 15..1 are disabled";
    EXPECT_EQ(pens[19], Select(101));
    EXPECT_EQ(pens[20], Select(0)) << "the surface's own pen comes back";
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(pens[std::size_t(21 + k)].kind, SurfaceCall::Kind::DeletePen);
    EXPECT_EQ(s.selected, 0u);

    // Bit 0 is set in both columns: two horizontal pieces on its high row.
    const Calls drawing = s.drawing();
    const Calls bit0(drawing.end() - 5, drawing.end());
    EXPECT_EQ(bit0,
              (Calls{MoveTo(0, 93), MoveTo(0, 93), LineTo(1, 93), MoveTo(1, 93), LineTo(2, 93)}));
}

TEST(DrawDigitalPattern, EdgesInsideAndBetweenColumns) {
    // Four samples on two columns: bit 0 rises inside column 0 (an edge), then
    // stays high (a piece on the high row, continuing from the column's end).
    const Wave w(Codes{0, 1, 1, 1});
    RecordingSurface s;
    W_DrawDigitalPattern(s.get(), w.handle(), 0, 4, 0xFFFF, 0, 0, 0, 2, 100, 1, 2, 3, 4);
    const Calls drawing = s.drawing();
    EXPECT_EQ(Calls(drawing.end() - 5, drawing.end()),
              (Calls{MoveTo(0, 98), MoveTo(0, 93), LineTo(0, 99), MoveTo(1, 93), LineTo(2, 93)}));

    // One sample per column: a change between columns is an edge at the new column.
    const Wave v(Codes{0, 1});
    RecordingSurface t;
    W_DrawDigitalPattern(t.get(), v.handle(), 0, 2, 0xFFFF, 0, 0, 0, 2, 100, 1, 2, 3, 4);
    const Calls d = t.drawing();
    EXPECT_EQ(Calls(d.end() - 5, d.end()),
              (Calls{MoveTo(0, 98), MoveTo(0, 98), LineTo(1, 98), MoveTo(1, 93), LineTo(1, 99)}));
}

TEST(DrawDigitalPattern, SelectedLinesSwitchPensOverTheSelection) {
    const Wave w(Codes{1, 1, 1, 1});
    RecordingSurface s;
    // Selection 1..2 relative to the view: only column 1 holds sample 1.
    W_DrawDigitalPattern(s.get(), w.handle(), 0, 4, 0x0001, 0x0001, 1, 2, 4, 100, 1, 2, 3, 4);
    // Bit 0 is the only enabled line: its calls run from the first selection
    // of pen 101 to the closing pen traffic.
    const auto firstOfBit0 = std::find_if(s.calls.begin(), s.calls.end(), [](const auto& c) {
        return c.kind == SurfaceCall::Kind::SelectPen && c.pen == 101;
    });
    ASSERT_NE(firstOfBit0, s.calls.end());
    const Calls bit0(firstOfBit0, s.calls.end() - 5);
    EXPECT_EQ(bit0, (Calls{Select(101), MoveTo(0, 93), MoveTo(0, 93), LineTo(1, 93), Select(103),
                           MoveTo(1, 93), LineTo(2, 93), Select(101), MoveTo(2, 93), LineTo(3, 93),
                           MoveTo(3, 93), LineTo(4, 93)}));
    // A disabled selected line uses the disabled-selected pen.
    RecordingSurface t;
    W_DrawDigitalPattern(t.get(), w.handle(), 0, 4, 0, 0x8000, 0, 4, 4, 100, 1, 2, 3, 4);
    EXPECT_EQ(std::count(t.calls.begin(), t.calls.end(), Select(104)), 1);
}

TEST(DrawDigitalPattern, NothingForAnEmptyLength) {
    const Wave w(Codes{1});
    RecordingSurface s;
    EXPECT_EQ(W_DrawDigitalPattern(s.get(), w.handle(), 0, 0, 1, 1, 0, 1, 4, 100, 1, 2, 3, 4), 0u);
    EXPECT_TRUE(s.calls.empty()) << "no pens are made either";
}
