// `make` and `eval`: creation pages computed into the document exactly as
// the Create window's All Page OK computes them — into a zero waveform of
// the setting's memory size, under the setting's units.
#ifndef ZW_CLI_PAGECOMMANDS_H
#define ZW_CLI_PAGECOMMANDS_H

#include "Language.h"
#include "WaveOutput.h"

#include <QString>

#include <optional>

namespace zw::cli {

// Throws CommandError (1) for an unreadable page file or an evaluation error,
// with the catalogue's message.
void MakeFromPageFile(WaveWorkspace& workspace, const QString& pageFile, Language language);

// One expression page; a leading "[...]" holds its constants. `from` and
// `to` are X positions in the setting's X unit (default: the whole memory).
void MakeFromExpression(WaveWorkspace& workspace, const QString& expression,
                        std::optional<double> from, std::optional<double> to, Language language);

// Splits "[constants] formula" (no constants: the whole text is the formula).
struct ExpressionParts {
    QString constants;
    QString formula;
};
ExpressionParts SplitConstants(const QString& text);

} // namespace zw::cli

#endif // ZW_CLI_PAGECOMMANDS_H
