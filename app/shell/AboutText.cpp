// Version line and program date of the about window.
#include "AboutText.h"

#include "NumberFormat.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace zw {

QString VersionLine(int major, int minor, int revision) {
    auto number = [](int n) { return NumberFormat::Format(n, u"#0"); };
    return QStringLiteral("Ver.") + number(major) + u'.' + number(minor) + u'.' + number(revision);
}

QString AboutDate(const QDate& date) {
    if (!date.isValid())
        return QString();
    static const char* const months[12] = {"January",   "February", "March",    "April",
                                           "May",       "June",     "July",     "August",
                                           "September", "October",  "November", "December"};
    const QString full = QString::fromLatin1(months[date.month() - 1]);
    QString month;
    switch (date.month()) {
    case 5:
        month = full.left(3) + u' ';
        break;
    case 6:
    case 7:
        month = full + u' ';
        break;
    case 9:
        month = full.left(4) + u'.';
        break;
    default:
        month = full.left(3) + u'.';
        break;
    }
    return month + QString::number(date.day()) + u',' + QString::number(date.year());
}

QDate ProgramFileDate() {
    // The application object knows the program's path; before it exists
    // (or without one) the process's own link does.
    const QString path = QCoreApplication::instance()
                             ? QCoreApplication::applicationFilePath()
                             : QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return QFileInfo(path).lastModified().date();
}

} // namespace zw
