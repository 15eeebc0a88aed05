#include "QPainterSurface.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zw {

QColor ColorFromRgb(uint32_t rgb) {
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

uint32_t RgbFromColor(const QColor& color) {
    return ZW_RGB(color.red(), color.green(), color.blue());
}

namespace {

QPainterSurface& self(void* ctx) {
    return *static_cast<QPainterSurface*>(ctx);
}

} // namespace

QPainterSurface::QPainterSurface(QPainter& painter, uint32_t initialPenColor)
    : painter_(painter), initial_{initialPenColor, 1} {
    surface_.ctx = this;
    surface_.move_to = [](void* ctx, int32_t x, int32_t y) { self(ctx).moveTo(x, y); };
    surface_.line_to = [](void* ctx, int32_t x, int32_t y) { self(ctx).lineTo(x, y); };
    surface_.polyline = [](void* ctx, const ZwPoint* points, int32_t count) {
        self(ctx).polyline(points, count);
    };
    surface_.create_pen = [](void* ctx, uint32_t rgb, int32_t width) {
        return self(ctx).createPen(rgb, width);
    };
    surface_.select_pen = [](void* ctx, ZwPen pen) { return self(ctx).selectPen(pen); };
    surface_.delete_pen = [](void* ctx, ZwPen pen) { self(ctx).deletePen(pen); };
    applyPen(0);
}

QPainterSurface::~QPainterSurface() {
    flush();
}

void QPainterSurface::flush() {
    if (!lines_.empty())
        painter_.drawLines(lines_.data(), static_cast<int>(lines_.size()));
    if (!runs_.empty()) {
        // Axis-aligned runs are filled as rectangles of the pen's colour,
        // which paints exactly their pixels and is cheaper than stroking.
        const QPen pen = painter_.pen();
        const QBrush brush = painter_.brush();
        if (hairlineRuns_)
            painter_.setPen(QPen(pen.color(), 0)); // width 0: one device pixel, cosmetic
        else
            painter_.setPen(Qt::NoPen);
        painter_.setBrush(pen.color());
        painter_.drawRects(runs_.data(), static_cast<int>(runs_.size()));
        painter_.setPen(pen);
        painter_.setBrush(brush);
    }
    lines_.clear();
    runs_.clear();
}

void QPainterSurface::setInitialPenColor(uint32_t rgb) {
    initial_.rgb = rgb;
    if (selected_ == 0)
        applyPen(0);
}

void QPainterSurface::applyPen(ZwPen pen) {
    flush();
    const auto found = pens_.find(pen);
    const PenStyle style = found == pens_.end() ? initial_ : found->second;
    QPen qpen(ColorFromRgb(style.rgb));
    penWidth_ = std::max(style.width, 1);
    qpen.setWidth(penWidth_);
    qpen.setCosmetic(true);
    // Square caps paint both end pixels of a line; the end point is left out
    // by shortening the segment instead, which is exact for any direction.
    qpen.setCapStyle(Qt::SquareCap);
    qpen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(qpen);
}

void QPainterSurface::moveTo(int32_t x, int32_t y) {
    current_ = QPoint(x, y);
}

void QPainterSurface::segmentWithoutEnd(QPoint from, QPoint to) {
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    const int steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0)
        return;
    // The pixel before `to` on the line: one step less along the major axis.
    const double t = static_cast<double>(steps - 1) / steps;
    const QPoint last(from.x() + static_cast<int>(std::lround(dx * t)),
                      from.y() + static_cast<int>(std::lround(dy * t)));
    if ((dx == 0 || dy == 0) && penWidth_ <= 1) {
        runs_.push_back(QRect(QPoint(std::min(from.x(), last.x()), std::min(from.y(), last.y())),
                              QPoint(std::max(from.x(), last.x()), std::max(from.y(), last.y()))));
        return;
    }
    if (steps == 1)
        lines_.emplace_back(from, from);
    else
        lines_.emplace_back(from, last);
}

void QPainterSurface::lineTo(int32_t x, int32_t y) {
    const QPoint to(x, y);
    segmentWithoutEnd(current_, to);
    current_ = to;
}

void QPainterSurface::polyline(const ZwPoint* points, int32_t count) {
    if (!points)
        return;
    for (int32_t i = 1; i < count; ++i)
        segmentWithoutEnd(QPoint(points[i - 1].x, points[i - 1].y),
                          QPoint(points[i].x, points[i].y));
}

ZwPen QPainterSurface::createPen(uint32_t rgb, int32_t width) {
    const ZwPen pen = nextPen_++;
    pens_.emplace(pen, PenStyle{rgb, width});
    return pen;
}

ZwPen QPainterSurface::selectPen(ZwPen pen) {
    const ZwPen previous = selected_;
    if (pen != 0 && !pens_.contains(pen))
        return previous; // an unknown pen changes nothing, as a stale handle would
    selected_ = pen;
    applyPen(pen);
    return previous;
}

void QPainterSurface::deletePen(ZwPen pen) {
    if (pen == selected_)
        return; // a selected pen stays alive until it is selected out
    pens_.erase(pen);
}

} // namespace zw
