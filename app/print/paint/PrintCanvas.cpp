#include "PrintCanvas.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

namespace zw {

namespace {
constexpr double kMmPerInch = 25.4;
}

PrintCanvas::PrintCanvas(QPainter& painter, QPagedPaintDevice& device, const PageGeometry& geometry)
    : painter_(painter), device_(device), geometry_(geometry),
      devicePerMm_(device.logicalDpiX() / kMmPerInch) {
    const QFontMetricsF metrics(painter_.font(), &device_);
    lineHeight_ = metrics.lineSpacing() / devicePerMm_;
    ascent_ = metrics.ascent() / devicePerMm_;
}

double PrintCanvas::textWidth(const QString& text) const {
    return QFontMetricsF(painter_.font(), &device_).horizontalAdvance(text) / devicePerMm_;
}

void PrintCanvas::text(double x, double baseline, const QString& text) {
    painter_.setPen(Qt::black);
    painter_.drawText(toDevice(QPointF(x, baseline)), text);
}

void PrintCanvas::textRight(double right, double baseline, const QString& text) {
    this->text(right - textWidth(text), baseline, text);
}

bool PrintCanvas::newPage() {
    if (!device_.newPage())
        return false;
    ++pages_;
    return true;
}

} // namespace zw
