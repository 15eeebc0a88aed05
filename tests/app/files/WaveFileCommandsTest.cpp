// Opening and saving wave files through the document and the current
// setting: round trips of both formats, the reading rules of text files,
// and failures that leave the document, its setting and its names alone.
#include "WaveFileCommands.h"
#include "CurrentSetting.h"
#include "DocumentNames.h"
#include "MemoryCodes.h"
#include "ModelsFixture.h"
#include "TextCodec.h"
#include "WaveDocument.h"
#include "docio32.h"
#include "sigcore32.h"
#include "zwplatform.hpp"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <iterator>
#include <vector>

#include <sys/stat.h>

namespace {

using zw::WaveDocument;

using zwtest::codes;

void setCodes(ZwMemHandle h, int from, const std::vector<int16_t>& values) {
    zw::LockedBlock<int16_t> block(h);
    for (std::size_t i = 0; i < values.size(); ++i)
        block[from + i] = values[i];
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class WaveFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite() { zwtest::loadBundledModels(); }
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(doc.allocate());
        setting.loadModelLists();
        ASSERT_TRUE(setting.restore({}));
        doc.setWaveLength(setting.waveLength());
        doc.resetUndo();
    }
    // The index of a memory size of the first model holding `points`.
    int sizeIndex(long points) const {
        const QStringList& sizes = setting.models()[0].memorySizes;
        return static_cast<int>(sizes.indexOf(QString::number(points)));
    }
    QString path(const char* name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    WaveDocument doc;
    zw::CurrentSetting setting;
    zw::DocumentNames names;
    zw::WaveFileCommands files{doc, setting, names};
};

TEST_F(WaveFiles, BinaryFileOfALargerMemoryKeepsEverySampleRead) {
    const int i4096 = sizeIndex(4096);
    ASSERT_GE(i4096, 0);
    ASSERT_TRUE(setting.selectMemorySize(i4096));
    doc.setWaveLength(setting.waveLength());
    setCodes(doc.current(), 1023, {7, 8});
    setCodes(doc.current(), 4095, {9});
    ASSERT_EQ(files.save(path("large.wdb")), 0);

    // The document is shorter when the file is read: the samples beyond its
    // old length come from the file, not from growing the document.
    ASSERT_TRUE(setting.selectMemorySize(0));
    doc.setWaveLength(setting.waveLength());
    ASSERT_LT(doc.WaveLength(), 4096);
    W_ClearMemory(doc.current(), 0, WaveDocument::kMemorySamples);
    ASSERT_EQ(files.open(path("large.wdb")), 0);
    EXPECT_EQ(doc.WaveLength(), 4096);
    EXPECT_EQ(codes(doc.current(), 1023, 2), (std::vector<int16_t>{7, 8}));
    EXPECT_EQ(codes(doc.current(), 4095, 1), (std::vector<int16_t>{9}));
}

TEST_F(WaveFiles, BinaryRoundTripRestoresSamplesAndTheMemorySize) {
    const int i4096 = sizeIndex(4096);
    ASSERT_GE(i4096, 0);
    ASSERT_TRUE(setting.selectMemorySize(i4096));
    doc.setWaveLength(setting.waveLength());
    setCodes(doc.current(), 0, {1, -1, -32768, 32767});
    setCodes(doc.current(), 60000, {42}); // beyond the used length, saved too
    ASSERT_EQ(files.save(path("wave.wdb")), 0);
    EXPECT_EQ(readAll(path("wave.wdb")).size(), DOCIO32_WAVE_FILE_SIZE);
    EXPECT_EQ(names.WaveFileName, path("wave.wdb"));
    EXPECT_EQ(names.PageFileName, path("wave"));

    ASSERT_TRUE(setting.selectMemorySize(0));
    doc.setWaveLength(setting.waveLength());
    W_ClearMemory(doc.current(), 0, WaveDocument::kMemorySamples);
    doc.backup();
    zw::DocumentNames other;
    zw::WaveFileCommands reader(doc, setting, other);
    ASSERT_EQ(reader.open(path("wave.wdb")), 0);
    EXPECT_EQ(doc.WaveLength(), 4096);
    EXPECT_EQ(setting.info().MemorySizeIndex, i4096);
    EXPECT_EQ(codes(doc.current(), 0, 4), (std::vector<int16_t>{1, -1, -32768, 32767}));
    EXPECT_EQ(codes(doc.current(), 60000, 1), (std::vector<int16_t>{42}));
    EXPECT_TRUE(doc.UndoMenuOff()); // reading a binary file resets undo
    EXPECT_EQ(other.WaveFileName, path("wave.wdb"));
}

TEST_F(WaveFiles, TextSaveWritesOneUnsignedLinePerSample) {
    doc.setWaveLength(1000);
    setCodes(doc.current(), 0, {0, 1, -1, -32767, -32768});
    ASSERT_EQ(files.save(path("wave.TXT")), 0);
    const QByteArray text = readAll(path("wave.TXT"));
    EXPECT_EQ(text.count("\r\n"), 1000);
    EXPECT_TRUE(text.startsWith("0\r\n1\r\n65535\r\n32769\r\n32768\r\n"));
}

TEST_F(WaveFiles, TextOpenReplacesOnlyTheLinesItHoldsAndMakesABackup) {
    doc.setWaveLength(10);
    setCodes(doc.current(), 0, {9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9});
    writeAll(path("short.txt"), "  -5abc\n\n70000\n");
    ASSERT_EQ(files.open(path("short.txt")), 0);
    EXPECT_EQ(codes(doc.current(), 0, 5), (std::vector<int16_t>{-5, 0, 4464, 9, 9}));
    EXPECT_FALSE(doc.UndoMenuOff());
    EXPECT_EQ(doc.WaveLength(), 10); // the setting stays

    QByteArray many;
    for (int i = 0; i < 20; ++i)
        many += QByteArray::number(i) + "\r\n";
    writeAll(path("long.txt"), many);
    ASSERT_EQ(files.open(path("long.txt")), 0);
    EXPECT_EQ(codes(doc.current(), 9, 2), (std::vector<int16_t>{9, 9})); // only 10 lines read
    EXPECT_EQ(codes(doc.current(), 8, 1), (std::vector<int16_t>{8}));
}

TEST_F(WaveFiles, FailuresLeaveDocumentSettingAndNames) {
    setCodes(doc.current(), 0, {7, 7, 7});
    const DeviceInfo before = setting.info();
    EXPECT_EQ(files.open(path("wave.dat")), 7);
    EXPECT_EQ(files.open(path("a.b.wdb")), 7);
    EXPECT_EQ(files.save(path("wave.dat")), 7);
    EXPECT_EQ(files.open(path("missing.wdb")), 71);
    EXPECT_EQ(files.open(path("missing.txt")), 71);
    // Not a wave file: too short for its setup block.
    writeAll(path("tiny.wdb"), QByteArray(100, 'x'));
    EXPECT_EQ(files.open(path("tiny.wdb")), 71);
    // A block that names no loaded model.
    QByteArray bad(DOCIO32_WAVE_FILE_SIZE, '\0');
    bad[0] = 100;
    writeAll(path("bad.wdb"), bad);
    EXPECT_EQ(files.open(path("bad.wdb")), 71);
    EXPECT_EQ(files.save(dir.filePath("no/such/folder/wave.wdb")), 72);
    EXPECT_EQ(files.save(dir.filePath("no/such/folder/wave.txt")), 72);
    EXPECT_EQ(codes(doc.current(), 0, 3), (std::vector<int16_t>{7, 7, 7}));
    EXPECT_EQ(setting.info().MemorySize, before.MemorySize);
    EXPECT_EQ(setting.info().ModelIndex, before.ModelIndex);
    EXPECT_TRUE(names.untitled());
}

} // namespace

// Names whose bytes are not UTF-8: "波形.txt" as Windows wrote it (CP932), and
// "café" in Latin-1. The libraries must get the very bytes.
TEST_F(WaveFiles, NamesThatAreNotUtf8OpenAndSaveUnderTheirOwnBytes) {
    const QByteArray folder = QFile::encodeName(dir.path()) + '/';
    const QByteArray cp932 = folder + "\x94\x67\x8c\x60.txt";
    const QByteArray latin1 = folder + "caf\xe9.wdb";
    writeAll(QFile::decodeName(folder + "plain.txt"), "7\r\n8\r\n");
    {
        // Written by bytes, as another program would.
        FILE* f = std::fopen(cp932.constData(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("11\r\n22\r\n", f);
        std::fclose(f);
    }
    // As the command line gives it.
    const QString fromCommandLine = zw::FileNameFromNative(cp932);
    ASSERT_EQ(files.open(fromCommandLine), 0);
    EXPECT_EQ(codes(doc.current(), 0, 2), (std::vector<int16_t>{11, 22}));
    EXPECT_EQ(zw::NativeFileName(names.WaveFileName), cp932);
    EXPECT_EQ(zw::MainWindowTitle(names),
              "ZW4410 <" + QFile::decodeName(folder) + QString::fromUtf8("波形.txt>"));

    // As a file dialog gives it: the bytes that are not UTF-8 come as U+FFFD.
    setCodes(doc.current(), 0, {0, 0});
    const QString fromDialog = QFile::decodeName(cp932);
    ASSERT_TRUE(fromDialog.contains(QChar::ReplacementCharacter));
    ASSERT_EQ(files.open(fromDialog), 0);
    EXPECT_EQ(codes(doc.current(), 0, 2), (std::vector<int16_t>{11, 22}));
    EXPECT_EQ(zw::NativeFileName(names.WaveFileName), cp932);

    // Saving keeps the bytes too: a binary file under a Latin-1 name, then
    // saved again under the document's name.
    ASSERT_EQ(files.save(zw::FileNameFromNative(latin1)), 0);
    ASSERT_EQ(files.save(names.WaveFileName), 0);
    struct stat info {};
    EXPECT_EQ(::stat(latin1.constData(), &info), 0);
    EXPECT_EQ(info.st_size, DOCIO32_WAVE_FILE_SIZE);
    const auto entries = std::distance(std::filesystem::directory_iterator(folder.constData()),
                                       std::filesystem::directory_iterator());
    EXPECT_EQ(entries, 3) << "no name made up on the way";
    EXPECT_EQ(zw::MainWindowTitle(names),
              "ZW4410 <" + QFile::decodeName(folder) + QString::fromUtf8("café.wdb>"));
    // Qt cannot name these files to remove them.
    std::filesystem::remove(cp932.constData());
    std::filesystem::remove(latin1.constData());
}
