// Captions of the windows in the interface language: window titles, menus,
// labels, frames, buttons, option buttons and the fixed items of lists,
// looked up by window name and control name.
//
// Control names are the objectNames of the widgets and actions. An element
// of a control array is named with its index after an underscore:
// ControlName("Opt_DlgSel", 2) is "Opt_DlgSel_2". A caption or list keyed
// by the array name alone fits every element ("Comb_XZoom" fills
// Comb_XZoom_0 and Comb_XZoom_1). The window's own name is the key of its
// title. A key "Name:Variant" is an alternative caption a window sets itself
// when its state changes, e.g. caption("MainWindow", "Menu_Undo:Redo"); keys
// starting "Msg:" are texts of the window's own message boxes. Neither kind
// is applied on load. The pseudo-window "PrintListing" holds the labels of
// the printed listings.
//
// ApplyCaptions (CaptionApplier.h) sets them on a widget tree.
#ifndef ZW_SHELL_CAPTIONCATALOG_H
#define ZW_SHELL_CAPTIONCATALOG_H

#include "Language.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <utility>

namespace zw {

// The name of element `index` of a control array.
QString ControlName(QStringView arrayName, int index);

class CaptionCatalog {
public:
    explicit CaptionCatalog(Language language) : language_(language) {}
    Language language() const { return language_; }

    // The caption of a control or variant; empty when the window or key is
    // unknown. For an array element without its own row, the array's row.
    QString caption(QStringView window, QStringView key) const;
    // The fixed items of a list (the zoom lists, the wave types, ...); empty
    // when there are none.
    QStringList items(QStringView window, QStringView key) const;
    // The title of a window other than the main window.
    QString windowTitle(QStringView window) const { return caption(window, window); }

    // Every caption and list of a window, in table order, variants included.
    QList<std::pair<QString, QString>> captions(QStringView window) const;
    QList<std::pair<QString, QStringList>> lists(QStringView window) const;
    QStringList windows() const;

    // True for keys that are applied on load (no variant, no message text).
    static bool isControlKey(QStringView key);

private:
    Language language_;
};

} // namespace zw

#endif // ZW_SHELL_CAPTIONCATALOG_H
