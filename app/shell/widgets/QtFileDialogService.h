// FileDialogService shown with the desktop's file dialogs, modal over the
// active window.
#ifndef ZW_SHELL_QTFILEDIALOGSERVICE_H
#define ZW_SHELL_QTFILEDIALOGSERVICE_H

#include "FileDialogService.h"

namespace zw {

class QtFileDialogService : public FileDialogService {
public:
    QString chooseOpenFile(const FileDialogRequest& request) override;
    FileDialogChoice chooseOpenFileAndFilter(const FileDialogRequest& request) override;
    QString chooseSaveFile(const FileDialogRequest& request) override;
};

} // namespace zw

#endif // ZW_SHELL_QTFILEDIALOGSERVICE_H
