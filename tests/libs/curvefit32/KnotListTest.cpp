// The knot lists of the three spline modes: anchors, context samples (cyclic
// near both ends of the memory), the periodic copies, and the knots left out
// so that no interval has zero width.
#include "KnotList.h"
#include "CommonStart.h"
#include "CurvefitTestSupport.h"

#include <gtest/gtest.h>

using curvefit::CurveJob;
using curvefit::CurveRequest;
using curvefit::Knot;
using curvefit::KnotList;
using curvefit::SplineMode;

namespace {

struct Case {
    std::vector<int16_t> memory;
    std::vector<double> xs, ys;

    explicit Case(int total) : memory(static_cast<std::size_t>(total)) {
        for (int i = 0; i < total; ++i)
            memory[static_cast<std::size_t>(i)] = curvefit_test::rampCode(i);
    }
    double code(int i) const { return memory[static_cast<std::size_t>(i)]; }

    KnotList knots(SplineMode mode, double x1, double x2) {
        const CurveRequest r{x1,
                             x2,
                             xs.data(),
                             ys.data(),
                             static_cast<int32_t>(xs.size()),
                             static_cast<int32_t>(memory.size())};
        const auto opening = curvefit::commonStart(memory, r);
        EXPECT_TRUE(opening.job.has_value());
        return opening.job ? curvefit::buildKnots(*opening.job, mode) : KnotList{};
    }
};

void expectKnot(const KnotList& list, std::size_t i, double x, double y) {
    ASSERT_LT(i, list.size());
    EXPECT_EQ(list[i].x, x) << "knot " << i;
    EXPECT_DOUBLE_EQ(list[i].y, y) << "knot " << i;
}

void expectAscending(const KnotList& list) {
    for (std::size_t i = 1; i < list.size(); ++i)
        ASSERT_LT(list[i - 1].x, list[i].x) << "knot " << i;
}

} // namespace

TEST(AnchoredKnots, InsideTheMemoryTheStretchEndsAreAnchoredOnExistingSamples) {
    Case c(1000);
    c.xs = {50, 150, 170, 400};
    c.ys = {1, 2000, -500, 4};
    const KnotList list = c.knots(SplineMode::Anchored, 100, 200);
    ASSERT_EQ(list.size(), 4u);
    expectKnot(list, 0, 100, c.code(100));
    expectKnot(list, 1, 150, 2000);
    expectKnot(list, 2, 170, -500);
    expectKnot(list, 3, 199, c.code(199));

    // A point at x2 - 1 already is the last knot; at exactly x1 it replaces
    // the left anchor.
    c.xs = {100, 199};
    c.ys = {7, 8};
    const KnotList atEnds = c.knots(SplineMode::Anchored, 100, 200);
    ASSERT_EQ(atEnds.size(), 2u);
    expectKnot(atEnds, 0, 100, 7);
    expectKnot(atEnds, 1, 199, 8);
}

TEST(AnchoredKnots, AtTheEndsOfTheMemoryTheOutermostSegmentsAreExtended) {
    Case c(1000);
    c.xs = {10, 30, 900, 960};
    c.ys = {100, 300, 2000, 1400};
    // From the start, ending inside: the first knot is the existing sample 0.
    const KnotList inside = c.knots(SplineMode::Anchored, 0, 500);
    expectKnot(inside, 0, 0, c.code(0));
    expectKnot(inside, inside.size() - 1, 499, c.code(499));

    // The whole memory: the line through points 0 and 1 at 0, the line
    // through the last two points at total.
    const KnotList whole = c.knots(SplineMode::Anchored, 0, 1000);
    ASSERT_EQ(whole.size(), 6u);
    expectKnot(whole, 0, 0, 0);
    expectKnot(whole, 5, 1000, 1400 + (1400.0 - 2000.0) / 60 * 40);

    // Ending at the memory's end with one point inside: the line through it
    // and the existing code at x1.
    c.xs = {800};
    c.ys = {3000};
    const KnotList tail = c.knots(SplineMode::Anchored, 700, 1000);
    ASSERT_EQ(tail.size(), 3u);
    expectKnot(tail, 0, 700, c.code(700));
    expectKnot(tail, 2, 1000, c.code(700) + (3000 - c.code(700)) * 3);
}

TEST(ContinuedKnots, InsideTheMemory128SamplesJoinOnEachSide) {
    Case c(2000);
    c.xs = {600, 650};
    c.ys = {-1000, 1000};
    const KnotList list = c.knots(SplineMode::Continued, 500, 700);
    // 129 before (the first sample of the stretch included), two points,
    // the anchor at x2 - 1, 128 after.
    ASSERT_EQ(list.size(), 129u + 2 + 1 + 128);
    expectKnot(list, 0, 372, c.code(372));
    expectKnot(list, 128, 500, c.code(500));
    expectKnot(list, 129, 600, -1000);
    expectKnot(list, 131, 699, c.code(699));
    expectKnot(list, 132, 700, c.code(700));
    expectKnot(list, list.size() - 1, 827, c.code(827));
    expectAscending(list);

    // A point at exactly x1 takes the first sample's place; one at x2 ends
    // the stretch, and the samples after start one further.
    c.xs = {500, 700};
    const KnotList ends = c.knots(SplineMode::Continued, 500, 700);
    ASSERT_EQ(ends.size(), 129u + 1 + 127);
    expectKnot(ends, 128, 500, -1000);
    expectKnot(ends, 129, 700, 1000);
    expectKnot(ends, 130, 701, c.code(701));
    expectAscending(ends);
}

TEST(ContinuedKnots, NearBothEndsTheMemoryIsTreatedAsCyclic) {
    Case c(1000);
    c.xs = {50, 980};
    c.ys = {5, 6};
    const KnotList start = c.knots(SplineMode::Continued, 40, 60);
    // Positions -88 .. 39: the negative ones come from the end of the memory.
    expectKnot(start, 0, -88, c.code(1000 - 88));
    expectKnot(start, 87, -1, c.code(999));
    expectKnot(start, 88, 0, c.code(0));
    expectKnot(start, 127, 39, c.code(39));
    expectKnot(start, 128, 50, 5);
    expectAscending(start);

    const KnotList end = c.knots(SplineMode::Continued, 960, 990);
    // After the stretch, positions at or beyond total come from the start.
    expectKnot(end, end.size() - 128, 990, c.code(990));
    expectKnot(end, end.size() - 118, 1000, c.code(0));
    expectKnot(end, end.size() - 1, 1117, c.code(117));
    expectAscending(end);
}

TEST(ContinuedKnots, AStretchReachingTheEndLeadsIntoSampleZero) {
    Case c(1000);
    c.xs = {900};
    c.ys = {1234};
    const KnotList list = c.knots(SplineMode::Continued, 800, 1000);
    expectKnot(list, 130, 999, c.code(0));
    // ... or into the control point at position 0 when there is one.
    c.xs = {0, 900};
    c.ys = {-77, 1234};
    const KnotList withPointAtZero = c.knots(SplineMode::Continued, 800, 1000);
    expectKnot(withPointAtZero, 130, 999, -77);
}

TEST(ContinuedKnots, AMemoryShorterThanTheContextWrapsMoreThanOnce) {
    Case c(50);
    c.xs = {20};
    c.ys = {999};
    const KnotList list = c.knots(SplineMode::Continued, 10, 30);
    expectKnot(list, 0, -118, c.code(32)); // -118 = 32 - 3 * 50
    expectKnot(list, list.size() - 1, 157, c.code(7));
    expectAscending(list);
}

TEST(PeriodicKnots, CopiesOfTheLastAndFirstKnotsSurroundOnePeriod) {
    Case c(10000);
    // 200 points, the last at x2 with the value of the first: it is dropped.
    for (int i = 0; i < 200; ++i) {
        c.xs.push_back(i * 50.0);
        c.ys.push_back(i * 10.0);
    }
    c.xs.push_back(10000);
    c.ys.push_back(0);
    const KnotList list = c.knots(SplineMode::Periodic, 0, 10000);
    ASSERT_EQ(list.size(), 200u + 2 * 128 + 1);
    expectKnot(list, 0, 72 * 50.0 - 10000, 720);
    expectKnot(list, 127, 199 * 50.0 - 10000, 1990);
    expectKnot(list, 128, 0, 0);
    expectKnot(list, 327, 9950, 1990);
    expectKnot(list, 328, 10000, 0);
    expectKnot(list, list.size() - 1, 128 * 50.0 + 10000, 1280);
    expectAscending(list);
}

TEST(PeriodicKnots, FewPointsRepeatForTwoFurtherPeriods) {
    Case c(1000);
    c.xs = {100, 400, 700};
    c.ys = {1, 2, 3};
    const KnotList list = c.knots(SplineMode::Periodic, 0, 1000);
    const std::vector<Knot> expected = {{-900, 1}, {-600, 2}, {-300, 3}, {100, 1},  {400, 2},
                                        {700, 3},  {1100, 1}, {1400, 2}, {1700, 3}, {2100, 1}};
    ASSERT_EQ(list.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        expectKnot(list, i, expected[i].x, expected[i].y);
}

TEST(KnotsLeftOut, NoTwoKnotsShareAPosition) {
    Case c(1000);
    // Two points at one position (the first stays) and a point on the
    // anchor of a stretch whose start is fractional.
    c.xs = {100, 150, 150, 199};
    c.ys = {1, 2, 3, 4};
    for (const SplineMode mode :
         {SplineMode::Anchored, SplineMode::Continued, SplineMode::Periodic}) {
        const KnotList list = c.knots(mode, 99.5, 200);
        expectAscending(list);
        bool sawFirstOf150 = false;
        for (std::size_t i = 0; i < list.size(); ++i)
            if (list[i].x == 150) {
                EXPECT_EQ(list[i].y, 2);
                sawFirstOf150 = true;
            }
        EXPECT_TRUE(sawFirstOf150);
    }
    const KnotList anchored = c.knots(SplineMode::Anchored, 99.5, 200);
    expectKnot(anchored, 0, 100, c.code(100));
    EXPECT_EQ(anchored.size(), 3u);
}
