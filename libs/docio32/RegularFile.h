// Opening a file for reading only when it is a regular file. A FIFO without
// a writer would block the open for ever, and opening a device may have
// effects of its own (a tape rewinds, a terminal becomes ours), so anything
// else is refused before it is opened, and the open itself never waits.
#ifndef DOCIO32_REGULAR_FILE_H
#define DOCIO32_REGULAR_FILE_H

#include <cstdio>

namespace docio32 {

// A read-only descriptor of the regular file `path` names (symbolic links
// followed), or -1.
int openRegularFile(const char* path);
// The same as a stream; null on failure.
std::FILE* openRegularStream(const char* path);

} // namespace docio32

#endif
