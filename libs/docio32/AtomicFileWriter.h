// Replaces a file's contents so that a failure at any point leaves the old
// file as it was: write a temporary file in the same folder, flush it to
// disk, rename it over the target.
#ifndef DOCIO32_ATOMIC_FILE_WRITER_H
#define DOCIO32_ATOMIC_FILE_WRITER_H

#include <string_view>

namespace docio32 {

// True when `path` now holds exactly `contents`. False when the path is
// empty, names a folder, names an existing file that may not be written, or
// any step fails; no temporary file is left behind then. A new file gets the
// usual read and write permissions (0666 less the umask); a replaced file
// keeps its mode. A symbolic link is followed, so the file it names is
// replaced and the link stays.
bool replaceFileAtomically(const char* path, std::string_view contents);

} // namespace docio32

#endif
