// The per-user settings file (INI form through QSettings: section / key /
// string value) shared by every running instance of the editor, with a
// cross-process lock for read-modify-write sequences.
//
// Several instances read and write the same file. A sequence (counting
// instances, setting a busy mark) must see the file as it is and must not
// interleave with another instance's sequence, so every access happens
// inside a Sequence: it holds the update lock (a ProcessLock beside the
// settings file, so a lock left by an ended process never stands in the way), brings QSettings up
// to date with the file, and commits its writes when it ends. Reads take the lock too: QSettings
// decides whether to re-read by size and millisecond time stamp, and a read racing with another
// instance's write could leave it with the new file's stamp and the old file's contents. For the
// same reason a commit makes sure the file's time stamp moves forward, so no two versions ever look
// alike.
#ifndef ZW_SHELL_SETTINGSSTORE_H
#define ZW_SHELL_SETTINGSSTORE_H

#include "InstanceLocks.h"

#include <QSettings>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace zw {

class SettingsStore {
public:
    explicit SettingsStore(const QString& path, int lockTimeoutMs = kLockTimeoutMs);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    const QString& path() const { return path_; }
    // The update lock file and the folder of the instance locks, beside the
    // settings file.
    QString lockPath() const;
    QString instanceDirectory() const;

    // A value; nothing when the key is missing. A value that QSettings reads
    // as a list (commas typed by hand without quotes) is joined again. Each
    // call outside a sequence is a sequence of its own.
    std::optional<QString> read(const QString& section, const QString& key);
    QStringList keys(const QString& section);
    QStringList sections();

    // Single writes, each its own sequence unless one is open.
    void write(const QString& section, const QString& key, const QString& value);
    void remove(const QString& section, const QString& key);

    // Holds the update lock of this store for its lifetime; nested sequences
    // on the same store share the outer one. `locked()` is false when the lock
    // could not be had: when it cannot be made at all (no folder, no
    // permission) the sequence goes on without it, since no other instance
    // can share the file then either; when another process holds it for
    // longer than the timeout, the sequence reads the file as it stands but
    // its writes are refused (`timedOut()`), so nothing is changed
    // unprotected.
    class Sequence {
    public:
        explicit Sequence(SettingsStore& store);
        ~Sequence();
        Sequence(const Sequence&) = delete;
        Sequence& operator=(const Sequence&) = delete;
        bool locked() const;

    private:
        SettingsStore& store_;
    };

    // True when the last outermost sequence found the update lock held by a
    // running process for the whole timeout; `lockHolder()` then names that
    // process as its lock file tells ("process 123 on host"; may be empty).
    bool timedOut() const { return timedOut_; }
    const QString& lockHolder() const { return lockHolder_; }

    static constexpr int kLockTimeoutMs = 10000;

private:
    void begin();
    void end();
    void commit();
    QSettings& settings() { return *settings_; }

    bool mayWrite() const { return !timedOut_; }

    QString path_;
    int lockTimeoutMs_;
    std::unique_ptr<QSettings> settings_; // made under the lock at the first sequence
    std::unique_ptr<ProcessLock> lock_;
    int depth_ = 0;
    bool locked_ = false;
    bool timedOut_ = false;
    QString lockHolder_;
    bool dirty_ = false;
    qint64 stampAtBegin_ = -1;
};

} // namespace zw

#endif // ZW_SHELL_SETTINGSSTORE_H
