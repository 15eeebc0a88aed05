// The main window's File commands: New starts another instance of the
// program, Open and Save As ask the file dialogs for a name the wave file
// names propose, Save writes to the current name; the session reads and
// writes, and its messages are shown here.
#ifndef ZW_UI_FILEMENU_H
#define ZW_UI_FILEMENU_H

namespace zw {

struct EditorContext;

class FileMenu {
public:
    explicit FileMenu(EditorContext& context) : ctx_(context) {}

    void Menu_FileNew_Click();
    void Menu_FileOpen_Click();
    void Menu_FileSave_Click();
    // Save As: the binary (.wdb) or the text (.txt) form.
    void saveAs(bool binary);

private:
    void show(int message);

    EditorContext& ctx_;
};

} // namespace zw

#endif // ZW_UI_FILEMENU_H
