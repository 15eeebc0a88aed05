#include "StartupFile.h"

#include "MainWindow.h"
#include "SystemDialog.h"
#include "ToolMode.h"
#include "ToolWindowHost.h"

#include <QFileInfo>

namespace zw {

bool IsSetupFile(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String("ocb"), Qt::CaseInsensitive) == 0;
}

void LoadAndShow(MainWindow& window, const QString& commandLineFile) {
    const bool setupFile = IsSetupFile(commandLineFile);
    window.load(setupFile ? QString() : commandLineFile);
    window.show();
    if (!setupFile)
        return;
    // The setup window reports a file it cannot read itself.
    if (auto* setup = qobject_cast<SystemDialog*>(window.tools().open(ToolMode::SystemSetup)))
        setup->openSetupFile(commandLineFile);
}

} // namespace zw
