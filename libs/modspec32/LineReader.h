// Reads a model file in the pieces its format counts as lines: a line ends
// after its line feed or after 511 bytes, whichever comes first, so a longer
// physical line becomes several numbered lines, exactly as on the desktop
// the files come from. CR LF counts as LF and a Ctrl-Z byte ends the file,
// as text mode reads them there; every other byte passes unchanged.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace modspec32 {

inline constexpr std::size_t kLinePieceBytes = 511;

class LineReader {
public:
    // Opens the file read-only; isOpen() tells whether that worked. Only a
    // regular file opens (a FIFO or a device never blocks or is read).
    explicit LineReader(const std::filesystem::path& path);
    // Opens the file and goes on from `offset` (an offset() of an earlier
    // reader of the same file), counting lines on from `lineNumber`.
    LineReader(const std::filesystem::path& path, long offset, int lineNumber);

    bool isOpen() const { return file_ != nullptr; }
    // Reads the next piece into `line` (without its line feed). False at the
    // end of the file or after a read error (see failed()).
    bool next(std::string& line);
    bool failed() const { return failed_; }
    // Number of the piece last read, counted from 1.
    int lineNumber() const { return lineNumber_; }
    // Where the next piece starts, in bytes from the start of the file.
    long offset() const { return file_ ? std::ftell(file_.get()) : -1; }

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    int nextByte();

    std::unique_ptr<std::FILE, Closer> file_;
    bool atEnd_ = false;
    bool failed_ = false;
    int lineNumber_ = 0;
};

} // namespace modspec32
