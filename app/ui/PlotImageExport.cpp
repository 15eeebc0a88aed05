#include "PlotImageExport.h"

#include "CaptionCatalog.h"
#include "EditorContext.h"
#include "FileDialogService.h"
#include "Messages.h"
#include "WaveFileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QStandardPaths>
#include <QSvgGenerator>

namespace zw {
namespace {

constexpr int kFileWriteError = 72;

QString writeSvg(const QString& path, QSize size, const PlotPaint& paint) {
    // QSvgGenerator tells nothing of a failed write: open the file first.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return file.errorString();
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("ZW4410"));
    {
        QPainter painter(&svg);
        paint(painter, size);
    }
    file.close();
    return file.error() == QFileDevice::NoError ? QString() : file.errorString();
}

QString writePng(const QString& path, QSize size, const PlotPaint& paint) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paint(painter, size);
    }
    QImageWriter writer(path, "png");
    return writer.write(image) ? QString() : writer.errorString();
}

} // namespace

QString WritePlotImage(const QString& path, QSize size, const PlotPaint& paint) {
    if (QFileInfo(path).suffix().compare(u"svg", Qt::CaseInsensitive) == 0)
        return writeSvg(path, size, paint);
    return writePng(path, size, paint);
}

void PlotImageExport::run(QSize size) {
    const CaptionCatalog captions(ctx_.language);
    const QStringList filters =
        captions.caption(u"MainWindow", u"Menu_ExportImage:Filters").split(u'|');
    // Beside the wave file, named after it; "plot" in the documents folder
    // for an untitled one.
    QString proposed;
    if (ctx_.names().untitled()) {
        proposed =
            QDir(ProposalFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                                QDir::homePath()))
                .filePath(QStringLiteral("plot"));
    } else {
        const QFileInfo wave(ctx_.names().WaveFileName);
        proposed = wave.dir().filePath(wave.completeBaseName());
    }
    const QString path = ctx_.fileDialogs.chooseSaveFile(
        {QString(), filters, filters.value(0), proposed, QStringLiteral("png")});
    if (path.isEmpty())
        return;
    const QString reason = WritePlotImage(path, size, paint_);
    if (reason.isEmpty())
        return;
    QString text = ctx_.messages.MessageText(kFileWriteError);
    while (text.endsWith(u'\r'))
        text.chop(1);
    ctx_.messages.ShowErrorText(text + u'\r' + QDir::toNativeSeparators(path) + u'\r' + reason);
}

} // namespace zw
