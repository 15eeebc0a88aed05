// A save that fails part-way must leave the file it would replace untouched
// and no temporary file behind; one that succeeds keeps the file's mode.
#include "docio32.h"

#include "DocioTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
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

constexpr uid_t kNobody = 65534;

// Runs `save` as the given user (in a child process when that means giving
// up root) and returns its result.
int runAs(uid_t user, const std::function<int()>& save) {
    if (geteuid() == user)
        return save();
    const pid_t child = fork();
    if (child == 0) {
        const bool dropped = setgroups(0, nullptr) == 0 && setgid(user) == 0 && setuid(user) == 0;
        _exit(dropped ? save() : 255);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

uid_t ownerOf(const std::string& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_uid;
}

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

TEST(AtomicSave, AWritableFileInAReadOnlyFolderIsWrittenInPlace) {
    TempDir dir;
    const std::string ocb = dir.file("setup.ocb");
    writeWholeFile(ocb, "old");
    // Root writes into any folder: the save then runs as a plain user.
    const uid_t user = geteuid() == 0 ? kNobody : geteuid();
    ASSERT_EQ(chown(ocb.c_str(), user, static_cast<gid_t>(-1)), 0);
    ASSERT_EQ(chmod(ocb.c_str(), 0600), 0);
    ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
    EXPECT_EQ(runAs(user, [&] { return SaveSystemFile(ocb.c_str(), kBlock.data()); }), 0);
    chmod(dir.path().c_str(), 0700);
    EXPECT_EQ(readWholeFile(ocb), std::string(kBlock.begin(), kBlock.end()));
    EXPECT_EQ(ownerOf(ocb), user);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"setup.ocb"});
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

TEST(AtomicSave, SavingOverOneNameOfAHardLinkedFileChangesItUnderEveryName) {
    TempDir dir;
    const std::string first = dir.file("first.ocb");
    const std::string second = dir.file("second.ocb");
    writeWholeFile(first, "the old contents, longer than the new ones? no, shorter");
    ASSERT_EQ(link(first.c_str(), second.c_str()), 0);
    ASSERT_EQ(SaveSystemFile(first.c_str(), kBlock.data()), 0);
    const std::string saved(kBlock.begin(), kBlock.end());
    EXPECT_EQ(readWholeFile(first), saved);
    EXPECT_EQ(readWholeFile(second), saved);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"first.ocb", "second.ocb"}));

    // Saving shorter contents in place cuts the file to them.
    WaveMemory memory({1, 2});
    ASSERT_EQ(SaveWaveData(second.c_str(), memory.handle(), 0, 2), 0);
    EXPECT_EQ(readWholeFile(first), "1\r\n2\r\n");
}

TEST(AtomicSave, AnInPlaceSaveFailingPartWayPutsTheOldContentsBack) {
    TempDir dir;
    const std::string wdb = dir.file("doc.wdb");
    const std::string oldContents = "the old document, which must survive\n";
    writeWholeFile(wdb, oldContents);
    ASSERT_EQ(link(wdb.c_str(), dir.file("other.wdb").c_str()), 0);
    const auto before = dir.entries();
    WaveMemory memory(DOCIO32_WAVE_FILE_SAMPLES);
    memory.fill(-1);
    {
        FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.active());
        EXPECT_EQ(Save8832File(wdb.c_str(), kBlock.data(), memory.handle()), 7);
    }
    EXPECT_EQ(readWholeFile(wdb), oldContents);
    EXPECT_EQ(readWholeFile(dir.file("other.wdb")), oldContents);
    EXPECT_EQ(dir.entries(), before) << "the copy aside is removed";
}

TEST(AtomicSave, SavingThroughADanglingLinkCreatesItsTarget) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("real"));
    std::filesystem::create_symlink("real/new.ocb", dir.file("link.ocb"));
    std::filesystem::create_symlink(dir.file("link.ocb"), dir.file("link2.ocb"));
    ASSERT_EQ(SaveSystemFile(dir.file("link2.ocb").c_str(), kBlock.data()), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.ocb")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link2.ocb")));
    EXPECT_EQ(readWholeFile(dir.file("real/new.ocb")), std::string(kBlock.begin(), kBlock.end()));

    // A loop of links names no file.
    std::filesystem::create_symlink("loop-b", dir.file("loop-a"));
    std::filesystem::create_symlink("loop-a", dir.file("loop-b"));
    EXPECT_EQ(SaveSystemFile(dir.file("loop-a").c_str(), kBlock.data()), 7);
}

TEST(AtomicSave, AFileOfAnotherUserKeepsOwnerGroupAndMode) {
    if (geteuid() != 0)
        GTEST_SKIP() << "only root may save a file that another user owns";
    TempDir dir;
    const std::string ocb = dir.file("theirs.ocb");
    writeWholeFile(ocb, "old");
    ASSERT_EQ(chown(ocb.c_str(), 4321, 8765), 0);
    ASSERT_EQ(chmod(ocb.c_str(), 0640), 0);
    ASSERT_EQ(SaveSystemFile(ocb.c_str(), kBlock.data()), 0);
    struct stat info {};
    ASSERT_EQ(stat(ocb.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 8765u);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(readWholeFile(ocb), std::string(kBlock.begin(), kBlock.end()));
}
