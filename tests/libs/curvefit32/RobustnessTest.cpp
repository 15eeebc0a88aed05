// Hostile and careless calls: bad handles and arguments are refused with 0
// and lose nothing; stretches, lengths and point counts beyond the memory or
// the knot table are limited; duplicate positions never divide by zero.
#include "CurvefitTestSupport.h"
#include "curvefit32.h"

#include <gtest/gtest.h>

#include <limits>

using curvefit_test::rampCode;
using curvefit_test::TestMemory;

namespace {

// Calls the polyline (mode -1) or a spline mode.
int32_t curve(int mode, ZwMemHandle h, double x1, double x2, const double* xs, const double* ys,
              int32_t n, int32_t total) {
    return mode < 0 ? Spline_Hokan_Line(h, x1, x2, xs, ys, n, total, 32767)
                    : Spline_Hokan_Spline(mode, h, x1, x2, xs, ys, n, total, 32767);
}

int32_t curve(int mode, const TestMemory& m, double x1, double x2, const std::vector<double>& xs,
              const std::vector<double>& ys, int32_t total) {
    return curve(mode, m.handle(), x1, x2, xs.data(), ys.data(), static_cast<int32_t>(xs.size()),
                 total);
}

constexpr int kEveryCurve[] = {-1, 0, 1, 2};

} // namespace

TEST(Refused, BadHandlesArraysAndModesWriteNothing) {
    const std::vector<double> xs{10, 50}, ys{1, 2};
    const ZwMemHandle freed = ZwGlobalAlloc(200);
    ZwGlobalFree(freed);
    for (const int mode : kEveryCurve) {
        SCOPED_TRACE(mode);
        EXPECT_EQ(curve(mode, 0, 0, 100, xs.data(), ys.data(), 2, 100), 0);
        EXPECT_EQ(curve(mode, freed, 0, 100, xs.data(), ys.data(), 2, 100), 0);
        TestMemory m(100, rampCode);
        const auto before = m.codes();
        EXPECT_EQ(curve(mode, m.handle(), 0, 100, nullptr, ys.data(), 2, 100), 0);
        EXPECT_EQ(curve(mode, m.handle(), 0, 100, xs.data(), nullptr, 2, 100), 0);
        EXPECT_EQ(curve(mode, m.handle(), 0, 100, xs.data(), ys.data(), 0, 100), 0);
        EXPECT_EQ(curve(mode, m.handle(), 0, 100, xs.data(), ys.data(), -3, 100), 0);
        EXPECT_EQ(curve(mode, m.handle(), 0, 100, xs.data(), ys.data(), 2, 0), 0);
        EXPECT_EQ(curve(mode, m.handle(), 0, 100, xs.data(), ys.data(), 2, -100), 0);
        EXPECT_EQ(m.codes(), before);
    }
    TestMemory m(100, rampCode);
    for (const int mode : {-7, 3, 1000})
        EXPECT_EQ(Spline_Hokan_Spline(mode, m.handle(), 0, 100, xs.data(), ys.data(), 2, 100, 0),
                  0);
    ASSERT_NE(ZwGlobalLock(m.handle(), nullptr), nullptr);
    EXPECT_EQ(ZwGlobalUnlock(m.handle()), 0) << "no call leaves its lock behind";
}

TEST(Refused, NonFiniteNumbersWriteNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const int mode : kEveryCurve) {
        SCOPED_TRACE(mode);
        TestMemory m(100, rampCode);
        const auto before = m.codes();
        EXPECT_EQ(curve(mode, m, nan, 50, {10, 20}, {1, 2}, 100), 0);
        EXPECT_EQ(curve(mode, m, 0, inf, {10, 20}, {1, 2}, 100), 0);
        EXPECT_EQ(curve(mode, m, 0, 100, {10, nan}, {1, 2}, 100), 0);
        EXPECT_EQ(curve(mode, m, 0, 100, {10, 20}, {-inf, 2}, 100), 0);
        EXPECT_EQ(curve(mode, m, 20, 20, {10, 20}, {1, nan}, 100), 0);
        EXPECT_EQ(m.codes(), before);
    }
    // Points closer than a double's slope can express: the line cannot be
    // computed, so nothing is written rather than garbage.
    TestMemory m(100, rampCode);
    const auto before = m.codes();
    EXPECT_EQ(curve(-1, m, 0, 100, {0, 1e-305}, {-30000, 30000}, 100), 0);
    EXPECT_EQ(m.codes(), before);
}

TEST(Limited, AStretchOrLengthBeyondTheMemoryStaysInsideIt) {
    const std::vector<double> xs{30, 70, 99}, ys{3000, -3000, 500};
    for (const int mode : kEveryCurve) {
        SCOPED_TRACE(mode);
        // The used length beyond the allocated size: limited to the size.
        TestMemory big(100, rampCode), exact(100, rampCode);
        EXPECT_EQ(curve(mode, big, 0, 5000, xs, ys, 65536), 1);
        EXPECT_EQ(curve(mode, exact, 0, 100, xs, ys, 100), 1);
        EXPECT_EQ(big.codes(), exact.codes());

        // x2 beyond the used length, x1 before 0: limited to 0 .. total, and
        // the samples after the used length keep their codes.
        TestMemory wide(200, rampCode), narrow(200, rampCode);
        const auto before = wide.codes();
        EXPECT_EQ(curve(mode, wide, -40, 180, xs, ys, 100), 1);
        EXPECT_EQ(curve(mode, narrow, 0, 100, xs, ys, 100), 1);
        EXPECT_EQ(wide.codes(), narrow.codes());
        for (int k = 100; k < 200; ++k)
            ASSERT_EQ(wide[k], before[k]);

        // Wholly outside, or holding no sample: nothing.
        EXPECT_EQ(curve(mode, wide, 150, 180, {160}, {1}, 100), 0);
        EXPECT_EQ(curve(mode, wide, -20, -5, {-10}, {1}, 100), 0);
        EXPECT_EQ(curve(mode, wide, 40.2, 40.8, {40.5}, {1}, 100), 0);
        EXPECT_EQ(wide.codes(), narrow.codes());
    }
}

TEST(Limited, OnePositionAtTheEndIsWrittenOnlyInsideTheMemory) {
    TestMemory full(100, rampCode);
    const auto before = full.codes();
    EXPECT_EQ(curve(-1, full, 100, 100, {100}, {5}, 100), 0);
    EXPECT_EQ(curve(0, full, 99.5, 99.5, {99.5}, {5}, 100), 0);
    EXPECT_EQ(full.codes(), before);
    // Inside a larger memory the sample just after the used length is there.
    TestMemory larger(101, rampCode);
    EXPECT_EQ(curve(-1, larger, 100, 100, {100}, {5}, 100), 1);
    EXPECT_EQ(larger[100], 5);
}

TEST(Limited, OnlyTheFirst4096ControlPointsAreUsed) {
    const int total = 65536;
    std::vector<double> xs, ys;
    for (int i = 0; i < 6000; ++i) {
        xs.push_back(300 + i * 10);
        ys.push_back(i % 2 ? 3000 : -3000);
    }
    std::vector<double> first4096x(xs.begin(), xs.begin() + 4096);
    std::vector<double> first4096y(ys.begin(), ys.begin() + 4096);
    for (const int mode : kEveryCurve) {
        SCOPED_TRACE(mode);
        // Mode 1 in the middle takes 4354 knots, all but one of the table.
        TestMemory all(total, rampCode), capped(total, rampCode);
        EXPECT_EQ(curve(mode, all, 200, 65000, xs, ys, total), 1);
        EXPECT_EQ(curve(mode, capped, 200, 65000, first4096x, first4096y, total), 1);
        EXPECT_EQ(all.codes(), capped.codes());
        EXPECT_EQ(all[41250], 3000) << "the 4096th point is drawn";
    }
}

TEST(DuplicatePositions, TheLaterPointIsLeftOutInsteadOfDividingByZero) {
    for (const int mode : kEveryCurve) {
        SCOPED_TRACE(mode);
        TestMemory twice(1000, rampCode), once(1000, rampCode);
        EXPECT_EQ(curve(mode, twice, 100, 600, {200, 300, 300, 300, 400}, {1, 2, 9, 8, 4}, 1000),
                  1);
        EXPECT_EQ(curve(mode, once, 100, 600, {200, 300, 400}, {1, 2, 4}, 1000), 1);
        EXPECT_EQ(twice.codes(), once.codes());
        EXPECT_EQ(twice[300], 2);
    }
    // A point on the anchor of a stretch with a fractional start: the
    // existing sample stays the knot.
    for (const int mode : {0, 1}) {
        SCOPED_TRACE(mode);
        TestMemory onAnchor(1000, rampCode), without(1000, rampCode);
        EXPECT_EQ(curve(mode, onAnchor, 299.5, 600, {300, 450}, {7777, 2}, 1000), 1);
        EXPECT_EQ(curve(mode, without, 299.5, 600, {450}, {2}, 1000), 1);
        EXPECT_EQ(onAnchor.codes(), without.codes());
    }
}

TEST(UnsortedPoints, StayInsideTheMemory) {
    // Out-of-order points break the caller's promise; the call must still
    // write only the stretch and only codes.
    for (const int mode : kEveryCurve) {
        SCOPED_TRACE(mode);
        TestMemory m(300, rampCode);
        const auto before = m.codes();
        curve(mode, m, 50, 250, {200, 80, 150, 60, 240}, {1, 2, 3, 4, 5}, 300);
        const auto after = m.codes();
        for (int k = 0; k < 300; ++k) {
            if (k < 50 || k >= 250) {
                ASSERT_EQ(after[k], before[k]);
            }
        }
    }
}
