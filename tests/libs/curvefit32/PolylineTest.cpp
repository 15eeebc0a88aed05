// The polyline: joined to the existing waveform at both ends of the stretch,
// extended at the ends of the memory, rounded half up and limited.
#include "CurvefitTestSupport.h"
#include "curvefit32.h"

#include <gtest/gtest.h>

using curvefit_test::rampCode;
using curvefit_test::roundHalfUpLimited;
using curvefit_test::TestMemory;

namespace {

int32_t line(const TestMemory& m, double x1, double x2, const std::vector<double>& xs,
             const std::vector<double>& ys, int32_t total) {
    return Spline_Hokan_Line(m.handle(), x1, x2, xs.data(), ys.data(),
                             static_cast<int32_t>(xs.size()), total, 32767);
}

double along(double xa, double ya, double xb, double yb, double at) {
    return ya + (yb - ya) * (at - xa) / (xb - xa);
}

} // namespace

TEST(Polyline, InsideTheMemoryRunsFromTheExistingSampleThroughEveryPointBackToTheWaveform) {
    TestMemory m(1000, rampCode);
    const auto before = m.codes();
    ASSERT_EQ(line(m, 100, 200, {120, 180}, {1000, -1000}, 1000), 1);
    const auto after = m.codes();
    EXPECT_EQ(after[100], before[100]);
    EXPECT_EQ(after[120], 1000);
    EXPECT_EQ(after[180], -1000);
    EXPECT_EQ(after[199], before[199]);
    for (int k = 100; k < 200; ++k) {
        const double v = k <= 120   ? along(100, before[100], 120, 1000, k)
                         : k <= 180 ? along(120, 1000, 180, -1000, k)
                                    : along(180, -1000, 199, before[199], k);
        EXPECT_EQ(after[k], roundHalfUpLimited(v)) << "sample " << k;
    }
    for (int k = 0; k < 1000; ++k) {
        if (k < 100 || k >= 200) {
            ASSERT_EQ(after[k], before[k]) << "sample " << k << " lies outside the stretch";
        }
    }
}

TEST(Polyline, AtTheStartOfTheMemoryTheFirstSegmentIsExtendedToZero) {
    TestMemory m(1000, rampCode);
    ASSERT_EQ(line(m, 0, 500, {100, 300}, {1000, 3000}, 1000), 1);
    EXPECT_EQ(m[0], 0); // the line through both points, at 0
    EXPECT_EQ(m[50], 500);
    EXPECT_EQ(m[100], 1000);

    // With one point, the second one is the stretch's last existing sample.
    TestMemory one(1000, rampCode);
    const int16_t last = one[499];
    ASSERT_EQ(line(one, 0, 500, {250}, {2000}, 1000), 1);
    EXPECT_EQ(one[0], roundHalfUpLimited(along(250, 2000, 499, last, 0)));
    EXPECT_EQ(one[499], last);
}

TEST(Polyline, AtTheEndOfTheMemoryTheLastSegmentIsExtended) {
    TestMemory m(1000, rampCode);
    ASSERT_EQ(line(m, 800, 1000, {850, 900}, {0, 1000}, 1000), 1);
    EXPECT_EQ(m[999], 1000 + 99 * 20);
    // One point: the line from the existing code at x1 through it.
    TestMemory one(1000, rampCode);
    const int16_t start = one[800];
    ASSERT_EQ(line(one, 800, 1000, {900}, {3000}, 1000), 1);
    EXPECT_EQ(one[999], roundHalfUpLimited(along(800, start, 900, 3000, 999)));
}

TEST(Polyline, APointAtExactlyX1StartsTheLine) {
    TestMemory m(1000, rampCode);
    ASSERT_EQ(line(m, 100, 200, {100, 150}, {-2000, 2000}, 1000), 1);
    EXPECT_EQ(m[100], -2000);
    EXPECT_EQ(m[125], 0);
}

TEST(Polyline, OnePositionWritesThePointThereOrNothing) {
    TestMemory m(100, rampCode);
    EXPECT_EQ(line(m, 40, 40, {10, 40}, {1, 1234.5}, 100), 1);
    EXPECT_EQ(m[40], 1235);
    EXPECT_EQ(line(m, 5.5, 5.5, {5.5}, {-9}, 100), 1);
    EXPECT_EQ(m[6], -9) << "a fractional position rounds up";
    const auto before = m.codes();
    EXPECT_EQ(line(m, 41, 41, {10, 40}, {1, 2}, 100), 0);
    EXPECT_EQ(m.codes(), before);
}

TEST(Polyline, NoPointInsideTheStretchWritesNothing) {
    TestMemory m(100, rampCode);
    const auto before = m.codes();
    EXPECT_EQ(line(m, 10, 20, {5, 25}, {1, 2}, 100), 0);
    EXPECT_EQ(line(m, 10, 20, {}, {}, 100), 0);
    EXPECT_EQ(m.codes(), before);
}

TEST(Polyline, ExchangedEndsGiveTheSameStretch) {
    TestMemory a(300, rampCode), b(300, rampCode);
    ASSERT_EQ(line(a, 50, 250, {100, 200}, {10, 20}, 300), 1);
    ASSERT_EQ(line(b, 250, 50, {100, 200}, {10, 20}, 300), 1);
    EXPECT_EQ(a.codes(), b.codes());
}

TEST(Polyline, SamplesRoundHalfUpAndAreLimited) {
    TestMemory m(100);
    // From 0 at sample 0 to 3 at sample 6: halves at 1 and 5 round up.
    ASSERT_EQ(line(m, 0, 10, {0, 6, 9}, {0, 3, -3}, 100), 1);
    EXPECT_EQ(m[1], 1);  // 0.5
    EXPECT_EQ(m[3], 2);  // 1.5
    EXPECT_EQ(m[8], -1); // -1
    // A segment running past the code range is limited at both ends.
    ASSERT_EQ(line(m, 0, 100, {0, 50, 99}, {0, 32767, -32768}, 100), 1);
    EXPECT_EQ(m[50], 32767);
    EXPECT_EQ(m[99], -32768);
    ASSERT_EQ(line(m, 0, 100, {0, 10, 20}, {0, 60000, -60000}, 100), 1);
    EXPECT_EQ(m[9], 32767);
    EXPECT_EQ(m[19], -32768);
}

TEST(Polyline, APointOnTheAnchorOfAFractionalStartLeadsFromTheNextSample) {
    // The anchor is the existing sample at ceil(x1) = 100; the point there
    // keeps that sample and starts the line on the following one.
    TestMemory m(1000, rampCode);
    const int16_t anchor = m[100];
    ASSERT_EQ(line(m, 99.5, 300, {100, 200}, {5000, 1000}, 1000), 1);
    EXPECT_EQ(m[100], anchor);
    EXPECT_EQ(m[101], 5000 - 40);
    EXPECT_EQ(m[200], 1000);
}
