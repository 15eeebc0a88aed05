#include "PlotPainter.h"

#include "DigitalLines.h"
#include "EditSession.h"
#include "Grid.h"
#include "PlotCanvas.h"
#include "PlotColours.h"
#include "PlotTool.h"
#include "QPainterSurface.h"
#include "WaveView.h"
#include "sigcore32.h"

#include <QAction>
#include <QPainter>
#include <QPen>
#include <QRadioButton>

namespace zw {

bool MainWindowControls::digitalShown() const {
    return Opt_DspSel[1]->isChecked();
}

PlotCanvas* PlotPainter::visibleCanvas() const {
    return c_.digitalShown() ? c_.Pict_Digital : c_.Pict_Wave;
}

std::pair<long, long> PlotPainter::markerColumns() const {
    const int w = visibleCanvas()->plotWidth();
    const MarkerRecord& m = session_.markers();
    return {view_.sampleToColumn(m.MarkA, w), view_.sampleToColumn(m.MarkB, w)};
}

void PlotPainter::Draw_Wave() {
    if (!session_.document().allocated())
        return;
    if (c_.digitalShown())
        drawDigital();
    else
        drawAnalog();
}

void PlotPainter::paintAnalog(QPainter& painter, QSize size) {
    const int w = size.width();
    const int h = size.height();
    painter.fillRect(QRect(QPoint(0, 0), size), ColorFromRgb(kPlotBackground));
    if (c_.Menu_Grid->isChecked())
        Draw_Grid_Wave(painter, w, h);
    QPainterSurface surface(painter, kTraceColour);
    W_DrawWave2(surface.get(), session_.document().current(), static_cast<double>(view_.ViewLeft()),
                static_cast<double>(view_.ViewTop()),
                static_cast<double>(view_.ViewRight() - view_.ViewLeft()),
                static_cast<double>(view_.ViewBottom() - view_.ViewTop()), w, h);
}

void PlotPainter::paintDigital(QPainter& painter, QSize size) {
    painter.fillRect(QRect(QPoint(0, 0), size), ColorFromRgb(kPlotBackground));
    QPainterSurface surface(painter, kTraceColour);
    const MarkerRecord& m = session_.markers();
    W_DrawDigitalPattern(
        surface.get(), session_.document().current(), static_cast<double>(view_.ViewLeft()),
        static_cast<double>(view_.ViewRight() - view_.ViewLeft()), 0xFFFF,
        MirrorLineMask(session_.lineMask()), m.MarkA, m.MarkB, size.width(), size.height(),
        kTraceColour, ZW_RGB(128, 128, 128), ZW_RGB(220, 0, 0), ZW_RGB(220, 120, 120));
}

void PlotPainter::drawAnalog() {
    QImage& frame = c_.Pict_Wave->frame();
    {
        QPainter painter(&frame);
        paintAnalog(painter, frame.size());
        currentTool_().paintOverlay(painter, frame.size());
    }
    const auto [colA, colB] = markerColumns();
    waveMarkers_.draw(frame, colA, colB);
    c_.Pict_Wave->update();
}

void PlotPainter::drawDigital() {
    QImage& frame = c_.Pict_Digital->frame();
    {
        QPainter painter(&frame);
        paintDigital(painter, frame.size());
    }
    const auto [colA, colB] = markerColumns();
    digitalMarkers_.draw(frame, colA, colB);
    c_.Pict_Digital->update();
}

QSize PlotPainter::visibleSize() const {
    return visibleCanvas()->frame().size();
}

void PlotPainter::paintView(QPainter& painter, QSize size) {
    if (!session_.document().allocated())
        return;
    if (c_.digitalShown())
        paintDigital(painter, size);
    else
        paintAnalog(painter, size);
    // The markers as plain lines: the screen's inverted ones mean nothing
    // on paper.
    const MarkerRecord& m = session_.markers();
    painter.setPen(QPen(QColor(0, 128, 0), 0, Qt::DashLine));
    for (double marker : {m.MarkA, m.MarkB}) {
        const long x = view_.sampleToColumn(marker, size.width());
        if (x >= 0 && x < size.width())
            painter.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, size.height()));
    }
}

void PlotPainter::Draw_Grid_Wave(QPainter& painter, int w, int h) {
    QPainterSurface surface(painter, kTraceColour);
    grid_.Drow(*surface.get(), w, h);
}

void PlotPainter::moveMarkers() {
    // The digital view colours the marked stretch itself: drawn anew.
    if (c_.digitalShown()) {
        Draw_Wave();
        return;
    }
    const auto [colA, colB] = markerColumns();
    waveMarkers_.move(c_.Pict_Wave->frame(), colA, colB);
    c_.Pict_Wave->update();
}

} // namespace zw
