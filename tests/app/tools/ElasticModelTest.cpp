// The Compress/Decompress model: every rebuild starts from the waveform as
// it was at opening; Cancel returns to it exactly; OK leaves one undo step.
#include "ElasticModel.h"

#include "ToolFixture.h"
#include "sigcore32.h"

#include <algorithm>

namespace {

using zw::ElasticModel;
using zw::MarkerRecord;
using zwtest::Codes;
using zwtest::Fill;

int16_t ramp(int i) {
    return static_cast<int16_t>(10 * i - 5000);
}

class Elastic : public zwtest::ToolDocument {
protected:
    void SetUp() override {
        ToolDocument::SetUp();
        Fill(doc.current(), 1000, ramp);
        before = all();
    }
    int16_t maxOf(int from, int to) const {
        const auto codes = Codes(doc.current(), from, to - from);
        return *std::max_element(codes.begin(), codes.end());
    }
    int16_t minOf(int from, int to) const {
        const auto codes = Codes(doc.current(), from, to - from);
        return *std::min_element(codes.begin(), codes.end());
    }
    std::vector<int16_t> before;
};

TEST_F(Elastic, OpeningFillsTheFieldsAndArmsUndo) {
    const ElasticModel model(doc);
    EXPECT_DOUBLE_EQ(model.fields().NewStartX, 100);
    EXPECT_DOUBLE_EQ(model.fields().NewEndX, 200);
    EXPECT_DOUBLE_EQ(model.fields().NewMax, ramp(199));
    EXPECT_DOUBLE_EQ(model.fields().NewMin, ramp(100));
    EXPECT_DOUBLE_EQ(model.fields().NewAmplitude, ramp(199) - ramp(100));
    EXPECT_DOUBLE_EQ(model.fields().NewOffset, (ramp(199) + ramp(100)) / 2.0);
    EXPECT_EQ(model.fields().MaxMinPending, 0);
    EXPECT_FALSE(doc.UndoMenuOff());
    EXPECT_EQ(all(), before);
}

TEST_F(Elastic, FitLengthSpreadsTheStretchOverTheWholeWaveform) {
    ElasticModel model(doc);
    model.fitLength();
    EXPECT_EQ(doc.markers(), (MarkerRecord{0, 1000}));
    const std::vector<int16_t> after = all();
    EXPECT_EQ(after[0], ramp(100));
    EXPECT_GE(after[999], ramp(198));
    EXPECT_LE(after[999], ramp(199));
    EXPECT_TRUE(std::is_sorted(after.begin(), after.end()));
    // An end at the used length reads sample 0, as the repeating waveform.
    EXPECT_EQ(model.levelAtStart(), after[0]);
    EXPECT_EQ(model.levelAtEnd(), after[0]);
}

TEST_F(Elastic, AnEndBeforeTheStartReversesAndOrdersTheMarkers) {
    ElasticModel model(doc);
    model.setEndX(50); // 100 samples into 50, stored backwards before 100
    EXPECT_EQ(doc.markers(), (MarkerRecord{50, 100}));
    const std::vector<int16_t> after = all();
    EXPECT_GT(after[50], after[99]);
    EXPECT_TRUE(std::is_sorted(after.begin() + 50, after.begin() + 100, std::greater<>()));
    EXPECT_GE(after[50], ramp(197));
    EXPECT_LE(after[99], ramp(102));
}

TEST_F(Elastic, FitPeakToPeakMapsTheStretchOntoFullScale) {
    Fill(doc.current(), 1000, [](int i) {
        return static_cast<int16_t>(i >= 100 && i < 200 ? -1000 + (i - 100) * 4000 / 99 : 0);
    });
    ElasticModel model(doc);
    model.fitPeakToPeak();
    EXPECT_EQ(maxOf(100, 200), 32767);
    EXPECT_EQ(minOf(100, 200), -32767);
    EXPECT_EQ(Codes(doc.current(), 200, 1), std::vector<int16_t>{0});
}

TEST_F(Elastic, FitAmplitudeKeepsTheCentre) {
    Fill(doc.current(), 1000, [](int i) {
        return static_cast<int16_t>(i >= 100 && i < 200 ? -1000 + (i - 100) * 4000 / 99 : 0);
    });
    ElasticModel model(doc);
    model.fitAmplitude();
    EXPECT_DOUBLE_EQ(model.fields().NewMax, 32767);
    EXPECT_DOUBLE_EQ(model.fields().NewMin, -30767);
    EXPECT_DOUBLE_EQ(model.fields().NewAmplitude, 32767 + 30767);
    EXPECT_EQ(maxOf(100, 200), 32767);
    EXPECT_EQ(minOf(100, 200), -30767);
}

TEST_F(Elastic, FitAmplitudePushesTheFartherNegativeSideToFullScale) {
    Fill(doc.current(), 1000, [](int i) {
        return static_cast<int16_t>(i >= 100 && i < 200 ? -3000 + (i - 100) * 4000 / 99 : 0);
    });
    ElasticModel model(doc);
    model.fitAmplitude();
    EXPECT_DOUBLE_EQ(model.fields().NewMin, -32767);
    EXPECT_DOUBLE_EQ(model.fields().NewMax, 1000 + (32767 - 3000));
}

TEST_F(Elastic, OnlyTheLastOfTwoChangesAppliesToTheOriginal) {
    ElasticModel model(doc);
    model.setEndX(300);
    model.setEndX(400);
    const std::vector<int16_t> twice = all();
    const MarkerRecord markers = doc.markers();

    zw::WaveDocument fresh;
    ASSERT_TRUE(fresh.allocate());
    fresh.setWaveLength(1000);
    fresh.setMarkersOfBoth({100, 200});
    Fill(fresh.current(), 1000, ramp);
    ElasticModel once(fresh);
    once.setEndX(400);
    EXPECT_EQ(twice, Codes(fresh.current(), 0, 1000));
    EXPECT_EQ(markers, fresh.markers());
    EXPECT_EQ(markers, (MarkerRecord{100, 400}));
}

TEST_F(Elastic, CancelAfterManyChangesRestoresSamplesAndMarkers) {
    ElasticModel model(doc);
    model.setStartX(20);
    model.setEndX(700);
    model.fitPeakToPeak();
    model.setOffset(1234);
    model.fitLength();
    model.fitAmplitude();
    ASSERT_NE(all(), before);
    model.cancel();
    EXPECT_EQ(all(), before);
    EXPECT_EQ(doc.markers(), (MarkerRecord{100, 200}));
}

TEST_F(Elastic, AfterOkUndoReturnsToTheWaveformFromBefore) {
    {
        ElasticModel model(doc);
        model.setEndX(500);
        model.fitPeakToPeak();
    }
    const std::vector<int16_t> kept = all();
    ASSERT_NE(kept, before);
    doc.toggleUndo();
    EXPECT_EQ(all(), before);
    EXPECT_EQ(doc.markers(), (MarkerRecord{100, 200}));
    doc.toggleUndo();
    EXPECT_EQ(all(), kept);
}

TEST_F(Elastic, ATypedMaximumSurvivesALaterChangeOfX) {
    ElasticModel model(doc);
    model.setMax(20000);
    EXPECT_EQ(maxOf(100, 200), 20000);
    model.setEndX(300);
    EXPECT_EQ(maxOf(100, 300), 20000);
    EXPECT_EQ(minOf(100, 300), ramp(100));
}

TEST_F(Elastic, ShortStretchesSkipTheStepsTheyCannotTake) {
    doc.setMarkersOfBoth({100, 101});
    ElasticModel model(doc);
    model.fitPeakToPeak(); // a marked length of 1: no value fit
    EXPECT_EQ(all(), before);
    model.setEndX(100); // a new length of 0: no time step
    EXPECT_EQ(all(), before);
    EXPECT_EQ(doc.markers(), (MarkerRecord{100, 101}));
}

TEST_F(Elastic, EqualMaximumAndMinimumLeaveTheLevels) {
    ElasticModel model(doc);
    model.setMax(ramp(100)); // now equal to the minimum
    EXPECT_EQ(all(), before);
}

} // namespace
