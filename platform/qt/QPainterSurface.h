// The platform layer's drawing surface over a QPainter. The painter belongs
// to the caller and must stay active while the surface is used. Lines keep
// the surface contract: line_to and polyline leave their last point
// unpainted. Pens are solid and cosmetic (width in pixels whatever the
// painter's transform); a width below 1 draws 1 pixel wide.
#ifndef ZW_PLATFORM_QT_QPAINTERSURFACE_H
#define ZW_PLATFORM_QT_QPAINTERSURFACE_H

#include "zwplatform.h"

#include <QColor>
#include <QPoint>

#include <QLine>
#include <QRect>

#include <map>
#include <vector>

class QPainter;

namespace zw {

// A platform colour (0x00BBGGRR) as a QColor and back.
QColor ColorFromRgb(uint32_t rgb);
uint32_t RgbFromColor(const QColor& color);

class QPainterSurface {
public:
    // `initialPenColor` is the pen that is selected when no pen made through
    // the surface is (pen 0 of the contract); it is set on the painter now.
    QPainterSurface(QPainter& painter, uint32_t initialPenColor);
    ~QPainterSurface();
    QPainterSurface(const QPainterSurface&) = delete;
    QPainterSurface& operator=(const QPainterSurface&) = delete;

    ZwSurface* get() { return &surface_; }

    // Changes the colour of the initial pen (the "drawing colour" the
    // callers set before asking a library to draw).
    void setInitialPenColor(uint32_t rgb);

    // Off (the default), a horizontal or vertical run paints exactly its
    // pixels. On, it is also outlined with a hairline, so that a run thinner
    // than a device pixel stays visible where a painter scales the surface
    // down (a printed plot in a reduced print preview); on paper the
    // hairline adds at most a device pixel.
    void setRunsAtLeastHairline(bool on) { hairlineRuns_ = on; }

    // Pens made through create_pen and not yet deleted; for leak checks.
    std::size_t livePens() const { return pens_.size(); }

    // Paints what has been drawn so far. Segments are collected and painted
    // in batches (at every pen change, here, and when the surface ends),
    // which keeps a trace of thousands of segments cheap. The order of the
    // pieces of one batch does not matter, for XOR drawing either: the left
    // out end points keep connected segments from painting a pixel twice.
    void flush();

    void moveTo(int32_t x, int32_t y);
    void lineTo(int32_t x, int32_t y);
    void polyline(const ZwPoint* points, int32_t count);
    ZwPen createPen(uint32_t rgb, int32_t width);
    ZwPen selectPen(ZwPen pen);
    void deletePen(ZwPen pen);

private:
    struct PenStyle {
        uint32_t rgb;
        int32_t width;
    };
    void applyPen(ZwPen pen);
    // Draws the segment from `from` to `to` without the pixel at `to`.
    void segmentWithoutEnd(QPoint from, QPoint to);

    QPainter& painter_;
    ZwSurface surface_{};
    QPoint current_;
    std::vector<QLine> lines_; // sloping segments and wide pens
    std::vector<QRect> runs_;  // horizontal and vertical segments, as pixel rectangles
    int penWidth_ = 1;
    bool hairlineRuns_ = false;
    PenStyle initial_;
    std::map<ZwPen, PenStyle> pens_;
    ZwPen selected_ = 0;
    ZwPen nextPen_ = 1;
};

} // namespace zw

#endif // ZW_PLATFORM_QT_QPAINTERSURFACE_H
