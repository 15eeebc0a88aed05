// A picture box of the main window: a surface of its own size that the
// window draws into (the frame) and that is shown as it stands. The window
// rebuilds the frame from the document whenever something changes and when
// the size changes; mouse input is handed to the window in pixels.
#ifndef ZW_UI_PLOTCANVAS_H
#define ZW_UI_PLOTCANVAS_H

#include <QImage>
#include <QWidget>

#include <functional>

namespace zw {

class PlotCanvas : public QWidget {
    Q_OBJECT
public:
    explicit PlotCanvas(const QString& name, QWidget* parent = nullptr);

    // The surface, sized to the widget; drawing into it is shown at the next
    // paint.
    QImage& frame();
    int plotWidth() const { return width(); }
    int plotHeight() const { return height(); }

    // Called when the frame must be drawn anew (new size, first paint).
    std::function<void()> onRedrawNeeded;

signals:
    void mousePressed(QMouseEvent* event);
    void mouseMoved(QMouseEvent* event);
    void mouseReleased(QMouseEvent* event);
    void wheelTurned(QWheelEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QImage frame_;
};

} // namespace zw

#endif // ZW_UI_PLOTCANVAS_H
