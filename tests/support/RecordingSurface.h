// A drawing surface for tests that keeps every call it receives, so a test
// can compare the exact sequence of moves, lines, polylines and pens.
#ifndef ZW_TESTS_RECORDING_SURFACE_H
#define ZW_TESTS_RECORDING_SURFACE_H

#include "zwplatform.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace zwtest {

struct SurfaceCall {
    enum class Kind { MoveTo, LineTo, Polyline, CreatePen, SelectPen, DeletePen };
    // A constructor rather than aggregate initialisation, which -Wextra
    // reports for every member left out.
    SurfaceCall(Kind k, int32_t x_ = 0, int32_t y_ = 0) : kind(k), x(x_), y(y_) {}

    Kind kind;
    int32_t x = 0;
    int32_t y = 0;
    std::vector<ZwPoint> points; // Polyline
    uint32_t rgb = 0;            // CreatePen
    int32_t width = 0;           // CreatePen
    ZwPen pen = 0;               // CreatePen (the new pen), SelectPen, DeletePen

    bool operator==(const SurfaceCall& o) const {
        if (kind != o.kind || x != o.x || y != o.y || rgb != o.rgb || width != o.width ||
            pen != o.pen || points.size() != o.points.size())
            return false;
        for (size_t i = 0; i < points.size(); ++i)
            if (points[i].x != o.points[i].x || points[i].y != o.points[i].y)
                return false;
        return true;
    }
};

inline SurfaceCall MoveTo(int32_t x, int32_t y) {
    return {SurfaceCall::Kind::MoveTo, x, y};
}
inline SurfaceCall LineTo(int32_t x, int32_t y) {
    return {SurfaceCall::Kind::LineTo, x, y};
}

inline std::ostream& operator<<(std::ostream& os, const SurfaceCall& c) {
    switch (c.kind) {
    case SurfaceCall::Kind::MoveTo:
        return os << "MoveTo(" << c.x << "," << c.y << ")";
    case SurfaceCall::Kind::LineTo:
        return os << "LineTo(" << c.x << "," << c.y << ")";
    case SurfaceCall::Kind::Polyline: {
        os << "Polyline[";
        for (const auto& p : c.points)
            os << "(" << p.x << "," << p.y << ")";
        return os << "]";
    }
    case SurfaceCall::Kind::CreatePen:
        return os << "CreatePen(" << std::hex << c.rgb << std::dec << "," << c.width
                  << ")=" << c.pen;
    case SurfaceCall::Kind::SelectPen:
        return os << "SelectPen(" << c.pen << ")";
    case SurfaceCall::Kind::DeletePen:
        return os << "DeletePen(" << c.pen << ")";
    }
    return os;
}

class RecordingSurface {
public:
    RecordingSurface() {
        surface_.ctx = this;
        surface_.move_to = [](void* ctx, int32_t x, int32_t y) {
            self(ctx).calls.push_back(MoveTo(x, y));
        };
        surface_.line_to = [](void* ctx, int32_t x, int32_t y) {
            self(ctx).calls.push_back(LineTo(x, y));
        };
        surface_.polyline = [](void* ctx, const ZwPoint* pts, int32_t count) {
            SurfaceCall c{SurfaceCall::Kind::Polyline};
            c.points.assign(pts, pts + (count > 0 ? count : 0));
            self(ctx).calls.push_back(c);
        };
        surface_.create_pen = [](void* ctx, uint32_t rgb, int32_t width) -> ZwPen {
            auto& s = self(ctx);
            SurfaceCall c{SurfaceCall::Kind::CreatePen};
            c.rgb = rgb;
            c.width = width;
            c.pen = ++s.lastPen_;
            s.calls.push_back(c);
            return c.pen;
        };
        surface_.select_pen = [](void* ctx, ZwPen pen) -> ZwPen {
            auto& s = self(ctx);
            SurfaceCall c{SurfaceCall::Kind::SelectPen};
            c.pen = pen;
            s.calls.push_back(c);
            const ZwPen previous = s.selected;
            s.selected = pen;
            return previous;
        };
        surface_.delete_pen = [](void* ctx, ZwPen pen) {
            SurfaceCall c{SurfaceCall::Kind::DeletePen};
            c.pen = pen;
            self(ctx).calls.push_back(c);
        };
    }
    RecordingSurface(const RecordingSurface&) = delete;
    RecordingSurface& operator=(const RecordingSurface&) = delete;

    ZwSurface* get() { return &surface_; }

    // Only the drawing calls (moves, lines, polylines), without pen traffic.
    std::vector<SurfaceCall> drawing() const {
        std::vector<SurfaceCall> out;
        for (const auto& c : calls)
            if (c.kind == SurfaceCall::Kind::MoveTo || c.kind == SurfaceCall::Kind::LineTo ||
                c.kind == SurfaceCall::Kind::Polyline)
                out.push_back(c);
        return out;
    }

    std::vector<SurfaceCall> calls;
    ZwPen selected = 0;

private:
    static RecordingSurface& self(void* ctx) { return *static_cast<RecordingSurface*>(ctx); }
    ZwSurface surface_{};
    ZwPen lastPen_ = 100;
};

} // namespace zwtest

#endif
