// The captions of the main window in both languages, by control name, and
// the caption procedure that sets them: a name the window does not have is
// skipped. Menu items are QActions, the others widgets with a text.
#ifndef ZW_UI_MAINWINDOWCAPTIONS_H
#define ZW_UI_MAINWINDOWCAPTIONS_H

#include "Language.h"

#include <QString>

class QObject;

namespace zw {

struct Caption {
    const char* name;
    const char* japanese;
    const char* english;
};

// The caption of a control of the main window; empty for a name it lacks.
QString MainWindowCaption(const QString& name, Language language);
// The Undo item's two captions.
QString UndoCaption(bool armed, Language language);

// Sets the caption of every named control found under `window`.
void ApplyMainWindowCaptions(QObject& window, Language language);

// The filters of the wave file dialogs, in the dialog's own form
// ("Binary files(*.wdb)" entries separated by ";;").
QString OpenFileFilter(Language language);
QString SaveFileFilter(bool binary, Language language);

} // namespace zw

#endif // ZW_UI_MAINWINDOWCAPTIONS_H
