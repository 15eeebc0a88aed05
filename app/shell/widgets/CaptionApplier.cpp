// Setting captions on widgets by objectName.
#include "CaptionApplier.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabWidget>

namespace zw {
namespace {

// The tab widget whose page `w` is, or nullptr.
QTabWidget* tabOf(QWidget* w) {
    auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
    return stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
}

void fillList(QObject& control, const QStringList& items) {
    const QSignalBlocker blocker(control);
    if (auto* combo = qobject_cast<QComboBox*>(&control)) {
        const int current = combo->currentIndex();
        combo->clear();
        combo->addItems(items);
        combo->setCurrentIndex(current >= 0 && current < items.size() ? current : 0);
    } else if (auto* list = qobject_cast<QListWidget*>(&control)) {
        const int current = list->currentRow();
        list->clear();
        list->addItems(items);
        list->setCurrentRow(current >= 0 && current < items.size() ? current : 0);
    }
}

// The descendants of `root`, not entering other windows (a dialog owned by
// the main window has captions of its own); menus are popups but belong to
// the window.
void collect(QObject& parent, QList<QObject*>& out) {
    for (QObject* child : parent.children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && w->isWindow() && !qobject_cast<QMenu*>(w))
            continue;
        out.push_back(child);
        collect(*child, out);
    }
}

QList<QObject*> controlsOf(QWidget& root) {
    QList<QObject*> out;
    collect(root, out);
    return out;
}

bool isListControl(const QObject& o) {
    return qobject_cast<const QComboBox*>(&o) || qobject_cast<const QListWidget*>(&o);
}

} // namespace

bool SetCaption(QObject& control, const QString& text) {
    if (auto* b = qobject_cast<QAbstractButton*>(&control))
        b->setText(text);
    else if (auto* l = qobject_cast<QLabel*>(&control))
        l->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(&control))
        g->setTitle(text);
    else if (auto* m = qobject_cast<QMenu*>(&control))
        m->setTitle(text);
    else if (auto* a = qobject_cast<QAction*>(&control))
        a->setText(text);
    else if (auto* w = qobject_cast<QWidget*>(&control); w && tabOf(w))
        tabOf(w)->setTabText(tabOf(w)->indexOf(w), text);
    else
        return false;
    return true;
}

int ApplyCaptions(QWidget& window, const CaptionCatalog& catalog) {
    return ApplyCaptions(window, catalog, window.objectName());
}

int ApplyCaptions(QWidget& window, const CaptionCatalog& catalog, const QString& windowName) {
    int applied = 0;
    const QString title = catalog.windowTitle(windowName);
    if (!title.isEmpty()) {
        window.setWindowTitle(title);
        ++applied;
    }
    for (QObject* o : controlsOf(window)) {
        const QString name = o->objectName();
        if (name.isEmpty() || name == windowName)
            continue;
        if (isListControl(*o)) {
            const QStringList items = catalog.items(windowName, name);
            if (!items.isEmpty()) {
                fillList(*o, items);
                ++applied;
            }
            continue;
        }
        const QString text = catalog.caption(windowName, name);
        if (!text.isEmpty() && SetCaption(*o, text))
            ++applied;
    }
    return applied;
}

} // namespace zw
