#include "WaveformPrintout.h"

#include "CaptionCatalog.h"
#include "PrintCanvas.h"
#include "QPainterSurface.h"
#include "WaveformLayout.h"
#include "sigcore32.h"

#include <QPainter>

#include <algorithm>
#include <array>

namespace zw {
namespace {

constexpr int32_t kAllDigitalLines = 0xFFFF;
constexpr int kDigitalLines = 16;

// The labels of the window: the three values of the analog view, or the
// numbers of the digital lines.
struct ValueLabel {
    double row; // plot pixel row of the label's middle
    QString text;
};

std::vector<ValueLabel> valueLabels(const WaveformPrintSource& s, const Units& units, int height) {
    std::vector<ValueLabel> labels;
    if (s.digital) {
        for (int line = kDigitalLines - 1; line >= 0; --line)
            labels.push_back({DigitalLineMiddleRow(line, height), QString::number(line)});
        return labels;
    }
    const QString unit = units.UnitTextY();
    auto text = [&](long code) {
        return (units.FormatYValue(static_cast<double>(code)).trimmed() + ' ' + unit).trimmed();
    };
    labels.push_back({0, text(s.view.topCode())});
    labels.push_back({height / 2.0, text(s.view.middleCode())});
    labels.push_back({static_cast<double>(height), text(s.view.bottomCode())});
    return labels;
}

QString positionText(const Units& units, long sample) {
    return units.FormatXPosition(static_cast<double>(sample)).trimmed() + ' ' + units.UnitTextX();
}

// The plot in plot pixels: the painter is moved and scaled so that the
// library's pixel (x, y) is the 0.1 mm square at that place of the plot.
void paintPlot(PrintCanvas& canvas, const WaveformPrintSource& s, const WaveformLayout& l) {
    QPainter& painter = canvas.painter();
    const int w = l.plotPixels.width();
    const int h = l.plotPixels.height();
    painter.save();
    painter.translate(canvas.toDevice(l.plotMm.topLeft()));
    painter.scale(canvas.toDevice(kPlotPixelMm), canvas.toDevice(kPlotPixelMm));
    painter.setClipRect(QRect(0, 0, w, h));
    {
        QPainterSurface surface(painter, kPrintTraceColour);
        // A print preview shows the sheet reduced, where 0.1 mm runs would
        // fall between the screen's pixels.
        surface.setRunsAtLeastHairline(true);
        if (s.gridShown && !s.digital)
            s.grid.Drow(*surface.get(), w, h);
        const double start = static_cast<double>(s.view.ViewLeft());
        const double length = static_cast<double>(s.view.waveLength()) / s.view.XZoom();
        if (s.digital) {
            W_DrawDigital(surface.get(), s.memory, start, length, kAllDigitalLines, w, h);
        } else {
            const double span = 65534.0 / static_cast<double>(s.view.YZoom());
            W_DrawWave2(surface.get(), s.memory, start, static_cast<double>(s.view.ViewTop()),
                        length, span, w, h);
        }
    }
    painter.restore();
    // The frame lies just outside the plot, so a trace along an edge of the
    // view stays visible.
    painter.save();
    QPen frame(Qt::black);
    frame.setWidthF(canvas.toDevice(kPlotFrameMm));
    frame.setJoinStyle(Qt::MiterJoin);
    painter.setPen(frame);
    painter.setBrush(Qt::NoBrush);
    const double outside = kPlotFrameMm / 2;
    const QRectF around = l.plotMm.adjusted(-outside, -outside, outside, outside);
    painter.drawRect(
        QRectF(canvas.toDevice(around.topLeft()), canvas.toDevice(around.bottomRight())));
    painter.restore();
}

} // namespace

void PaintWaveform(PrintCanvas& canvas, const WaveformPrintSource& s,
                   const CaptionCatalog& catalog) {
    const Units units(s.units);
    // The widest value label decides where the plot starts; its labels'
    // rows follow from the plot's height, so measure with a nominal one.
    double labelWidth = 0;
    for (const ValueLabel& label : valueLabels(s, units, 1))
        labelWidth = std::max(labelWidth, canvas.textWidth(label.text));
    const WaveformLayout l =
        WaveformLayout::For(canvas.geometry().bodyMm, canvas.lineHeight(), canvas.ascent(),
                            labelWidth, canvas.geometry().headingGapMm);

    const double left = canvas.geometry().bodyMm.left();
    canvas.text(left, l.headingBaseline[0], s.fileName);
    canvas.text(left, l.headingBaseline[1], WaveformHeadingLine(s, catalog));
    if (l.plotMm.isEmpty())
        return;

    paintPlot(canvas, s, l);
    // A label's middle on its row: capitals reach about 70 % of the ascent,
    // so the baseline lies 35 % of the ascent below the row.
    const double centring = 0.35 * canvas.ascent();
    for (const ValueLabel& label : valueLabels(s, units, l.plotPixels.height()))
        canvas.textRight(l.valueLabelRight, l.plotMm.top() + label.row * kPlotPixelMm + centring,
                         label.text);
    canvas.text(l.plotMm.left(), l.positionBaseline, positionText(units, s.view.ViewLeft()));
    canvas.textRight(l.plotMm.right(), l.positionBaseline, positionText(units, s.view.ViewRight()));
}

} // namespace zw
