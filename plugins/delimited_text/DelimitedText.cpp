#include "DelimitedText.h"

#include "CodeScaling.h"
#include "TextDecoding.h"
#include "TextFields.h"
#include "importplugin.h"

#include <optional>
#include <string>
#include <vector>

namespace zw::textimport {

namespace {

// Enough lines to tell the delimiter of any file a person would export.
constexpr std::size_t kLinesToGuessFrom = 64;

// The lines with content, one after the other.
class ContentLines {
public:
    explicit ContentLines(std::string_view text) : reader_(text) {}
    std::optional<std::string_view> next() {
        while (const std::optional<std::string_view> line = reader_.next())
            if (!IsEmptyLine(*line))
                return line;
        return std::nullopt;
    }

private:
    LineReader reader_;
};

struct ColumnLayout {
    Delimiter delimiter = Delimiter::Blanks;
    std::size_t column = 0;
    bool header = false;
};

std::optional<std::size_t> FirstNumberField(std::string_view line, Delimiter delimiter) {
    const std::vector<std::string_view> fields = SplitFields(line, delimiter);
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (ParseNumber(fields[i], delimiter))
            return i;
    return std::nullopt;
}

std::optional<double> NumberAt(std::string_view line, const ColumnLayout& layout) {
    const std::optional<std::string_view> field = FieldAt(line, layout.delimiter, layout.column);
    if (!field)
        return std::nullopt;
    return ParseNumber(*field, layout.delimiter);
}

// Nothing when the text has no line with content (`empty` then true) or no
// column of numbers.
std::optional<ColumnLayout> FindLayout(std::string_view text, bool& empty) {
    std::vector<std::string_view> sample;
    ContentLines lines(text);
    while (sample.size() < kLinesToGuessFrom)
        if (const std::optional<std::string_view> line = lines.next())
            sample.push_back(*line);
        else
            break;
    empty = sample.empty();
    if (empty)
        return std::nullopt;
    ColumnLayout layout;
    layout.delimiter = GuessDelimiter(sample);
    const std::string_view probe = sample.size() > 1 ? sample[1] : sample[0];
    const std::optional<std::size_t> column = FirstNumberField(probe, layout.delimiter);
    if (!column)
        return std::nullopt;
    layout.column = *column;
    layout.header = !NumberAt(sample[0], layout);
    return layout;
}

// Calls `take` with the number of every data line; false at the first data
// line without a number in the column.
template <typename Take>
bool ForEachNumber(std::string_view text, const ColumnLayout& layout, Take take) {
    ContentLines lines(text);
    if (layout.header)
        lines.next();
    while (const std::optional<std::string_view> line = lines.next()) {
        const std::optional<double> value = NumberAt(*line, layout);
        if (!value)
            return false;
        take(*value);
    }
    return true;
}

} // namespace

ColumnCodes ReadColumnCodes(std::string_view bytes) {
    ColumnCodes outcome;
    const std::optional<std::string> text = DecodeText(bytes);
    if (!text) {
        outcome.result = ZW_IMPORT_BAD_FORMAT;
        return outcome;
    }
    bool empty = false;
    const std::optional<ColumnLayout> layout = FindLayout(*text, empty);
    if (!layout) {
        outcome.result = empty ? ZW_IMPORT_NO_SAMPLES : ZW_IMPORT_BAD_FORMAT;
        return outcome;
    }
    // Two passes over the text instead of a list of doubles: the scale needs
    // every number first, and codes take a quarter of the room.
    CodeScaling scaling;
    std::size_t count = 0;
    if (!ForEachNumber(*text, *layout, [&](double value) {
            scaling.add(value);
            ++count;
        })) {
        outcome.result = ZW_IMPORT_BAD_FORMAT;
        return outcome;
    }
    if (count == 0) {
        outcome.result = ZW_IMPORT_NO_SAMPLES;
        return outcome;
    }
    outcome.codes.reserve(count);
    ForEachNumber(*text, *layout,
                  [&](double value) { outcome.codes.push_back(scaling.code(value)); });
    outcome.result = ZW_IMPORT_OK;
    return outcome;
}

} // namespace zw::textimport
