// Locks that live exactly as long as the process holding them.
//
// ProcessLock is the kernel's advisory lock (flock) on a file: it is held
// while the holder's descriptor is open and ends with its process, however
// that ends. Whether a lock is held is therefore judged only by trying to
// take it, never by the file's presence, age or contents: an empty, junk,
// unreadable or foreign lock file, or one left by a process that is gone,
// is taken over at once. The file records the holder (process and host) for
// messages only, and its holder removes it on unlocking.
//
// InstanceLocks: each running instance of the editor holds the ProcessLock
// named by its instance number for as long as it runs, so "is instance n
// running" is a real liveness test.
#ifndef ZW_SHELL_INSTANCELOCKS_H
#define ZW_SHELL_INSTANCELOCKS_H

#include <QList>
#include <QString>

#include <memory>

namespace zw {

class ProcessLock {
public:
    enum class Attempt {
        Locked, // held by this object now
        Busy,   // held by another process (or another object of this one)
        Failed, // cannot be had at all: no folder, no permission, no locking
    };

    explicit ProcessLock(const QString& path);
    ~ProcessLock();
    ProcessLock(const ProcessLock&) = delete;
    ProcessLock& operator=(const ProcessLock&) = delete;

    const QString& path() const { return path_; }
    // One attempt, without waiting.
    Attempt tryLock();
    void unlock();
    bool isLocked() const { return fd_ >= 0; }

    // True while someone holds the lock at `path`. A file nobody holds is
    // removed on the way.
    static bool isHeld(const QString& path);
    // What the lock file says about its holder ("process 123 on host"),
    // empty when it says nothing readable. For messages only.
    static QString holderOf(const QString& path);

private:
    QString path_;
    int fd_ = -1;
};

class InstanceLocks {
public:
    explicit InstanceLocks(const QString& directory);
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
    // of ended instances, and junk lock files, are removed on the way.
    QList<int> othersAlive() const;

private:
    QString pathOf(int number) const;

    QString directory_;
    std::unique_ptr<ProcessLock> own_;
    int number_ = 0;
};

} // namespace zw

#endif // ZW_SHELL_INSTANCELOCKS_H
