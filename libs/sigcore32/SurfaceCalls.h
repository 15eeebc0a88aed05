// Thin, checked access to the caller's drawing surface.
#ifndef SIGCORE32_SURFACE_CALLS_H
#define SIGCORE32_SURFACE_CALLS_H

#include "sigcore32.h"
#include "zwplatform.h"

#include <algorithm>
#include <cstdint>
#include <span>

namespace sigcore {

inline bool drawsLines(const ZwSurface* s) {
    return s && s->move_to && s->line_to;
}
inline bool drawsPolylines(const ZwSurface* s) {
    return s && s->polyline;
}
inline bool makesPens(const ZwSurface* s) {
    return drawsLines(s) && s->create_pen && s->select_pen && s->delete_pen;
}

// A surface size the drawing functions accept: positive and at most
// SIGCORE32_MAX_SURFACE_SIZE, checked before any work or drawing.
inline bool validSize(int32_t width, int32_t height) {
    return width > 0 && height > 0 && width <= SIGCORE32_MAX_SURFACE_SIZE &&
           height <= SIGCORE32_MAX_SURFACE_SIZE;
}

// Coordinates computed in 64 bits, passed on saturated instead of wrapped.
inline int32_t coordinate(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

class Canvas {
public:
    explicit Canvas(ZwSurface& s) : s_(s) {}
    void moveTo(int64_t x, int64_t y) const { s_.move_to(s_.ctx, coordinate(x), coordinate(y)); }
    void lineTo(int64_t x, int64_t y) const { s_.line_to(s_.ctx, coordinate(x), coordinate(y)); }

    // One polyline call for any realistic width; an immense point list goes
    // out in pieces that share their joining point, so the trace stays whole.
    void polyline(std::span<const ZwPoint> points) const {
        constexpr std::size_t kPiece = std::size_t{1} << 24;
        if (points.empty())
            return;
        for (std::size_t from = 0;;) {
            const std::size_t count = std::min(points.size() - from, kPiece);
            s_.polyline(s_.ctx, points.data() + from, static_cast<int32_t>(count));
            if (from + count == points.size())
                return;
            from += count - 1;
        }
    }

private:
    ZwSurface& s_;
};

} // namespace sigcore

#endif
