// The spline tables against the textbook solutions, and the periodic table's
// closing: value, slope and curvature continue across the wrap.
#include "SplineTable.h"
#include "CurvefitTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using curvefit::Knot;
using curvefit::SplineTable;
using curvefit_test::TextbookNaturalSpline;

namespace {

// Irregularly spaced knots with values in the code range.
std::vector<Knot> randomKnots(std::size_t count, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> gap(0.25, 40.0);
    std::uniform_real_distribution<double> value(-30000.0, 30000.0);
    std::vector<Knot> knots;
    double x = -50;
    for (std::size_t i = 0; i < count; ++i) {
        knots.push_back({x, value(rng)});
        x += gap(rng);
    }
    return knots;
}

std::vector<double> xsOf(const std::vector<Knot>& k) {
    std::vector<double> v;
    for (const Knot& e : k)
        v.push_back(e.x);
    return v;
}

std::vector<double> ysOf(const std::vector<Knot>& k) {
    std::vector<double> v;
    for (const Knot& e : k)
        v.push_back(e.y);
    return v;
}

// First derivative of interval i of a table at offset d from x[i].
double slopeIn(const SplineTable& s, std::size_t i, double d) {
    const double h = s.x[i + 1] - s.x[i];
    const double a = (s.z[i + 1] - s.z[i]) / h;
    const double c = (s.y[i + 1] - s.y[i]) / h - (2 * s.z[i] + s.z[i + 1]) * h;
    return 3 * a * d * d + 6 * s.z[i] * d + c;
}

} // namespace

TEST(NaturalSplineTable, AgreesWithTheTextbookSplineInTableAndValues) {
    for (const std::size_t count : {3u, 4u, 7u, 60u, 600u}) {
        SCOPED_TRACE(count);
        const auto knots = randomKnots(count, static_cast<unsigned>(count));
        const SplineTable table = curvefit::naturalSpline(knots);
        const TextbookNaturalSpline reference(xsOf(knots), ysOf(knots));
        ASSERT_EQ(table.z.size(), count);
        EXPECT_EQ(table.z.front(), 0.0);
        EXPECT_EQ(table.z.back(), 0.0);
        for (std::size_t i = 0; i < count; ++i)
            EXPECT_NEAR(table.z[i], reference.zAt(i), 1e-9 * (1 + std::fabs(reference.zAt(i))))
                << "knot " << i;
        const double from = knots.front().x, to = knots.back().x;
        for (double t = from; t <= to; t += (to - from) / 997)
            EXPECT_NEAR(table.valueAt(t), reference(t), 1e-6) << "at " << t;
    }
}

TEST(NaturalSplineTable, PassesThroughEveryKnotAndUsesTheIntervalEndingThere) {
    const auto knots = randomKnots(25, 7);
    const SplineTable table = curvefit::naturalSpline(knots);
    for (const Knot& k : knots)
        EXPECT_NEAR(table.valueAt(k.x), k.y, 1e-8);
    // Outside the knots the outermost cubics are continued.
    const TextbookNaturalSpline reference(xsOf(knots), ysOf(knots));
    EXPECT_NEAR(table.valueAt(knots.back().x + 0.5), reference(knots.back().x + 0.5), 1e-6);
    EXPECT_NEAR(table.valueAt(knots.front().x - 0.5), reference(knots.front().x - 0.5), 1e-6);
}

TEST(PeriodicSplineTable, AgreesWithTheDenseCyclicSolution) {
    for (const std::size_t intervals : {3u, 4u, 9u, 150u}) {
        SCOPED_TRACE(intervals);
        auto knots = randomKnots(intervals + 1, 100 + static_cast<unsigned>(intervals));
        knots.back().y = knots.front().y;
        const SplineTable table = curvefit::periodicSpline(knots);
        const auto m = curvefit_test::periodicSecondDerivatives(xsOf(knots), ysOf(knots));
        for (std::size_t i = 0; i <= intervals; ++i)
            EXPECT_NEAR(table.z[i], m[i] / 6, 1e-9 * (1 + std::fabs(m[i]))) << "knot " << i;
    }
}

TEST(PeriodicSplineTable, ClosesSmoothlyAcrossTheWrap) {
    auto knots = randomKnots(41, 3);
    knots.back().y = knots.front().y;
    const SplineTable table = curvefit::periodicSpline(knots);
    const std::size_t N = knots.size() - 1;
    const double period = knots.back().x - knots.front().x;

    EXPECT_DOUBLE_EQ(table.z[0], table.z[N]);
    const double slopeLeaving = slopeIn(table, N - 1, table.x[N] - table.x[N - 1]);
    const double slopeEntering = slopeIn(table, 0, 0.0);
    EXPECT_NEAR(slopeLeaving, slopeEntering, 1e-7 * (1 + std::fabs(slopeEntering)));
    // Slopes also match at every inner knot.
    for (std::size_t i = 1; i < N; ++i)
        EXPECT_NEAR(slopeIn(table, i - 1, table.x[i] - table.x[i - 1]), slopeIn(table, i, 0.0),
                    1e-7 * (1 + std::fabs(slopeIn(table, i, 0.0))));
    // Positions outside one period are brought back by whole periods.
    for (const double t : {knots[5].x + 0.3, knots[17].x - 2.0})
        for (const int periods : {-3, -1, 1, 2})
            EXPECT_NEAR(table.valueAt(t + periods * period), table.valueAt(t), 1e-6);
}

TEST(SplineTableEvaluation, TheWalkingSearchGivesTheBisectionsValuesBitForBit) {
    auto knots = randomKnots(300, 11);
    knots.back().y = knots.front().y;
    for (const bool periodic : {false, true}) {
        SCOPED_TRACE(periodic);
        const SplineTable table =
            periodic ? curvefit::periodicSpline(knots) : curvefit::naturalSpline(knots);
        const double from = knots.front().x - 30;
        const double to = knots.back().x + 30;
        // Whole samples ascending (knots included where they are whole), as
        // a call walks its stretch; then positions that jump back, land on
        // knots and leave the range, with one cursor throughout.
        std::vector<double> positions;
        for (double t = std::floor(from); t <= to; t += 1)
            positions.push_back(t);
        for (const Knot& k : knots)
            positions.push_back(k.x);
        positions.insert(positions.end(), {knots[7].x, knots[3].x - 0.1, to + 500, from - 500,
                                           knots[150].x + 1e-9, knots[150].x});
        std::size_t cursor = 0;
        for (const double t : positions)
            ASSERT_EQ(table.valueAt(t, cursor), table.valueAt(t)) << "at " << t;
        std::size_t stale = 100000; // not a place in this table
        EXPECT_EQ(table.valueAt(knots[2].x, stale), table.valueAt(knots[2].x));
    }
}
