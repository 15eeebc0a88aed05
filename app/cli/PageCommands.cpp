#include "PageCommands.h"

#include "CliTexts.h"
#include "MessageCatalog.h"
#include "PageComputer.h"
#include "PageFile.h"
#include "PageTable.h"
#include "RandomSeed.h"
#include "Units.h"
#include "sigcore32.h"

#include <QDir>

namespace zw::cli {

namespace {

// A wave memory of its own for the time of one command.
class WorkMemory {
public:
    WorkMemory() : handle_(W_AllocMemory(WaveDocument::kMemorySamples)) {}
    ~WorkMemory() {
        if (handle_)
            W_FreeMemory(handle_);
    }
    WorkMemory(const WorkMemory&) = delete;
    WorkMemory& operator=(const WorkMemory&) = delete;
    ZwMemHandle get() const { return handle_; }

private:
    ZwMemHandle handle_;
};

void ComputeAllPages(WaveWorkspace& workspace, create::PageTable& table, const Units& units,
                     const QString& where, Language language) {
    WorkMemory work;
    if (!work.get())
        throw CommandError(kExitFailed, MessageCatalog(language).text(10, language));
    // Noise pages draw afresh on every run, as in the Create window.
    create::SeedRandomSourcesFromClock();
    const create::PageComputer computer(work.get(), units, create::CreateMode::InPlace);
    create::CreateTarget target{workspace.document().current(), {}};
    const int code = create::AllPageOK(table, computer, target);
    if (code != 0) {
        QString text = MessageCatalog(language).text(code, language).trimmed();
        if (!where.isEmpty())
            text += QLatin1String(": ") + where;
        throw CommandError(kExitFailed, text);
    }
}

} // namespace

ExpressionParts SplitConstants(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(QLatin1Char('['))) {
        const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
        if (close > 0)
            return {trimmed.mid(1, close - 1), trimmed.mid(close + 1)};
    }
    return {QString(), trimmed};
}

void MakeFromPageFile(WaveWorkspace& workspace, const QString& pageFile, Language language) {
    const Units units(workspace.setting().info());
    create::PageTable table(units.setting().WaveLength);
    const create::PageFileReading reading = create::ReadPageFile(pageFile, table, units);
    const QString shown = QDir::toNativeSeparators(pageFile);
    if (reading.code != 0)
        throw CommandError(kExitFailed, FileMessage(reading.code, pageFile, language));
    if (!reading.applied)
        throw CommandError(kExitFailed, Text(CliText::NotAPageFile, language).arg(shown));
    if (table.effectivePages().empty())
        throw CommandError(kExitFailed, Text(CliText::NoPages, language).arg(shown));
    ComputeAllPages(workspace, table, units, shown, language);
}

void MakeFromExpression(WaveWorkspace& workspace, const QString& expression,
                        std::optional<double> from, std::optional<double> to, Language language) {
    const Units units(workspace.setting().info());
    const ExpressionParts parts = SplitConstants(expression);
    if (parts.formula.trimmed().isEmpty())
        throw CommandError(kExitUsage, Text(CliText::EmptyExpression, language));
    const double length = units.setting().WaveLength;
    const double start = from ? units.XUnitToPosition(*from) : 0.0;
    const double end = to ? units.XUnitToPosition(*to) : length;
    if (!(end > start) || end <= 0.0 || start >= length)
        throw CommandError(kExitUsage, Text(CliText::StretchRefused, language)
                                           .arg(from.value_or(units.XPositionToUnit(0.0)))
                                           .arg(to.value_or(units.XPositionToUnit(length))));

    create::PageTable table(length);
    create::PageRecord& page = table.page(create::kFirstPage);
    page.Type = create::PageType::Expression;
    page.Start = start;
    page.End = end;
    page.Constants = create::NormalizedConstants(parts.constants);
    page.Expression = create::NormalizedExpression(parts.formula);
    page.Effective = true;
    page.Visited = true;
    page.touch();
    ComputeAllPages(workspace, table, units, QString(), language);
}

} // namespace zw::cli
