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

// What an open dialog gave: the file (empty when cancelled) and the filter
// entry it was chosen under.
struct FileDialogChoice {
    QString path;
    QString filter;
};

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // An existing file to open; empty when cancelled.
    virtual QString chooseOpenFile(const FileDialogRequest& request) = 0;
    // An existing file to open and the filter entry it was chosen under,
    // for dialogs whose filter picks the reader (File > Import). A service
    // that cannot tell gives the request's selected filter.
    virtual FileDialogChoice chooseOpenFileAndFilter(const FileDialogRequest& request) {
        return {chooseOpenFile(request), request.selectedFilter};
    }
    // A name to save under; empty when cancelled.
    virtual QString chooseSaveFile(const FileDialogRequest& request) = 0;
};

} // namespace zw

#endif // ZW_SHELL_FILEDIALOGSERVICE_H
