// Saving a file so that a failure at any point never leaves the user with
// neither the old nor the new version, and without side effects on what
// the name stands for. This is the one place that decides how every file of
// the library is written; the rule:
//
// 1. The name is followed through symbolic links to the file it finally
//    names; a link whose target does not exist gets that target created,
//    and the links stay as they are.
// 2. A target that exists and is not a regular file (a folder, a device
//    node, a FIFO, a socket) is refused and left untouched; so is a regular
//    file that may not be written.
// 3. The usual way is a temporary file in the target's folder, flushed to
//    disk and renamed over the target: the old file stays whole until the
//    new one is complete. The new file gets the old one's mode, owner and
//    group (a new file gets 0666 less the umask).
// 4. Where a rename would change what the user has — the file has further
//    hard links (they would keep the old contents), its owner or group
//    cannot be given to a new file, or the folder may not be written —
//    the file is written in place instead: its old contents are first
//    copied aside (into the same folder when possible, else the temporary
//    folder), space for the new contents is reserved where the file system
//    allows, and a failure writes the old contents back. The copy is
//    removed once the file holds either version whole, and is left (named
//    ".<name>.old<pid>-<n>") only when even writing back failed.
// A failure leaves no temporary file.
#ifndef DOCIO32_ATOMIC_FILE_WRITER_H
#define DOCIO32_ATOMIC_FILE_WRITER_H

#include <string_view>

namespace docio32 {

// True when the file `path` names now holds exactly `contents`. False when
// the path is empty, is refused by the rule above, or any step fails.
bool replaceFileContents(const char* path, std::string_view contents);

} // namespace docio32

#endif
