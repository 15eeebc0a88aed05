// The texts of the about window: the version line and the program date in
// the English style of the about window, whatever the interface language.
#ifndef ZW_SHELL_ABOUTTEXT_H
#define ZW_SHELL_ABOUTTEXT_H

#include <QDate>
#include <QString>

namespace zw {

// "Ver." and the three numbers, each formatted "#0", joined by ".":
// VersionLine(1, 2, 0) is "Ver.1.2.0".
QString VersionLine(int major, int minor, int revision);

// "May 5,2017", "June 5,2017", "July 5,2017", "Sept.5,2017", and "Jan.5,2017"
// (three letters and a point) for every other month; empty for an invalid
// date.
QString AboutDate(const QDate& date);

// The modification date of the running program's file (invalid when it
// cannot be found).
QDate ProgramFileDate();

} // namespace zw

#endif // ZW_SHELL_ABOUTTEXT_H
