#include "FileMenu.h"

#include "DiscardQuestion.h"
#include "EditorContext.h"
#include "FileDialogService.h"
#include "Messages.h"
#include "RecentFiles.h"
#include "WaveFileNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace zw {

void FileMenu::Menu_FileNew_Click() {
    // A new instance in this one's start-up folder, so that it reads the same
    // model files by the same rule; it speaks the language of this one,
    // however that was chosen.
    const QString program = QCoreApplication::applicationFilePath();
    const QString lang = ctx_.language == Language::English ? "--lang=en" : "--lang=ja";
    QProcess::startDetached(program, {lang}, QDir::currentPath());
}

void FileMenu::Menu_FileOpen_Click() {
    if (!MayDiscardDocument(ctx_))
        return;
    const FileDialogProposal p = OpenProposal(ctx_.names().WaveFileName, UntitledFolder());
    const QStringList filters = OpenFileFilter(ctx_.language).split(";;");
    const QString path = ctx_.fileDialogs.chooseOpenFile(
        {QString(), filters, filters.value(p.filterIndex), p.path, p.defaultExtension});
    if (path.isEmpty())
        ctx_.session.openCancelled();
    else
        saving_.report(ctx_.session.open(path), path);
}

void FileMenu::Menu_FileImport_Click() {
    if (!MayDiscardDocument(ctx_))
        return;
    import_.run(UntitledFolder());
}

void FileMenu::openRecent(const QString& path) {
    if (!MayDiscardDocument(ctx_))
        return;
    const int message = ctx_.session.open(path);
    saving_.report(message, path);
    if (message != 0 && !QFileInfo::exists(path))
        RecentFiles(ctx_.registry).remove(path);
}

} // namespace zw
