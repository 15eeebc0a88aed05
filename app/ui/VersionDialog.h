// The about window: the program's name, its version and the date of the
// program file (written in the English style whatever the language).
#ifndef ZW_UI_VERSIONDIALOG_H
#define ZW_UI_VERSIONDIALOG_H

#include <QDialog>

namespace zw {

class CaptionCatalog;

class VersionDialog : public QDialog {
    Q_OBJECT
public:
    explicit VersionDialog(const CaptionCatalog& captions, QWidget* parent = nullptr);
};

} // namespace zw

#endif // ZW_UI_VERSIONDIALOG_H
