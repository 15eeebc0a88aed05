#include "LineReader.h"

namespace modspec32 {

namespace {
constexpr int kEndOfText = 0x1A; // Ctrl-Z: the end of a text file to the tools that write them
}

LineReader::LineReader(const std::filesystem::path& path) : file_(std::fopen(path.c_str(), "rb")) {}

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
