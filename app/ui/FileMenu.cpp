#include "FileMenu.h"

#include "EditorContext.h"
#include "FileDialogService.h"
#include "Messages.h"
#include "WaveFileNames.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

namespace zw {
namespace {

QString documentsFolder(const QString& fallback) {
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return docs.isEmpty() ? fallback : docs;
}

} // namespace

void FileMenu::show(int message) {
    if (message != 0)
        ctx_.messages.ShowErrorCode(message);
}

void FileMenu::Menu_FileNew_Click() {
    // A new instance in the program's folder, where it finds the model
    // files; it speaks the language of this one, however that was chosen.
    const QString program = QCoreApplication::applicationFilePath();
    const QString lang = ctx_.language == Language::English ? "--lang=en" : "--lang=ja";
    QProcess::startDetached(program, {lang}, ctx_.programFolder);
}

void FileMenu::Menu_FileOpen_Click() {
    const FileDialogProposal p =
        OpenProposal(ctx_.names().WaveFileName, documentsFolder(ctx_.programFolder));
    const QStringList filters = OpenFileFilter(ctx_.language).split(";;");
    const QString path = ctx_.fileDialogs.chooseOpenFile(
        {QString(), filters, filters.value(p.filterIndex), p.path, p.defaultExtension});
    if (path.isEmpty())
        ctx_.session.openCancelled();
    else
        show(ctx_.session.open(path));
}

void FileMenu::Menu_FileSave_Click() {
    if (!ctx_.names().untitled())
        show(ctx_.session.save(ctx_.names().WaveFileName));
    else
        saveAs(true);
}

void FileMenu::saveAs(bool binary) {
    const QString ext = binary ? "wdb" : "txt";
    const FileDialogProposal p =
        SaveProposal(ctx_.names().WaveFileName, ext, documentsFolder(ctx_.programFolder));
    const QString filter = SaveFileFilter(binary, ctx_.language);
    const QString path =
        ctx_.fileDialogs.chooseSaveFile({QString(), {filter}, filter, p.path, ext});
    if (!path.isEmpty())
        show(ctx_.session.save(path));
}

} // namespace zw
