// Draws the visible plot of the main window from the document (Draw_Wave):
// the analog plot is cleared, gets the grid when Menu_Grid is checked, the
// trace of the view's stretch, what the current plot tool draws over it,
// and the markers; the digital plot gets the 16 lines with the selected
// lines and the marked stretch coloured, and the markers. Marker moves on
// the analog plot only redraw the markers (they are drawn inverted).
#ifndef ZW_UI_PLOTPAINTER_H
#define ZW_UI_PLOTPAINTER_H

#include "MainWindowControls.h"
#include "MarkerOverlay.h"

#include <QSize>

#include <functional>
#include <utility>

class QPainter;

namespace zw {

class EditSession;
class Grid;
class PlotTool;
class WaveView;

class PlotPainter {
public:
    PlotPainter(const MainWindowControls& controls, EditSession& session, const WaveView& view,
                const Grid& grid, std::function<PlotTool&()> currentTool)
        : c_(controls), session_(session), view_(view), grid_(grid),
          currentTool_(std::move(currentTool)) {}

    void Draw_Wave();
    // Markers moved: erases them where they were drawn and draws them anew.
    void moveMarkers();
    // The marker columns on the visible plot.
    std::pair<long, long> markerColumns() const;
    // The visible plot drawn into any painter of `size` (an exported
    // image): the trace or the digital lines, the grid as shown, the
    // markers as plain lines.
    void paintView(QPainter& painter, QSize size);
    QSize visibleSize() const;

private:
    PlotCanvas* visibleCanvas() const;
    void drawAnalog();
    void drawDigital();
    void paintAnalog(QPainter& painter, QSize size);
    void paintDigital(QPainter& painter, QSize size);
    void Draw_Grid_Wave(QPainter& painter, int w, int h);

    const MainWindowControls& c_;
    EditSession& session_;
    const WaveView& view_;
    const Grid& grid_;
    std::function<PlotTool&()> currentTool_;
    MarkerOverlay waveMarkers_;
    MarkerOverlay digitalMarkers_;
};

} // namespace zw

#endif // ZW_UI_PLOTPAINTER_H
