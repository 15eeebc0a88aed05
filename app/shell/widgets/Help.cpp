// Help files: looked up beside the program and shown by the desktop.
#include "Help.h"

#include "Messages.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace zw {

FileOpener DesktopFileOpener() {
    return [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
}

bool ShowHelp(int topic, Language language, const QString& folder, Messages& messages,
              const FileOpener& open) {
    const QString name = HelpFileName(topic, language);
    const QString path = QDir(folder).filePath(name);
    if (!name.isEmpty() && QFileInfo(path).isFile() && open && open(path))
        return true;
    messages.ShowErrorCode(99);
    return false;
}

} // namespace zw
