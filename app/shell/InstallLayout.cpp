// The installed tree: P/bin holds the programs, P/lib/zw4410 the private
// libraries and plug-ins, P/share/zw4410 models and help.
#include "InstallLayout.h"

#include <QDir>
#include <QFileInfo>

namespace zw {

InstallLayout LocateInstallLayout(const QString& programFolder) {
    const QDir program(programFolder);
    const QString prefix = QDir::cleanPath(program.filePath(QStringLiteral("..")));
    const QString privateFolder = prefix + QStringLiteral("/lib/zw4410");
    const QString share = prefix + QStringLiteral("/share/zw4410");

    InstallLayout layout;
    layout.installed = QFileInfo(privateFolder).isDir();
    layout.privateFolder = layout.installed ? privateFolder : QDir::cleanPath(programFolder);
    layout.pluginFolder = layout.privateFolder + QStringLiteral("/PlugIn");
    layout.helpFolder = share + QStringLiteral("/help");
    layout.modelFolder = share + QStringLiteral("/models");
    return layout;
}

} // namespace zw
