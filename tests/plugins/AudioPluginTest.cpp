// The audio plug-in on files the test writes with libsndfile: codes compared
// sample by sample, the first channel of a stereo file, the library's own
// conversion of other sample formats, and damaged files.
#include "LoadedTable.h"
#include "TestPluginFolder.h"

#include <sndfile.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using zwtest::LoadedTable;
using Codes = std::vector<int16_t>;

// Frames of `channels` interleaved codes written as `format`.
void WriteSound(const std::string& path, int format, int channels, const Codes& interleaved) {
    SF_INFO info{};
    info.samplerate = 48000;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    const sf_count_t frames = static_cast<sf_count_t>(interleaved.size()) / channels;
    EXPECT_EQ(sf_writef_short(file, interleaved.data(), frames), frames);
    sf_close(file);
}

// A ramp over the whole code range and back, with both ends in it.
Codes Ramp(int count) {
    Codes codes;
    for (int i = 0; i < count; ++i)
        codes.push_back(static_cast<int16_t>(-32768 + (i * 65535L) / (count - 1)));
    return codes;
}

class AudioPlugin : public ::testing::Test {
protected:
    LoadedTable plugin{ZW_AUDIO_PLUGIN};
    zwtest::TestPluginFolder folder;
};

TEST_F(AudioPlugin, DescribesItself) {
    ASSERT_TRUE(plugin);
    EXPECT_STREQ(plugin->name, "Audio");
    std::vector<std::string> types;
    for (const char* const* type = plugin->types; *type; ++type)
        types.emplace_back(*type);
    EXPECT_EQ(types, (std::vector<std::string>{"wav", "flac", "ogg", "aif", "aiff"}));
}

TEST_F(AudioPlugin, WavAndFlacComeBackSampleForSample) {
    const Codes ramp = Ramp(1234);
    for (const auto& [name, format] : {std::pair{"ramp.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
                                       std::pair{"ramp.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
                                       std::pair{"ramp.aif", SF_FORMAT_AIFF | SF_FORMAT_PCM_16}}) {
        const std::string path = (folder.path() / name).string();
        WriteSound(path, format, 1, ramp);
        const LoadedTable::FileRead read = plugin.readAll(path, 500);
        ASSERT_EQ(read.result, ZW_IMPORT_OK) << name;
        EXPECT_EQ(read.reported, 1234) << name;
        EXPECT_EQ(read.offset, 0);
        EXPECT_EQ(read.codes, ramp) << name;
    }
}

TEST_F(AudioPlugin, AStereoFileGivesItsFirstChannel) {
    Codes interleaved;
    Codes left;
    for (int i = 0; i < 700; ++i) {
        left.push_back(static_cast<int16_t>(i * 40 - 14000));
        interleaved.push_back(left.back());
        interleaved.push_back(static_cast<int16_t>(-i));
    }
    const std::string path = (folder.path() / "stereo.flac").string();
    WriteSound(path, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 2, interleaved);
    const LoadedTable::FileRead read = plugin.readAll(path, 128);
    ASSERT_EQ(read.result, ZW_IMPORT_OK);
    EXPECT_EQ(read.reported, 700);
    EXPECT_EQ(read.codes, left);
}

TEST_F(AudioPlugin, WideSamplesKeepTheirUpperBitsAndFloatsOfOneAreFullScale) {
    const std::string wide = (folder.path() / "wide.wav").string();
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_24;
    SNDFILE* file = sf_open(wide.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    const int values[] = {1000 << 16, -1000 << 16, 32767 << 16};
    sf_write_int(file, values, 3);
    sf_close(file);
    EXPECT_EQ(plugin.readAll(wide).codes, (Codes{1000, -1000, 32767}));

    // 0.5 of 32767 is 16383.5, to the even 16384; beyond +-1 is clipped.
    for (const int subformat : {SF_FORMAT_FLOAT, SF_FORMAT_DOUBLE}) {
        const std::string real = (folder.path() / "real.wav").string();
        info.format = SF_FORMAT_WAV | subformat;
        file = sf_open(real.c_str(), SFM_WRITE, &info);
        ASSERT_NE(file, nullptr);
        const double levels[] = {1.0, -1.0, 0.0, 0.5, -0.25, 1.5, -7.0};
        sf_write_double(file, levels, 7);
        sf_close(file);
        EXPECT_EQ(plugin.readAll(real).codes,
                  (Codes{32767, -32767, 0, 16384, -8192, 32767, -32767}));
    }
}

TEST_F(AudioPlugin, OggVorbisComesOutAtItsLevel) {
    // Lossy: the count is exact, the level close.
    Codes sine;
    for (int i = 0; i < 4800; ++i)
        sine.push_back(static_cast<int16_t>(std::lround(16000 * std::sin(i * 2 * M_PI / 48))));
    const std::string path = (folder.path() / "tone.ogg").string();
    WriteSound(path, SF_FORMAT_OGG | SF_FORMAT_VORBIS, 1, sine);
    const LoadedTable::FileRead read = plugin.readAll(path);
    ASSERT_EQ(read.result, ZW_IMPORT_OK);
    EXPECT_EQ(read.reported, 4800);
    ASSERT_EQ(read.codes.size(), 4800u);
    const auto [low, high] = std::minmax_element(read.codes.begin() + 480, read.codes.end());
    EXPECT_NEAR(*high, 16000, 1500);
    EXPECT_NEAR(*low, -16000, 1500);
}

TEST_F(AudioPlugin, SeeksByFrame) {
    const Codes ramp = Ramp(100);
    const std::string path = (folder.path() / "seek.wav").string();
    WriteSound(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, ramp);
    ZwImportReader* reader = nullptr;
    int64_t count = 0;
    int64_t offset = 0;
    ASSERT_EQ(plugin->open(path.c_str(), &reader, &count, &offset), ZW_IMPORT_OK);
    ASSERT_EQ(plugin->seek(reader, 90), ZW_IMPORT_OK);
    Codes codes(20);
    int32_t delivered = 0;
    ASSERT_EQ(plugin->read(reader, codes.data(), 20, &delivered), ZW_IMPORT_OK);
    ASSERT_EQ(delivered, 10);
    EXPECT_EQ(Codes(codes.begin(), codes.begin() + 10), Codes(ramp.begin() + 90, ramp.end()));
    EXPECT_EQ(plugin->seek(reader, 101), ZW_IMPORT_BAD_ARGUMENT);
    plugin->close(reader);
}

TEST_F(AudioPlugin, DamagedAndEmptyFiles) {
    EXPECT_EQ(plugin.readAll(folder.folder() + "missing.wav").result, ZW_IMPORT_CANNOT_OPEN);
    EXPECT_EQ(plugin.readAll(folder.write("noise.wav", std::string(300, '\x5A'))).result,
              ZW_IMPORT_BAD_FORMAT);
    EXPECT_EQ(plugin.readAll(folder.write("text.flac", "1,2\n3,4\n")).result, ZW_IMPORT_BAD_FORMAT);
    EXPECT_EQ(plugin.readAll(folder.write("empty.wav", "")).result, ZW_IMPORT_BAD_FORMAT);

    const std::string silent = (folder.path() / "silent.wav").string();
    WriteSound(silent, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, {});
    EXPECT_EQ(plugin.readAll(silent).result, ZW_IMPORT_NO_SAMPLES);

    // A file cut short: whatever the library reports, what is delivered is
    // what the file holds, never more.
    const Codes ramp = Ramp(1000);
    const std::string cut = (folder.path() / "cut.wav").string();
    WriteSound(cut, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, ramp);
    std::filesystem::resize_file(cut, 44 + 2 * 600);
    const LoadedTable::FileRead read = plugin.readAll(cut);
    ASSERT_EQ(read.result, ZW_IMPORT_OK);
    ASSERT_EQ(read.codes.size(), 600u);
    EXPECT_EQ(read.codes, Codes(ramp.begin(), ramp.begin() + 600));

    // A FLAC file cut in the middle of its frames.
    const std::string cutFlac = (folder.path() / "cut.flac").string();
    WriteSound(cutFlac, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 1, Ramp(20000));
    std::filesystem::resize_file(cutFlac, std::filesystem::file_size(cutFlac) / 2);
    const LoadedTable::FileRead flac = plugin.readAll(cutFlac);
    if (flac.result == ZW_IMPORT_OK) {
        EXPECT_LT(static_cast<int64_t>(flac.codes.size()), 20000);
    }
}

} // namespace
