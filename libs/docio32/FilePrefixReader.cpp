#include "FilePrefixReader.h"

#include "RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace docio32 {

FilePrefix readFilePrefix(const char* path, std::size_t maxBytes) {
    FilePrefix result;
    if (path == nullptr || *path == '\0')
        return result;
    const int fd = openRegularFile(path);
    if (fd < 0)
        return result;
    result.bytes.resize(maxBytes);
    std::size_t filled = 0;
    result.outcome = FilePrefix::Outcome::Read;
    while (filled < maxBytes) {
        const ssize_t got = ::read(fd, result.bytes.data() + filled, maxBytes - filled);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            result.outcome = FilePrefix::Outcome::ReadFailed;
            break;
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    ::close(fd);
    result.bytes.resize(filled);
    return result;
}

} // namespace docio32
