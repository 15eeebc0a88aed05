#include "QtFileDialogService.h"

#include <QApplication>
#include <QFileDialog>

namespace zw {
namespace {

FileDialogChoice run(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(QApplication::activeWindow());
    if (!request.title.isEmpty())
        dialog.setWindowTitle(request.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    if (!request.selectedFilter.isEmpty())
        dialog.selectNameFilter(request.selectedFilter);
    if (!request.defaultExtension.isEmpty())
        dialog.setDefaultSuffix(request.defaultExtension);
    dialog.selectFile(request.proposedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().first(), dialog.selectedNameFilter()};
}

} // namespace

QString QtFileDialogService::chooseOpenFile(const FileDialogRequest& request) {
    return run(request, QFileDialog::AcceptOpen).path;
}

FileDialogChoice QtFileDialogService::chooseOpenFileAndFilter(const FileDialogRequest& request) {
    return run(request, QFileDialog::AcceptOpen);
}

QString QtFileDialogService::chooseSaveFile(const FileDialogRequest& request) {
    return run(request, QFileDialog::AcceptSave).path;
}

} // namespace zw
