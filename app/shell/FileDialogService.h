// The file dialogs behind one interface: a window asks for a file to open or
// a name to save under and gets a path, or nothing when the user cancelled.
// The program answers with the desktop's dialogs (QtFileDialogService);
// tests answer from a script (tests/support/ScriptedFileDialogService.h).
#ifndef ZW_SHELL_FILEDIALOGSERVICE_H
#define ZW_SHELL_FILEDIALOGSERVICE_H

#include <QString>
#include <QStringList>

namespace zw {

struct FileDialogRequest {
    QString title;            // empty: the desktop's own title
    QStringList filters;      // "Binary files(*.wdb)", ...
    QString selectedFilter;   // one of filters, chosen when the dialog opens
    QString proposedPath;     // folder and name the dialog starts with
    QString defaultExtension; // appended to a name typed without one ("wdb")
};

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // An existing file to open; empty when cancelled.
    virtual QString chooseOpenFile(const FileDialogRequest& request) = 0;
    // A name to save under; empty when cancelled.
    virtual QString chooseSaveFile(const FileDialogRequest& request) = 0;
};

} // namespace zw

#endif // ZW_SHELL_FILEDIALOGSERVICE_H
