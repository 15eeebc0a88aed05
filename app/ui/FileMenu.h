// The main window's File commands: New starts another instance of the
// program, Open and Save As ask the file dialogs for a name the wave file
// names propose, Save writes to the current name, Import reads a file
// through the plug-ins (FileImportCommand); the session reads and writes,
// and its messages are shown here, a file error with the file's name and
// the system's reason. Open and Import ask first when the document holds
// unsaved changes; files opened or saved are kept as recent files.
#ifndef ZW_UI_FILEMENU_H
#define ZW_UI_FILEMENU_H

#include "FileImportCommand.h"
#include "WaveSaving.h"

class QString;

namespace zw {

class CaptionCatalog;
struct EditorContext;

class FileMenu {
public:
    FileMenu(EditorContext& context, const CaptionCatalog& captions)
        : ctx_(context), saving_(context), import_(context, captions) {}

    void Menu_FileNew_Click();
    void Menu_FileOpen_Click();
    void Menu_FileImport_Click();
    void Menu_FileSave_Click() { saving_.save(); }
    // Save As: the binary (.wdb) or the text (.txt) form.
    void saveAs(bool binary) { saving_.saveAs(binary); }
    // File > Recent Files: opens `path` (asking first as Open does); a file
    // that is gone leaves the list.
    void openRecent(const QString& path);

private:
    EditorContext& ctx_;
    WaveSaving saving_;
    FileImportCommand import_;
};

} // namespace zw

#endif // ZW_UI_FILEMENU_H
