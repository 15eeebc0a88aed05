#include "EditMenu.h"

#include "EditorContext.h"
#include "Messages.h"

#include <QApplication>
#include <QLineEdit>

namespace zw {

bool EditMenu::patternHasFocus() const {
    return QApplication::focusWidget() == &pattern_;
}

void EditMenu::show(int message) {
    if (message != 0)
        ctx_.messages.ShowErrorCode(message);
}

void EditMenu::Menu_Undo_Click() {
    ctx_.session.undo();
}

void EditMenu::Menu_Copy_Click() {
    if (patternHasFocus())
        pattern_.copy();
    else
        show(ctx_.session.copyMarked(clipboard_));
}

void EditMenu::Menu_Cut_Click() {
    if (patternHasFocus())
        pattern_.cut();
    else
        show(ctx_.session.cutMarked(clipboard_));
}

void EditMenu::Menu_Delete_Click() {
    if (patternHasFocus())
        pattern_.del();
    else
        ctx_.session.deleteMarked();
}

void EditMenu::Menu_SelectAll_Click() {
    if (patternHasFocus())
        pattern_.selectAll();
    else
        ctx_.session.setMarkers({0, static_cast<double>(ctx_.session.WaveLength())});
}

void EditMenu::Menu_Paste_Click() {
    if (patternHasFocus())
        pattern_.paste();
    else
        show(ctx_.session.pasteMarked(clipboard_));
}

void EditMenu::Btn_Pattern_Click(int index) {
    show(ctx_.session.applyPattern(index, pattern_.text().toStdString()));
}

} // namespace zw
