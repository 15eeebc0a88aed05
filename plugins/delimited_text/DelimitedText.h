// A column of numbers from delimited text (CSV, TSV, blank-separated), as
// spreadsheets, oscilloscopes and simulators export it:
// - the delimiter is found by looking at the file (TextFields.h);
// - blank lines and lines starting with '#' are passed over;
// - the column is the first field holding a number on the second line with
//   content (on the first when there is one only); the first line is a
//   header, and skipped, when that field of it is no number;
// - from there every line must hold a number in that column: a column whose
//   numbers stop half-way is refused, not imported in part;
// - the numbers become codes by the rule of CodeScaling.h.
#ifndef ZW_PLUGINS_DELIMITEDTEXT_H
#define ZW_PLUGINS_DELIMITEDTEXT_H

#include <cstdint>
#include <string_view>
#include <vector>

namespace zw::textimport {

struct ColumnCodes {
    int32_t result = 0; // a ZW_IMPORT_ result
    std::vector<int16_t> codes;
};

// From the file's bytes. ZW_IMPORT_BAD_FORMAT for binary data, no column of
// numbers or one that stops; ZW_IMPORT_NO_SAMPLES for a text without lines.
ColumnCodes ReadColumnCodes(std::string_view bytes);

} // namespace zw::textimport

#endif // ZW_PLUGINS_DELIMITEDTEXT_H
