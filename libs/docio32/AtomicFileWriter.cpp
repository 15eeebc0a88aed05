#include "AtomicFileWriter.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace docio32 {

namespace {

// Closes a descriptor and removes the temporary file unless told to keep it.
class TemporaryFile {
public:
    TemporaryFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~TemporaryFile() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!kept_)
            ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    void keep() { kept_ = true; }

private:
    int fd_;
    std::string path_;
    bool kept_ = false;
};

// The file a path finally names: a symbolic link is followed, so that saving
// through a link replaces the linked file rather than the link.
std::string resolvedTarget(const char* path) {
    struct stat info {};
    if (::lstat(path, &info) == 0 && S_ISLNK(info.st_mode)) {
        if (char* real = ::realpath(path, nullptr)) {
            std::string result(real);
            std::free(real);
            return result;
        }
    }
    return path;
}

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

// Creates a new file next to the target with a name no one else uses; the
// umask applies to its mode as to any new file.
int createTemporary(const std::string& target, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    const std::string folder = folderOf(target);
    // Keep the name well inside the folder's name length limit.
    const std::string stem = nameOf(target).substr(0, 120);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder + "/." + stem + ".tmp" + std::to_string(::getpid()) + "-" +
                   std::to_string(counter.fetch_add(1));
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
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

} // namespace

bool replaceFileAtomically(const char* path, std::string_view contents) {
    if (path == nullptr || *path == '\0')
        return false;
    const std::string target = resolvedTarget(path);

    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists) {
        // Truncating a folder or a write-protected file fails; so does this.
        if (S_ISDIR(existing.st_mode) || ::access(target.c_str(), W_OK) != 0)
            return false;
    } else if (errno != ENOENT) {
        return false;
    }

    std::string tempPath;
    const int fd = createTemporary(target, tempPath);
    if (fd < 0)
        return false;
    TemporaryFile temp(fd, tempPath);
    if (exists && ::fchmod(temp.fd(), existing.st_mode & 07777) != 0)
        return false;
    if (!writeAll(temp.fd(), contents) || ::fsync(temp.fd()) != 0 || !temp.close())
        return false;
    if (::rename(temp.path().c_str(), target.c_str()) != 0)
        return false;
    temp.keep();
    syncFolder(folderOf(target));
    return true;
}

} // namespace docio32
