// The caption procedure of a window: sets the captions of the window's
// controls from the catalogue by objectName and fills the fixed lists.
#ifndef ZW_SHELL_CAPTIONAPPLIER_H
#define ZW_SHELL_CAPTIONAPPLIER_H

#include "CaptionCatalog.h"

class QObject;
class QWidget;

namespace zw {

// Applies the captions of `windowName` (by default the window's objectName)
// to the window and every child widget and action whose objectName has a
// row: buttons, labels, option buttons and check boxes get their text, group
// boxes and menus their title, actions their text, tab pages the text of
// their tab, the window itself its title; combo boxes and list widgets with
// a list row get those items (signals blocked, the current index kept when it
// still exists, otherwise the first item). Rows for names the window lacks
// are skipped, and so are variant keys. Returns the number of controls set.
int ApplyCaptions(QWidget& window, const CaptionCatalog& catalog);
int ApplyCaptions(QWidget& window, const CaptionCatalog& catalog, const QString& windowName);

// Sets one caption on one control as ApplyCaptions does; false when the
// control has no caption of its own (a text box, for instance).
bool SetCaption(QObject& control, const QString& text);

} // namespace zw

#endif // ZW_SHELL_CAPTIONAPPLIER_H
