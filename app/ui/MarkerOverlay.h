// Markers A and B over a plot's frame: a full-height line at each marker's
// column with a 10 x 10 handle at the top, left of the line for A and right
// of it for B. They are drawn in invert mode (XOR) in a colour that turns
// the white background light blue, so drawing a marker again where it was
// removes it: a move erases at the columns last drawn and draws at the new.
#ifndef ZW_UI_MARKEROVERLAY_H
#define ZW_UI_MARKEROVERLAY_H

#include <QImage>

#include <optional>
#include <utility>

namespace zw {

class MarkerOverlay {
public:
    // Draws both markers on a frame just drawn anew.
    void draw(QImage& frame, long colA, long colB);
    // Moves the markers drawn by the last draw or move to new columns.
    void move(QImage& frame, long colA, long colB);

private:
    static void invertMarker(QImage& frame, long column, bool isB);
    std::optional<std::pair<long, long>> drawn_;
};

} // namespace zw

#endif // ZW_UI_MARKEROVERLAY_H
