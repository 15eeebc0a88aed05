// The system setup file and the setup block it shares with the wave file.
#include "docio32.h"

#include "DocioTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>

using zwtest::readWholeFile;
using zwtest::TempDir;
using zwtest::WaveMemory;
using zwtest::writeWholeFile;

namespace {

using Block = std::array<uint8_t, DOCIO32_SETUP_BLOCK_SIZE>;

Block countingBlock() {
    Block block{};
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<uint8_t>(i);
    return block;
}

} // namespace

TEST(SystemFile, IsExactlyTheBlockAndReadsBack) {
    TempDir dir;
    const Block block = countingBlock();
    ASSERT_EQ(SaveSystemFile(dir.file("s.ocb").c_str(), block.data()), 0);
    EXPECT_EQ(readWholeFile(dir.file("s.ocb")), std::string(block.begin(), block.end()));

    Block read{};
    ASSERT_EQ(ReadSystemFile(dir.file("s.ocb").c_str(), read.data()), 0);
    EXPECT_EQ(read, block);

    // Bytes after the block are not read (and never written past it).
    writeWholeFile(dir.file("long.ocb"), std::string(400, '\x42'));
    ASSERT_EQ(ReadSystemFile(dir.file("long.ocb").c_str(), read.data()), 0);
    Block fortyTwos;
    fortyTwos.fill(0x42);
    EXPECT_EQ(read, fortyTwos) << "all 326 bytes from the file";
}

TEST(SystemFile, ShortFileFillsOnlyWhatItHolds) {
    TempDir dir;
    writeWholeFile(dir.file("short.ocb"), std::string(10, '\x01'));
    Block block = countingBlock();
    ASSERT_EQ(ReadSystemFile(dir.file("short.ocb").c_str(), block.data()), 0);
    EXPECT_EQ(block[9], 1);
    EXPECT_EQ(block[10], 10);
    EXPECT_EQ(block[325], 325 % 256);
    // How a caller tells: the file's size.
    EXPECT_LT(std::filesystem::file_size(dir.file("short.ocb")),
              std::uintmax_t{DOCIO32_SETUP_BLOCK_SIZE});
}

TEST(SystemFile, FailuresReportTheirCodeAndChangeNothing) {
    TempDir dir;
    Block block = countingBlock();
    EXPECT_EQ(ReadSystemFile(dir.file("missing.ocb").c_str(), block.data()), 8);
    EXPECT_EQ(ReadSystemFile(dir.path().c_str(), block.data()), 8);
    EXPECT_EQ(ReadSystemFile("", block.data()), 8);
    EXPECT_EQ(block, countingBlock());
    writeWholeFile(dir.file("s.ocb"), "x");
    EXPECT_EQ(ReadSystemFile(dir.file("s.ocb").c_str(), nullptr), 8);

    EXPECT_EQ(SaveSystemFile(dir.file("none/s.ocb").c_str(), block.data()), 7);
    EXPECT_EQ(SaveSystemFile(dir.file("s.ocb").c_str(), nullptr), 7);
    EXPECT_EQ(SaveSystemFile(nullptr, block.data()), 7);
    EXPECT_EQ(readWholeFile(dir.file("s.ocb")), "x");
}

TEST(SystemFile, WaveFileRestoresTheSettingItWasSavedWith) {
    TempDir dir;
    DeviceInfo info{};
    std::memcpy(info.ModelName, "GEN-B2", 6);
    info.ModelIndex = 1;
    info.MemorySize = 4096;
    info.OutputState = ZW_OUTPUT_NO_CHANGE;
    Block block{};
    ASSERT_EQ(EncodeSetupBlock(&info, 3, block.data()), 0);

    WaveMemory memory(DOCIO32_WAVE_FILE_SAMPLES);
    memory.fill(-2);
    ASSERT_EQ(Save8832File(dir.file("w.wdb").c_str(), block.data(), memory.handle()), 0);
    EXPECT_EQ(std::filesystem::file_size(dir.file("w.wdb")), 131398u)
        << "all 65536 samples, whatever the memory-size setting";
    ASSERT_EQ(SaveSystemFile(dir.file("w.ocb").c_str(), block.data()), 0);

    for (const char* name : {"w.wdb", "w.ocb"}) {
        Block readBlock{};
        WaveMemory loaded(DOCIO32_WAVE_FILE_SAMPLES);
        const std::string path = dir.file(name);
        ASSERT_EQ(std::string(name) == "w.wdb"
                      ? Read8832File(path.c_str(), readBlock.data(), loaded.handle())
                      : ReadSystemFile(path.c_str(), readBlock.data()),
                  0);
        DeviceInfo back{};
        int32_t interfaceType = 0;
        ASSERT_EQ(DecodeSetupBlock(readBlock.data(), &back, &interfaceType), 0);
        EXPECT_EQ(back.MemorySize, 4096) << name;
        EXPECT_EQ(back.ModelIndex, 1) << name;
        EXPECT_EQ(interfaceType, 3) << name;
        EXPECT_STREQ(back.ModelName, "GEN-B2") << name;
    }
}
