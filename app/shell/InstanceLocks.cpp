// Process locks over flock(2), and the per-instance lock files.
#include "InstanceLocks.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zw {
namespace {

// A lock file is replaced when it turns out to be something else (a link,
// a folder's sibling turned into a FIFO, a file that cannot be opened); a
// few rounds cover a holder removing its file at the same moment too.
constexpr int kLockRounds = 8;
constexpr qint64 kHolderTextLimit = 256;

QByteArray nativePath(const QString& path) {
    return QFile::encodeName(path);
}

bool sameFile(int fd, const QByteArray& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.constData(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

bool isRegular(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

// A path that exists but cannot serve as a lock file (a symbolic link, a
// FIFO, a file without permissions): removed so that a fresh one can be made.
bool removeJunk(const QByteArray& path) {
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    return ::unlink(path.constData()) == 0;
}

void recordHolder(int fd) {
    const QByteArray text =
        QByteArray::number(::getpid()) + '\n' + QSysInfo::machineHostName().toUtf8() + '\n';
    if (::ftruncate(fd, 0) == 0) [[maybe_unused]]
        const ssize_t written = ::pwrite(fd, text.constData(), text.size(), 0);
}

} // namespace

ProcessLock::ProcessLock(const QString& path) : path_(path) {}

ProcessLock::~ProcessLock() {
    unlock();
}

ProcessLock::Attempt ProcessLock::tryLock() {
    if (fd_ >= 0)
        return Attempt::Locked;
    const QByteArray path = nativePath(path_);
    for (int round = 0; round < kLockRounds; ++round) {
        const int fd =
            ::open(path.constData(),
                   O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0644);
        if (fd < 0) {
            if (errno != ENOENT && removeJunk(path))
                continue;
            return Attempt::Failed;
        }
        if (!isRegular(fd)) {
            ::close(fd);
            if (removeJunk(path))
                continue;
            return Attempt::Failed;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            return error == EWOULDBLOCK ? Attempt::Busy : Attempt::Failed;
        }
        // The previous holder may have removed the file between our open and
        // our lock: then we hold a file no one else will ever find.
        if (!sameFile(fd, path)) {
            ::close(fd);
            continue;
        }
        recordHolder(fd);
        fd_ = fd;
        return Attempt::Locked;
    }
    return Attempt::Failed;
}

void ProcessLock::unlock() {
    if (fd_ < 0)
        return;
    // Removed while still held, so nobody can take the lock of a file that
    // is about to vanish (they notice the change of file and start again).
    ::unlink(nativePath(path_).constData());
    ::close(fd_);
    fd_ = -1;
}

bool ProcessLock::isHeld(const QString& lockPath) {
    const QByteArray path = nativePath(lockPath);
    const int fd =
        ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        if (errno != ENOENT)
            removeJunk(path); // not a lock file any holder could have made
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held;
    }
    // Free: left by a process that has ended, or junk. Removed while we hold
    // it, and only if the name still refers to what we locked.
    if (sameFile(fd, path))
        ::unlink(path.constData());
    ::close(fd);
    return false;
}

QString ProcessLock::holderOf(const QString& lockPath) {
    QFile file(lockPath);
    struct stat st {};
    if (::lstat(nativePath(lockPath).constData(), &st) != 0 || !S_ISREG(st.st_mode) ||
        !file.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = file.read(kHolderTextLimit).split('\n');
    bool isNumber = false;
    const qint64 pid = lines.value(0).trimmed().toLongLong(&isNumber);
    if (!isNumber || pid <= 0)
        return {};
    const QString host = QString::fromUtf8(lines.value(1).trimmed());
    return host.isEmpty() ? QStringLiteral("process %1").arg(pid)
                          : QStringLiteral("process %1 on %2").arg(pid).arg(host);
}

InstanceLocks::InstanceLocks(const QString& directory) : directory_(directory) {}

QString InstanceLocks::pathOf(int number) const {
    return QDir(directory_).filePath(QString::number(number) + QStringLiteral(".lock"));
}

bool InstanceLocks::acquire(int number) {
    release();
    QDir().mkpath(directory_);
    auto lock = std::make_unique<ProcessLock>(pathOf(number));
    if (lock->tryLock() != ProcessLock::Attempt::Locked)
        return false;
    own_ = std::move(lock);
    number_ = number;
    return true;
}

void InstanceLocks::release() {
    own_.reset();
    number_ = 0;
}

bool InstanceLocks::isAlive(int number) const {
    if (number <= 0)
        return false;
    if (own_ && number == number_)
        return true;
    return ProcessLock::isHeld(pathOf(number));
}

QList<int> InstanceLocks::othersAlive() const {
    QList<int> alive;
    const QStringList files =
        QDir(directory_)
            .entryList({QStringLiteral("*.lock")},
                       QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& f : files) {
        bool ok = false;
        const int n = f.chopped(5).toInt(&ok);
        if (ok && n > 0 && n != number_ && isAlive(n))
            alive.push_back(n);
    }
    std::sort(alive.begin(), alive.end());
    return alive;
}

} // namespace zw
