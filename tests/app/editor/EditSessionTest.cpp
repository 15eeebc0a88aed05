// The editing session without a window: what each command changes in the
// document and what it reports, the marker rules through the session, tool
// edits with their undo backup, the tool mode and the closing policy.
#include "EditSession.h"
#include "CurrentSetting.h"
#include "ImportHostLibrary.h"
#include "MemoryClipboard.h"
#include "MemoryCodes.h"
#include "TestPluginFolder.h"
#include "clsRegistry.h"
#include "zwplatform.hpp"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

using zw::EditChange;
using zw::EditChanges;
using zw::MarkerRecord;

using zwtest::codes;

class Session : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        registry = std::make_unique<zw::clsRegistry>(dir.filePath("ZW4410.ini"));
        ASSERT_TRUE(doc.allocate());
        doc.setWaveLength(1000);
        session = std::make_unique<zw::EditSession>(doc, setting, *registry);
        QObject::connect(session.get(), &zw::EditSession::changed,
                         [this](EditChanges what) { reports.push_back(what); });
        ASSERT_EQ(session->startUp(QString()), 0);
        zw::LockedBlock<int16_t> block(doc.current());
        for (int i = 0; i < 1000; ++i)
            block[i] = static_cast<int16_t>(i);
        reports.clear();
    }
    EditChanges last() const { return reports.empty() ? EditChanges{} : reports.back(); }

    QTemporaryDir dir;
    std::unique_ptr<zw::clsRegistry> registry;
    zw::CurrentSetting setting;
    zw::WaveDocument doc;
    std::unique_ptr<zw::EditSession> session;
    zwtest::MemoryClipboard clipboard;
    std::vector<EditChanges> reports;
};

TEST_F(Session, StartsWithMarkersAtBothEndsNoToolAndNothingToUndo) {
    EXPECT_EQ(session->markers(), (MarkerRecord{0, 1000}));
    EXPECT_EQ(doc.MarkerPair(1), (MarkerRecord{0, 1000}));
    EXPECT_EQ(session->MarkDistance(), 1000);
    EXPECT_EQ(session->toolMode(), zw::ToolMode::None);
    EXPECT_TRUE(doc.UndoMenuOff());
    EXPECT_TRUE(session->names().untitled());
}

TEST_F(Session, EachEditReportsOnceWhatItChanged) {
    session->setMarkers({100, 150});
    EXPECT_EQ(last(), EditChanges(EditChange::Markers));
    EXPECT_EQ(session->MarkDistance(), 50);

    reports.clear();
    session->deleteMarked();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(last(), EditChange::Undo | EditChange::Samples | EditChange::Markers);
    EXPECT_EQ(codes(doc.current(), 99, 2), (std::vector<int16_t>{99, 150}));
    EXPECT_EQ(session->markers(), (MarkerRecord{100, 100}));
    EXPECT_EQ(session->MarkDistance(), 0);

    session->undo();
    EXPECT_EQ(codes(doc.current(), 100, 1), (std::vector<int16_t>{100}));
    EXPECT_EQ(session->markers(), (MarkerRecord{100, 150}));
    EXPECT_EQ(session->MarkDistance(), 50);

    session->setMarkers({100, 103});
    reports.clear();
    EXPECT_EQ(session->copyMarked(clipboard.get()), 0);
    EXPECT_TRUE(reports.empty()); // no sample changed, no backup made
    EXPECT_EQ(clipboard.text, "100\n101\n102\n");
}

TEST_F(Session, CopyKeepsTheUndoOfTheEditBeforeIt) {
    session->setMarkers({100, 150});
    session->deleteMarked(); // sample 100 is now 150
    session->setMarkers({0, 10});
    ASSERT_EQ(session->copyMarked(clipboard.get()), 0);
    EXPECT_TRUE(doc.UndoArmed()); // still "Undo", not "Redo"
    session->undo();
    EXPECT_EQ(codes(doc.current(), 99, 3), (std::vector<int16_t>{99, 100, 101}));
}

TEST_F(Session, EveryChangeOfTheSamplesMarksTheDocumentModifiedUntilSaved) {
    EXPECT_FALSE(session->modified());
    session->setMarkers({10, 20});
    session->toggleLine(3);
    ASSERT_EQ(session->copyMarked(clipboard.get()), 0);
    EXPECT_FALSE(session->modified()); // markers, lines and Copy change no sample

    session->deleteMarked();
    EXPECT_TRUE(session->modified());
    const QString file = dir.filePath("wave.txt");
    ASSERT_EQ(session->save(file), 0);
    EXPECT_FALSE(session->modified());
    EXPECT_EQ(last(), EditChanges(EditChange::Title)); // the title drops its mark

    session->undo();
    EXPECT_TRUE(session->modified());
    ASSERT_EQ(session->open(file), 0);
    EXPECT_FALSE(session->modified());

    session->editSamples([](ZwMemHandle, long) {});
    EXPECT_TRUE(session->modified());
    session->openCancelled(); // nothing was read: the changes are still unsaved
    EXPECT_TRUE(session->modified());
    EXPECT_NE(session->open(dir.filePath("missing.txt")), 0);
    EXPECT_TRUE(session->modified());
    session->setUnmodified();
    EXPECT_FALSE(session->modified());
}

TEST_F(Session, AFailedSaveKeepsTheSystemsReason) {
    session->deleteMarked();
    EXPECT_EQ(session->save(dir.filePath("no-such-folder/wave.wdb")), 72);
    EXPECT_EQ(session->lastFileError(), QString::fromLocal8Bit(std::strerror(ENOENT)));
    EXPECT_TRUE(session->modified());
    EXPECT_EQ(session->open(dir.filePath("absent.txt")), 71);
    EXPECT_EQ(session->lastFileError(), QString::fromLocal8Bit(std::strerror(ENOENT)));
    ASSERT_EQ(session->save(dir.filePath("wave.txt")), 0);
    EXPECT_TRUE(session->lastFileError().isEmpty());
}

TEST_F(Session, AFailedPasteReportsOnlyTheBackupAndReturnsTheMessage) {
    session->setMarkers({10, 12});
    clipboard.text.reset();
    reports.clear();
    const int32_t message = session->pasteMarked(clipboard.get());
    EXPECT_GT(message, 0);
    EXPECT_EQ(last(), EditChanges(EditChange::Undo));
    EXPECT_EQ(codes(doc.current(), 10, 2), (std::vector<int16_t>{10, 11}));

    clipboard.text = "7\n8\n9\n";
    EXPECT_EQ(session->pasteMarked(clipboard.get()), 0);
    EXPECT_EQ(codes(doc.current(), 9, 5), (std::vector<int16_t>{9, 7, 8, 9, 12}));
    EXPECT_EQ(session->markers(), (MarkerRecord{10, 13}));
    EXPECT_EQ(session->MarkDistance(), 3);
}

TEST_F(Session, ATrackingDragKeepsTheDistanceAndARefusedOneReportsNothing) {
    session->setMarkers({100, 200});
    session->setMarkerMode(zw::MarkerMode::Tracking);
    reports.clear();
    EXPECT_TRUE(session->dragMarker(zw::MarkerId::B, 950).accepted);
    EXPECT_EQ(session->markers(), (MarkerRecord{850, 950}));
    EXPECT_EQ(last(), EditChanges(EditChange::Markers));
    session->setMarkerMode(zw::MarkerMode::Independent);
    reports.clear();
    EXPECT_FALSE(session->dragMarker(zw::MarkerId::A, 960).accepted); // past B
    EXPECT_TRUE(reports.empty());
    EXPECT_FALSE(session->typeStart(999));
    EXPECT_TRUE(reports.empty());
    session->typeDistance(5000); // more than is left after A: up to the end
    EXPECT_EQ(session->markers(), (MarkerRecord{850, 1000}));
}

TEST_F(Session, AToolEditMakesTheBackupFirstSoUndoRestoresTheSamples) {
    const int written = session->editSamples([](ZwMemHandle memory, long length) {
        zw::LockedBlock<int16_t> block(memory);
        for (long i = 0; i < length; ++i)
            block[static_cast<size_t>(i)] = -1;
        return 42;
    });
    EXPECT_EQ(written, 42);
    EXPECT_EQ(reports.front(), EditChanges(EditChange::Undo)); // the backup first
    EXPECT_EQ(last(), EditChange::Samples | EditChange::Markers);
    EXPECT_EQ(codes(doc.current(), 998, 2), (std::vector<int16_t>{-1, -1}));
    EXPECT_FALSE(doc.UndoMenuOff());
    session->undo();
    EXPECT_EQ(codes(doc.current(), 998, 2), (std::vector<int16_t>{998, 999}));
}

TEST_F(Session, PatternsNeedAStretchAndForTheFixedOnesASelectedLine) {
    session->setMarkers({0, 4});
    reports.clear();
    EXPECT_EQ(session->applyPattern(1, ""), 0);
    EXPECT_TRUE(reports.empty()); // no line selected: nothing happens
    session->toggleLine(0);       // line 0 is code bit 15
    EXPECT_EQ(last(), EditChanges(EditChange::LineMask));
    EXPECT_EQ(session->lineMask(), 1);
    EXPECT_EQ(session->applyPattern(1, ""), 0);
    EXPECT_EQ(codes(doc.current(), 0, 5),
              (std::vector<int16_t>{-32768, -32767, -32766, -32765, 4}));
    const int32_t error = session->applyPattern(3, "{hq}"); // the pattern's own message
    EXPECT_GE(error, 110);
    EXPECT_LE(error, 118);
    EXPECT_EQ(session->applyPattern(3, "Mask $8000 0L"), 0);
    EXPECT_EQ(codes(doc.current(), 0, 2), (std::vector<int16_t>{0, 1}));
    session->setMarkers({3, 3});
    reports.clear();
    EXPECT_EQ(session->applyPattern(3, "Mask $8000 0H"), 0);
    EXPECT_TRUE(reports.empty()); // an empty stretch
}

TEST_F(Session, ToolModeIsReportedOnlyWhenItChanges) {
    session->setToolMode(zw::ToolMode::Compress);
    EXPECT_EQ(session->toolMode(), zw::ToolMode::Compress);
    EXPECT_EQ(last(), EditChanges(EditChange::ToolMode));
    reports.clear();
    session->setToolMode(zw::ToolMode::Compress);
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(static_cast<int>(zw::ToolMode::Interpolate), 2);
    EXPECT_EQ(static_cast<int>(zw::ToolMode::None), 5);
}

TEST_F(Session, ClosingIsRefusedWhileThisInstanceTransfers) {
    EXPECT_EQ(session->closeRefusal(), 0);
    ASSERT_TRUE(registry->TryClaimGpibBusy(2));
    EXPECT_EQ(session->closeRefusal(), 226);
    registry->SetGpibBusy(2, false);
    EXPECT_EQ(session->closeRefusal(), 0);
}

TEST_F(Session, AFileThatCannotBeReadStillStartsTheViewAgainAndKeepsTheName) {
    reports.clear();
    EXPECT_EQ(session->open(dir.filePath("wave.dat")), 7); // no such extension
    EXPECT_TRUE(last() & EditChange::Document);
    EXPECT_TRUE(session->names().untitled());
    EXPECT_EQ(session->save(dir.filePath("wave.txt")), 0);
    EXPECT_EQ(last(), EditChanges(EditChange::Title));
    EXPECT_EQ(session->names().WaveFileName, dir.filePath("wave.txt"));
}

TEST_F(Session, AnImportIsReportedLikeAnEditWithANewTitleAndARefusalNotAtAll) {
    zwtest::TestPluginFolder plugins;
    plugins.add(zwtest::FixturePlugin("scripted"), "scripted.so");
    const std::string good = plugins.write("good.scr", "1000 0 1000");
    const std::string short_ = plugins.write("short.scr", "1000 0 10");
    zw::ImportHostLibrary host{{ZW_IMPORT_HOST}};
    const auto choose = [](const std::string& path) {
        return [path](const std::vector<zw::ImportFileType>&) {
            return std::optional<zw::ImportChoice>(
                zw::ImportChoice{0, QString::fromStdString(path)});
        };
    };

    EXPECT_EQ(session->importFile(host, plugins.folder().c_str(), choose(short_)).message, 241);
    EXPECT_TRUE(reports.empty());

    EXPECT_EQ(session->importFile(host, plugins.folder().c_str(), choose(good)).message, 0);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(last().testFlag(EditChange::Samples));
    EXPECT_TRUE(last().testFlag(EditChange::Title));
    EXPECT_TRUE(last().testFlag(EditChange::Undo));
    EXPECT_FALSE(last().testFlag(EditChange::Document)) << "the view stays where it is";
    EXPECT_FALSE(doc.UndoMenuOff());
}

} // namespace
