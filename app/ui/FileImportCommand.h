// File > Import in the main window: the plug-ins' file types in the open
// dialog titled "IMPORT", the import through the editing session, and its
// messages (240 no plug-in, 241 a file refused, 242 a file cut to the
// waveform length). The host library is bound the first time.
#ifndef ZW_UI_FILEIMPORTCOMMAND_H
#define ZW_UI_FILEIMPORTCOMMAND_H

#include "ImportHostLibrary.h"
#include "PlugInImport.h"

#include <QString>

#include <optional>
#include <vector>

namespace zw {

class CaptionCatalog;
struct EditorContext;

class FileImportCommand {
public:
    FileImportCommand(EditorContext& context, const CaptionCatalog& captions);

    // `documentsFolder` holds the proposed name while the document is
    // untitled.
    void run(const QString& documentsFolder);

private:
    std::optional<ImportChoice> chooseFile(const std::vector<ImportFileType>& types,
                                           const QString& documentsFolder);
    void show(const ImportOutcome& outcome);

    EditorContext& ctx_;
    const CaptionCatalog& captions_;
    ImportHostLibrary host_;
};

} // namespace zw

#endif // ZW_UI_FILEIMPORTCOMMAND_H
