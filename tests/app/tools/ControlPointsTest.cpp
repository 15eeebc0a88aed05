// The control-point list: order, replacement, the end link, the 2000-point
// limit, and the edits the main plot makes with the mouse.
#include "ControlPoints.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using zw::ControlPoints;
using zw::SetPointResult;

constexpr double kLength = 1000;

std::vector<double> xsOf(const ControlPoints& p) {
    return std::vector<double>(p.xs(), p.xs() + p.count());
}
std::vector<double> ysOf(const ControlPoints& p) {
    return std::vector<double>(p.ys(), p.ys() + p.count());
}

// Counts the questions and answers them as told.
struct Answer {
    bool yes = true;
    int asked = 0;
    zw::EndLinkQuestion question() {
        return [this] {
            ++asked;
            return yes;
        };
    }
};

TEST(ControlPoints, PointsStayInOrderAndAPositionIsReplacedNotDoubled) {
    ControlPoints p;
    Answer a;
    EXPECT_EQ(p.setPoint(500, 1, kLength, a.question()), SetPointResult::Added);
    EXPECT_EQ(p.setPoint(100, 2, kLength, a.question()), SetPointResult::Added);
    EXPECT_EQ(p.setPoint(900, 3, kLength, a.question()), SetPointResult::Added);
    EXPECT_EQ(p.setPoint(500, 4, kLength, a.question()), SetPointResult::Replaced);
    EXPECT_EQ(xsOf(p), (std::vector<double>{100, 500, 900}));
    EXPECT_EQ(ysOf(p), (std::vector<double>{2, 4, 3}));
    EXPECT_EQ(p.selected(), 1);
    EXPECT_EQ(a.asked, 0);
}

TEST(ControlPoints, TheOtherEndWithAnotherValueAsksFirst) {
    ControlPoints p;
    Answer a;
    p.setPoint(0, 100, kLength, a.question());
    p.setPoint(400, 7, kLength, a.question());
    a.yes = false;
    EXPECT_EQ(p.setPoint(kLength, 200, kLength, a.question()), SetPointResult::Declined);
    EXPECT_EQ(a.asked, 1);
    EXPECT_EQ(xsOf(p), (std::vector<double>{0, 400}));
    EXPECT_EQ(ysOf(p), (std::vector<double>{100, 7}));

    a.yes = true;
    EXPECT_EQ(p.setPoint(kLength, 200, kLength, a.question()), SetPointResult::Added);
    EXPECT_EQ(a.asked, 2);
    EXPECT_EQ(ysOf(p), (std::vector<double>{200, 7, 200}));

    // Changing the start now changes the end too, after asking.
    EXPECT_EQ(p.setPoint(0, 300, kLength, a.question()), SetPointResult::Replaced);
    EXPECT_EQ(a.asked, 3);
    EXPECT_EQ(ysOf(p), (std::vector<double>{300, 7, 300}));
}

TEST(ControlPoints, TheSameValueAtTheOtherEndNeedsNoQuestion) {
    ControlPoints p;
    Answer a;
    p.setPoint(kLength, 50, kLength, a.question());
    EXPECT_EQ(p.setPoint(0, 50, kLength, a.question()), SetPointResult::Added);
    EXPECT_EQ(a.asked, 0);
    // Without a point at the other end there is nothing to link.
    ControlPoints q;
    q.setPoint(300, 1, kLength, a.question());
    q.setPoint(kLength, 9, kLength, a.question());
    EXPECT_EQ(a.asked, 0);
}

TEST(ControlPoints, A2001stPointIsRefusedAndChangesNothing) {
    ControlPoints p;
    Answer a;
    for (int i = 0; i < ControlPoints::kCapacity; ++i)
        ASSERT_EQ(p.setPoint(i, i, 65536, a.question()), SetPointResult::Added);
    EXPECT_EQ(p.setPoint(5000.5, 1, 65536, a.question()), SetPointResult::Full);
    EXPECT_EQ(p.count(), 2000);
    EXPECT_EQ(p.x(1999), 1999);
    // Replacing a value still works on a full list.
    EXPECT_EQ(p.setPoint(10, -10, 65536, a.question()), SetPointResult::Replaced);
    EXPECT_EQ(p.y(10), -10);
}

TEST(ControlPoints, AFullListAsksNothingAndKeepsTheOtherEnd) {
    ControlPoints p;
    Answer a;
    for (int i = 0; i < ControlPoints::kCapacity; ++i)
        p.setPoint(i, 5, 65536, a.question());
    EXPECT_EQ(p.setPoint(65536, 99, 65536, a.question()), SetPointResult::Full);
    EXPECT_EQ(a.asked, 0);
    EXPECT_EQ(p.y(0), 5);
}

TEST(ControlPoints, RemoveMovesTheLaterPointsUp) {
    ControlPoints p;
    for (double x : {10.0, 20.0, 30.0})
        p.setPoint(x, x * 2, kLength, {});
    p.select(2);
    EXPECT_TRUE(p.remove(1));
    EXPECT_FALSE(p.remove(2));
    EXPECT_FALSE(p.remove(-1));
    EXPECT_EQ(xsOf(p), (std::vector<double>{10, 30}));
    EXPECT_EQ(ysOf(p), (std::vector<double>{20, 60}));
    EXPECT_EQ(p.selected(), 1);
    p.clear();
    EXPECT_TRUE(p.empty());
    EXPECT_EQ(p.selected(), -1);
}

TEST(ControlPoints, NearestIsMeasuredInPixels) {
    ControlPoints p;
    p.setPoint(100, 0, kLength, {});
    p.setPoint(120, 10000, kLength, {});
    // 1 sample and 100 codes a pixel: (100, 0) is 20 px from (120, 0)
    // horizontally, (120, 10000) is 100 px away vertically.
    double distance = 0;
    EXPECT_EQ(p.nearest(120, 0, 1, 100, &distance), 0);
    EXPECT_DOUBLE_EQ(distance, 20);
    EXPECT_EQ(p.nearest(120, 9000, 1, 100), 1);
    EXPECT_EQ(ControlPoints().nearest(0, 0, 1, 1), -1);
}

TEST(ControlPoints, AMovedPointStaysBetweenItsNeighbours) {
    ControlPoints p;
    for (double x : {100.0, 200.0, 300.0})
        p.setPoint(x, 0, kLength, {});
    EXPECT_EQ(p.move(1, 350, 5, kLength), 1);
    EXPECT_EQ(xsOf(p), (std::vector<double>{100, 200 + 99, 300}));
    p.move(1, 20, 6, kLength);
    EXPECT_EQ(p.x(1), 101);
    EXPECT_EQ(p.y(1), 6);
    p.move(0, -50, 1, kLength);
    EXPECT_EQ(p.x(0), 0);
    p.move(2, 5000, 1, kLength);
    EXPECT_EQ(p.x(2), kLength);
    // Both ends now stand for one sample: moving one's value moves both.
    p.move(0, 0, 77, kLength);
    EXPECT_EQ(ysOf(p), (std::vector<double>{77, 6, 77}));
    EXPECT_EQ(p.move(3, 0, 0, kLength), -1);
}

} // namespace
