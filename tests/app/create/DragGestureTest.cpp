// Dragging a page's shape in the preview.
#include "DragGesture.h"

#include <gtest/gtest.h>

using namespace zw::create;

namespace {

PageRecord sine() {
    PageRecord p;
    p.Type = PageType::Sine;
    p.Start = 100;
    p.End = 500;  // 400 samples
    p.Cycles = 4; // a period of 100 samples
    p.Offset = 0;
    p.Amplitude = 10000;
    p.Phase = 90;
    return p;
}

} // namespace

TEST(DragGesture, StartsOnlyInsideAStandardPagesStretch) {
    PageRecord p = sine();
    EXPECT_TRUE(DragStartsOnPage(p, 100, false));
    EXPECT_TRUE(DragStartsOnPage(p, 499.5, false));
    EXPECT_FALSE(DragStartsOnPage(p, 500, false));
    EXPECT_FALSE(DragStartsOnPage(p, 99, false));
    EXPECT_TRUE(DragStartsOnPage(p, 0, true)); // computed from sample 0
    EXPECT_FALSE(DragStartsOnPage(p, 400, true));
    p.Type = PageType::Expression;
    EXPECT_FALSE(DragStartsOnPage(p, 200, false));
}

TEST(DragGesture, VerticalMovesOffsetOrWithShiftAmplitude) {
    const PageRecord p = sine();
    EXPECT_EQ(DraggedPage(p, 0, 1500, {}).Offset, 1500);
    EXPECT_EQ(DraggedPage(p, 0, 1500, {}).Amplitude, 10000);
    EXPECT_EQ(DraggedPage(p, 0, 1500, {.shift = true}).Amplitude, 13000);
    EXPECT_EQ(DraggedPage(p, 0, 1500, {.shift = true}).Offset, 0);
    EXPECT_EQ(DraggedPage(p, 0, -9000, {.shift = true}).Amplitude, 0);
    EXPECT_EQ(DraggedPage(p, 0, 90000, {}).Offset, 32767);
    EXPECT_EQ(DraggedPage(p, 0, 10.6, {}).Offset, 11); // whole codes
}

TEST(DragGesture, HorizontalMovesPhaseOrWithShiftCycles) {
    const PageRecord p = sine();
    // A quarter period to the right moves the shape right: 90 degrees less.
    EXPECT_DOUBLE_EQ(DraggedPage(p, 25, 0, {}).Phase, 0);
    EXPECT_DOUBLE_EQ(DraggedPage(p, 50, 0, {}).Phase, 270);
    EXPECT_DOUBLE_EQ(DraggedPage(p, -100, 0, {}).Phase, 90);
    EXPECT_DOUBLE_EQ(DraggedPage(p, 400, 0, {.shift = true}).Cycles, 16);
    EXPECT_DOUBLE_EQ(DraggedPage(p, -400, 0, {.shift = true}).Cycles, 1);
    EXPECT_DOUBLE_EQ(DraggedPage(p, 200, 0, {.shift = true}).Cycles, 8);
    EXPECT_DOUBLE_EQ(DraggedPage(p, 1, 0, {.shift = true}).Cycles, 4.014); // 4 * 4^(1/400)
    EXPECT_DOUBLE_EQ(DraggedPage(p, 1, 0, {}).Phase, 86.4);
}

TEST(DragGesture, ControlSetsSymmetryOfTrianglesAndDutyOfSquares) {
    PageRecord tri = sine();
    tri.Type = PageType::Triangle;
    EXPECT_DOUBLE_EQ(DraggedPage(tri, 10, 0, {.control = true}).Symmetry, 60);
    EXPECT_DOUBLE_EQ(DraggedPage(tri, 90, 0, {.control = true}).Symmetry, 100);
    EXPECT_EQ(DraggedPage(tri, 10, 500, {.control = true}).Offset, 0);
    PageRecord square = sine();
    square.Type = PageType::Square;
    EXPECT_DOUBLE_EQ(DraggedPage(square, -20, 0, {.control = true}).Duty, 30);
    EXPECT_DOUBLE_EQ(DraggedPage(square, -20, 0, {.control = true}).Symmetry, 50);
}

TEST(DragGesture, LevelAndNoisePagesTakeOnlyTheirLevels) {
    PageRecord level = sine();
    level.Type = PageType::DcLevel;
    const PageRecord moved = DraggedPage(level, 50, 700, {.shift = true});
    EXPECT_EQ(moved.Offset, 700); // no amplitude: Shift moves the level too
    EXPECT_EQ(moved.Phase, 90);
    EXPECT_EQ(DraggedPage(level, 50, 700, {}).Offset, 700);
    PageRecord noise = sine();
    noise.Type = PageType::Noise;
    EXPECT_EQ(DraggedPage(noise, 50, 700, {.shift = true}).Amplitude, 11400);
    EXPECT_EQ(DraggedPage(noise, 50, 700, {}).Phase, 90);
}
