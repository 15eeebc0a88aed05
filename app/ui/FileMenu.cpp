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
#include <QStandardPaths>

namespace zw {
namespace {

constexpr int kFileReadError = 71;
constexpr int kFileWriteError = 72;

QString proposalFolder() {
    return ProposalFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                          QDir::homePath());
}

} // namespace

void FileMenu::show(int message, const QString& path) {
    if (message == 0)
        return;
    if (message != kFileReadError && message != kFileWriteError) {
        ctx_.messages.ShowErrorCode(message);
        return;
    }
    // Which file, and why: "File Write error." alone leaves the user
    // guessing between a full disk, a missing folder and a locked file.
    QString text = ctx_.messages.MessageText(message);
    while (text.endsWith(u'\r'))
        text.chop(1);
    text += u'\r' + QDir::toNativeSeparators(path);
    if (!ctx_.session.lastFileError().isEmpty())
        text += u'\r' + ctx_.session.lastFileError();
    ctx_.messages.ShowErrorText(text);
}

void FileMenu::remember(int message, const QString& path) {
    show(message, path);
    if (message == 0)
        RecentFiles(ctx_.registry).add(path);
}

void FileMenu::Menu_FileNew_Click() {
    // A new instance in the program's folder, where it finds the model
    // files; it speaks the language of this one, however that was chosen.
    const QString program = QCoreApplication::applicationFilePath();
    const QString lang = ctx_.language == Language::English ? "--lang=en" : "--lang=ja";
    QProcess::startDetached(program, {lang}, ctx_.programFolder);
}

void FileMenu::Menu_FileOpen_Click() {
    if (!MayDiscardDocument(ctx_))
        return;
    const FileDialogProposal p = OpenProposal(ctx_.names().WaveFileName, proposalFolder());
    const QStringList filters = OpenFileFilter(ctx_.language).split(";;");
    const QString path = ctx_.fileDialogs.chooseOpenFile(
        {QString(), filters, filters.value(p.filterIndex), p.path, p.defaultExtension});
    if (path.isEmpty())
        ctx_.session.openCancelled();
    else
        remember(ctx_.session.open(path), path);
}

void FileMenu::openRecent(const QString& path) {
    if (!MayDiscardDocument(ctx_))
        return;
    const int message = ctx_.session.open(path);
    remember(message, path);
    if (message != 0 && !QFileInfo::exists(path))
        RecentFiles(ctx_.registry).remove(path);
}

bool FileMenu::save() {
    if (ctx_.names().untitled())
        return saveAs(true);
    const QString path = ctx_.names().WaveFileName;
    const int result = ctx_.session.save(path);
    remember(result, path);
    return result == 0;
}

bool FileMenu::saveAs(bool binary) {
    const QString ext = binary ? "wdb" : "txt";
    const FileDialogProposal p = SaveProposal(ctx_.names().WaveFileName, ext, proposalFolder());
    const QString filter = SaveFileFilter(binary, ctx_.language);
    const QString path =
        ctx_.fileDialogs.chooseSaveFile({QString(), {filter}, filter, p.path, ext});
    if (path.isEmpty())
        return false;
    const int result = ctx_.session.save(path);
    remember(result, path);
    return result == 0;
}

} // namespace zw
