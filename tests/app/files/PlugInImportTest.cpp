// File > Import into the document with the real host library and the
// shipped and fixture plug-ins: what lands in the document, the undo
// backup, the cut of an overlong file, and every refusal leaving the
// document as it was.
#include "PlugInImport.h"
#include "DocumentNames.h"
#include "ImportHostLibrary.h"
#include "TestPluginFolder.h"
#include "WaveDocument.h"
#include "zwplatform.hpp"

#include <sndfile.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using zw::ImportChoice;
using zw::ImportFileType;
using zw::ImportOutcome;
using zwtest::FixturePlugin;
using zwtest::TestPluginFolder;
using Codes = std::vector<int16_t>;

constexpr long kLength = 1000;

Codes Samples(ZwMemHandle memory, long count) {
    const zw::LockedBlock<int16_t> block(memory);
    return Codes(block.data(), block.data() + count);
}

// What stood in the document before: a pattern no file of the tests holds.
Codes Previous() {
    Codes codes;
    for (long i = 0; i < kLength; ++i)
        codes.push_back(static_cast<int16_t>(7 * i - 3000));
    return codes;
}

std::string CsvOf(const Codes& codes) {
    std::string text = "Index,Code\r\n";
    for (std::size_t i = 0; i < codes.size(); ++i)
        text += std::to_string(i) + "x," + std::to_string(codes[i]) + "\r\n";
    return text;
}

Codes Wave(int count, int step) {
    Codes codes;
    for (int i = 0; i < count; ++i)
        codes.push_back(static_cast<int16_t>((i * step) % 60000 - 30000));
    return codes;
}

class PlugInImport : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(document.allocate());
        document.setWaveLength(kLength);
        document.resetUndo();
        const zw::LockedBlock<int16_t> block(document.current());
        const Codes previous = Previous();
        std::copy(previous.begin(), previous.end(), block.data());
        names.setFromWavePath("/data/previous.wdb");
    }

    // Runs the command; the dialog chooses the entry of `extension` of
    // `pluginName` (or cancels when there is none) and `path`.
    ImportOutcome Run(const QString& folder, const QString& pluginName, const QString& extension,
                      const std::string& path) {
        return command.run(
            folder, [&](const std::vector<ImportFileType>& types) -> std::optional<ImportChoice> {
                offered = types;
                for (std::size_t i = 0; i < types.size(); ++i)
                    if (types[i].pluginName == pluginName && types[i].extension == extension)
                        return ImportChoice{static_cast<int>(i), QString::fromStdString(path)};
                return std::nullopt;
            });
    }
    ImportOutcome RunShipped(const QString& extension, const std::string& path) {
        const QString name = extension == "csv" || extension == "tsv" ? "Delimited text" : "Audio";
        return Run(ZW_SHIPPED_PLUGIN_DIR, name, extension, path);
    }

    void ExpectUntouched(const ImportOutcome& outcome) {
        EXPECT_FALSE(outcome.imported);
        EXPECT_EQ(Samples(document.current(), kLength), Previous());
        EXPECT_TRUE(document.UndoMenuOff()) << "no backup for a refused import";
        EXPECT_EQ(names.WaveFileName, "/data/previous.wdb");
    }

    zw::WaveDocument document;
    zw::DocumentNames names;
    zw::ImportHostLibrary host{{ZW_IMPORT_HOST}};
    zw::PlugInImport command{host, document, names};
    std::vector<ImportFileType> offered;
    TestPluginFolder files;
};

TEST_F(PlugInImport, OffersEveryTypeOfEveryShippedPlugin) {
    Run(ZW_SHIPPED_PLUGIN_DIR, "", "", "");
    const QStringList entries = zw::ImportFilterEntries(offered);
    EXPECT_EQ(entries,
              QStringList({"Delimited text (*.csv)", "Delimited text (*.tsv)",
                           "Delimited text (*.txt)", "Delimited text (*.prn)", "Audio (*.wav)",
                           "Audio (*.flac)", "Audio (*.ogg)", "Audio (*.aif)", "Audio (*.aiff)"}));
    EXPECT_EQ(offered[0].plugin, 0);
    EXPECT_EQ(offered[4].plugin, 1);
}

TEST_F(PlugInImport, ACsvReplacesTheSamplesItHoldsAndUndoBringsThePreviousWaveBack) {
    const Codes imported = Wave(300, 97);
    const ImportOutcome outcome = RunShipped("csv", files.write("a.csv", CsvOf(imported)));
    EXPECT_EQ(outcome.message, 0);
    EXPECT_TRUE(outcome.imported);
    EXPECT_EQ(outcome.fileSamples, 300);
    EXPECT_EQ(outcome.importedSamples, 300);

    Codes expected = Previous();
    std::copy(imported.begin(), imported.end(), expected.begin());
    EXPECT_EQ(Samples(document.current(), kLength), expected);
    EXPECT_EQ(names.WaveFileName, "Untitled");

    ASSERT_FALSE(document.UndoMenuOff());
    document.toggleUndo();
    EXPECT_EQ(Samples(document.current(), kLength), Previous());
    document.toggleUndo();
    EXPECT_EQ(Samples(document.current(), kLength), expected);
}

TEST_F(PlugInImport, AWavFileComesInSampleForSample) {
    const Codes sound = Wave(1000, 331);
    const std::string path = (files.path() / "tone.wav").string();
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    sf_write_short(file, sound.data(), static_cast<sf_count_t>(sound.size()));
    sf_close(file);

    const ImportOutcome outcome = RunShipped("wav", path);
    EXPECT_EQ(outcome.message, 0);
    EXPECT_EQ(Samples(document.current(), kLength), sound);
}

TEST_F(PlugInImport, AFileLongerThanTheWaveImportsItsFirstWaveLengthSamplesAndSaysSo) {
    const Codes imported = Wave(1501, 13);
    const ImportOutcome outcome = RunShipped("csv", files.write("long.csv", CsvOf(imported)));
    EXPECT_EQ(outcome.message, zw::kImportCutMessage);
    EXPECT_TRUE(outcome.imported);
    EXPECT_EQ(outcome.fileSamples, 1501);
    EXPECT_EQ(outcome.importedSamples, kLength);
    EXPECT_EQ(Samples(document.current(), kLength),
              Codes(imported.begin(), imported.begin() + kLength));
    EXPECT_EQ(Samples(document.current(), kLength + 1).back(), 0) << "nothing past the wave";
}

TEST_F(PlugInImport, ReadingStartsAtTheFilesStartOffsetInBlocks) {
    TestPluginFolder plugins;
    plugins.add(FixturePlugin("scripted"), "scripted.so");
    const ImportOutcome outcome =
        Run(plugins.folder().c_str(), "Scripted", "scr", files.write("s.scr", "1234 10 1234"));
    EXPECT_EQ(outcome.message, zw::kImportCutMessage);
    Codes expected;
    for (int i = 10; i < 10 + kLength; ++i)
        expected.push_back(static_cast<int16_t>(i));
    EXPECT_EQ(Samples(document.current(), kLength), expected);
}

TEST_F(PlugInImport, APluginThatDeliversLessThanItReportedChangesNothing) {
    TestPluginFolder plugins;
    plugins.add(FixturePlugin("scripted"), "scripted.so");
    // 800 reported, 799 delivered: the second block comes back one short.
    const ImportOutcome outcome =
        Run(plugins.folder().c_str(), "Scripted", "scr", files.write("s.scr", "800 0 799"));
    EXPECT_EQ(outcome.message, zw::kInvalidFormatMessage);
    ExpectUntouched(outcome);
}

TEST_F(PlugInImport, FilesThePluginRefusesChangeNothing) {
    for (const auto& [name, text] :
         {std::pair{"words.csv", "no numbers at all\n"}, std::pair{"empty.csv", ""},
          std::pair{"stops.csv", "a,1\nb,2\nc\n"}}) {
        const ImportOutcome outcome = RunShipped("csv", files.write(name, text));
        EXPECT_EQ(outcome.message, zw::kInvalidFormatMessage) << name;
        ExpectUntouched(outcome);
    }
    const ImportOutcome wav = RunShipped("wav", files.write("fake.wav", "RIFF but not really"));
    EXPECT_EQ(wav.message, zw::kInvalidFormatMessage);
    ExpectUntouched(wav);
    // A file that cannot be read at all.
    const ImportOutcome missing = RunShipped("csv", files.folder() + "missing.csv");
    EXPECT_EQ(missing.message, zw::kInvalidFormatMessage);
    ExpectUntouched(missing);
    // A CSV given to the audio plug-in: the chosen type's plug-in decides.
    const ImportOutcome crossed = RunShipped("wav", files.write("real.csv", "1\n2\n"));
    EXPECT_EQ(crossed.message, zw::kInvalidFormatMessage);
    ExpectUntouched(crossed);
}

TEST_F(PlugInImport, NoPluginOrNoHostGivesMessage240WithoutADialog) {
    TestPluginFolder plugins;
    plugins.add(FixturePlugin("no_entry"), "no_entry.so");
    plugins.write("broken.so", "not a library");
    bool asked = false;
    const auto chooser = [&](const std::vector<ImportFileType>&) -> std::optional<ImportChoice> {
        asked = true;
        return std::nullopt;
    };
    ImportOutcome outcome = command.run(plugins.folder().c_str(), chooser);
    EXPECT_EQ(outcome.message, zw::kNoPluginMessage);
    outcome = command.run((plugins.folder() + "missing").c_str(), chooser);
    EXPECT_EQ(outcome.message, zw::kNoPluginMessage);

    zw::ImportHostLibrary missing{{(files.folder() + "libimporthost.so").c_str()}};
    zw::PlugInImport withoutHost{missing, document, names};
    outcome = withoutHost.run(ZW_SHIPPED_PLUGIN_DIR, chooser);
    EXPECT_EQ(outcome.message, zw::kNoPluginMessage);
    EXPECT_FALSE(asked);
    ExpectUntouched(outcome);
}

TEST_F(PlugInImport, CancellingTheDialogChangesNothing) {
    const ImportOutcome outcome = Run(ZW_SHIPPED_PLUGIN_DIR, "nothing", "csv", "");
    EXPECT_EQ(outcome.message, 0);
    ExpectUntouched(outcome);
}

} // namespace
