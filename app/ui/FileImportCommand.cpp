#include "FileImportCommand.h"

#include "CaptionCatalog.h"
#include "EditorContext.h"
#include "FileDialogService.h"
#include "Messages.h"
#include "WaveFileNames.h"

namespace zw {

FileImportCommand::FileImportCommand(EditorContext& context, const CaptionCatalog& captions)
    : ctx_(context), captions_(captions),
      host_(ImportHostLibrary::DefaultCandidates(context.programFolder)) {}

void FileImportCommand::run(const QString& documentsFolder) {
    const ImportOutcome outcome = ctx_.session.importFile(
        host_, ctx_.programFolder + "/PlugIn/", [&](const std::vector<ImportFileType>& types) {
            return chooseFile(types, documentsFolder);
        });
    show(outcome);
}

std::optional<ImportChoice> FileImportCommand::chooseFile(const std::vector<ImportFileType>& types,
                                                          const QString& documentsFolder) {
    const QStringList filters = ImportFilterEntries(types);
    const FileDialogProposal proposal = OpenProposal(ctx_.names().WaveFileName, documentsFolder);
    const FileDialogChoice choice = ctx_.fileDialogs.chooseOpenFileAndFilter(
        {captions_.caption(u"MainWindow", u"Msg:ImportTitle"), filters, filters.value(0),
         proposal.path, QString()});
    if (choice.path.isEmpty())
        return std::nullopt;
    // The entry the file was chosen under picks the plug-in.
    return ImportChoice{std::max<int>(0, static_cast<int>(filters.indexOf(choice.filter))),
                        choice.path};
}

void FileImportCommand::show(const ImportOutcome& outcome) {
    if (outcome.message == kImportCutMessage) {
        // The import is done; the box only says how much of the file came in.
        const QString text =
            ctx_.messages.MessageText(kImportCutMessage) +
            QString("%1 / %2").arg(outcome.importedSamples).arg(outcome.fileSamples);
        ctx_.messages.show({kCautionTitle, text, MessageIcon::Information, MessageButtons::Ok});
    } else if (outcome.message != 0) {
        ctx_.messages.ShowErrorCode(outcome.message);
    }
}

} // namespace zw
