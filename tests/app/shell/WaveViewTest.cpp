// The view's zoom and scroll arithmetic and its sample/pixel mapping.
#include "WaveView.h"
#include "Rounding.h"

#include <gtest/gtest.h>

namespace {

using zw::WaveView;

TEST(Rounding, HalvesGoToEvenOrUp) {
    EXPECT_EQ(zw::RoundHalfEven(2.5), 2);
    EXPECT_EQ(zw::RoundHalfEven(3.5), 4);
    EXPECT_EQ(zw::RoundHalfEven(-2.5), -2);
    EXPECT_EQ(zw::RoundHalfEven(2.6), 3);
    EXPECT_EQ(zw::RoundHalfUp(2.5), 3);
    EXPECT_EQ(zw::RoundHalfUp(-2.5), -2);
}

TEST(WaveView, StartShowsEverythingWithBothScrollBarsDisabled) {
    const WaveView v(65536);
    EXPECT_EQ(v.ViewLeft(), 0);
    EXPECT_EQ(v.ViewRight(), 65536);
    EXPECT_EQ(v.ViewTop(), 0);
    EXPECT_EQ(v.ViewBottom(), 65534);
    EXPECT_EQ(v.XZoom(), 1);
    EXPECT_EQ(v.YZoom(), 1);
    EXPECT_FALSE(v.hscroll().enabled);
    EXPECT_FALSE(v.vscroll().enabled);
    EXPECT_EQ(v.vscroll().maximum, 32767);
    EXPECT_EQ(v.ScrollStep(), 2);
    EXPECT_EQ(v.hscroll().maximum, 16384); // 65536 / 2 / 2
}

TEST(WaveView, ScrollStepKeepsScrollValuesBelow32768) {
    EXPECT_EQ(WaveView::ScrollStepFor(1000), 1);
    EXPECT_EQ(WaveView::ScrollStepFor(32768), 1);
    EXPECT_EQ(WaveView::ScrollStepFor(32769), 1); // 1.00003 to the nearest
    EXPECT_EQ(WaveView::ScrollStepFor(49152), 2); // 1.5, halves to even
    EXPECT_EQ(WaveView::ScrollStepFor(65536), 2);
}

TEST(WaveView, HorizontalZoomPagesAndScrollsBothWays) {
    WaveView v(1000);
    v.setXZoomIndex(2); // 1:4
    EXPECT_EQ(v.XZoom(), 4);
    EXPECT_TRUE(v.hscroll().enabled);
    EXPECT_EQ(v.hscroll().pageStep, 250);
    EXPECT_EQ(v.hscroll().maximum, 750);
    EXPECT_EQ(v.ViewLeft(), 0);
    EXPECT_EQ(v.ViewRight(), 250);

    EXPECT_TRUE(v.horizontalScroll(300));
    EXPECT_EQ(v.ViewLeft(), 300);
    EXPECT_EQ(v.ViewRight(), 550);
    EXPECT_FALSE(v.horizontalScroll(300)); // no change, no redraw

    // A deeper zoom keeps the scroll value the bar allows.
    v.setXZoomIndex(3); // 1:8, page 125, maximum 875
    EXPECT_EQ(v.ViewLeft(), 300);
    EXPECT_EQ(v.ViewRight(), 425);
    // A shallower one limits it to the new maximum.
    v.setXZoomIndex(1); // page 500, maximum 500
    EXPECT_EQ(v.hscroll().value, 300);
    v.horizontalScroll(900);
    EXPECT_EQ(v.hscroll().value, 500);
    EXPECT_EQ(v.ViewLeft(), 500);
    EXPECT_EQ(v.ViewRight(), 1000);

    // "1:1" after scrolling returns to the whole waveform.
    v.setXZoomIndex(0);
    EXPECT_EQ(v.ViewLeft(), 0);
    EXPECT_EQ(v.ViewRight(), 1000);
    EXPECT_FALSE(v.hscroll().enabled);
    EXPECT_EQ(v.hscroll().value, 0);
}

TEST(WaveView, HorizontalScrollWithAScrollStepOfTwo) {
    WaveView v(65536);
    v.setXZoomIndex(4); // 1:16: page = 65536 / 16 / 2 = 2048
    EXPECT_EQ(v.hscroll().maximum, 32768 - 2048);
    v.horizontalScroll(1000);
    EXPECT_EQ(v.ViewLeft(), 2000);
    EXPECT_EQ(v.ViewRight(), 2000 + 4096);
}

TEST(WaveView, VerticalZoomCentresOnZeroThenKeepsTheCentre) {
    WaveView v(1000);
    v.setYZoomIndex(1); // 1:2: page 16383
    EXPECT_TRUE(v.vscroll().enabled);
    EXPECT_EQ(v.vscroll().maximum, 32767 - 16383);
    EXPECT_EQ(v.vscroll().value, 8192); // even(16383.5 - 8191.5)
    EXPECT_EQ(v.ViewTop(), 16384);
    EXPECT_EQ(v.ViewBottom(), 16384 + 32768 - 1);
    EXPECT_EQ(v.topCode(), 32767 - 16384);

    v.setYZoomIndex(2); // 1:4, page 8191: keeps the centre row 32767.5
    EXPECT_EQ(v.vscroll().value, static_cast<int>((16384 + 32767 / 2.0) / 2.0 - 8191 / 2.0));
    const long centre = (v.ViewTop() + v.ViewBottom()) / 2;
    EXPECT_NEAR(centre, 32767, 2);

    v.verticalScroll(0);
    EXPECT_EQ(v.ViewTop(), 0);
    EXPECT_EQ(v.ViewBottom(), 16383);

    v.setYZoomIndex(0);
    EXPECT_EQ(v.vscroll().value, 0);
    EXPECT_EQ(v.vscroll().maximum, 32767);
    EXPECT_EQ(v.ViewTop(), 0);
    EXPECT_EQ(v.ViewBottom(), 65535);
}

TEST(WaveView, MiddleLabelNeverReadsMinus32768) {
    WaveView v(1000);
    v.setYZoomIndex(8); // 1:256, page 127
    v.verticalScroll(v.vscroll().maximum);
    // ViewTop 65280, ViewBottom 65535: middle 32767 - (65280 + 128) = -32641
    EXPECT_EQ(v.middleCode(), 32767 - (v.ViewTop() + 128));
    EXPECT_EQ(v.bottomCode(), -32768);
    WaveView start(1000);
    EXPECT_EQ(start.middleCode(), 0);
}

TEST(WaveView, MappingBetweenSamplesCodesAndPixels) {
    WaveView v(1000);
    EXPECT_EQ(v.sampleToColumn(500, 200), 100);
    EXPECT_EQ(v.sampleToColumn(2.5, 100), 0); // 0.25
    EXPECT_EQ(v.sampleToColumn(5, 100), 0);   // 0.5: halves to even
    EXPECT_EQ(v.sampleToColumn(15, 100), 2);  // 1.5
    EXPECT_DOUBLE_EQ(v.columnToSample(100, 200), 500);
    EXPECT_DOUBLE_EQ(v.columnToWholeSample(3, 7), 429); // 428.57
    // Rows: code 32767 at the top, code -32767 at the bottom row.
    EXPECT_DOUBLE_EQ(v.rowToCode(0, 100), 32767);
    EXPECT_DOUBLE_EQ(v.rowToCode(100, 100), -32767);
    EXPECT_EQ(v.codeToRow(32767, 100), 0);
    EXPECT_EQ(v.codeToRow(0, 100), 50);
    EXPECT_EQ(v.codeToRow(-32767, 100), 100);
}

TEST(WaveView, NewWaveLengthShowsTheWholeWaveformAgain) {
    WaveView v(1000);
    v.setXZoomIndex(3);
    v.horizontalScroll(400);
    v.setYZoomIndex(3);
    v.setWaveLength(4096);
    EXPECT_EQ(v.ViewLeft(), 0);
    EXPECT_EQ(v.ViewRight(), 4096);
    EXPECT_EQ(v.ViewBottom(), 65534);
    EXPECT_EQ(v.XZoom(), 1);
    EXPECT_EQ(v.YZoom(), 1);
    EXPECT_EQ(v.hscroll().maximum, 2048);
}

} // namespace
