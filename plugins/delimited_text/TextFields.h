// The pieces of one line of delimited text: lines, the delimiter a file
// uses, the fields of a line and the number a field holds.
#ifndef ZW_PLUGINS_TEXTFIELDS_H
#define ZW_PLUGINS_TEXTFIELDS_H

#include <optional>
#include <string_view>
#include <vector>

namespace zw::textimport {

enum class Delimiter { Tab, Semicolon, Comma, Blanks };

// The lines of a text one after the other; a line ends at LF, CR LF or CR.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}
    // Nothing after the last line.
    std::optional<std::string_view> next();

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

// A line that carries nothing: only blanks, or a comment starting with '#'.
bool IsEmptyLine(std::string_view line);

// The delimiter of a file, from some of its lines: the one of tab, semicolon
// and comma that stands the same number of times on the most lines (in that
// order of preference when two tie), if those are more than half the lines;
// blanks otherwise.
Delimiter GuessDelimiter(const std::vector<std::string_view>& lines);

// The fields of a line. Blanks around a field are dropped; a field in
// double quotes loses its quotes and may hold the delimiter. With blanks as
// the delimiter any run of blanks and tabs separates fields.
std::vector<std::string_view> SplitFields(std::string_view line, Delimiter delimiter);
// Field `index` of a line as SplitFields gives it, nothing past the last.
std::optional<std::string_view> FieldAt(std::string_view line, Delimiter delimiter,
                                        std::size_t index);

// The number of a field, read in the "C" notation whatever the locale: an
// optional sign, digits with an optional decimal point, an optional
// exponent. Where the comma does not delimit (semicolon, tab or blank
// files) a single comma may stand for the decimal point. Nothing for
// anything else, infinities and NaN included.
std::optional<double> ParseNumber(std::string_view field, Delimiter delimiter);

} // namespace zw::textimport

#endif // ZW_PLUGINS_TEXTFIELDS_H
