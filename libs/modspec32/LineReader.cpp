#include "LineReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace modspec32 {

namespace {
constexpr int kEndOfText = 0x1A; // Ctrl-Z: the end of a text file to the tools that write them
}

namespace {

// A regular file only, opened without waiting: a FIFO without a writer
// would block the open for ever.
std::FILE* openRegularFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    const int flags = ::fcntl(fd, F_GETFL);
    std::FILE* file = nullptr;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && flags >= 0 &&
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0)
        file = ::fdopen(fd, "rb");
    if (file == nullptr)
        ::close(fd);
    return file;
}

} // namespace

LineReader::LineReader(const std::filesystem::path& path) : file_(openRegularFile(path)) {}

LineReader::LineReader(const std::filesystem::path& path, long offset, int lineNumber)
    : file_(openRegularFile(path)), lineNumber_(lineNumber) {
    if (file_ && (offset < 0 || std::fseek(file_.get(), offset, SEEK_SET) != 0)) {
        file_.reset();
    }
}

int LineReader::nextByte() {
    if (atEnd_) {
        return EOF;
    }
    int c = std::getc(file_.get());
    if (c == '\r') {
        const int following = std::getc(file_.get());
        if (following == '\n') {
            c = '\n';
        } else if (following != EOF) {
            std::ungetc(following, file_.get());
        }
    }
    if (c == EOF || c == kEndOfText) {
        if (std::ferror(file_.get())) {
            failed_ = true;
        }
        atEnd_ = true;
        return EOF;
    }
    return c;
}

bool LineReader::next(std::string& line) {
    line.clear();
    if (!file_) {
        return false;
    }
    while (line.size() < kLinePieceBytes) {
        const int c = nextByte();
        if (c == EOF) {
            if (line.empty()) {
                return false;
            }
            break;
        }
        if (c == '\n') {
            ++lineNumber_;
            return true;
        }
        line.push_back(static_cast<char>(c));
    }
    ++lineNumber_;
    return true;
}

} // namespace modspec32
