// The main window's File commands: New starts another instance of the
// program, Open and Save As ask the file dialogs for a name the wave file
// names propose, Save writes to the current name, Import reads a file
// through the plug-ins (FileImportCommand); the session reads and writes,
// and its messages are shown here.
#ifndef ZW_UI_FILEMENU_H
#define ZW_UI_FILEMENU_H

#include "FileImportCommand.h"

namespace zw {

class CaptionCatalog;
struct EditorContext;

class FileMenu {
public:
    FileMenu(EditorContext& context, const CaptionCatalog& captions)
        : ctx_(context), import_(context, captions) {}

    void Menu_FileNew_Click();
    void Menu_FileOpen_Click();
    void Menu_FileImport_Click();
    void Menu_FileSave_Click();
    // Save As: the binary (.wdb) or the text (.txt) form.
    void saveAs(bool binary);

private:
    void show(int message);

    EditorContext& ctx_;
    FileImportCommand import_;
};

} // namespace zw

#endif // ZW_UI_FILEMENU_H
