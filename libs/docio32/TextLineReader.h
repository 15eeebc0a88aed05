// Reads a text file line by line in pieces of bounded length, as a reader
// with a fixed line buffer does: a line longer than the limit goes on in the
// next piece. Reads through the caller's FILE* and leaves it positioned just
// after what it has handed out, so that another reader can take over.
#ifndef DOCIO32_TEXT_LINE_READER_H
#define DOCIO32_TEXT_LINE_READER_H

#include <cstddef>
#include <cstdio>
#include <string>

namespace docio32 {

class TextLineReader {
public:
    enum class CarriageReturns {
        EndLineBeforeLf, // CR LF ends a line like LF; a lone CR is an ordinary character
        Dropped,         // every CR is left out
    };

    TextLineReader(std::FILE* file, std::size_t maxPieceLength, CarriageReturns carriageReturns);
    ~TextLineReader();
    TextLineReader(const TextLineReader&) = delete;
    TextLineReader& operator=(const TextLineReader&) = delete;

    // The next piece, without its line end. False at the end of the file or
    // on a read error (then failed() is true). A piece that fills the limit
    // takes the line end that directly follows it, so a line of exactly the
    // limit is one piece.
    bool next(std::string& piece);
    bool failed() const { return failed_; }

private:
    int get();
    void unget(int c);
    // True when a line end comes next; consumes it.
    bool takeLineEnd();

    std::FILE* file_;
    std::size_t maxPieceLength_;
    CarriageReturns carriageReturns_;
    std::string pending_; // characters read ahead, last one first out
    bool failed_ = false;
};

} // namespace docio32

#endif
