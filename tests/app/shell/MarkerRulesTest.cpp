// Marker moves in both modes, typed positions and distances, the hover test
// and the digital view's line geometry.
#include "MarkerRules.h"
#include "DigitalLines.h"

#include <gtest/gtest.h>

namespace {

using zw::MarkerMode;
using zw::MarkerRecord;
using zw::MarkerRules;

struct Markers {
    MarkerRecord m{100, 300};
    double distance = 200;
    MarkerRules rules(MarkerMode mode, long length = 1000) {
        return MarkerRules(m, distance, mode, length);
    }
};

TEST(MarkerRules, IndependentDragKeepsAAtOrBeforeB) {
    Markers s;
    auto r = s.rules(MarkerMode::Independent);
    EXPECT_FALSE(r.dragA(301).accepted);
    EXPECT_EQ(s.m, (MarkerRecord{100, 300}));
    const auto onB = r.dragA(300); // A may be placed on B
    EXPECT_TRUE(onB.accepted && onB.refreshA && onB.distanceChanged);
    EXPECT_FALSE(onB.refreshB);
    EXPECT_EQ(s.m, (MarkerRecord{300, 300}));
    EXPECT_EQ(s.distance, 0);
    EXPECT_FALSE(r.dragB(299).accepted);
    EXPECT_TRUE(r.dragB(700).accepted);
    EXPECT_EQ(s.distance, 400);
}

TEST(MarkerRules, TrackingDragStopsAtTheEndsAndKeepsTheDistance) {
    Markers s;
    auto r = s.rules(MarkerMode::Tracking);
    const auto moved = r.dragA(250);
    EXPECT_TRUE(moved.refreshA && moved.refreshB);
    EXPECT_EQ(s.m, (MarkerRecord{250, 450}));
    // B would pass the end: it stops at WaveLength and A moves back.
    s.m = {850, 1000};
    s.distance = 150;
    r.dragA(900); // ignored: beyond B? no, 900 <= 1000
    EXPECT_EQ(s.m, (MarkerRecord{850, 1000}));
    EXPECT_EQ(s.distance, 150);
    s.m = {100, 300};
    s.distance = 200;
    r.dragB(150);
    EXPECT_EQ(s.m, (MarkerRecord{0, 200})); // A stopped at 0
}

TEST(MarkerRules, TypedPositions) {
    Markers s;
    auto ind = s.rules(MarkerMode::Independent);
    EXPECT_FALSE(ind.typeStart(400).accepted); // beyond B
    EXPECT_TRUE(ind.typeStart(50).accepted);
    EXPECT_EQ(s.m, (MarkerRecord{50, 300}));
    EXPECT_EQ(s.distance, 250);
    EXPECT_FALSE(ind.typeEnd(10).accepted);
    ind.typeEnd(900);
    EXPECT_EQ(s.distance, 850);

    auto track = s.rules(MarkerMode::Tracking);
    s.m = {100, 300};
    s.distance = 200;
    track.typeStart(900); // B would be 1100: stops at 1000, distance shrinks
    EXPECT_EQ(s.m, (MarkerRecord{900, 1000}));
    EXPECT_EQ(s.distance, 100);
    track.typeEnd(50); // A would be -50
    EXPECT_EQ(s.m, (MarkerRecord{0, 50}));
    EXPECT_EQ(s.distance, 50);
}

TEST(MarkerRules, TypedDistanceIsCutAtTheEnd) {
    Markers s;
    auto r = s.rules(MarkerMode::Independent);
    r.typeDistance(5000); // larger than the waveform
    EXPECT_EQ(s.m, (MarkerRecord{100, 1000}));
    EXPECT_EQ(s.distance, 900);
    r.typeDistance(10);
    EXPECT_EQ(s.m.MarkB, 110);
    r.typeDistance(-5);
    EXPECT_EQ(s.m.MarkB, 100);
}

TEST(MarkerRules, HoverFindsLineAndHandleWithBFirst) {
    using zw::MarkerId;
    using zw::MarkerUnderMouse;
    EXPECT_EQ(MarkerUnderMouse(50, 200, 50, 120), MarkerId::A);
    EXPECT_EQ(MarkerUnderMouse(49, 200, 50, 120), MarkerId::A);
    EXPECT_EQ(MarkerUnderMouse(48, 200, 50, 120), std::nullopt);
    EXPECT_EQ(MarkerUnderMouse(40, 5, 50, 120), MarkerId::A);  // A's handle is left
    EXPECT_EQ(MarkerUnderMouse(55, 5, 50, 120), std::nullopt); // not right of A
    EXPECT_EQ(MarkerUnderMouse(130, 9, 50, 120), MarkerId::B); // B's handle is right
    EXPECT_EQ(MarkerUnderMouse(130, 10, 50, 120), std::nullopt);
    EXPECT_EQ(MarkerUnderMouse(50, 200, 50, 50), MarkerId::B); // overlapping: B
}

TEST(DigitalLines, LineUnderTheMouseAndMarkedColumns) {
    // h = 490: unit 10, lines of 30 rows from row 10.
    EXPECT_EQ(zw::DigitalLineAt(10, 490), 0);
    EXPECT_EQ(zw::DigitalLineAt(39.9, 490), 0);
    EXPECT_EQ(zw::DigitalLineAt(40, 490), 1);
    EXPECT_EQ(zw::DigitalLineAt(469, 490), 15);
    EXPECT_EQ(zw::DigitalLineAt(490, 490), std::nullopt); // line 16 would start here
    EXPECT_EQ(zw::DigitalLineAt(5, 490), 0);              // truncation counts the margin to line 0
    EXPECT_TRUE(zw::WithinMarkedColumns(90, 100, 200));
    EXPECT_FALSE(zw::WithinMarkedColumns(89, 100, 200));
    EXPECT_TRUE(zw::WithinMarkedColumns(210, 100, 200));
}

TEST(DigitalLines, EachNameIsWrittenAtTheMiddleOfItsLine) {
    // h = 490: line 0 takes rows 10..40, line 15 rows 460..490.
    EXPECT_EQ(zw::DigitalLineCentre(0, 490), 25);
    EXPECT_EQ(zw::DigitalLineCentre(15, 490), 475);
    for (int h : {147, 300, 491})
        for (int line = 0; line < zw::kDigitalLineCount; ++line)
            EXPECT_EQ(zw::DigitalLineAt(zw::DigitalLineCentre(line, h), h), line) << h;
}

TEST(DigitalLines, MasksAndFixedPatterns) {
    EXPECT_EQ(zw::CodeBitOfLine(0), 0x8000);
    EXPECT_EQ(zw::CodeBitOfLine(15), 0x0001);
    EXPECT_EQ(zw::MirrorLineMask(1), 0x8000);
    EXPECT_EQ(zw::MirrorLineMask(0x8000), 1);
    EXPECT_EQ(zw::MirrorLineMask(0x10001), 0x8000); // upper bits are ignored
    EXPECT_EQ(zw::FixedPatternText(0, 1), "Mask $8000 0L");
    EXPECT_EQ(zw::FixedPatternText(1, 0x0003), "Mask $C000 0H");
    EXPECT_EQ(zw::FixedPatternText(2, 0x8000), "Mask $1 0N");
    EXPECT_EQ(zw::FixedPatternText(3, 1), "");
}

} // namespace
