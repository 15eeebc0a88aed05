// Help pages: looked up in the help folder, shown by the desktop or by the
// program's help window.
#include "Help.h"

#include "Messages.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QUrl>

namespace zw {

PageOpener DesktopPageOpener() {
    return [](const QString& path) {
        // Without a display there is no desktop to hand the page to.
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            return false;
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };
}

QString HelpPagePath(int topic, Language language, const QString& helpFolder) {
    const QString name = HelpFileName(topic, language);
    if (name.isEmpty() || helpFolder.isEmpty())
        return QString();
    const QString path = QDir(helpFolder).filePath(name);
    return QFileInfo(path).isFile() ? path : QString();
}

bool ShowHelp(int topic, Language language, const QString& helpFolder, Messages& messages,
              const PageOpener& browser, const PageOpener& fallback) {
    const QString path = HelpPagePath(topic, language, helpFolder);
    if (!path.isEmpty() && ((browser && browser(path)) || (fallback && fallback(path))))
        return true;
    messages.ShowErrorCode(99);
    return false;
}

} // namespace zw
