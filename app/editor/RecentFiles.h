// The last files opened or saved, newest first, at most eight, kept in the
// settings store (section "RecentFiles": "Count" and "File1" .. "File8") so
// that they are there again at the next start and in other instances.
#ifndef ZW_EDITOR_RECENTFILES_H
#define ZW_EDITOR_RECENTFILES_H

#include <QStringList>

namespace zw {

class clsRegistry;

class RecentFiles {
public:
    static constexpr int kMaximum = 8;

    explicit RecentFiles(clsRegistry& registry) : registry_(registry) {}

    // As stored now (another instance may have added to the list).
    QStringList files() const;
    // `path` becomes the newest; an older entry of it goes.
    void add(const QString& path);
    // A file that could not be opened any more.
    void remove(const QString& path);

private:
    void store(const QStringList& files);

    clsRegistry& registry_;
};

} // namespace zw

#endif // ZW_EDITOR_RECENTFILES_H
