// Per-instance lock files.
#include "InstanceLocks.h"

#include <QDir>
#include <QLockFile>

#include <algorithm>

namespace zw {

InstanceLocks::InstanceLocks(const QString& directory) : directory_(directory) {}

InstanceLocks::~InstanceLocks() {
    release();
}

QString InstanceLocks::pathOf(int number) const {
    return QDir(directory_).filePath(QString::number(number) + QStringLiteral(".lock"));
}

bool InstanceLocks::acquire(int number) {
    release();
    QDir().mkpath(directory_);
    auto lock = std::make_unique<QLockFile>(pathOf(number));
    // Held for the life of the instance: only a dead holder makes it stale.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    own_ = std::move(lock);
    number_ = number;
    return true;
}

void InstanceLocks::release() {
    if (own_)
        own_->unlock();
    own_.reset();
    number_ = 0;
}

bool InstanceLocks::isAlive(int number) const {
    if (number <= 0)
        return false;
    if (own_ && number == number_)
        return true;
    if (!QFile::exists(pathOf(number)))
        return false;
    QLockFile probe(pathOf(number));
    probe.setStaleLockTime(0);
    if (probe.tryLock(0)) { // free or stale: nobody runs under that number
        probe.unlock();
        return false;
    }
    // Held by a running process, or unreadable: count it as running.
    return true;
}

QList<int> InstanceLocks::othersAlive() const {
    QList<int> alive;
    const QStringList files =
        QDir(directory_).entryList({QStringLiteral("*.lock")}, QDir::Files | QDir::Hidden);
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
