// The main window's Edit commands and pattern buttons. With the keyboard
// focus in the pattern box Txt_Pattern, Cut, Copy, Paste and Delete edit its
// text; otherwise they act on the marked stretch through the session, whose
// messages are shown here.
#ifndef ZW_UI_EDITMENU_H
#define ZW_UI_EDITMENU_H

#include "zwplatform.h"

class QLineEdit;

namespace zw {

struct EditorContext;

class EditMenu {
public:
    EditMenu(EditorContext& context, QLineEdit& pattern, ZwClipboardOwner* clipboard)
        : ctx_(context), pattern_(pattern), clipboard_(clipboard) {}

    void Menu_Undo_Click();
    void Menu_Cut_Click();
    void Menu_Copy_Click();
    void Menu_Paste_Click();
    void Menu_Delete_Click();
    // Ctrl+A: the markers at both ends of the waveform (in the pattern box:
    // all of its text).
    void Menu_SelectAll_Click();
    void Btn_Pattern_Click(int index);

private:
    bool patternHasFocus() const;
    void show(int message);

    EditorContext& ctx_;
    QLineEdit& pattern_;
    ZwClipboardOwner* clipboard_;
};

} // namespace zw

#endif // ZW_UI_EDITMENU_H
