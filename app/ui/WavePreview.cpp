#include "WavePreview.h"

#include "PlotColours.h"
#include "QPainterSurface.h"
#include "sigcore32.h"

#include <QPainter>

namespace zw {

namespace {

constexpr double kFullSpan = 65534.0;
constexpr uint32_t kZeroLineColour = 0x808080;

} // namespace

WavePreview::WavePreview(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    setMinimumSize(240, 90);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WavePreview::setStretch(ZwMemHandle memory, double start, double length) {
    memory_ = memory;
    start_ = start;
    length_ = length;
    update();
}

void WavePreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ColorFromRgb(kPlotBackground));
    QPainterSurface surface(painter, kZeroLineColour);
    W_DrawGrid2(surface.get(), 0, kFullSpan, width(), height());
    surface.setInitialPenColor(kTraceColour);
    if (memory_ != 0 && length_ > 0)
        W_DrawWave2(surface.get(), memory_, start_, 0, length_, kFullSpan, width(), height());
    surface.flush();
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace zw
