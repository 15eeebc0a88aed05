// The document's undo states and every Edit command on the marked stretch,
// with the real waveform, file and evaluator libraries and an in-memory
// clipboard.
#include "WaveDocument.h"
#include "MemoryClipboard.h"
#include "MemoryCodes.h"
#include "sigcore32.h"
#include "zwplatform.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

using zw::MarkerRecord;
using zw::WaveDocument;

using zwtest::codes;

void fillRamp(ZwMemHandle h, int count) {
    zw::LockedBlock<int16_t> block(h);
    for (int i = 0; i < count; ++i)
        block[i] = static_cast<int16_t>(i);
}

class Document : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(doc.allocate());
        doc.setWaveLength(1000);
        fillRamp(doc.current(), 1000);
        doc.setMarkersOfBoth({100, 150});
        doc.resetUndo();
    }
    WaveDocument doc;
    zwtest::MemoryClipboard clipboard;
};

TEST_F(Document, UndoStatesFollowBackupResetAndToggle) {
    EXPECT_TRUE(doc.UndoMenuOff());
    EXPECT_TRUE(doc.UndoArmed());
    doc.toggleUndo(); // nothing to undo: no effect
    EXPECT_EQ(doc.CurrentMemory(), 0);

    doc.backup();
    EXPECT_FALSE(doc.UndoMenuOff());
    EXPECT_TRUE(doc.UndoArmed());
    doc.toggleUndo();
    EXPECT_EQ(doc.CurrentMemory(), 1);
    EXPECT_FALSE(doc.UndoArmed());
    doc.toggleUndo(); // still "Redo" whichever state is shown
    EXPECT_EQ(doc.CurrentMemory(), 0);
    EXPECT_FALSE(doc.UndoArmed());
    doc.backup();
    EXPECT_TRUE(doc.UndoArmed());
    doc.resetUndo();
    EXPECT_TRUE(doc.UndoMenuOff());
}

TEST_F(Document, DeleteMovesTheRestDownAndUndoRedoSwapsBack) {
    doc.deleteMarked();
    const auto after = codes(doc.current(), 0, 1000);
    EXPECT_EQ(after[99], 99);
    EXPECT_EQ(after[100], 150);
    EXPECT_EQ(after[949], 999);
    for (int i = 950; i < 1000; ++i)
        ASSERT_EQ(after[i], 0) << i;
    EXPECT_EQ(doc.markers(), (MarkerRecord{100, 100}));

    doc.toggleUndo();
    EXPECT_EQ(codes(doc.current(), 100, 2), (std::vector<int16_t>{100, 101}));
    EXPECT_EQ(codes(doc.current(), 999, 1), (std::vector<int16_t>{999}));
    EXPECT_EQ(doc.markers(), (MarkerRecord{100, 150}));
    doc.toggleUndo();
    EXPECT_EQ(codes(doc.current(), 0, 1000), after);
    EXPECT_EQ(doc.markers(), (MarkerRecord{100, 100}));
}

TEST_F(Document, DeleteOfAnEmptyStretchChangesNoSampleButArmsUndo) {
    doc.setMarkersOfBoth({200, 200});
    const auto before = codes(doc.current(), 0, 1000);
    doc.deleteMarked();
    EXPECT_EQ(codes(doc.current(), 0, 1000), before);
    EXPECT_FALSE(doc.UndoMenuOff());
}

TEST_F(Document, CopyPutsTheStretchOnTheClipboardAndLeavesUndoAlone) {
    doc.setMarkersOfBoth({10.5, 14});
    EXPECT_EQ(doc.markedStart(), 11);
    EXPECT_EQ(doc.markedLength(), 4); // ceil(3.5)
    EXPECT_EQ(doc.copyMarked(clipboard.get()), 0);
    EXPECT_EQ(clipboard.text, "11\n12\n13\n14\n");
    EXPECT_TRUE(doc.UndoMenuOff()); // copying changes nothing to undo
}

TEST_F(Document, PasteOfThreeNumbersIntoFiveSamples) {
    doc.setMarkersOfBoth({100, 105});
    clipboard.text = "7 8 9";
    EXPECT_EQ(doc.pasteMarked(clipboard.get()), 0);
    const auto after = codes(doc.current(), 0, 1000);
    EXPECT_EQ(codes(doc.current(), 100, 4), (std::vector<int16_t>{7, 8, 9, 105}));
    EXPECT_EQ(after[997], 999);
    EXPECT_EQ(after[998], 0);
    EXPECT_EQ(after[999], 0);
    EXPECT_EQ(doc.markers(), (MarkerRecord{100, 103}));
}

TEST_F(Document, FailedPasteKeepsTheSamplesAndTheBackup) {
    const auto before = codes(doc.current(), 0, 1000);
    EXPECT_EQ(doc.pasteMarked(clipboard.get()), 81); // no text
    clipboard.refuseOpen = true;
    EXPECT_EQ(doc.pasteMarked(clipboard.get()), 81);
    EXPECT_EQ(codes(doc.current(), 0, 1000), before);
    EXPECT_EQ(doc.markers(), (MarkerRecord{100, 150}));
    EXPECT_FALSE(doc.UndoMenuOff());
}

TEST_F(Document, CutDeletesOnlyWhatReachedTheClipboard) {
    clipboard.refuseOpen = true;
    const auto before = codes(doc.current(), 0, 1000);
    EXPECT_EQ(doc.cutMarked(clipboard.get()), 81);
    EXPECT_EQ(codes(doc.current(), 0, 1000), before);
    EXPECT_EQ(doc.markers(), (MarkerRecord{100, 150}));

    clipboard.refuseOpen = false;
    EXPECT_EQ(doc.cutMarked(clipboard.get()), 0);
    EXPECT_EQ(codes(doc.current(), 100, 1), (std::vector<int16_t>{150}));
    EXPECT_EQ(doc.markers().MarkB, 100);
    doc.toggleUndo();
    EXPECT_EQ(codes(doc.current(), 100, 1), (std::vector<int16_t>{100}));
}

TEST_F(Document, DigitalEditsWorkOnTheMarkedStretch) {
    doc.setMarkersOfBoth({0, 4});
    W_ClearMemory(doc.current(), 0, 1000);
    EXPECT_EQ(doc.applyDigitalPattern("Mask $0001 1H LHL"), 0);
    EXPECT_EQ(codes(doc.current(), 0, 5), (std::vector<int16_t>{1, 0, 1, 0, 0}));
    doc.copyDigitalLine(0x0001, 0x0004);
    EXPECT_EQ(codes(doc.current(), 0, 5), (std::vector<int16_t>{5, 0, 5, 0, 0}));
    EXPECT_EQ(doc.applyDigitalPattern("40000H"), 113);
    doc.toggleUndo(); // the state before the failed pattern's backup
    EXPECT_EQ(codes(doc.current(), 0, 1), (std::vector<int16_t>{5}));
}

TEST_F(Document, GrowingTheLengthClearsTheNewPartOfAllFourMemories) {
    for (ZwMemHandle h :
         {doc.EditMemory(0), doc.EditMemory(1), doc.WorkMemory(0), doc.WorkMemory(1)})
        fillRamp(h, 2000);
    doc.setWaveLength(1500);
    for (ZwMemHandle h :
         {doc.EditMemory(0), doc.EditMemory(1), doc.WorkMemory(0), doc.WorkMemory(1)}) {
        EXPECT_EQ(codes(h, 999, 1), (std::vector<int16_t>{999}));
        EXPECT_EQ(codes(h, 1000, 1), (std::vector<int16_t>{0}));
        EXPECT_EQ(codes(h, 1499, 1), (std::vector<int16_t>{0}));
        EXPECT_EQ(codes(h, 1500, 1), (std::vector<int16_t>{1500}));
    }
    doc.setMarkersOfBoth({100, 1500});
    doc.setWaveLength(1200); // markers never point past the end
    EXPECT_EQ(doc.markers().MarkB, 1200);
}

TEST(DocumentMemory, ReleaseFreesAllFour) {
    const size_t before = ZwGlobalLiveCount();
    {
        WaveDocument doc;
        ASSERT_TRUE(doc.allocate());
        EXPECT_EQ(ZwGlobalLiveCount(), before + 4);
    }
    EXPECT_EQ(ZwGlobalLiveCount(), before);
}

} // namespace
