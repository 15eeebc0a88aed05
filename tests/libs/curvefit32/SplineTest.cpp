// The spline modes through the exported interface, sample by sample against
// the textbook natural spline through the knots each mode must use, and the
// joins: to the waveform around the stretch, and of a periodic waveform with
// itself.
#include "CommonStart.h"
#include "CurvefitTestSupport.h"
#include "KnotList.h"
#include "SplineTable.h"
#include "curvefit32.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using curvefit_test::rampCode;
using curvefit_test::roundHalfUpLimited;
using curvefit_test::TestMemory;
using curvefit_test::TextbookNaturalSpline;

namespace {

int32_t spline(int mode, const TestMemory& m, double x1, double x2, const std::vector<double>& xs,
               const std::vector<double>& ys, int32_t total) {
    return Spline_Hokan_Spline(mode, m.handle(), x1, x2, xs.data(), ys.data(),
                               static_cast<int32_t>(xs.size()), total, 32767);
}

// Expects samples first .. end - 1 to be the rounded reference spline, and
// every other sample to be as it was.
void expectStretch(const std::vector<int16_t>& before, const std::vector<int16_t>& after, int first,
                   int end, const TextbookNaturalSpline& reference) {
    ASSERT_EQ(before.size(), after.size());
    for (int k = 0; k < static_cast<int>(after.size()); ++k) {
        if (k < first || k >= end) {
            ASSERT_EQ(after[k], before[k]) << "sample " << k << " lies outside the stretch";
            continue;
        }
        const double v = reference(k);
        if (std::fabs(v - std::floor(v) - 0.5) > 1e-6) {
            ASSERT_EQ(after[k], roundHalfUpLimited(v)) << "sample " << k;
        }
    }
}

} // namespace

TEST(AnchoredSpline, IsTheNaturalSplineThroughTheAnchorsAndPoints) {
    TestMemory m(1000, rampCode);
    const auto before = m.codes();
    ASSERT_EQ(spline(0, m, 100, 300, {130, 170, 240}, {5000, -3000, 8000}, 1000), 1);
    const TextbookNaturalSpline reference(
        {100, 130, 170, 240, 299}, {double(before[100]), 5000, -3000, 8000, double(before[299])});
    expectStretch(before, m.codes(), 100, 300, reference);
    EXPECT_EQ(m[130], 5000) << "a sample at a knot takes the knot's value";
    EXPECT_EQ(m[240], 8000);
}

TEST(AnchoredSpline, OnePointInsideGivesThreeKnotsOneAtTheEndOnlyTwo) {
    TestMemory m(1000, rampCode);
    const auto before = m.codes();
    ASSERT_EQ(spline(0, m, 100, 200, {150}, {9000}, 1000), 1);
    expectStretch(
        before, m.codes(), 100, 200,
        TextbookNaturalSpline({100, 150, 199}, {double(before[100]), 9000, double(before[199])}));

    // A point at x2 - 1: two knots, so the polyline is drawn.
    TestMemory s(1000, rampCode), l(1000, rampCode);
    const std::vector<double> xs{199}, ys{9000};
    ASSERT_EQ(spline(0, s, 100, 200, xs, ys, 1000), 1);
    ASSERT_EQ(Spline_Hokan_Line(l.handle(), 100, 200, xs.data(), ys.data(), 1, 1000, 32767), 1);
    EXPECT_EQ(s.codes(), l.codes());
    EXPECT_EQ(s[199], 9000);
}

TEST(AnchoredSpline, OverTheWholeMemoryTheEndsFollowTheOutermostSegments) {
    TestMemory m(1000, rampCode);
    const auto before = m.codes();
    ASSERT_EQ(spline(0, m, 0, 1000, {100, 300, 700, 900}, {1000, 3000, -2000, 0}, 1000), 1);
    // Line through the first two points at 0, through the last two at 1000.
    const TextbookNaturalSpline reference({0, 100, 300, 700, 900, 1000},
                                          {0, 1000, 3000, -2000, 0, 1000});
    expectStretch(before, m.codes(), 0, 1000, reference);
}

TEST(EverySplineMode, ASinglePointOverTheWholeMemoryFillsItWithItsValue) {
    for (const int mode : {0, 1, 2}) {
        SCOPED_TRACE(mode);
        TestMemory m(500, rampCode);
        ASSERT_EQ(spline(mode, m, 0, 500, {321}, {-1234.4}, 500), 1);
        EXPECT_EQ(m.codes(), std::vector<int16_t>(500, -1234));
    }
    TestMemory m(500, rampCode);
    const std::vector<double> xs{321}, ys{4321};
    ASSERT_EQ(Spline_Hokan_Line(m.handle(), 0, 500, xs.data(), ys.data(), 1, 500, 32767), 1);
    EXPECT_EQ(m.codes(), std::vector<int16_t>(500, 4321));
}

TEST(ContinuedSpline, InsideTheMemoryIsTheNaturalSplineThroughTheContext) {
    TestMemory m(2000, rampCode);
    const auto before = m.codes();
    ASSERT_EQ(spline(1, m, 500, 700, {560, 640}, {9000, -9000}, 2000), 1);
    std::vector<double> x, y;
    for (int p = 372; p <= 500; ++p) {
        x.push_back(p);
        y.push_back(before[p]);
    }
    x.insert(x.end(), {560, 640, 699});
    y.insert(y.end(), {9000, -9000, double(before[699])});
    for (int p = 700; p <= 827; ++p) {
        x.push_back(p);
        y.push_back(before[p]);
    }
    expectStretch(before, m.codes(), 500, 700, TextbookNaturalSpline(x, y));
}

TEST(ContinuedSpline, NearTheStartTheContextComesFromTheEndOfTheMemory) {
    TestMemory m(1000, rampCode);
    const auto before = m.codes();
    ASSERT_EQ(spline(1, m, 30, 90, {60}, {7000}, 1000), 1);
    std::vector<double> x, y;
    for (int p = -98; p <= 29; ++p) {
        x.push_back(p);
        y.push_back(before[(p + 1000) % 1000]);
    }
    x.insert(x.end(), {60, 89});
    y.insert(y.end(), {7000, double(before[89])});
    for (int p = 90; p <= 217; ++p) {
        x.push_back(p);
        y.push_back(before[p]);
    }
    expectStretch(before, m.codes(), 30, 90, TextbookNaturalSpline(x, y));
}

TEST(ContinuedSpline, NearTheEndTheContextComesFromTheStartOfTheMemory) {
    TestMemory m(1000, rampCode);
    const auto before = m.codes();
    ASSERT_EQ(spline(1, m, 900, 980, {950}, {-7000}, 1000), 1);
    std::vector<double> x, y;
    for (int p = 772; p <= 900; ++p) {
        x.push_back(p);
        y.push_back(before[p]);
    }
    x.insert(x.end(), {950, 979});
    y.insert(y.end(), {-7000, double(before[979])});
    for (int p = 980; p <= 1107; ++p) {
        x.push_back(p);
        y.push_back(before[p % 1000]);
    }
    expectStretch(before, m.codes(), 900, 980, TextbookNaturalSpline(x, y));
}

TEST(ContinuedSpline, JoinsTheWaveformAroundTheStretchWithoutAKink) {
    // A bump far above a straight ramp: the continued spline bends away from
    // the ramp as smoothly as it bends anywhere else; the anchored one kinks.
    const std::vector<double> xs{600}, ys{rampCode(600) + 10000.0};
    int joinRoughness[2] = {};
    for (const int mode : {0, 1}) {
        TestMemory m(1000, rampCode);
        ASSERT_EQ(spline(mode, m, 500, 700, xs, ys, 1000), 1);
        const auto c = m.codes();
        const auto secondDifference = [&](int k) {
            return std::abs(c[k + 1] - 2 * c[k] + c[k - 1]);
        };
        int inner = 0;
        for (int k = 502; k < 698; ++k)
            inner = std::max(inner, secondDifference(k));
        joinRoughness[mode] = std::max(secondDifference(500), secondDifference(699));
        if (mode == 1) {
            EXPECT_LE(joinRoughness[mode], inner);
        }
    }
    EXPECT_GT(joinRoughness[0], 10 * joinRoughness[1]);
}

TEST(PeriodicSpline, TheLastSampleLeadsSmoothlyIntoTheFirst) {
    // Few points (copied for two further periods) and many (128 copied on
    // each side).
    for (const int count : {5, 300}) {
        SCOPED_TRACE(count);
        const int total = 6000;
        std::vector<double> xs, ys;
        for (int i = 0; i < count; ++i) {
            xs.push_back(i * total / double(count) + 3);
            ys.push_back(15000 * std::sin(2 * std::numbers::pi * 3 * i / count) +
                         4000 * std::cos(2 * std::numbers::pi * 7 * i / count));
        }
        TestMemory m(total, rampCode);
        ASSERT_EQ(spline(2, m, 0, total, xs, ys, total), 1);
        const auto c = m.codes();
        for (int i = 0; i < count; i += 7)
            EXPECT_EQ(c[static_cast<int>(xs[i])], roundHalfUpLimited(ys[i]));
        // Across the wrap the step and its change are those of a smooth curve.
        const int wrapStep = c[0] - c[total - 1];
        const int stepBefore = c[total - 1] - c[total - 2];
        const int stepAfter = c[1] - c[0];
        EXPECT_NEAR(wrapStep, stepBefore, count == 5 ? 3 : 12);
        EXPECT_NEAR(wrapStep, stepAfter, count == 5 ? 3 : 12);

        // The curve itself: slope at the period's end equals slope at its start.
        std::vector<int16_t> memory(c.begin(), c.end());
        const curvefit::CurveRequest r{0, double(total), xs.data(), ys.data(), count, total};
        const auto opening = curvefit::commonStart(memory, r);
        ASSERT_TRUE(opening.job);
        const auto knots = curvefit::buildKnots(*opening.job, curvefit::SplineMode::Periodic);
        const auto table = curvefit::periodicSpline(knots.knots());
        const double eps = 1e-4;
        const double slopeAtEnd = (table.valueAt(total) - table.valueAt(total - eps)) / eps;
        const double slopeAtStart = (table.valueAt(eps) - table.valueAt(0)) / eps;
        EXPECT_NEAR(slopeAtEnd, slopeAtStart, 1e-3 * (1 + std::fabs(slopeAtStart)));
        EXPECT_NEAR(table.valueAt(total), table.valueAt(0), 1e-6);
    }
}

TEST(PeriodicSpline, EndLinkedPointsAtZeroAndTotalCountOnce) {
    const int total = 1000;
    const std::vector<double> xs{0, 250, 500, 750, 1000}, ys{0, 10000, 0, -10000, 0};
    TestMemory m(total, rampCode);
    ASSERT_EQ(spline(2, m, 0, total, xs, ys, total), 1);
    const auto c = m.codes();
    EXPECT_EQ(c[0], 0);
    EXPECT_EQ(c[250], 10000);
    // A symmetric waveform: odd about 500, even about 250.
    for (int k = 1; k < 250; ++k) {
        EXPECT_NEAR(c[250 - k], c[250 + k], 1) << k;
        EXPECT_NEAR(c[500 - k], -c[500 + k], 1) << k;
    }
    EXPECT_NEAR(c[999], -c[1], 1);
}
