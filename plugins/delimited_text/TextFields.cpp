#include "TextFields.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>

namespace zw::textimport {

namespace {

constexpr std::string_view kBlanks = " \t";
// Longer fields are no number anyone writes; the bound keeps the copy for a
// decimal comma small.
constexpr std::size_t kLongestNumber = 128;

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::string_view Unquoted(std::string_view field) {
    field = Trimmed(field);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        return Trimmed(field.substr(1, field.size() - 2));
    return field;
}

char DelimiterChar(Delimiter delimiter) {
    switch (delimiter) {
    case Delimiter::Tab:
        return '\t';
    case Delimiter::Semicolon:
        return ';';
    case Delimiter::Comma:
        return ',';
    case Delimiter::Blanks:
        break;
    }
    return ' ';
}

std::vector<std::string_view> SplitOnBlanks(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t position = 0;
    while (true) {
        const std::size_t start = line.find_first_not_of(kBlanks, position);
        if (start == std::string_view::npos)
            break;
        std::size_t end = start;
        bool quoted = false;
        while (end < line.size() && (quoted || kBlanks.find(line[end]) == std::string_view::npos)) {
            quoted ^= line[end] == '"';
            ++end;
        }
        fields.push_back(Unquoted(line.substr(start, end - start)));
        position = end;
    }
    return fields;
}

} // namespace

std::optional<std::string_view> LineReader::next() {
    if (position_ >= text_.size())
        return std::nullopt;
    const std::size_t start = position_;
    const std::size_t end = text_.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
        position_ = text_.size();
        return text_.substr(start);
    }
    position_ = end + (text_.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    return text_.substr(start, end - start);
}

bool IsEmptyLine(std::string_view line) {
    const std::string_view content = Trimmed(line);
    return content.empty() || content.front() == '#';
}

Delimiter GuessDelimiter(const std::vector<std::string_view>& lines) {
    constexpr std::array kCandidates = {Delimiter::Tab, Delimiter::Semicolon, Delimiter::Comma};
    Delimiter best = Delimiter::Blanks;
    std::size_t bestScore = 0;
    for (const Delimiter candidate : kCandidates) {
        const char c = DelimiterChar(candidate);
        // How many lines hold the delimiter how many times; the score is the
        // number of lines that agree on the most frequent non-zero count.
        std::map<std::size_t, std::size_t> linesByCount;
        for (const std::string_view line : lines)
            if (const auto n = static_cast<std::size_t>(std::count(line.begin(), line.end(), c)))
                ++linesByCount[n];
        std::size_t score = 0;
        for (const auto& [count, lineCount] : linesByCount)
            score = std::max(score, lineCount);
        // A delimiter stands on most lines: a comma on a line or two is a
        // decimal comma or part of a header.
        if (score > bestScore && score * 2 > lines.size()) {
            best = candidate;
            bestScore = score;
        }
    }
    return best;
}

std::vector<std::string_view> SplitFields(std::string_view line, Delimiter delimiter) {
    if (delimiter == Delimiter::Blanks)
        return SplitOnBlanks(line);
    const char separator = DelimiterChar(delimiter);
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == separator && !quoted) {
            fields.push_back(Unquoted(line.substr(start, i - start)));
            start = i + 1;
        }
    }
    fields.push_back(Unquoted(line.substr(start)));
    return fields;
}

std::optional<std::string_view> FieldAt(std::string_view line, Delimiter delimiter,
                                        std::size_t index) {
    if (delimiter == Delimiter::Blanks) {
        const std::vector<std::string_view> fields = SplitOnBlanks(line);
        if (index >= fields.size())
            return std::nullopt;
        return fields[index];
    }
    // Walks to the field without building the list: this runs once per line
    // of a file that may have millions.
    const char separator = DelimiterChar(delimiter);
    std::size_t field = 0;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == separator && !quoted) {
            if (field == index)
                return Unquoted(line.substr(start, i - start));
            ++field;
            start = i + 1;
        }
    }
    if (field == index)
        return Unquoted(line.substr(start));
    return std::nullopt;
}

std::optional<double> ParseNumber(std::string_view field, Delimiter delimiter) {
    if (field.empty() || field.size() > kLongestNumber)
        return std::nullopt;
    std::array<char, kLongestNumber> copy{};
    std::copy(field.begin(), field.end(), copy.begin());
    const auto end = copy.begin() + static_cast<std::ptrdiff_t>(field.size());
    if (delimiter != Delimiter::Comma && std::count(copy.begin(), end, ',') == 1 &&
        std::find(copy.begin(), end, '.') == end)
        *std::find(copy.begin(), end, ',') = '.';
    const char* first = copy.data();
    const char* last = copy.data() + field.size();
    // from_chars takes no '+'; a sign alone or a second sign is no number.
    if (*first == '+' && last - first > 1 && first[1] != '-' && first[1] != '+')
        ++first;
    double value = 0.0;
    const auto [stop, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error != std::errc{} || stop != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace zw::textimport
