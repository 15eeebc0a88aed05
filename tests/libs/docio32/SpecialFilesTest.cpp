// Names that are not regular files: every save refuses them and leaves them
// as they are, every reader refuses them at once — a FIFO without a writer
// must not block a read, a device node must not be written or opened.
#include "docio32.h"

#include "DocioTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <future>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using zwtest::TempDir;
using zwtest::WaveMemory;

namespace {

const std::array<uint8_t, DOCIO32_SETUP_BLOCK_SIZE> kBlock{};

// Runs a read of `fifo`; if it is still waiting after a while, a writer is
// opened and closed to release it, and the read counts as blocked.
struct FifoRead {
    bool blocked = false;
    int32_t result = -1;
};

FifoRead readWithoutWriter(const std::string& fifo, const std::function<int32_t()>& read) {
    auto pending = std::async(std::launch::async, read);
    FifoRead outcome;
    if (pending.wait_for(std::chrono::seconds(3)) != std::future_status::ready) {
        outcome.blocked = true;
        const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    outcome.result = pending.get();
    return outcome;
}

bool isFifo(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

bool isCharDevice(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
}

// Every save of the library onto `path`, with its write error.
void expectEverySaveRefused(const std::string& path) {
    WaveMemory memory(64);
    EXPECT_EQ(Save8832File(path.c_str(), kBlock.data(), memory.handle()), DOCIO32_FILE_NOT_WRITTEN);
    EXPECT_EQ(SaveWaveData(path.c_str(), memory.handle(), 0, 64), DOCIO32_FILE_WRITE_ERROR);
    EXPECT_EQ(SaveSystemFile(path.c_str(), kBlock.data()), DOCIO32_FILE_NOT_WRITTEN);
}

} // namespace

TEST(SpecialFiles, EverySaveRefusesAFifoAndLeavesIt) {
    TempDir dir;
    const std::string fifo = dir.file("pipe.wdb");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    std::filesystem::create_symlink(fifo, dir.file("link.wdb"));
    expectEverySaveRefused(fifo);
    expectEverySaveRefused(dir.file("link.wdb"));
    EXPECT_TRUE(isFifo(fifo));
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"link.wdb", "pipe.wdb"}));
}

TEST(SpecialFiles, EverySaveRefusesADeviceNodeAndLeavesIt) {
    if (geteuid() != 0)
        GTEST_SKIP() << "making a device node needs root";
    TempDir dir;
    const std::string node = dir.file("null.ocb");
    ASSERT_EQ(::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0); // as /dev/null
    expectEverySaveRefused(node);
    EXPECT_TRUE(isCharDevice(node));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"null.ocb"});
}

TEST(SpecialFiles, EveryReaderRefusesAFifoWithoutWaiting) {
    TempDir dir;
    const std::string fifo = dir.file("pipe.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    WaveMemory memory({1, 2, 3, 4});
    std::array<uint8_t, DOCIO32_SETUP_BLOCK_SIZE> block{};
    block.fill(0x5A);
    const auto untouched = block;

    const std::pair<const char*, std::function<int32_t()>> readers[] = {
        {"Read8832File", [&] { return Read8832File(fifo.c_str(), block.data(), memory.handle()); }},
        {"ReadSystemFile", [&] { return ReadSystemFile(fifo.c_str(), block.data()); }},
        {"LoadWaveData", [&] { return LoadWaveData(fifo.c_str(), memory.handle(), 0, 4); }},
    };
    const int32_t errors[] = {DOCIO32_FILE_NOT_READ, DOCIO32_FILE_NOT_READ,
                              DOCIO32_FILE_READ_ERROR};
    for (std::size_t i = 0; i < std::size(readers); ++i) {
        const FifoRead outcome = readWithoutWriter(fifo, readers[i].second);
        EXPECT_FALSE(outcome.blocked) << readers[i].first;
        EXPECT_EQ(outcome.result, errors[i]) << readers[i].first;
    }
    EXPECT_EQ(block, untouched);
    EXPECT_EQ(memory.codes(), (std::vector<int16_t>{1, 2, 3, 4}));
}

TEST(SpecialFiles, EveryReaderRefusesADeviceAndAFolder) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("folder.wdb"));
    WaveMemory memory({1, 2});
    std::array<uint8_t, DOCIO32_SETUP_BLOCK_SIZE> block{};
    // /dev/zero would read as a file of zeros for ever.
    for (const std::string& path : {std::string("/dev/zero"), dir.file("folder.wdb")}) {
        EXPECT_EQ(Read8832File(path.c_str(), block.data(), memory.handle()), DOCIO32_FILE_NOT_READ)
            << path;
        EXPECT_EQ(ReadSystemFile(path.c_str(), block.data()), DOCIO32_FILE_NOT_READ) << path;
        EXPECT_EQ(LoadWaveData(path.c_str(), memory.handle(), 0, 2), DOCIO32_FILE_READ_ERROR)
            << path;
    }
    EXPECT_EQ(memory.codes(), (std::vector<int16_t>{1, 2}));
}
