// The analog traces and zero lines: column decimation, the zoomed mapping and
// its clipping, the full-scale polylines.

#include "RecordingSurface.h"
#include "Wave.h"

#include <cmath>
#include <random>

using sigtest::Codes;
using sigtest::Wave;
using zwtest::LineTo;
using zwtest::MoveTo;
using zwtest::RecordingSurface;
using zwtest::SurfaceCall;
using Calls = std::vector<SurfaceCall>;

namespace {

SurfaceCall Polyline(std::vector<ZwPoint> points) {
    SurfaceCall c{SurfaceCall::Kind::Polyline};
    c.points = std::move(points);
    return c;
}

// With top = 32667 and span = height = 100, a code's row is 100 - code: code
// 50 is row 50, 150 is above the surface, -20 below it, 0 on its lower edge.
constexpr double kTop = 32667;
constexpr double kSpan = 100;

Calls drawOneSamplePerColumn(const Codes& codes) {
    const Wave w(codes);
    RecordingSurface s;
    const auto n = static_cast<int32_t>(codes.size());
    EXPECT_EQ(W_DrawWave2(s.get(), w.handle(), 0, kTop, n, kSpan, n, 100), w.handle());
    return s.calls;
}

} // namespace

TEST(DrawWave2, ColumnDrawsOneRunFromItsNearerEnd) {
    // Full scale on 100 rows: 32767 is row 0, 0 is row 50, -32767 row 100.
    const Wave w(Codes{0, 32767, 0, -32767, -32767, 0});
    RecordingSurface s;
    EXPECT_EQ(W_DrawWave2(s.get(), w.handle(), 0, 0, 6, 65534, 3, 100), w.handle());
    EXPECT_EQ(s.calls, (Calls{MoveTo(0, 0), MoveTo(0, 0), LineTo(0, 51), // column 0: 0 .. 50
                              MoveTo(1, 50), LineTo(1, 51),              // column 1 from 50 ...
                              MoveTo(1, 50), LineTo(1, 100),             // ... down to the edge
                              MoveTo(2, 99), LineTo(2, 100),             // column 2 from 100 ...
                              MoveTo(2, 99), LineTo(2, 49)}));           // ... up to 50
}

TEST(DrawWave2, FewerSamplesThanColumnsDrawSteps) {
    const Wave w(Codes{0, 32767});
    RecordingSurface s;
    EXPECT_EQ(W_DrawWave2(s.get(), w.handle(), 0, 0, 2, 65534, 4, 100), w.handle());
    // Level 50 held to column 2, then up to row 0 there.
    EXPECT_EQ(s.calls,
              (Calls{MoveTo(0, 50), MoveTo(1, 50), LineTo(1, 51), MoveTo(2, 50), LineTo(2, 51),
                     MoveTo(2, 50), LineTo(2, -1), MoveTo(3, 0), LineTo(3, 1)}));
}

TEST(DrawWave2, StartRoundsUpAndColumnsFollowTheAccumulatedPosition) {
    // start 0.3 is sample 1; step 1.5 gives the columns {1}, {2, 3}, {4}.
    const Wave w(Codes{-32767, 32767, 0, -32767, 0, 32767, -32767});
    RecordingSurface s;
    EXPECT_EQ(W_DrawWave2(s.get(), w.handle(), 0.3, 0, 4.5, 65534, 3, 100), w.handle());
    EXPECT_EQ(s.calls, (Calls{MoveTo(0, 0), MoveTo(1, 0), LineTo(1, 51), MoveTo(1, 50),
                              LineTo(1, 100), MoveTo(2, 99), LineTo(2, 49)}));
}

TEST(DrawWave2, TraceLeavingUpwardsResumesAtTheEdgeWithoutCrossingTheGap) {
    EXPECT_EQ(drawOneSamplePerColumn({50, 150, 160, 50}),
              (Calls{MoveTo(0, 50), MoveTo(1, 50), LineTo(1, -1), MoveTo(2, 0), MoveTo(2, 0),
                     MoveTo(3, 0), LineTo(3, 51)}));
    EXPECT_EQ(drawOneSamplePerColumn({50, -20, -30, 50}),
              (Calls{MoveTo(0, 50), MoveTo(1, 50), LineTo(1, 100), MoveTo(2, 99), MoveTo(2, 99),
                     MoveTo(3, 99), LineTo(3, 49)}));
}

TEST(DrawWave2, JumpAcrossTheSurfaceDrawsTheWholeColumn) {
    EXPECT_EQ(drawOneSamplePerColumn({-20, 150}),
              (Calls{MoveTo(0, 99), MoveTo(1, 99), LineTo(1, -1)}));
    EXPECT_EQ(drawOneSamplePerColumn({150, -20}),
              (Calls{MoveTo(0, 0), MoveTo(1, 0), LineTo(1, 100)}));
    EXPECT_EQ(drawOneSamplePerColumn({150, 0}), (Calls{MoveTo(0, 0), MoveTo(1, 0), LineTo(1, 100)}))
        << "a row on the lower edge is drawn to it";
}

TEST(DrawWave2, TraceWhollyAboveOrBelowDrawsNoLines) {
    for (const Codes& codes : {Codes{150, 200, 300, 151}, Codes{-20, -30, -1, -32768}}) {
        const Calls calls = drawOneSamplePerColumn(codes);
        EXPECT_EQ(
            std::count_if(calls.begin(), calls.end(),
                          [](const SurfaceCall& c) { return c.kind == SurfaceCall::Kind::LineTo; }),
            0);
    }
}

TEST(DrawWave2, TraceStartingOnTheSurfaceIsDrawnToTheEdgeItLeavesBy) {
    EXPECT_EQ(drawOneSamplePerColumn({50, 150}),
              (Calls{MoveTo(0, 50), MoveTo(1, 50), LineTo(1, -1)}));
    EXPECT_EQ(drawOneSamplePerColumn({50, -20}),
              (Calls{MoveTo(0, 50), MoveTo(1, 50), LineTo(1, 100)}));
}

TEST(DrawWave2, InvalidGeometryDrawsNothing) {
    const Wave w(Codes{1, 2, 3});
    RecordingSurface s;
    EXPECT_EQ(W_DrawWave2(s.get(), w.handle(), 0, 0, 0, 65534, 10, 10), 0u);
    EXPECT_EQ(W_DrawWave2(s.get(), w.handle(), 0, 0, 3, 65534, 0, 10), 0u);
    EXPECT_EQ(W_DrawWave2(s.get(), w.handle(), 0, 0, 3, 65534, 10, 0), 0u);
    EXPECT_EQ(W_DrawWave2(s.get(), w.handle(), 0, 0, 3, 0, 10, 10), 0u) << "no span";
    EXPECT_EQ(W_DrawWave2(s.get(), w.handle(), 0, NAN, 3, 65534, 10, 10), 0u);
    EXPECT_EQ(W_DrawWave2(s.get(), w.handle(), 0, 0, INFINITY, 65534, 10, 10), 0u);
    EXPECT_EQ(W_DrawWave2(nullptr, w.handle(), 0, 0, 3, 65534, 10, 10), 0u);
    EXPECT_TRUE(s.calls.empty());
}

namespace {

// A plain per-sample reading of the decimation and the clipping, to compare
// with the library, which finds a column's rows from its extreme codes.
Calls referenceDrawWave2(const Codes& mem, double start, double top, double length, double span,
                         int width, int height) {
    const auto row = [&](int code) {
        const double r = std::floor(((32767.0 - code) - top) * height / span);
        return int32_t(std::clamp(r, -32768.0, 32767.0));
    };
    const long base = long(std::ceil(start));
    const double step = length / width;
    std::vector<ZwPoint> pts;
    double pos = 0;
    for (int j = 0; j < width; ++j) {
        const long a = long(std::floor(pos));
        const double next = pos + step;
        int y0 = row(mem.at(std::size_t(base + a)));
        int lo = y0, hi = y0;
        if (long(std::floor(next)) > a)
            for (long i = a; i < long(std::floor(next)); ++i) {
                lo = std::min(lo, row(mem.at(std::size_t(base + i))));
                hi = std::max(hi, row(mem.at(std::size_t(base + i))));
            }
        if (step < 1 && j > 0 && (pts.back().y != lo || pts.back().y != hi))
            pts.push_back({j, pts.back().y});
        int first = lo, second = hi;
        if (j > 0 && lo != hi && std::abs(hi - pts.back().y) < std::abs(lo - pts.back().y))
            std::swap(first, second);
        pts.push_back({j, first});
        if (first != second)
            pts.push_back({j, second});
        pos = next;
    }
    Calls out;
    int cur = std::clamp(pts[0].y, 0, height - 1);
    out.push_back(MoveTo(pts[0].x, cur));
    bool inside = pts[0].y >= 0 && pts[0].y < height;
    for (std::size_t k = 1; k < pts.size(); ++k) {
        const int x = pts[k].x, y = pts[k].y, prev = pts[k - 1].y;
        out.push_back(MoveTo(x, cur));
        if (y < 0) {
            out.push_back(!inside && prev <= height - 1 ? MoveTo(x, 0) : LineTo(x, -1));
            cur = 0;
            inside = false;
        } else if (y > height) {
            out.push_back(!inside && prev >= 0 ? MoveTo(x, height - 1) : LineTo(x, height));
            cur = height - 1;
            inside = false;
        } else if (y == height) {
            out.push_back(LineTo(x, height));
            cur = height - 1;
            inside = false;
        } else {
            out.push_back(LineTo(x, cur <= y ? y + 1 : y - 1));
            cur = y;
            inside = true;
        }
    }
    return out;
}

} // namespace

TEST(DrawWave2, AgreesWithAPerSampleReadingOverRandomViews) {
    std::mt19937 rng(2410);
    Codes codes(4000);
    // A random walk with jumps: runs of similar codes and sudden edges.
    int level = 0;
    for (auto& c : codes) {
        level =
            std::clamp(level + std::uniform_int_distribution<int>(-900, 900)(rng), -32768, 32767);
        if (rng() % 97 == 0)
            level = std::uniform_int_distribution<int>(-32768, 32767)(rng);
        c = static_cast<int16_t>(level);
    }
    const Wave w(codes);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int round = 0; round < 300; ++round) {
        const double start = unit(rng) * 1000;
        const double length = 1 + unit(rng) * (round % 2 ? 2900 : 60);
        const int width = 1 + int(unit(rng) * 400);
        const int height = 1 + int(unit(rng) * 600);
        const double span = (round % 5 == 0 ? -1 : 1) * (0.5 + unit(rng) * 70000);
        const double top = (unit(rng) - 0.3) * 60000;
        RecordingSurface s;
        ASSERT_EQ(W_DrawWave2(s.get(), w.handle(), start, top, length, span, width, height),
                  w.handle());
        ASSERT_EQ(s.calls, referenceDrawWave2(codes, start, top, length, span, width, height))
            << "start " << start << " length " << length << " top " << top << " span " << span
            << " width " << width << " height " << height;
        ASSERT_LE(s.calls.size(), std::size_t(2 * 3 * width));
    }
}

TEST(DrawWave, FullScaleTraceIsOnePolylineOverLengthMinusOne) {
    // step (3 - 1) / 2 = 1: columns hold samples 0 and 1; -32768 would be
    // row 100 and is pulled up onto row 99.
    const Wave w(Codes{32767, -32768, 0});
    RecordingSurface s;
    EXPECT_EQ(W_DrawWave(s.get(), w.handle(), 0, 3, 2, 100), w.handle());
    EXPECT_EQ(s.calls, (Calls{Polyline({{0, 0}, {1, 99}})}));

    // Several samples per column: each column its extremes, nearer one first.
    const Wave many(Codes{0, 32767, 0, 16384, -32767, 0, 0});
    RecordingSurface t;
    EXPECT_EQ(W_DrawWave(t.get(), many.handle(), 0, 7, 3, 100), many.handle());
    EXPECT_EQ(t.calls, (Calls{Polyline({{0, 0}, {0, 50}, {1, 50}, {1, 24}, {2, 50}, {2, 99}})}));
}

TEST(DrawWaveForPrint, ZeroLineThenTheShiftedTraceFromSampleZero) {
    const Wave w(Codes{0, 32767, -32767, 0, 0});
    RecordingSurface s;
    EXPECT_EQ(W_DrawWaveForPrint(s.get(), w.handle(), 5, 4, 100, 10, 20), w.handle());
    EXPECT_EQ(s.calls, (Calls{MoveTo(10, 70), LineTo(14, 70),
                              Polyline({{10, 70}, {11, 20}, {12, 119}, {13, 70}})}));
    RecordingSurface none;
    EXPECT_EQ(W_DrawWaveForPrint(none.get(), w.handle(), 0, 4, 100, 10, 20), 0u);
    EXPECT_TRUE(none.calls.empty());
}

TEST(ZeroLines, FullScaleAndZoomedRowsOfCodeZero) {
    RecordingSurface s;
    EXPECT_EQ(W_DrawGrid(s.get(), 640, 480), 0);
    EXPECT_EQ(W_DrawGrid2(s.get(), 0, 65534, 640, 100), 0);
    // Zoomed 10x around the top: code 0 lies far below the surface, drawn as given.
    EXPECT_EQ(W_DrawGrid2(s.get(), 16383.5, 6553.4, 640, 100), 0);
    EXPECT_EQ(s.calls, (Calls{MoveTo(0, 240), LineTo(640, 240), MoveTo(0, 50), LineTo(640, 50),
                              MoveTo(0, 250), LineTo(640, 250)}));
    RecordingSurface none;
    EXPECT_EQ(W_DrawGrid2(none.get(), 0, 0, 640, 100), 0);
    EXPECT_EQ(W_DrawGrid(none.get(), 0, 100), 0);
    EXPECT_TRUE(none.calls.empty());
}
