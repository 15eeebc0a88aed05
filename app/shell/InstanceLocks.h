// Liveness of the running instances of the editor: each instance holds a
// lock file named by its instance number for as long as it runs. The lock
// records the holder's process, so the lock of an instance that crashed is
// recognised as stale (its process is gone) and never counts as running.
#ifndef ZW_SHELL_INSTANCELOCKS_H
#define ZW_SHELL_INSTANCELOCKS_H

#include <QList>
#include <QString>

#include <memory>

class QLockFile;

namespace zw {

class InstanceLocks {
public:
    explicit InstanceLocks(const QString& directory);
    ~InstanceLocks();
    InstanceLocks(const InstanceLocks&) = delete;
    InstanceLocks& operator=(const InstanceLocks&) = delete;

    // Takes the lock of `number` for this object; false when a running
    // instance holds it (or the folder cannot be written).
    bool acquire(int number);
    void release();
    // The number held, 0 when none.
    int number() const { return number_; }

    // True while the instance `number` runs (this object's own included).
    bool isAlive(int number) const;
    // The numbers of the other running instances, ascending; the lock files
    // of ended instances are removed on the way.
    QList<int> othersAlive() const;

private:
    QString pathOf(int number) const;

    QString directory_;
    std::unique_ptr<QLockFile> own_;
    int number_ = 0;
};

} // namespace zw

#endif // ZW_SHELL_INSTANCELOCKS_H
