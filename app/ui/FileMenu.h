// The main window's File commands: New starts another instance of the
// program, Open and Save As ask the file dialogs for a name the wave file
// names propose, Save writes to the current name; the session reads and
// writes, and its messages are shown here, followed by the file's name and
// the system's reason. Files opened or saved are kept as recent files.
#ifndef ZW_UI_FILEMENU_H
#define ZW_UI_FILEMENU_H

class QString;

namespace zw {

struct EditorContext;

class FileMenu {
public:
    explicit FileMenu(EditorContext& context) : ctx_(context) {}

    void Menu_FileNew_Click();
    // Asks first when the document holds unsaved changes.
    void Menu_FileOpen_Click();
    void Menu_FileSave_Click() { save(); }
    // Save As: the binary (.wdb) or the text (.txt) form. True when written.
    bool saveAs(bool binary);
    // Save to the current name, Save As for an untitled document. True when
    // the document was written.
    bool save();
    // File > Recent Files: opens `path` (asking first as Open does); a file
    // that is gone leaves the list.
    void openRecent(const QString& path);

private:
    void show(int message, const QString& path);
    // Opening or saving `path` gave `message`; a success is remembered.
    void remember(int message, const QString& path);

    EditorContext& ctx_;
};

} // namespace zw

#endif // ZW_UI_FILEMENU_H
