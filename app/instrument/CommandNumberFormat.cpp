// Command-script number patterns through the editor's number formatting,
// so that scripts and dialogs render numbers alike.
#include "CommandNumberFormat.h"

#include "NumberFormat.h"

namespace zw {

std::string FormatWithPattern(double value, std::string_view pattern) {
    const QString text = NumberFormat::Format(
        value, QString::fromLatin1(pattern.data(), static_cast<qsizetype>(pattern.size())));
    return text.toLatin1().toStdString();
}

} // namespace zw
