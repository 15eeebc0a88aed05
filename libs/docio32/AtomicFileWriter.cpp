#include "AtomicFileWriter.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace docio32 {

namespace {

constexpr int kMaxLinkHops = 40; // as the kernel allows
constexpr std::size_t kCopyChunk = 64 * 1024;

// An open descriptor, closed when it goes; the file it was created as is
// removed too unless kept.
class OpenFile {
public:
    OpenFile() = default;
    OpenFile(int fd, std::string createdPath) : fd_(fd), created_(std::move(createdPath)) {}
    ~OpenFile() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!created_.empty())
            ::unlink(created_.c_str());
    }
    OpenFile(OpenFile&& other) noexcept
        : fd_(std::exchange(other.fd_, -1)), created_(std::move(other.created_)) {
        other.created_.clear();
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    OpenFile& operator=(OpenFile&&) = delete;

    int fd() const { return fd_; }
    const std::string& createdPath() const { return created_; }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    void keep() { created_.clear(); }

private:
    int fd_ = -1;
    std::string created_;
};

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path finally names, following every symbolic link, also one
// whose target does not exist yet. Nothing when a link cannot be read or
// the chain is too long.
std::optional<std::string> followLinks(const char* path) {
    std::string current(path);
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0)
            return errno == ENOENT ? std::optional(current) : std::nullopt;
        if (!S_ISLNK(info.st_mode))
            return current;
        std::array<char, PATH_MAX> buffer{};
        const ssize_t length = ::readlink(current.c_str(), buffer.data(), buffer.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size())
            return std::nullopt;
        const std::string link(buffer.data(), static_cast<std::size_t>(length));
        current = link.front() == '/' ? link : folderOf(current) + "/" + link;
    }
    return std::nullopt;
}

// Creates a new file in `folder` with a name no one else uses, starting
// with `prefix`. The umask applies to `mode` as to any new file.
OpenFile createUnique(const std::string& folder, const std::string& prefix, mode_t mode) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string path = folder + "/" + prefix + std::to_string(::getpid()) + "-" +
                           std::to_string(counter.fetch_add(1));
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0)
            return {fd, std::move(path)};
        if (errno != EEXIST)
            break;
    }
    return {};
}

std::string hiddenPrefix(const std::string& target, const char* kind) {
    // Keep the name well inside the folder's name length limit.
    return "." + nameOf(target).substr(0, 120) + kind;
}

bool writeAllAt(int fd, std::string_view contents, off_t offset) {
    while (!contents.empty()) {
        const ssize_t written = ::pwrite(fd, contents.data(), contents.size(), offset);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
        offset += written;
    }
    return true;
}

// Copies the whole of `from` over the start of `to` and cuts `to` to the
// same length; true when `to` is flushed to disk with it.
bool copyWhole(int from, int to) {
    std::string chunk(kCopyChunk, '\0');
    off_t offset = 0;
    for (;;) {
        const ssize_t got = ::pread(from, chunk.data(), chunk.size(), offset);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            break;
        if (!writeAllAt(to, std::string_view(chunk.data(), static_cast<std::size_t>(got)), offset))
            return false;
        offset += got;
    }
    return ::ftruncate(to, offset) == 0 && ::fsync(to) == 0;
}

// Makes the rename itself durable; a folder that cannot be synced (some file
// systems refuse) does not make the save fail, since the data is on disk.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

enum class Outcome { Saved, Failed, NotThisWay };

bool mayNotCreateHere(int error) {
    return error == EACCES || error == EPERM;
}

// The usual save: a complete new file renamed over the old one. NotThisWay
// when the folder may not be written or the new file cannot have the old
// one's owner and group.
Outcome saveThroughTemporary(const std::string& target, const struct stat* old,
                             std::string_view contents) {
    OpenFile temp = createUnique(folderOf(target), hiddenPrefix(target, ".tmp"), 0666);
    if (temp.fd() < 0)
        return mayNotCreateHere(errno) ? Outcome::NotThisWay : Outcome::Failed;
    if (old != nullptr) {
        struct stat made {};
        if (::fstat(temp.fd(), &made) != 0)
            return Outcome::Failed;
        if ((made.st_uid != old->st_uid || made.st_gid != old->st_gid) &&
            ::fchown(temp.fd(), old->st_uid, old->st_gid) != 0)
            return Outcome::NotThisWay;
        // After the owner: changing it clears the set-user and set-group bits.
        if (::fchmod(temp.fd(), old->st_mode & 07777) != 0)
            return Outcome::Failed;
    }
    if (!writeAllAt(temp.fd(), contents, 0) || ::fsync(temp.fd()) != 0 || !temp.close())
        return Outcome::Failed;
    if (::rename(temp.createdPath().c_str(), target.c_str()) != 0)
        return Outcome::Failed;
    temp.keep();
    syncFolder(folderOf(target));
    return Outcome::Saved;
}

// A private copy of the old contents: beside the target when its folder
// may be written, else in the temporary folder.
OpenFile copyAside(const std::string& target, int original) {
    const char* tmp = std::getenv("TMPDIR");
    const std::string folders[] = {folderOf(target), tmp && *tmp ? tmp : "/tmp"};
    for (const std::string& folder : folders) {
        OpenFile copy = createUnique(folder, hiddenPrefix(target, ".old"), 0600);
        if (copy.fd() >= 0)
            return copyWhole(original, copy.fd()) ? std::move(copy) : OpenFile();
    }
    return {};
}

// Space for the new contents before any old byte is overwritten, so that a
// full disk fails here; file systems that cannot reserve are written anyway
// (a failure then writes the old contents back).
bool reserveSpace(int fd, std::size_t bytes) {
    if (bytes == 0 || ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes)) == 0)
        return true;
    return errno == EOPNOTSUPP || errno == ENOSYS || errno == EINVAL;
}

// The save in place: same file, same links, owner, group and mode.
bool saveInPlace(const std::string& target, const struct stat& old, std::string_view contents) {
    const int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return false;
    OpenFile file(fd, {});
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_dev != old.st_dev ||
        opened.st_ino != old.st_ino)
        return false; // replaced meanwhile by something we were not asked to write
    OpenFile copy = copyAside(target, fd);
    if (copy.fd() < 0 || !reserveSpace(fd, contents.size()))
        return false;
    if (writeAllAt(fd, contents, 0) && ::ftruncate(fd, static_cast<off_t>(contents.size())) == 0 &&
        ::fsync(fd) == 0)
        return true;
    // The old version back; the copy stays only if even that fails.
    if (!copyWhole(copy.fd(), fd))
        copy.keep();
    return false;
}

} // namespace

bool replaceFileContents(const char* path, std::string_view contents) {
    if (path == nullptr || *path == '\0')
        return false;
    const std::optional<std::string> target = followLinks(path);
    if (!target)
        return false;

    struct stat existing {};
    const bool exists = ::stat(target->c_str(), &existing) == 0;
    if (!exists && errno != ENOENT)
        return false;
    if (exists && (!S_ISREG(existing.st_mode) || ::access(target->c_str(), W_OK) != 0))
        return false;
    if (exists && existing.st_nlink > 1)
        return saveInPlace(*target, existing, contents);

    switch (saveThroughTemporary(*target, exists ? &existing : nullptr, contents)) {
    case Outcome::Saved:
        return true;
    case Outcome::NotThisWay:
        return exists && saveInPlace(*target, existing, contents);
    case Outcome::Failed:
        break;
    }
    return false;
}

} // namespace docio32
