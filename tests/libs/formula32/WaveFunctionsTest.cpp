// The triangle and square waves at the points where their pieces meet.
#include "BuiltinFunctions.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace formula32;

namespace {

constexpr double kPi = 3.1415926535898;
// A phase whose fraction of the period is f (up to rounding).
double at(double f) {
    return f / 0.15915494309189535;
}

TEST(TriangleWave, SymmetricWaveHasTheShapeAndPhaseOfASine) {
    EXPECT_EQ(triangleWave(0, 50), 0);
    EXPECT_NEAR(triangleWave(kPi / 2, 50), 1, 1e-12);
    EXPECT_NEAR(triangleWave(kPi, 50), 0, 1e-12);
    EXPECT_NEAR(triangleWave(3 * kPi / 2, 50), -1, 1e-12);
    EXPECT_NEAR(triangleWave(-kPi / 2, 50), -1, 1e-12) << "negative phases continue the wave";
    EXPECT_NEAR(triangleWave(at(0.125), 50), 0.5, 1e-12);
    EXPECT_NEAR(triangleWave(at(3.125), 50), 0.5, 1e-9) << "periodic";
}

TEST(TriangleWave, SymmetryOutsideZeroToHundredGivesZero) {
    for (const double p : {-3.0, 0.0, 1.0, 5.5}) {
        EXPECT_EQ(triangleWave(p, 150), 0);
        EXPECT_EQ(triangleWave(p, -0.1), 0);
    }
}

TEST(TriangleWave, RampsAtTheEnds) {
    EXPECT_EQ(triangleWave(0, 0), 1) << "falling ramp starts at 1";
    EXPECT_NEAR(triangleWave(at(0.25), 0), 0.5, 1e-12);
    EXPECT_NEAR(triangleWave(at(0.75), 0), -0.5, 1e-12);
    EXPECT_EQ(triangleWave(std::ldexp(1.0, 60), 0), -1) << "a whole period ends the ramp at -1";
    EXPECT_EQ(triangleWave(std::ldexp(1.0, 60), 50), 0);
    EXPECT_NEAR(triangleWave(at(0.25), 100), 0.5, 1e-12) << "rising ramp from 0 to 1";
    EXPECT_EQ(triangleWave(at(0.5), 100), -1) << "jumps to -1 at half period";
    EXPECT_NEAR(triangleWave(at(0.75), 100), -0.5, 1e-12);
    EXPECT_NEAR(triangleWave(at(0.1), 20), 1, 1e-12) << "peak at s/200 of the period";
    EXPECT_NEAR(triangleWave(at(0.5), 20), 0, 1e-12);
}

TEST(SquareWave, DutyAtTheLimits) {
    for (const double t : {0.0, 10.0, 50.0}) {
        EXPECT_EQ(squareWave(1, 0, t), -1);
        EXPECT_EQ(squareWave(1, 100, t), 1);
        EXPECT_EQ(squareWave(1, 101, t), 0);
        EXPECT_EQ(squareWave(1, -1, t), 0);
    }
}

TEST(SquareWave, HardEdges) {
    EXPECT_EQ(squareWave(at(0.2), 50, 0), 1);
    EXPECT_EQ(squareWave(at(0.7), 50, 0), -1);
    EXPECT_EQ(squareWave(at(0.25), 30, 0), 1);
    EXPECT_EQ(squareWave(at(0.35), 30, 0), -1);
    EXPECT_EQ(squareWave(at(0.7), 50, -20), -1) << "a negative transition counts as 0";
}

TEST(SquareWave, TransitionsRampThroughZero) {
    EXPECT_EQ(squareWave(0, 50, 10), 0) << "starts at 0";
    EXPECT_NEAR(squareWave(at(0.025), 50, 10), 0.5, 1e-12);
    EXPECT_EQ(squareWave(at(0.1), 50, 10), 1);
    EXPECT_NEAR(squareWave(at(0.475), 50, 10), 0.5, 1e-12);
    EXPECT_NEAR(squareWave(at(0.525), 50, 10), -0.5, 1e-12);
    EXPECT_EQ(squareWave(at(0.7), 50, 10), -1);
    EXPECT_NEAR(squareWave(at(0.975), 50, 10), -0.5, 1e-12);
}

} // namespace
