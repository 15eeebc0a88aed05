// The main plot's mouse handling is a tool chosen by the session's tool
// mode: the marker tool while no tool window owns the plot, and whatever a
// tool window installs for its mode (control points while interpolating).
// A tool may also draw over the trace: paintOverlay runs on every redraw of
// the analog plot, after the trace and before the markers.
//
// The main window shows the mouse position itself on every move; a tool
// handles the rest through its PlotToolHost.
#ifndef ZW_UI_PLOTTOOL_H
#define ZW_UI_PLOTTOOL_H

#include <QPointF>
#include <QSize>
#include <Qt>

#include <utility>

class QPainter;

namespace zw {

class EditSession;
class PlotCanvas;
class WaveView;

// One mouse event on the plot, in pixels of the plot.
struct PlotPointer {
    QPointF position;
    Qt::MouseButton button = Qt::NoButton; // the button pressed or released
    Qt::MouseButtons buttons;              // the buttons held
    Qt::KeyboardModifiers modifiers;
};

// What the main window offers a tool.
class PlotToolHost {
public:
    virtual ~PlotToolHost() = default;
    virtual EditSession& session() = 0;
    virtual const WaveView& view() const = 0;
    // The analog plot: its size (plotWidth, plotHeight) and cursor.
    virtual PlotCanvas& canvas() = 0;
    // The columns of markers A and B on the analog plot.
    virtual std::pair<long, long> markerColumns() const = 0;
    // Draws the plot anew (trace, tool overlay, markers): Draw_Wave.
    virtual void redraw() = 0;
};

class PlotTool {
public:
    virtual ~PlotTool() = default;
    virtual void mouseMove(const PlotPointer& pointer) = 0;
    virtual void mousePress(const PlotPointer& pointer) = 0;
    virtual void mouseRelease(const PlotPointer& pointer) = 0;
    // Drawing over the trace, on a plot of `size` pixels.
    virtual void paintOverlay(QPainter& painter, QSize size) {
        (void)painter;
        (void)size;
    }
};

} // namespace zw

#endif // ZW_UI_PLOTTOOL_H
