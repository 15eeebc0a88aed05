#include "WaveSaving.h"

#include "EditorContext.h"
#include "FileDialogService.h"
#include "Messages.h"
#include "RecentFiles.h"
#include "WaveFileNames.h"

#include <QDir>
#include <QStandardPaths>

namespace zw {
namespace {

constexpr int kFileReadError = 71;
constexpr int kFileWriteError = 72;

} // namespace

QString UntitledFolder() {
    return ProposalFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                          QDir::homePath());
}

void WaveSaving::report(int message, const QString& path) {
    if (message == 0) {
        RecentFiles(ctx_.registry).add(path);
        return;
    }
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

bool WaveSaving::save() {
    if (ctx_.names().untitled())
        return saveAs(true);
    const QString path = ctx_.names().WaveFileName;
    const int result = ctx_.session.save(path);
    report(result, path);
    return result == 0;
}

bool WaveSaving::saveAs(bool binary) {
    const QString ext = binary ? "wdb" : "txt";
    const FileDialogProposal p = SaveProposal(ctx_.names().WaveFileName, ext, UntitledFolder());
    const QString filter = SaveFileFilter(binary, ctx_.language);
    const QString path =
        ctx_.fileDialogs.chooseSaveFile({QString(), {filter}, filter, p.path, ext});
    if (path.isEmpty())
        return false;
    const int result = ctx_.session.save(path);
    report(result, path);
    return result == 0;
}

} // namespace zw
