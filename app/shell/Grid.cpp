// Grid lines of the plot.
#include "Grid.h"

#include <cmath>
#include <map>

namespace zw {
namespace {

// Position of division line i of n over `extent` pixels, to the nearest pixel.
int32_t divisionAt(int i, int n, int extent) {
    return static_cast<int32_t>(std::lround(double(extent) * i / n));
}

} // namespace

std::vector<Grid::Line> Grid::Lines(int width, int height) const {
    std::vector<Line> lines;
    if (width <= 0 || height <= 0)
        return lines;
    for (int i = 1; i < XCount; ++i) {
        const int32_t x = divisionAt(i, XCount, width);
        const bool centre = XCount % 2 == 0 && i == XCount / 2;
        lines.push_back({x, 0, x, height, centre ? XCenterColor : XColor});
    }
    for (int i = 1; i < YCount; ++i) {
        const int32_t y = divisionAt(i, YCount, height);
        const bool centre = YCount % 2 == 0 && i == YCount / 2;
        lines.push_back({0, y, width, y, centre ? YCenterColor : YColor});
    }
    return lines;
}

void Grid::Drow(const ZwSurface& surface, int width, int height) const {
    const std::vector<Line> lines = Lines(width, height);
    if (lines.empty())
        return;
    std::map<uint32_t, ZwPen> pens;
    for (const Line& l : lines)
        if (!pens.count(l.color))
            pens[l.color] = surface.create_pen(surface.ctx, l.color, 1);
    ZwPen previous = 0;
    bool first = true;
    for (const Line& l : lines) {
        const ZwPen old = surface.select_pen(surface.ctx, pens[l.color]);
        if (first)
            previous = old;
        first = false;
        surface.move_to(surface.ctx, l.x1, l.y1);
        surface.line_to(surface.ctx, l.x2, l.y2);
    }
    surface.select_pen(surface.ctx, previous);
    for (const auto& [color, pen] : pens)
        surface.delete_pen(surface.ctx, pen);
}

} // namespace zw
