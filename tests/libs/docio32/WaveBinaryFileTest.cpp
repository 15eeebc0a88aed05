// The binary wave file: the setup block followed by the whole memory.
#include "docio32.h"

#include "DocioTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

using zwtest::ramp;
using zwtest::readWholeFile;
using zwtest::TempDir;
using zwtest::WaveMemory;
using zwtest::writeWholeFile;

namespace {

std::array<uint8_t, DOCIO32_SETUP_BLOCK_SIZE> patternBlock(uint8_t seed) {
    std::array<uint8_t, DOCIO32_SETUP_BLOCK_SIZE> block{};
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<uint8_t>(seed + i * 7);
    return block;
}

} // namespace

TEST(WaveBinaryFile, HoldsTheBlockThenEverySampleLittleEndian) {
    TempDir dir;
    WaveMemory memory(DOCIO32_WAVE_FILE_SAMPLES);
    std::vector<int16_t> codes = ramp(DOCIO32_WAVE_FILE_SAMPLES, -32768);
    codes[0] = -1;
    codes[1] = 0x1234;
    memory.set(codes);
    const auto block = patternBlock(3);

    ASSERT_EQ(Save8832File(dir.file("w.wdb").c_str(), block.data(), memory.handle()), 0);

    const std::string file = readWholeFile(dir.file("w.wdb"));
    ASSERT_EQ(file.size(), 131398u);
    EXPECT_EQ(file.compare(0, 326, std::string(block.begin(), block.end())), 0);
    EXPECT_EQ(file.substr(326, 4), std::string("\xFF\xFF\x34\x12", 4));
    EXPECT_EQ(file.substr(326 + 2 * 2, 2), std::string("\x02\x80", 2)) << "code -32766";
    EXPECT_EQ(file.substr(131396, 2), std::string("\xFF\x7F", 2)) << "last sample 32767";
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const auto bits = static_cast<uint16_t>(codes[i]);
        ASSERT_EQ(static_cast<uint8_t>(file[326 + 2 * i]), bits & 0xFF) << i;
        ASSERT_EQ(static_cast<uint8_t>(file[327 + 2 * i]), bits >> 8) << i;
    }
}

TEST(WaveBinaryFile, ReadsBackWhatWasSaved) {
    TempDir dir;
    WaveMemory saved(DOCIO32_WAVE_FILE_SAMPLES);
    saved.set(ramp(DOCIO32_WAVE_FILE_SAMPLES, -32768));
    const auto block = patternBlock(9);
    ASSERT_EQ(Save8832File(dir.file("w.wdb").c_str(), block.data(), saved.handle()), 0);

    WaveMemory loaded(DOCIO32_WAVE_FILE_SAMPLES);
    loaded.fill(5);
    std::array<uint8_t, DOCIO32_SETUP_BLOCK_SIZE> readBlock{};
    ASSERT_EQ(Read8832File(dir.file("w.wdb").c_str(), readBlock.data(), loaded.handle()), 0);
    EXPECT_EQ(readBlock, block);
    EXPECT_EQ(loaded.codes(), saved.codes());
}

TEST(WaveBinaryFile, ShortFileFillsWhatItHoldsAndLeavesTheRest) {
    TempDir dir;
    const auto fileBlock = patternBlock(1);
    std::string contents(fileBlock.begin(), fileBlock.end());
    contents += std::string("\x01\x00\x02\x00\x03", 5); // two samples and half of a third
    writeWholeFile(dir.file("short.wdb"), contents);

    WaveMemory memory(8);
    memory.fill(0x7A7A);
    std::array<uint8_t, DOCIO32_SETUP_BLOCK_SIZE> block{};
    ASSERT_EQ(Read8832File(dir.file("short.wdb").c_str(), block.data(), memory.handle()), 0);
    EXPECT_EQ(block, fileBlock);
    EXPECT_EQ(memory.codes(),
              (std::vector<int16_t>{1, 2, 0x7A03, 0x7A7A, 0x7A7A, 0x7A7A, 0x7A7A, 0x7A7A}));

    // Shorter than the block: only its bytes change, the memory not at all.
    writeWholeFile(dir.file("tiny.wdb"), std::string(100, '\x11'));
    block.fill(0xEE);
    ASSERT_EQ(Read8832File(dir.file("tiny.wdb").c_str(), block.data(), memory.handle()), 0);
    EXPECT_EQ(block[99], 0x11);
    EXPECT_EQ(block[100], 0xEE);
    EXPECT_EQ(block[325], 0xEE);
    EXPECT_EQ(memory.codes()[0], 1);
}

TEST(WaveBinaryFile, MemoryBoundsEveryReadAndWrite) {
    TempDir dir;
    // A file for 65536 samples read into a memory of 4: only 4 are stored.
    WaveMemory big(DOCIO32_WAVE_FILE_SAMPLES);
    big.set(ramp(DOCIO32_WAVE_FILE_SAMPLES, 100));
    const auto block = patternBlock(0);
    ASSERT_EQ(Save8832File(dir.file("big.wdb").c_str(), block.data(), big.handle()), 0);
    WaveMemory small(4);
    std::array<uint8_t, DOCIO32_SETUP_BLOCK_SIZE> readBlock{};
    ASSERT_EQ(Read8832File(dir.file("big.wdb").c_str(), readBlock.data(), small.handle()), 0);
    EXPECT_EQ(small.codes(), (std::vector<int16_t>{100, 101, 102, 103}));

    // Saving stores the memory's own size, whatever it is.
    ASSERT_EQ(Save8832File(dir.file("small.wdb").c_str(), block.data(), small.handle()), 0);
    EXPECT_EQ(std::filesystem::file_size(dir.file("small.wdb")), 326u + 8u);
}

TEST(WaveBinaryFile, FailuresReportTheirCodeAndChangeNothing) {
    TempDir dir;
    WaveMemory memory{1, 2, 3};
    const auto block = patternBlock(4);
    std::array<uint8_t, DOCIO32_SETUP_BLOCK_SIZE> readBlock{};
    readBlock.fill(0x55);

    EXPECT_EQ(Read8832File(dir.file("missing.wdb").c_str(), readBlock.data(), memory.handle()), 8);
    EXPECT_EQ(Read8832File(dir.path().c_str(), readBlock.data(), memory.handle()), 8)
        << "a folder opens but cannot be read";
    EXPECT_EQ(Read8832File(nullptr, readBlock.data(), memory.handle()), 8);
    EXPECT_EQ(readBlock[0], 0x55);
    EXPECT_EQ(memory.codes(), (std::vector<int16_t>{1, 2, 3}));

    ASSERT_EQ(Save8832File(dir.file("w.wdb").c_str(), block.data(), memory.handle()), 0);
    EXPECT_EQ(Read8832File(dir.file("w.wdb").c_str(), nullptr, memory.handle()), 8);
    EXPECT_EQ(Read8832File(dir.file("w.wdb").c_str(), readBlock.data(), zwtest::freedHandle()), 8);

    EXPECT_EQ(Save8832File(dir.file("none/w.wdb").c_str(), block.data(), memory.handle()), 7);
    EXPECT_EQ(Save8832File(dir.file("x.wdb").c_str(), nullptr, memory.handle()), 7);
    EXPECT_EQ(Save8832File(dir.file("x.wdb").c_str(), block.data(), zwtest::freedHandle()), 7);
    EXPECT_EQ(Save8832File("", block.data(), memory.handle()), 7);
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.wdb")));
}
