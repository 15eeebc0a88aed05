// The texts a user reads in a window: its title, the captions of labels,
// buttons, frames and tabs, the items of fixed lists, menus with their items,
// column headers, hints of text boxes and tooltips. Used to check that a window in
// Japanese shows no English.
#ifndef ZW_TESTS_SUPPORT_VISIBLETEXT_H
#define ZW_TESTS_SUPPORT_VISIBLETEXT_H

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTabBar>
#include <QTextDocument>
#include <QWidget>

#include <vector>

namespace zwtest {

struct ShownText {
    QString where; // objectName (or class) of the control
    QString text;
};

namespace detail {

inline QString nameOf(const QObject& o) {
    return o.objectName().isEmpty() ? QString::fromLatin1(o.metaObject()->className())
                                    : o.objectName();
}

inline void addMenu(const QMenu& menu, std::vector<ShownText>& out) {
    for (const QAction* a : menu.actions()) {
        if (!a->isVisible() || a->isSeparator())
            continue;
        out.push_back({nameOf(*a), a->text()});
        if (const QMenu* sub = a->menu())
            addMenu(*sub, out);
    }
}

inline QString plainText(const QLabel& label) {
    if (label.textFormat() == Qt::PlainText || !Qt::mightBeRichText(label.text()))
        return label.text();
    QTextDocument doc;
    doc.setHtml(label.text());
    return doc.toPlainText();
}

} // namespace detail

// Every text of `window` and of the visible controls in it.
inline std::vector<ShownText> VisibleTexts(QWidget& window) {
    std::vector<ShownText> out;
    out.push_back({detail::nameOf(window), window.windowTitle()});
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window))
            continue;
        const QString where = detail::nameOf(*w);
        if (!w->toolTip().isEmpty())
            out.push_back({where, w->toolTip()});
        if (auto* l = qobject_cast<QLabel*>(w))
            out.push_back({where, detail::plainText(*l)});
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            out.push_back({where, b->text()});
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            out.push_back({where, g->title()});
        else if (auto* t = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < t->count(); ++i)
                out.push_back({where, t->tabText(i)});
        } else if (auto* c = qobject_cast<QComboBox*>(w)) {
            if (!c->isEditable()) {
                for (int i = 0; i < c->count(); ++i)
                    out.push_back({where, c->itemText(i)});
            }
        } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
            out.push_back({where, e->placeholderText()});
        } else if (auto* m = qobject_cast<QMenuBar*>(w)) {
            for (const QAction* a : m->actions()) {
                out.push_back({detail::nameOf(*a), a->text()});
                if (const QMenu* sub = a->menu())
                    detail::addMenu(*sub, out);
            }
        } else if (auto* h = qobject_cast<QHeaderView*>(w)) {
            if (const QAbstractItemModel* model = h->model()) {
                const int n =
                    h->orientation() == Qt::Horizontal ? model->columnCount() : model->rowCount();
                for (int i = 0; i < n; ++i) {
                    if (!h->isSectionHidden(i))
                        out.push_back({where, model->headerData(i, h->orientation()).toString()});
                }
            }
        }
    }
    return out;
}

// The English words of `text`: runs of two or more Latin letters, after the
// mnemonic marks, the allowed phrases, file paths and file patterns are
// taken out, that are not among the allowed words (compared as written).
inline QStringList EnglishWords(QString text, const QSet<QString>& allowedWords,
                                const QStringList& allowedPhrases) {
    text.remove(u'&');
    for (const QString& phrase : allowedPhrases)
        text.replace(phrase, QStringLiteral(" "));
    static const QRegularExpression pathLike(QStringLiteral(R"(\S*[/\\*]\S*)"));
    text.replace(pathLike, QStringLiteral(" "));
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    QStringList found;
    for (auto it = word.globalMatch(text); it.hasNext();) {
        const QString w = it.next().captured();
        if (!allowedWords.contains(w))
            found << w;
    }
    return found;
}

} // namespace zwtest

#endif // ZW_TESTS_SUPPORT_VISIBLETEXT_H
