// The QPainter surface paints exactly the pixels the surface contract
// promises: every point of a line but its end, polylines without their last
// point, pens by colour, and XOR drawing that a second pass removes.
#include "QPainterSurface.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

constexpr uint32_t kBlack = ZW_RGB(0, 0, 0);
constexpr uint32_t kRed = ZW_RGB(255, 0, 0);
constexpr uint32_t kBlue = ZW_RGB(0, 0, 255);

QGuiApplication& app() {
    static int argc = 1;
    static char name[] = "platform_qt_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* instance =
        QGuiApplication::instance() ? qobject_cast<QGuiApplication*>(QGuiApplication::instance())
                                    : new QGuiApplication(argc, argv);
    return *instance;
}

QImage whiteImage(int w = 16, int h = 16) {
    app();
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

using Pixels = std::set<std::pair<int, int>>;

Pixels painted(const QImage& image) {
    Pixels out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                out.insert({x, y});
    return out;
}

template <typename Draw> QImage draw(Draw&& body, uint32_t colour = kBlack) {
    QImage image = whiteImage();
    {
        QPainter painter(&image);
        zw::QPainterSurface surface(painter, colour);
        body(*surface.get());
    }
    return image;
}

TEST(QPainterSurface, LineToLeavesTheEndPointOut) {
    const QImage image = draw([](ZwSurface& s) {
        s.move_to(s.ctx, 2, 3);
        s.line_to(s.ctx, 6, 3); // horizontal: 2..5
        s.move_to(s.ctx, 8, 9);
        s.line_to(s.ctx, 8, 5); // vertical upwards: 9..6
    });
    EXPECT_EQ(painted(image),
              (Pixels{{2, 3}, {3, 3}, {4, 3}, {5, 3}, {8, 9}, {8, 8}, {8, 7}, {8, 6}}));
}

TEST(QPainterSurface, ShortAndEmptyLinesAndTheCurrentPoint) {
    const QImage image = draw([](ZwSurface& s) {
        s.move_to(s.ctx, 1, 1);
        s.line_to(s.ctx, 1, 1); // nothing
        s.line_to(s.ctx, 2, 1); // just (1,1)
        s.line_to(s.ctx, 2, 4); // continues from (2,1): 1..3
    });
    EXPECT_EQ(painted(image), (Pixels{{1, 1}, {2, 1}, {2, 2}, {2, 3}}));
}

TEST(QPainterSurface, DiagonalLineStopsOnePixelShort) {
    const QImage image = draw([](ZwSurface& s) {
        s.move_to(s.ctx, 0, 0);
        s.line_to(s.ctx, 4, 4);
    });
    EXPECT_EQ(painted(image), (Pixels{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
}

TEST(QPainterSurface, PolylineOmitsOnlyItsLastPointAndKeepsTheCurrentPoint) {
    const QImage image = draw([](ZwSurface& s) {
        s.move_to(s.ctx, 10, 10);
        const ZwPoint pts[] = {{1, 1}, {1, 3}, {4, 3}};
        s.polyline(s.ctx, pts, 3);
        s.line_to(s.ctx, 12, 10); // from the point before the polyline
    });
    EXPECT_EQ(painted(image), (Pixels{{1, 1}, {1, 2}, {1, 3}, {2, 3}, {3, 3}, {10, 10}, {11, 10}}));
}

TEST(QPainterSurface, PensSelectAndRestore) {
    QImage image = whiteImage();
    {
        QPainter painter(&image);
        zw::QPainterSurface surface(painter, kBlue);
        ZwSurface& s = *surface.get();
        const ZwPen red = s.create_pen(s.ctx, kRed, 1);
        EXPECT_NE(red, 0u);
        EXPECT_EQ(s.select_pen(s.ctx, red), 0u);
        s.move_to(s.ctx, 0, 0);
        s.line_to(s.ctx, 2, 0);
        EXPECT_EQ(s.select_pen(s.ctx, 0), red);
        s.move_to(s.ctx, 0, 1);
        s.line_to(s.ctx, 2, 1);
        s.delete_pen(s.ctx, red);
        EXPECT_EQ(surface.livePens(), 0u);
    }
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(0, 1), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(2, 0), qRgb(255, 255, 255));
}

TEST(QPainterSurface, SelectedPenIsNotDeletedAndUnknownPenIsIgnored) {
    QImage image = whiteImage();
    QPainter painter(&image);
    zw::QPainterSurface surface(painter, kBlack);
    ZwSurface& s = *surface.get();
    const ZwPen pen = s.create_pen(s.ctx, kRed, 2);
    s.select_pen(s.ctx, pen);
    s.delete_pen(s.ctx, pen);
    EXPECT_EQ(surface.livePens(), 1u);
    EXPECT_EQ(s.select_pen(s.ctx, 999), pen); // unknown: stays on `pen`
    EXPECT_EQ(s.select_pen(s.ctx, 0), pen);
    s.delete_pen(s.ctx, pen);
    EXPECT_EQ(surface.livePens(), 0u);
}

TEST(QPainterSurface, XorDrawingTwiceRestoresThePicture) {
    QImage image = whiteImage();
    {
        QPainter painter(&image);
        painter.fillRect(0, 5, 16, 1, Qt::black);
        const QImage before = image.copy();
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        zw::QPainterSurface surface(painter, kBlue);
        ZwSurface& s = *surface.get();
        const ZwPoint column[] = {{7, 0}, {7, 16}};
        s.polyline(s.ctx, column, 2);
        surface.flush();
        // White XOR blue shows yellow, black XOR blue shows blue.
        EXPECT_EQ(image.pixel(7, 0), qRgb(255, 255, 0));
        EXPECT_EQ(image.pixel(7, 5), qRgb(0, 0, 255));
        s.polyline(s.ctx, column, 2);
        surface.flush();
        EXPECT_EQ(image, before);
    }
}

// A surface scaled down to 0.3: runs of one surface pixel are 0.3 device
// pixels wide. Exact runs vanish; hairline runs stay one device pixel wide.
Pixels scaledRuns(bool hairline) {
    QImage image = whiteImage(40, 40);
    {
        QPainter painter(&image);
        painter.scale(0.3, 0.3);
        zw::QPainterSurface surface(painter, kBlue);
        surface.setRunsAtLeastHairline(hairline);
        ZwSurface& s = *surface.get();
        s.move_to(s.ctx, 10, 50);
        s.line_to(s.ctx, 100, 50); // horizontal, to device row 15
        s.move_to(s.ctx, 60, 70);
        s.line_to(s.ctx, 60, 120); // vertical, at device column 18
    }
    return painted(image);
}

TEST(QPainterSurface, HairlineRunsStayVisibleWhenScaledDown) {
    const Pixels hairline = scaledRuns(true);
    int row = 0, column = 0;
    for (const auto& [x, y] : hairline) {
        row += y == 15;
        column += x == 18;
    }
    EXPECT_GE(row, 25);    // 90 surface pixels = 27 device pixels
    EXPECT_GE(column, 14); // 50 surface pixels = 15 device pixels
    EXPECT_LT(scaledRuns(false).size(), hairline.size() / 4);
}

TEST(QPainterSurface, ColourConversionUsesThePlatformByteOrder) {
    EXPECT_EQ(zw::ColorFromRgb(ZW_RGB(1, 2, 3)), QColor(1, 2, 3));
    EXPECT_EQ(zw::RgbFromColor(QColor(10, 20, 30)), ZW_RGB(10, 20, 30));
}

} // namespace
