// Page arithmetic of the printouts: the body inside the margins, the place
// of the plot, the digital line numbers against what the waveform library
// draws, and the wrapping of long values.
#include "PageGeometry.h"
#include "RecordingSurface.h"
#include "TextWrap.h"
#include "WaveformLayout.h"
#include "sigcore32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

TEST(PageGeometry, BodyLiesInsideTheMargins) {
    zw::MarginTable m;
    m.commitText(0, u"20");
    m.commitText(1, u"15");
    m.commitText(2, u"30");
    const auto g = zw::PageGeometry::From(QSizeF(210, 297), m);
    EXPECT_DOUBLE_EQ(g.bodyMm.left(), 20);
    EXPECT_DOUBLE_EQ(g.bodyMm.top(), 15);
    EXPECT_DOUBLE_EQ(g.bodyMm.width(), 210 - 20 - 20); // the right margin follows the left
    EXPECT_DOUBLE_EQ(g.bodyMm.height(), 297 - 15 - 30);
    EXPECT_TRUE(g.usable());
}

TEST(PageGeometry, MarginsWiderThanThePaperLeaveNoRoom) {
    zw::MarginTable m;
    m.commitText(0, u"70"); // 70 + 70 of 148 mm leave 8 mm
    EXPECT_FALSE(zw::PageGeometry::From(QSizeF(148, 210), m).usable());
    m.commitText(0, u"100");
    const auto g = zw::PageGeometry::From(QSizeF(148, 210), m);
    EXPECT_FALSE(g.usable());
    EXPECT_GE(g.bodyMm.width(), 0);
}

TEST(WaveformLayout, PlotBelowTheHeadingRightOfTheLabels) {
    // Body 190 x 277 mm at (10, 10); lines of 5 mm with a 4 mm ascent;
    // value labels 20 mm wide; 5 mm between heading and plot.
    const auto l = zw::WaveformLayout::For(QRectF(10, 10, 190, 277), 5, 4, 20, 5);
    EXPECT_DOUBLE_EQ(l.headingBaseline[0], 14);
    EXPECT_DOUBLE_EQ(l.headingBaseline[1], 19);
    EXPECT_DOUBLE_EQ(l.plotMm.top(), 10 + 2 * 5 + 5 + 2.5);
    EXPECT_DOUBLE_EQ(l.plotMm.left(), 10 + 20 + 1.5);
    // 168.5 mm across less the 0.2 mm frame; at most 5/8 of that down
    // (105.1875 mm), in 0.1 mm pixels.
    EXPECT_EQ(l.plotPixels, QSize(1683, 1051));
    EXPECT_NEAR(l.plotMm.right(), 199.8, 1e-9);
    EXPECT_NEAR(l.plotMm.height(), 105.1, 1e-9);
    EXPECT_DOUBLE_EQ(l.valueLabelRight, 30);
    EXPECT_NEAR(l.positionBaseline, l.plotMm.bottom() + 1.5 + 4, 1e-9);
}

TEST(WaveformLayout, LandscapeBodyLimitsTheHeight) {
    // 287 x 120 mm: the room under the heading, not the shape, decides:
    // 125 mm less the label line (5 + 1.5) less the heading, the gap and half
    // a line (22.5) leave 96 mm.
    const auto l = zw::WaveformLayout::For(QRectF(5, 5, 287, 120), 5, 4, 10, 5);
    EXPECT_EQ(l.plotPixels.height(), 960);
    EXPECT_EQ(l.plotPixels.width(), 2753);
    EXPECT_LE(l.positionBaseline - 4 + 5, 125 + 1e-9); // the labels stay on the body
}

TEST(WaveformLayout, NoRoomNoPlot) {
    const auto l = zw::WaveformLayout::For(QRectF(5, 5, 30, 12), 5, 4, 10, 5);
    EXPECT_TRUE(l.plotMm.isEmpty());
    EXPECT_EQ(l.plotPixels, QSize());
}

// Rows where W_DrawDigital draws horizontal pieces, for codes all `code`.
std::set<int32_t> levelRows(int16_t code, int height) {
    const ZwMemHandle h = W_AllocMemory(64);
    W_MakeDC(h, 0, 64, code);
    zwtest::RecordingSurface surface;
    W_DrawDigital(surface.get(), h, 0, 64, 0xFFFF, 40, height);
    W_FreeMemory(h);
    std::set<int32_t> rows;
    for (const auto& call : surface.calls)
        if (call.kind != zwtest::SurfaceCall::Kind::Polyline)
            rows.insert(call.y);
    return rows;
}

TEST(WaveformLayout, DigitalLineNumbersSitBetweenTheirLevels) {
    for (const int height : {330, 500, 1053}) {
        const std::set<int32_t> high = levelRows(-1, height); // every bit set
        const std::set<int32_t> low = levelRows(0, height);
        ASSERT_EQ(high.size(), 16u) << height;
        ASSERT_EQ(low.size(), 16u) << height;
        // Line 15 is the top one.
        auto hi = high.begin();
        auto lo = low.begin();
        for (int line = 15; line >= 0; --line, ++hi, ++lo) {
            const double middle = zw::DigitalLineMiddleRow(line, height);
            EXPECT_GT(middle, *hi) << height << " line " << line;
            EXPECT_LT(middle, *lo) << height << " line " << line;
        }
    }
}

double chars(const QString& s) {
    return static_cast<double>(s.size());
}

TEST(TextWrap, BreaksBetweenWordsAndInsideOverlongOnes) {
    EXPECT_EQ(zw::WrapText("abc def ghi", 7, chars), QStringList({"abc def", "ghi"}));
    EXPECT_EQ(zw::WrapText("abcdefghijk", 4, chars), QStringList({"abcd", "efgh", "ijk"}));
    EXPECT_EQ(zw::WrapText("ab cdefghij k", 4, chars), QStringList({"ab", "cdef", "ghij", "k"}));
    EXPECT_EQ(zw::WrapText("one\ntwo three", 20, chars), QStringList({"one", "two three"}));
    EXPECT_EQ(zw::WrapText("", 5, chars), QStringList({""}));
    // A character wider than the line still gets a line of its own.
    EXPECT_EQ(zw::WrapText("xyz", 0.5, chars), QStringList({"x", "y", "z"}));
}

TEST(TextWrap, KeepsSurrogatePairsWhole) {
    const QString pair = QString::fromUtf8("\xF0\x9D\x90\x80"); // one character, two units
    const QStringList lines = zw::WrapText(pair + pair + pair, 2, chars);
    EXPECT_EQ(lines, QStringList({pair, pair, pair}));
}

} // namespace
