// File > Import in the real main window, offscreen, by control names, with
// the real host library and the shipped plug-ins beside the program: the
// dialog's title and filter entries in both languages, a CSV and a WAV
// coming in, Undo, and the messages 240, 241 and 242.
#include "CurrentSetting.h"
#include "EditSession.h"
#include "EditorFixture.h"
#include "GuiDriver.h"
#include "MainWindow.h"
#include "MessageCatalog.h"
#include "Messages.h"
#include "ModelsFixture.h"
#include "ScriptedFileDialogService.h"
#include "ScriptedMessageService.h"
#include "WaveDocument.h"
#include "clsRegistry.h"
#include "zwplatform.hpp"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sndfile.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using Codes = std::vector<int16_t>;

class FileImportTest : public ::testing::Test, protected zwtest::EditorFixture {
public:
    // Opening again keeps the document's memory.
    FileImportTest() { keepsMemory = true; }

protected:
    static void SetUpTestSuite() {
        zwtest::guiApp();
        zwtest::loadBundledModels();
    }

    void SetUp() override { open(zw::Language::English, ZW_PROGRAM_DIR); }

    void open(zw::Language language, const QString& programFolder) {
        openEditor(language, programFolder);
        if (HasFatalFailure())
            return;
        fillPrevious();
    }

    // The waveform before the import: a ramp no test file holds.
    Codes previous() const {
        Codes codes;
        for (long i = 0; i < doc.WaveLength(); ++i)
            codes.push_back(static_cast<int16_t>(i * 3 - 1500));
        return codes;
    }
    void fillPrevious() {
        const zw::LockedBlock<int16_t> block(doc.current());
        const Codes codes = previous();
        std::copy(codes.begin(), codes.end(), block.data());
    }
    Codes samples() const {
        const zw::LockedBlock<int16_t> block(doc.current());
        return Codes(block.data(), block.data() + doc.WaveLength());
    }
    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    QAction* action(const char* name) { return zwtest::findControl<QAction>(*window, name); }
    void importFile(const QString& path, const QString& filter) {
        fileDialogs.answerOpen(path, filter);
        action("Menu_FileImport")->trigger();
        QApplication::processEvents();
    }
};

TEST_F(FileImportTest, ACsvComesInUntitledAndUndoBringsThePreviousWaveBack) {
    ASSERT_TRUE(action("Menu_FileImport")->isEnabled());
    // A named document first, to see the name go.
    fileDialogs.answerSave(dir.filePath("before.wdb"));
    action("Menu_FileSaveAs")->trigger();
    ASSERT_EQ(window->windowTitle(), "ZW4410 <" + dir.filePath("before.wdb") + ">");

    importFile(write("scope.csv", "Time;Level\r\n0;0,5\r\n1;-1\r\n2;0,25\r\n"),
               "Delimited text (*.csv)");

    ASSERT_EQ(fileDialogs.opened.size(), 1u);
    const zw::FileDialogRequest& request = fileDialogs.opened[0];
    EXPECT_EQ(request.title, "IMPORT");
    EXPECT_EQ(request.filters.value(0), "Delimited text (*.csv)");
    EXPECT_TRUE(request.filters.contains("Audio (*.wav)"));
    EXPECT_EQ(request.selectedFilter, request.filters.value(0));
    EXPECT_EQ(request.proposedPath, dir.filePath("before"));
    EXPECT_TRUE(boxes.empty());

    // The first numeric column, whole numbers: the codes as they stand.
    Codes expected = previous();
    expected[0] = 0;
    expected[1] = 1;
    expected[2] = 2;
    EXPECT_EQ(samples(), expected);
    EXPECT_EQ(window->windowTitle(), "ZW4410 <Untitled> *"); // imported, not yet saved
    ASSERT_TRUE(action("Menu_Undo")->isEnabled());

    action("Menu_Undo")->trigger();
    EXPECT_EQ(samples(), previous());
    action("Menu_Undo")->trigger();
    EXPECT_EQ(samples(), expected);
}

TEST_F(FileImportTest, AWavChosenUnderTheAudioEntryComesInSampleForSample) {
    Codes sound;
    for (int i = 0; i < 500; ++i)
        sound.push_back(static_cast<int16_t>((i * 131) % 65536 - 32768));
    const QString path = dir.filePath("tone.wav");
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.toUtf8().constData(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    sf_write_short(file, sound.data(), static_cast<sf_count_t>(sound.size()));
    sf_close(file);

    importFile(path, "Audio (*.wav)");
    EXPECT_TRUE(boxes.empty());
    Codes expected = previous();
    std::copy(sound.begin(), sound.end(), expected.begin());
    EXPECT_EQ(samples(), expected);
}

TEST_F(FileImportTest, InJapaneseTheDialogAndTheMessagesSpeakJapanese) {
    open(zw::Language::Japanese, ZW_PROGRAM_DIR);
    importFile(write("words.csv", "keine Zahlen\n"), "Delimited text (*.csv)");
    ASSERT_EQ(fileDialogs.opened.size(), 1u);
    EXPECT_EQ(fileDialogs.opened[0].title, "インポート");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.last().title, "Error Message");
    EXPECT_EQ(boxes.last().text, "ファイルフォーマットが不正です。\r");
    EXPECT_EQ(samples(), previous());
    EXPECT_FALSE(action("Menu_Undo")->isEnabled());

    // Longer than the wave: its first WaveLength samples, and a word on it.
    QByteArray text;
    for (long i = 0; i < doc.WaveLength() + 10; ++i)
        text += QByteArray::number(i % 1000) + "\n";
    importFile(write("long.txt", text), "Delimited text (*.txt)");
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.last().title, "Caution Message");
    EXPECT_TRUE(boxes.last().text.startsWith(catalog->MessageText(242)));
    EXPECT_TRUE(boxes.last().text.endsWith(
        QString("%1 / %2").arg(doc.WaveLength()).arg(doc.WaveLength() + 10)));
    Codes expected;
    for (long i = 0; i < doc.WaveLength(); ++i)
        expected.push_back(static_cast<int16_t>(i % 1000));
    EXPECT_EQ(samples(), expected);
}

TEST_F(FileImportTest, WithoutPluginsMessage240AndNoDialog) {
    QTemporaryDir program;
    ASSERT_TRUE(QDir(program.path()).mkdir("PlugIn"));
    open(zw::Language::English, program.path());
    action("Menu_FileImport")->trigger();
    EXPECT_TRUE(fileDialogs.opened.empty());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.last().text, "There is no plug-in DLL file.\r");
    EXPECT_EQ(samples(), previous());
}

TEST_F(FileImportTest, CancellingTheDialogChangesNothing) {
    action("Menu_FileImport")->trigger();
    EXPECT_EQ(fileDialogs.opened.size(), 1u);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(samples(), previous());
    EXPECT_FALSE(action("Menu_Undo")->isEnabled());
}

} // namespace
