#include "RecentFiles.h"

#include "clsRegistry.h"

#include <algorithm>

namespace zw {
namespace {

const QString kSection = QStringLiteral("RecentFiles");

QString keyOf(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}

} // namespace

QStringList RecentFiles::files() const {
    // A missing count reads as "False", that is none.
    const int count =
        std::clamp(registry_.SettingNumber(kSection, QStringLiteral("Count")), 0, kMaximum);
    QStringList list;
    for (int i = 0; i < count; ++i) {
        const QString path = registry_.Setting(kSection, keyOf(i));
        if (!path.isEmpty() && !list.contains(path))
            list.append(path);
    }
    return list;
}

void RecentFiles::add(const QString& path) {
    if (path.isEmpty())
        return;
    QStringList list = files();
    list.removeAll(path);
    list.prepend(path);
    store(list.mid(0, kMaximum));
}

void RecentFiles::remove(const QString& path) {
    QStringList list = files();
    if (list.removeAll(path) > 0)
        store(list);
}

void RecentFiles::store(const QStringList& list) {
    for (int i = 0; i < list.size(); ++i)
        registry_.SetSetting(kSection, keyOf(i), list[i]);
    registry_.SetSetting(kSection, QStringLiteral("Count"), QString::number(list.size()));
}

} // namespace zw
