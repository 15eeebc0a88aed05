#include "StartupFile.h"

#include "CreateDialog.h"
#include "MainWindow.h"
#include "SystemDialog.h"
#include "ToolMode.h"
#include "ToolWindowHost.h"

#include <QFileInfo>

namespace zw {

namespace {

bool HasExtension(const QString& path, const char* extension) {
    return QFileInfo(path).suffix().compare(QLatin1String(extension), Qt::CaseInsensitive) == 0;
}

} // namespace

bool IsSetupFile(const QString& path) {
    return HasExtension(path, "ocb");
}

bool IsPageFile(const QString& path) {
    return HasExtension(path, "wfn");
}

void LoadAndShow(MainWindow& window, const QString& commandLineFile) {
    const bool setupFile = IsSetupFile(commandLineFile);
    const bool pageFile = IsPageFile(commandLineFile);
    window.load(setupFile || pageFile ? QString() : commandLineFile);
    window.show();
    // The windows report a file they cannot read themselves.
    if (setupFile) {
        if (auto* setup = qobject_cast<SystemDialog*>(window.tools().open(ToolMode::SystemSetup)))
            setup->openSetupFile(commandLineFile);
    } else if (pageFile) {
        if (auto* create = qobject_cast<CreateDialog*>(window.tools().open(ToolMode::Create)))
            create->openPageFile(commandLineFile);
    }
}

} // namespace zw
