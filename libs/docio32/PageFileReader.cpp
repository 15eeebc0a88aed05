// Reading the creation-page file: the header's display ranges and one page
// block at a time, from a FILE* the caller opened.
#include "docio32.h"

#include "CNumbers.h"
#include "TextLineReader.h"
#include "zwplatform.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace docio32 {

namespace {

constexpr std::size_t kPageLineLength = 4096;
constexpr std::size_t kConstantsCapacity = DOCIO32_PAGE_CONSTANTS_SIZE - 1;
constexpr std::size_t kExpressionCapacity = DOCIO32_PAGE_EXPRESSION_SIZE - 1;

TextLineReader pageLines(std::FILE* file) {
    return TextLineReader(file, kPageLineLength, TextLineReader::CarriageReturns::Dropped);
}

constexpr bool isTokenDelimiter(char c) {
    return c == '\t' || c == ' ' || c == '\r' || c == '\n';
}

bool beginsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The first token of a line and where the text after its delimiter begins.
struct FirstToken {
    std::string_view token;
    std::string_view after;
};

FirstToken firstToken(std::string_view line) {
    std::size_t begin = 0;
    while (begin < line.size() && isTokenDelimiter(line[begin]))
        ++begin;
    std::size_t end = begin;
    while (end < line.size() && !isTokenDelimiter(line[end]))
        ++end;
    return {line.substr(begin, end - begin), line.substr(std::min(end + 1, line.size()))};
}

// "a,b" after a range key: the text up to the next space or comma (leading
// ones skipped) is the first value, what follows that delimiter the second.
void readRange(std::string_view values, double* first, double* second) {
    const auto isRangeDelimiter = [](char c) { return c == ' ' || c == ','; };
    std::size_t begin = 0;
    while (begin < values.size() && isRangeDelimiter(values[begin]))
        ++begin;
    if (begin == values.size())
        return;
    std::size_t end = begin;
    while (end < values.size() && !isRangeDelimiter(values[end]))
        ++end;
    if (first)
        *first = atofC(values.substr(begin, end - begin));
    if (end < values.size() && second)
        *second = atofC(values.substr(end + 1));
}

enum class HeaderEnd { RangesRead, EndOfFile, ReadError };

HeaderEnd readHeader(std::FILE* file, double* xAtFirst, double* xAtEnd, double* yLowest,
                     double* yHighest) {
    TextLineReader lines = pageLines(file);
    std::string line;
    while (lines.next(line)) {
        const FirstToken first = firstToken(line);
        if (beginsWith(first.token, "'XX")) {
            readRange(first.after, xAtFirst, xAtEnd);
        } else if (beginsWith(first.token, "'YY")) {
            readRange(first.after, yLowest, yHighest);
            return HeaderEnd::RangesRead;
        }
    }
    return lines.failed() ? HeaderEnd::ReadError : HeaderEnd::EndOfFile;
}

// Keys in the order they are looked for; a line belongs to the first one it
// holds anywhere.
enum Key {
    Page,
    Type,
    Start,
    End,
    Offset,
    Size,
    Ampl,
    Cycle,
    Phase,
    Symm,
    Duty,
    Transition,
    Expression,
    Constants,
    KeyCount
};
constexpr std::array<std::string_view, KeyCount> kKeys = {
    "'Page",  "'Type",  "'Start", "'End",  "'Offset",     "'Size", "'Ampl",
    "'Cycle", "'Phase", "'Symm",  "'Duty", "'Transition", "'Y=",   "'Const"};

std::optional<Key> keyOfLine(std::string_view line) {
    for (std::size_t k = 0; k < kKeys.size(); ++k)
        if (line.find(kKeys[k]) != std::string_view::npos)
            return static_cast<Key>(k);
    return std::nullopt;
}

struct PageBlock {
    std::optional<int16_t> pageNumber;
    std::optional<int16_t> type;
    std::array<std::optional<double>, 10> numbers; // start, end, then the eight parameters
    std::optional<std::string> expression;
    std::string constants;
};

// Page and type: a whole number that must begin with a digit; beyond the
// 16-bit range it saturates, so that an oversized page number stays too large
// instead of wrapping onto a real page.
std::optional<int16_t> pageInteger(std::string_view token) {
    if (token.empty() || !isDigit(token.front()))
        return std::nullopt;
    return static_cast<int16_t>(
        std::min<int32_t>(leadingInt32(token), std::numeric_limits<int16_t>::max()));
}

// A text read as empty when it begins with "None"; nullopt when too long.
std::optional<std::string> pageText(std::string text, std::size_t capacity) {
    if (beginsWith(text, "None"))
        return std::string();
    if (text.size() > capacity)
        return std::nullopt;
    return text;
}

// Reads constant lines up to EndPage: trimmed, empty ones left out, joined
// with CR LF. Keeps only a little more than fits, which is enough to know
// that it does not.
std::optional<std::string> readConstants(TextLineReader& lines) {
    std::string joined;
    std::string line;
    while (lines.next(line)) {
        if (beginsWith(line, "EndPage"))
            return pageText(std::move(joined), kConstantsCapacity);
        const std::string_view text = trimmed(line);
        if (text.empty())
            continue;
        if (!joined.empty())
            joined += "\r\n";
        joined += text;
        if (joined.size() > kConstantsCapacity + 4)
            joined.resize(kConstantsCapacity + 4);
    }
    return std::nullopt; // the file ended inside the page
}

std::optional<PageBlock> readPage(TextLineReader& lines) {
    std::string line;
    do {
        if (!lines.next(line))
            return std::nullopt;
    } while (!beginsWith(firstToken(line).token, "StartPage"));

    PageBlock page;
    while (lines.next(line)) {
        const auto key = keyOfLine(line);
        if (!key) {
            // A page whose EndPage comes before any 'Const line ends there
            // with no constants, instead of running into the next page.
            if (beginsWith(line, "EndPage"))
                return page;
            continue;
        }
        switch (*key) {
        case Page:
        case Type: {
            const auto value = pageInteger(firstToken(line).token);
            if (!value)
                return std::nullopt;
            (*key == Page ? page.pageNumber : page.type) = value;
            break;
        }
        case Expression: {
            std::string next;
            if (!lines.next(next))
                return std::nullopt;
            page.expression = pageText(std::string(trimmed(next)), kExpressionCapacity);
            if (!page.expression)
                return std::nullopt;
            break;
        }
        case Constants: {
            auto constants = readConstants(lines);
            if (!constants)
                return std::nullopt;
            page.constants = std::move(*constants);
            return page;
        }
        default:
            page.numbers[*key - Start] = atofC(firstToken(line).token);
            break;
        }
    }
    return std::nullopt; // the file ended inside the page
}

template <typename T> void store(const std::optional<T>& value, T* out) {
    if (value && out)
        *out = *value;
}

void storeText(const std::string& text, char* out) {
    if (out) {
        std::memcpy(out, text.data(), text.size());
        out[text.size()] = '\0';
    }
}

} // namespace

} // namespace docio32

using namespace docio32;

extern "C" {

DOCIO32_API int32_t ReadWaveListHeader(FILE* file, double* xAtFirst, double* xAtEnd,
                                       double* yLowest, double* yHighest) {
    return zw::GuardedExport(-1, [&] {
        if (file == nullptr)
            return -1;
        const long startedAt = std::ftell(file);
        switch (readHeader(file, xAtFirst, xAtEnd, yLowest, yHighest)) {
        case HeaderEnd::RangesRead:
            return 0;
        case HeaderEnd::ReadError:
            return -1;
        case HeaderEnd::EndOfFile:
            // No header: go back so the pages can still be read.
            if (startedAt >= 0) {
                std::clearerr(file);
                std::fseek(file, startedAt, SEEK_SET);
            }
            return 0;
        }
        return 0;
    });
}

DOCIO32_API int32_t ReadOneWaveList(FILE* file, int16_t* pageNumber, int16_t* type, double* start,
                                    double* end, double* parameters, char* constants,
                                    char* expression) {
    return zw::GuardedExport(-1, [&] {
        if (file == nullptr)
            return -1;
        TextLineReader lines = pageLines(file);
        const auto page = readPage(lines);
        if (!page)
            return -1;
        store(page->pageNumber, pageNumber);
        store(page->type, type);
        store(page->numbers[0], start);
        store(page->numbers[1], end);
        for (std::size_t i = 0; i < 8 && parameters; ++i)
            store(page->numbers[2 + i], parameters + i);
        if (page->expression)
            storeText(*page->expression, expression);
        storeText(page->constants, constants);
        return 1;
    });
}

} // extern "C"
