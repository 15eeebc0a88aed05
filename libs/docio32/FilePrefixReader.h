// Reads the beginning of a file into memory in one go, so that a caller can
// store what was read only once the whole read has succeeded.
#ifndef DOCIO32_FILE_PREFIX_READER_H
#define DOCIO32_FILE_PREFIX_READER_H

#include <cstddef>
#include <string>

namespace docio32 {

struct FilePrefix {
    enum class Outcome { Read, CannotOpen, ReadFailed };
    Outcome outcome = Outcome::CannotOpen;
    std::string bytes; // at most the asked number; fewer when the file is shorter
};

FilePrefix readFilePrefix(const char* path, std::size_t maxBytes);

} // namespace docio32

#endif
