// A page of a print job seen in millimetres: the printouts place text and
// plots in millimetres from the paper's top left corner, and the canvas
// converts to the device's pixels. Text is measured with the device's own
// font metrics, so the layout fits the printer it goes to.
#ifndef ZW_PRINT_PRINTCANVAS_H
#define ZW_PRINT_PRINTCANVAS_H

#include "PageGeometry.h"

#include <QPointF>
#include <QString>

class QPainter;
class QPagedPaintDevice;

namespace zw {

class PrintCanvas {
public:
    // The painter must be active on `device`, with its origin at the
    // paper's corner and the print font set.
    PrintCanvas(QPainter& painter, QPagedPaintDevice& device, const PageGeometry& geometry);

    const PageGeometry& geometry() const { return geometry_; }
    QPainter& painter() { return painter_; }

    double toDevice(double mm) const { return mm * devicePerMm_; }
    QPointF toDevice(QPointF mm) const { return mm * devicePerMm_; }

    // Of the print font, in millimetres.
    double lineHeight() const { return lineHeight_; }
    double ascent() const { return ascent_; }
    double textWidth(const QString& text) const;

    // Text in black with its baseline at `baseline`, starting at `x` or
    // ending at `right`.
    void text(double x, double baseline, const QString& text);
    void textRight(double right, double baseline, const QString& text);

    // Ends the sheet and starts the next; false when the device refuses.
    bool newPage();
    int pageCount() const { return pages_; }

private:
    QPainter& painter_;
    QPagedPaintDevice& device_;
    PageGeometry geometry_;
    double devicePerMm_ = 1;
    double lineHeight_ = 0;
    double ascent_ = 0;
    int pages_ = 1;
};

} // namespace zw

#endif // ZW_PRINT_PRINTCANVAS_H
