// A save that fails part-way must leave the file it would replace untouched
// and no temporary file behind; one that succeeds keeps the file's mode.
#include "docio32.h"

#include "DocioTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using zwtest::readWholeFile;
using zwtest::TempDir;
using zwtest::WaveMemory;
using zwtest::writeWholeFile;

namespace {

// Lowers the file size limit for the length of a scope, as a nearly full
// disk would: writes beyond it fail with EFBIG (SIGXFSZ is ignored meanwhile).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return active_; }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
    bool active_ = false;
};

mode_t modeOf(const std::string& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

const std::array<uint8_t, DOCIO32_SETUP_BLOCK_SIZE> kBlock = [] {
    std::array<uint8_t, DOCIO32_SETUP_BLOCK_SIZE> block{};
    block.fill(0xA5);
    return block;
}();

} // namespace

TEST(AtomicSave, WriteFailingPartWayLeavesTheOldFileIntact) {
    TempDir dir;
    const std::string wdb = dir.file("doc.wdb");
    const std::string txt = dir.file("doc.txt");
    const std::string ocb = dir.file("doc.ocb");
    const std::string oldContents = "the old document, which must survive\n";
    for (const auto& path : {wdb, txt, ocb})
        writeWholeFile(path, oldContents);
    const auto before = dir.entries();

    WaveMemory memory(DOCIO32_WAVE_FILE_SAMPLES);
    memory.fill(-1);
    {
        FileSizeLimit limit(200);
        ASSERT_TRUE(limit.active());
        EXPECT_EQ(Save8832File(wdb.c_str(), kBlock.data(), memory.handle()), 7);
        EXPECT_EQ(SaveWaveData(txt.c_str(), memory.handle(), 0, DOCIO32_WAVE_FILE_SAMPLES), 72);
        EXPECT_EQ(SaveSystemFile(ocb.c_str(), kBlock.data()), 7);
    }
    for (const auto& path : {wdb, txt, ocb})
        EXPECT_EQ(readWholeFile(path), oldContents) << path;
    EXPECT_EQ(dir.entries(), before) << "no temporary file may be left";

    // The same saves go through once the limit is gone.
    EXPECT_EQ(Save8832File(wdb.c_str(), kBlock.data(), memory.handle()), 0);
    EXPECT_EQ(std::filesystem::file_size(wdb), 131398u);
    EXPECT_EQ(dir.entries(), before);
}

TEST(AtomicSave, ReadOnlyFolderRefusesTheSaveAndKeepsTheFile) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    TempDir dir;
    const std::string ocb = dir.file("setup.ocb");
    writeWholeFile(ocb, "old");
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
    EXPECT_EQ(SaveSystemFile(ocb.c_str(), kBlock.data()), 7);
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(readWholeFile(ocb), "old");
}

TEST(AtomicSave, WriteProtectedFileIsRefusedNotReplaced) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write any file";
    TempDir dir;
    const std::string ocb = dir.file("setup.ocb");
    writeWholeFile(ocb, "old");
    chmod(ocb.c_str(), 0444);
    EXPECT_EQ(SaveSystemFile(ocb.c_str(), kBlock.data()), 7);
    EXPECT_EQ(readWholeFile(ocb), "old");
}

TEST(AtomicSave, AFolderInTheWayIsRefused) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("taken.ocb"));
    writeWholeFile(dir.file("taken.ocb/inside"), "kept");
    EXPECT_EQ(SaveSystemFile(dir.file("taken.ocb").c_str(), kBlock.data()), 7);
    EXPECT_EQ(readWholeFile(dir.file("taken.ocb/inside")), "kept");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"taken.ocb"});
}

TEST(AtomicSave, ReplacedFileKeepsItsModeAndNewFilesFollowTheUmask) {
    TempDir dir;
    const std::string kept = dir.file("kept.ocb");
    writeWholeFile(kept, "old");
    chmod(kept.c_str(), 0640);
    ASSERT_EQ(SaveSystemFile(kept.c_str(), kBlock.data()), 0);
    EXPECT_EQ(modeOf(kept), 0640u);

    const mode_t mask = umask(022);
    ASSERT_EQ(SaveSystemFile(dir.file("new.ocb").c_str(), kBlock.data()), 0);
    umask(mask);
    EXPECT_EQ(modeOf(dir.file("new.ocb")), 0644u);
}

TEST(AtomicSave, SavingThroughALinkReplacesTheLinkedFile) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("real"));
    writeWholeFile(dir.file("real/setup.ocb"), "old");
    std::filesystem::create_symlink(dir.file("real/setup.ocb"), dir.file("link.ocb"));
    ASSERT_EQ(SaveSystemFile(dir.file("link.ocb").c_str(), kBlock.data()), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.ocb")));
    EXPECT_EQ(readWholeFile(dir.file("real/setup.ocb")), std::string(kBlock.begin(), kBlock.end()));
}
