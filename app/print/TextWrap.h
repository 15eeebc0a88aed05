// Breaking a printed text into lines that fit a width: at line breaks of
// the text, between words where possible, and inside a word only when the
// word alone is wider than the line (a long expression without blanks).
#ifndef ZW_PRINT_TEXTWRAP_H
#define ZW_PRINT_TEXTWRAP_H

#include <QString>
#include <QStringList>

#include <functional>

namespace zw {

// `width` measures a text in the unit of `maxWidth`. Every returned line
// fits, except a single character wider than the line. An empty text is one
// empty line.
QStringList WrapText(const QString& text, double maxWidth,
                     const std::function<double(const QString&)>& width);

} // namespace zw

#endif // ZW_PRINT_TEXTWRAP_H
