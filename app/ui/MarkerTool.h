// The plot tool for markers: hovering over a marker (its line, the column
// before it or its handle) shows the resize cursor, and a left-button drag
// (without Shift) moves it by the session's marker rules; releasing redraws.
// A tool that adds to marker editing (control points) derives from it and
// handles what is not over a marker itself.
#ifndef ZW_UI_MARKERTOOL_H
#define ZW_UI_MARKERTOOL_H

#include "MarkerRules.h"
#include "PlotTool.h"

#include <optional>

namespace zw {

class MarkerTool : public PlotTool {
public:
    explicit MarkerTool(PlotToolHost& host) : host_(host) {}

    void mouseMove(const PlotPointer& pointer) override;
    void mousePress(const PlotPointer& pointer) override;
    void mouseRelease(const PlotPointer& pointer) override;

protected:
    // The marker under the mouse at the last move, when not dragging.
    std::optional<MarkerId> markerUnderMouse() const { return target_; }
    bool dragging() const { return dragging_; }
    // The cursor away from the markers.
    virtual Qt::CursorShape idleCursor() const { return Qt::ArrowCursor; }
    PlotToolHost& host() { return host_; }

private:
    PlotToolHost& host_;
    std::optional<MarkerId> target_;
    bool dragging_ = false;
};

} // namespace zw

#endif // ZW_UI_MARKERTOOL_H
