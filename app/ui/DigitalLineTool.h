// The mouse on the digital view: a click within the marked stretch selects
// the line under it (or deselects it), dragging a line onto another copies
// it there over the marked stretch (with the undo backup), unless a tool
// window owns the document.
#ifndef ZW_UI_DIGITALLINETOOL_H
#define ZW_UI_DIGITALLINETOOL_H

#include "PlotTool.h"

#include <functional>
#include <optional>
#include <utility>

namespace zw {

class PlotCanvas;

class DigitalLineTool : public PlotTool {
public:
    // The markers' columns on the digital plot come from `markerColumns`.
    DigitalLineTool(PlotCanvas& canvas, EditSession& session,
                    std::function<std::pair<long, long>()> markerColumns)
        : canvas_(canvas), session_(session), markerColumns_(std::move(markerColumns)) {}

    void mouseMove(const PlotPointer& pointer) override;
    void mousePress(const PlotPointer& pointer) override;
    void mouseRelease(const PlotPointer& pointer) override;

    // While a line is dragged: the dragged line and the line it would be
    // copied to (none outside the lines); both none when the drag ends.
    std::function<void(std::optional<int> from, std::optional<int> to)> onDrag;

private:
    void reportDrag(std::optional<int> to);

    PlotCanvas& canvas_;
    EditSession& session_;
    std::function<std::pair<long, long>()> markerColumns_;
    std::optional<int> draggedLine_;
};

} // namespace zw

#endif // ZW_UI_DIGITALLINETOOL_H
