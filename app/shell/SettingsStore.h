// The per-user settings file (INI form through QSettings: section / key /
// string value) shared by every running instance of the editor, with a
// cross-process lock for read-modify-write sequences.
//
// Several instances read and write the same file. A sequence (counting
// instances, setting a busy mark) must see the file as it is and must not
// interleave with another instance's sequence, so every access happens
// inside a Sequence: it holds the update lock (a QLockFile beside the
// settings file), brings QSettings up to date with the file, and commits
// its writes when it ends. Reads take the lock too: QSettings decides
// whether to re-read by size and millisecond time stamp, and a read racing
// with another instance's write could leave it with the new file's stamp
// and the old file's contents. For the same reason a commit makes sure the
// file's time stamp moves forward, so no two versions ever look alike.
#ifndef ZW_SHELL_SETTINGSSTORE_H
#define ZW_SHELL_SETTINGSSTORE_H

#include <QSettings>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QLockFile;

namespace zw {

class SettingsStore {
public:
    explicit SettingsStore(const QString& path);
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
    // could not be had within the timeout (another instance hanging in a
    // sequence); the sequence then goes on without it.
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

    static constexpr int kLockTimeoutMs = 10000;

private:
    void begin();
    void end();
    void commit();
    QSettings& settings() { return *settings_; }

    QString path_;
    std::unique_ptr<QSettings> settings_; // made under the lock at the first sequence
    std::unique_ptr<QLockFile> lock_;
    int depth_ = 0;
    bool locked_ = false;
    bool dirty_ = false;
    qint64 stampAtBegin_ = -1;
};

} // namespace zw

#endif // ZW_SHELL_SETTINGSSTORE_H
