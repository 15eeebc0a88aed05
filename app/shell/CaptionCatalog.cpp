// Lookup in the caption tables.
#include "CaptionCatalog.h"

#include "CaptionTable.h"

namespace zw {
namespace {

const detail::WindowCaptions* findWindow(QStringView window) {
    for (const auto& w : detail::captionTables())
        if (window == QLatin1StringView(w.window))
            return &w;
    return nullptr;
}

// "Name_3" -> "Name"; other keys unchanged.
QStringView arrayNameOf(QStringView key) {
    const qsizetype us = key.lastIndexOf(u'_');
    if (us <= 0 || us + 1 >= key.size())
        return key;
    for (qsizetype i = us + 1; i < key.size(); ++i)
        if (!key[i].isDigit())
            return key;
    return key.first(us);
}

template <class Row> const Row* findRow(std::span<const Row> rows, QStringView key) {
    for (const Row& r : rows)
        if (key == QLatin1StringView(r.key))
            return &r;
    const QStringView array = arrayNameOf(key);
    if (array.size() != key.size())
        for (const Row& r : rows)
            if (array == QLatin1StringView(r.key))
                return &r;
    return nullptr;
}

template <class Row> QString textOf(const Row& r, Language language) {
    return QString::fromUtf8(language == Language::English ? r.english : r.japanese);
}

} // namespace

QString ControlName(QStringView arrayName, int index) {
    return arrayName.toString() + u'_' + QString::number(index);
}

QString CaptionCatalog::caption(QStringView window, QStringView key) const {
    const auto* w = findWindow(window);
    const auto* r = w ? findRow(w->captions, key) : nullptr;
    return r ? textOf(*r, language_) : QString();
}

QStringList CaptionCatalog::items(QStringView window, QStringView key) const {
    const auto* w = findWindow(window);
    const auto* r = w ? findRow(w->lists, key) : nullptr;
    return r ? textOf(*r, language_).split(u'|') : QStringList();
}

QList<std::pair<QString, QString>> CaptionCatalog::captions(QStringView window) const {
    QList<std::pair<QString, QString>> out;
    if (const auto* w = findWindow(window))
        for (const auto& r : w->captions)
            out.push_back({QString::fromLatin1(r.key), textOf(r, language_)});
    return out;
}

QList<std::pair<QString, QStringList>> CaptionCatalog::lists(QStringView window) const {
    QList<std::pair<QString, QStringList>> out;
    if (const auto* w = findWindow(window))
        for (const auto& r : w->lists)
            out.push_back({QString::fromLatin1(r.key), textOf(r, language_).split(u'|')});
    return out;
}

QStringList CaptionCatalog::windows() const {
    QStringList out;
    for (const auto& w : detail::captionTables())
        out << QString::fromLatin1(w.window);
    return out;
}

bool CaptionCatalog::isControlKey(QStringView key) {
    return !key.contains(u':');
}

} // namespace zw
