#include "TextLineReader.h"

namespace docio32 {

TextLineReader::TextLineReader(std::FILE* file, std::size_t maxPieceLength,
                               CarriageReturns carriageReturns)
    : file_(file), maxPieceLength_(maxPieceLength == 0 ? 1 : maxPieceLength),
      carriageReturns_(carriageReturns) {}

TextLineReader::~TextLineReader() {
    // Give read-ahead back to the stream for whoever reads on. Only the
    // CR-before-LF mode ever reads two ahead, and its stream is closed after it.
    while (!pending_.empty()) {
        std::ungetc(static_cast<unsigned char>(pending_.back()), file_);
        pending_.pop_back();
    }
}

int TextLineReader::get() {
    if (!pending_.empty()) {
        const int c = static_cast<unsigned char>(pending_.back());
        pending_.pop_back();
        return c;
    }
    const int c = std::getc(file_);
    if (c == EOF && std::ferror(file_))
        failed_ = true;
    return c;
}

void TextLineReader::unget(int c) {
    if (c != EOF)
        pending_.push_back(static_cast<char>(c));
}

bool TextLineReader::takeLineEnd() {
    int c = get();
    if (carriageReturns_ == CarriageReturns::Dropped) {
        while (c == '\r')
            c = get();
        if (c == '\n')
            return true;
        unget(c);
        return false;
    }
    if (c == '\n')
        return true;
    if (c == '\r') {
        const int after = get();
        if (after == '\n')
            return true;
        unget(after);
    }
    unget(c);
    return false;
}

bool TextLineReader::next(std::string& piece) {
    piece.clear();
    if (failed_)
        return false;
    bool readAnything = false;
    while (true) {
        const int c = get();
        if (c == EOF)
            return readAnything && !failed_;
        readAnything = true;
        if (c == '\n')
            return true;
        if (c == '\r') {
            if (carriageReturns_ == CarriageReturns::Dropped)
                continue;
            const int after = get();
            if (after == '\n')
                return true;
            unget(after);
        }
        piece.push_back(static_cast<char>(c));
        if (piece.size() == maxPieceLength_) {
            takeLineEnd();
            return !failed_;
        }
    }
}

} // namespace docio32
