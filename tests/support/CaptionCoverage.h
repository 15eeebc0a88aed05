// The check every window's GUI test makes: each caption row and list row of
// the window's caption table finds a control of the window (its objectName,
// or for an array row an element "Name_<index>"; the window's own row is its
// title). A row that finds nothing is a caption the user never sees.
#ifndef ZW_TESTS_SUPPORT_CAPTIONCOVERAGE_H
#define ZW_TESTS_SUPPORT_CAPTIONCOVERAGE_H

#include "CaptionCatalog.h"

#include <QObject>
#include <QRegularExpression>
#include <QStringList>
#include <QWidget>

namespace zwtest {

// True when `window` has a control for the caption key `key`.
inline bool captionFindsControl(const QWidget& window, const QString& windowName,
                                const QString& key) {
    if (key == windowName)
        return true;
    const QRegularExpression element("^" + QRegularExpression::escape(key) + "_[0-9]+$");
    for (const QObject* child : window.findChildren<QObject*>()) {
        const QString name = child->objectName();
        if (name == key || element.match(name).hasMatch())
            return true;
    }
    return false;
}

// The keys of the window's caption and list rows applied on load that find
// no control (empty when every row finds one).
inline QStringList captionRowsWithoutControl(const QWidget& window,
                                             const zw::CaptionCatalog& catalog,
                                             const QString& windowName) {
    QStringList missing;
    QStringList keys;
    for (const auto& [key, text] : catalog.captions(windowName))
        keys << key;
    for (const auto& [key, items] : catalog.lists(windowName))
        keys << key;
    for (const QString& key : keys)
        if (zw::CaptionCatalog::isControlKey(key) && !captionFindsControl(window, windowName, key))
            missing << key;
    return missing;
}

} // namespace zwtest

#endif // ZW_TESTS_SUPPORT_CAPTIONCOVERAGE_H
