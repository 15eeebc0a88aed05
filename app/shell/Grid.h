// Grid: the settings of the plot's grid and its drawing. The plot's width is
// divided into XCount and its height into YCount equal parts; the lines
// between the parts are drawn, the centre line of an even count in its
// centre colour. Colours are 0x00BBGGRR as the drawing surface takes them.
#ifndef ZW_SHELL_GRID_H
#define ZW_SHELL_GRID_H

#include "zwplatform.h"

#include <cstdint>
#include <vector>

namespace zw {

class Grid {
public:
    static constexpr uint32_t kDefaultColor = 0xD0D0D0;

    struct Line {
        int32_t x1, y1, x2, y2;
        uint32_t color;
        bool operator==(const Line&) const = default;
    };

    int XCount = 10;
    int YCount = 8;
    uint32_t XCenterColor = kDefaultColor; // the vertical centre line
    uint32_t YCenterColor = kDefaultColor; // the horizontal centre line
    uint32_t XColor = kDefaultColor;       // the other vertical lines
    uint32_t YColor = kDefaultColor;       // the other horizontal lines

    // The grid lines of a plot of width x height pixels: vertical lines
    // first, left to right, then horizontal ones, top to bottom. Each runs
    // across the whole plot. Counts below 1 draw nothing in that direction.
    std::vector<Line> Lines(int width, int height) const;

    // Draws the lines onto the surface with one-pixel pens and restores the
    // surface's pen.
    void Drow(const ZwSurface& surface, int width, int height) const;
};

} // namespace zw

#endif // ZW_SHELL_GRID_H
