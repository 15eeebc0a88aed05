// The shared settings file and its update lock.
#include "SettingsStore.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QThread>

#include <fcntl.h>
#include <sys/stat.h>

namespace zw {
namespace {

// Modification time in milliseconds, -1 when the file is missing.
qint64 modificationMs(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    return qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
}

void setModificationMs(const QString& path, qint64 ms) {
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(ms / 1000);
    times[1].tv_nsec = static_cast<long>(ms % 1000) * 1000000;
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}

QString joinKey(const QString& section, const QString& key) {
    return section + u'/' + key;
}

} // namespace

SettingsStore::SettingsStore(const QString& path, int lockTimeoutMs)
    : path_(QFileInfo(path).absoluteFilePath()), lockTimeoutMs_(lockTimeoutMs) {}

SettingsStore::~SettingsStore() {
    while (depth_ > 0)
        end();
}

QString SettingsStore::lockPath() const {
    return path_ + QStringLiteral(".update.lock");
}

QString SettingsStore::instanceDirectory() const {
    const QFileInfo fi(path_);
    return fi.absolutePath() + u'/' + fi.completeBaseName() + QStringLiteral(".instances");
}

std::optional<QString> SettingsStore::read(const QString& section, const QString& key) {
    Sequence s(*this);
    const QVariant v = settings().value(joinKey(section, key));
    if (!v.isValid())
        return std::nullopt;
    if (v.metaType().id() == QMetaType::QStringList)
        return v.toStringList().join(u',');
    return v.toString();
}

QStringList SettingsStore::keys(const QString& section) {
    Sequence s(*this);
    settings().beginGroup(section);
    const QStringList k = settings().childKeys();
    settings().endGroup();
    return k;
}

QStringList SettingsStore::sections() {
    Sequence s(*this);
    return settings().childGroups();
}

void SettingsStore::write(const QString& section, const QString& key, const QString& value) {
    Sequence s(*this);
    if (!mayWrite())
        return;
    settings().setValue(joinKey(section, key), value);
    dirty_ = true;
}

void SettingsStore::remove(const QString& section, const QString& key) {
    Sequence s(*this);
    if (!mayWrite())
        return;
    settings().remove(joinKey(section, key));
    dirty_ = true;
}

void SettingsStore::begin() {
    if (depth_++ > 0)
        return;
    QDir().mkpath(QFileInfo(path_).absolutePath());
    lock_ = std::make_unique<ProcessLock>(lockPath());
    // Short random waits, so that a waiting instance is not starved by one
    // that locks again and again. A lock that cannot even be made (no
    // folder, no permission) is given up at once; only one held by a running
    // process is waited for.
    const QDeadlineTimer deadline(lockTimeoutMs_);
    ProcessLock::Attempt attempt = lock_->tryLock();
    while (attempt == ProcessLock::Attempt::Busy && !deadline.hasExpired()) {
        QThread::msleep(1 + QRandomGenerator::global()->bounded(4));
        attempt = lock_->tryLock();
    }
    locked_ = attempt == ProcessLock::Attempt::Locked;
    timedOut_ = attempt == ProcessLock::Attempt::Busy;
    lockHolder_ = timedOut_ ? ProcessLock::holderOf(lockPath()) : QString();
    if (timedOut_)
        qWarning(
            "settings: %s is held by %s; changes are refused", qPrintable(lockPath()),
            qPrintable(lockHolder_.isEmpty() ? QStringLiteral("another process") : lockHolder_));
    else if (!locked_)
        qWarning("settings: could not lock %s; going on without it", qPrintable(lockPath()));
    stampAtBegin_ = modificationMs(path_);
    if (settings_)
        settings_->sync();
    else
        settings_ = std::make_unique<QSettings>(path_, QSettings::IniFormat); // reads the file
}

void SettingsStore::commit() {
    settings_->sync();
    if (!dirty_)
        return;
    dirty_ = false;
    const qint64 now = modificationMs(path_);
    if (now >= 0 && stampAtBegin_ >= 0 && now <= stampAtBegin_)
        setModificationMs(path_, stampAtBegin_ + 1);
}

void SettingsStore::end() {
    if (--depth_ > 0)
        return;
    commit();
    lock_.reset();
    locked_ = false;
}

SettingsStore::Sequence::Sequence(SettingsStore& store) : store_(store) {
    store_.begin();
}

SettingsStore::Sequence::~Sequence() {
    store_.end();
}

bool SettingsStore::Sequence::locked() const {
    return store_.locked_;
}

} // namespace zw
