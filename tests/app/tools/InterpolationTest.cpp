// Interpolation of the marked stretch through the control points, with the
// mode rule of Cont Spline, checked for smoothness without the library's own
// formulas: second differences at the joins are compared with those of the
// curve around them.
#include "Interpolation.h"

#include "ControlPoints.h"
#include "ToolFixture.h"

#include <cmath>
#include <cstdlib>

namespace {

using zw::ControlPoints;
using zw::Interpolate;
using zw::InterpolationKind;
using zw::SplineModeFor;
using zwtest::Codes;
using zwtest::Fill;

int secondDifference(const std::vector<int16_t>& s, int i) {
    const int n = static_cast<int>(s.size());
    return s[(i + 1) % n] - 2 * s[i % n] + s[(i - 1 + n) % n];
}

int largestSecondDifference(const std::vector<int16_t>& s, int from, int to) {
    int largest = 0;
    for (int i = from; i < to; ++i)
        largest = std::max(largest, std::abs(secondDifference(s, i)));
    return largest;
}

class Interpolation : public zwtest::ToolDocument {};

TEST(InterpolationMode, ContSplineIsPeriodicOnlyOverTheWholeWaveform) {
    EXPECT_EQ(SplineModeFor(InterpolationKind::Spline, 0, 1000, 1000), 0);
    EXPECT_EQ(SplineModeFor(InterpolationKind::ContSpline, 0, 1000, 1000), 2);
    EXPECT_EQ(SplineModeFor(InterpolationKind::ContSpline, 0, 999, 1000), 1);
    EXPECT_EQ(SplineModeFor(InterpolationKind::ContSpline, 1, 1000, 1000), 1);
}

TEST_F(Interpolation, WithoutPointsItReportsTwentyAndTouchesNothing) {
    Fill(doc.current(), 1000, [](int i) { return static_cast<int16_t>(i); });
    const auto before = all();
    const ControlPoints none;
    for (auto kind :
         {InterpolationKind::Linear, InterpolationKind::Spline, InterpolationKind::ContSpline})
        EXPECT_EQ(Interpolate(doc, none, kind), 20);
    EXPECT_EQ(all(), before);
    EXPECT_TRUE(doc.UndoMenuOff());
}

TEST_F(Interpolation, LinearDrawsStraightSegmentsAndUndoRestores) {
    ControlPoints p;
    p.setPoint(150, 5000, 1000, {});
    const auto before = all(); // zeros
    ASSERT_EQ(Interpolate(doc, p, InterpolationKind::Linear), 0);
    const auto after = all();
    // Segments join the first and the last sample of the stretch, 100 and
    // 199: 5000 x 25/50 and 5000 x 24/49.
    EXPECT_EQ(after[150], 5000);
    EXPECT_EQ(after[125], 2500);
    EXPECT_EQ(after[175], 2449);
    EXPECT_EQ(after[99], 0);
    doc.toggleUndo();
    EXPECT_EQ(all(), before);
}

TEST_F(Interpolation, NoPointInsideTheStretchLeavesTheSamplesButArmsUndo) {
    Fill(doc.current(), 1000, [](int i) { return static_cast<int16_t>(i); });
    const auto before = all();
    ControlPoints p;
    p.setPoint(600, 1, 1000, {});
    EXPECT_EQ(Interpolate(doc, p, InterpolationKind::Spline), 0);
    EXPECT_EQ(all(), before);
    EXPECT_FALSE(doc.UndoMenuOff());
}

TEST_F(Interpolation, ContSplineOverTheWholeWaveformJoinsEndToStart) {
    constexpr int kLength = 200;
    doc.setWaveLength(kLength);
    doc.setMarkersOfBoth({0, kLength});
    ControlPoints p;
    // A lopsided periodic shape: the seam falls where the curve bends.
    const double values[] = {20000, 5000, -15000, -25000, 0, 18000, 20000};
    for (int k = 0; k <= 6; ++k)
        p.setPoint(k * kLength / 6.0, values[k], kLength, {});
    ASSERT_EQ(Interpolate(doc, p, InterpolationKind::ContSpline), 0);
    const auto s = Codes(doc.current(), 0, kLength);
    EXPECT_EQ(s[0], 20000);
    // The step from the last sample to the first is like its neighbours'.
    const int seamStep = s[0] - s[kLength - 1];
    EXPECT_NEAR(seamStep, s[kLength - 1] - s[kLength - 2], 60);
    EXPECT_NEAR(seamStep, s[1] - s[0], 60);
    // Second differences across the seam are as small as elsewhere.
    const int elsewhere = largestSecondDifference(s, 3, kLength - 3);
    for (int i : {kLength - 1, 0, 1})
        EXPECT_LE(std::abs(secondDifference(s, i)), elsewhere + 2) << "at " << i;
}

TEST_F(Interpolation, ContSplineInsideJoinsTheWaveformWithoutAKink) {
    // A slow sine; the points lie off it, so the curve must bend back.
    auto sine = [](int i) { return static_cast<int16_t>(std::lround(20000 * std::sin(i / 80.0))); };
    Fill(doc.current(), 1000, sine);
    doc.setMarkersOfBoth({300, 700});
    ControlPoints p;
    p.setPoint(400, 25000, 1000, {});
    p.setPoint(500, -10000, 1000, {});
    p.setPoint(600, 15000, 1000, {});
    ASSERT_EQ(Interpolate(doc, p, InterpolationKind::ContSpline), 0);
    const auto s = all();
    EXPECT_EQ(s[299], sine(299));
    EXPECT_EQ(s[700], sine(700));
    const int inside = largestSecondDifference(s, 302, 698);
    for (int i : {299, 300, 301, 699, 700, 701})
        EXPECT_LE(std::abs(secondDifference(s, i)), inside + 2) << "at " << i;
}

} // namespace
