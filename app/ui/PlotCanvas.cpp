#include "PlotCanvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace zw {

PlotCanvas::PlotCanvas(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    setMouseTracking(true);
    // A click on the plot takes the keyboard from the number boxes, so that
    // Ctrl+C, Del and Ctrl+Z then act on the waveform.
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 120);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QImage& PlotCanvas::frame() {
    const QSize size = this->size().expandedTo(QSize(1, 1));
    if (frame_.size() != size) {
        // RGB32 has no alpha: XOR drawing of the markers acts on colours only.
        frame_ = QImage(size, QImage::Format_RGB32);
        frame_.fill(Qt::white);
    }
    return frame_;
}

void PlotCanvas::paintEvent(QPaintEvent*) {
    if (frame_.size() != size() && onRedrawNeeded)
        onRedrawNeeded();
    QPainter painter(this);
    painter.drawImage(0, 0, frame());
}

void PlotCanvas::resizeEvent(QResizeEvent*) {
    if (onRedrawNeeded && isVisible())
        onRedrawNeeded();
}

void PlotCanvas::mousePressEvent(QMouseEvent* event) {
    // Taken here as well as by the focus policy: a number box being edited
    // commits its value before the plot acts on the click.
    setFocus(Qt::MouseFocusReason);
    emit mousePressed(event);
}
void PlotCanvas::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event);
}
void PlotCanvas::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased(event);
}

void PlotCanvas::wheelEvent(QWheelEvent* event) {
    emit wheelTurned(event);
    event->accept();
}

} // namespace zw
