// The about window: the program's name, its version and the date of the
// program file, written in the English style whatever the language.
#ifndef ZW_UI_VERSIONDIALOG_H
#define ZW_UI_VERSIONDIALOG_H

#include "Language.h"

#include <QDate>
#include <QDialog>

namespace zw {

// "May 5,2017", "June 5,2017", "Sept.5,2017", "Jan.5,2017": the month as
// its short name and a blank for May, its full name and a blank for June and
// July, "Sept." for September and its short name and "." otherwise.
QString EnglishStyleDate(const QDate& date);
// "Ver." and the major, minor and revision numbers joined by ".".
QString VersionLine(int major, int minor, int revision);

class VersionDialog : public QDialog {
    Q_OBJECT
public:
    explicit VersionDialog(Language language, QWidget* parent = nullptr);
};

} // namespace zw

#endif // ZW_UI_VERSIONDIALOG_H
