// One drag step of the Create window's preview over 65536 samples: the page's
// parameters moved, the page recomputed into the work memory (Make_Wave) and
// the preview redrawn with W_DrawWave2 through the QPainter surface into an
// image of the preview's size. Target: 4 ms per step.
#include "DragGesture.h"
#include "PageComputer.h"
#include "QPainterSurface.h"
#include "sigcore32.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace zw;
using namespace zw::create;

namespace {

constexpr double kSamples = 65536;
constexpr int kPreviewWidth = 720;
constexpr int kPreviewHeight = 260;

QGuiApplication& app() {
    static int argc = 1;
    static char name[] = "bench_app_create";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* instance = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QGuiApplication(argc, argv);
    }();
    return *instance;
}

void redraw(QImage& image, ZwMemHandle work) {
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterSurface surface(painter, 0xFF0000);
    W_DrawGrid2(surface.get(), 0, 65534, kPreviewWidth, kPreviewHeight);
    W_DrawWave2(surface.get(), work, 0, 0, kSamples, 65534, kPreviewWidth, kPreviewHeight);
}

void dragSteps(benchmark::State& state, const PageRecord& origin) {
    app();
    const ZwMemHandle work = W_AllocMemory(65536);
    UnitSetting setting;
    setting.WaveLength = kSamples;
    const PageComputer computer(work, Units(setting), CreateMode::InPlace);
    QImage image(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
    double dy = 0;
    for (auto _ : state) {
        dy = dy > 8000 ? 0 : dy + 37; // the mouse moves a little every step
        const PageRecord page = DraggedPage(origin, dy / 4, dy, {});
        if (computer.Make_Wave(page) != 0)
            state.SkipWithError("the page did not compute");
        redraw(image, work);
    }
    W_FreeMemory(work);
}

PageRecord page(PageType type) {
    PageRecord p;
    p.Type = type;
    p.Start = 0;
    p.End = kSamples;
    p.Size = kSamples;
    p.Amplitude = 50000;
    p.Cycles = 7;
    return p;
}

void BM_DragStepSine(benchmark::State& state) {
    dragSteps(state, page(PageType::Sine));
}

void BM_DragStepExpression(benchmark::State& state) {
    PageRecord p = page(PageType::Expression);
    p.Expression = "1000*sin(x/50)*cos(x/70)+500*sqr(x)";
    dragSteps(state, p);
}

} // namespace

BENCHMARK(BM_DragStepSine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragStepExpression)->Unit(benchmark::kMillisecond);

namespace {
void BM_ComputeOnlyExpression(benchmark::State& state) {
    const ZwMemHandle work = W_AllocMemory(65536);
    UnitSetting setting;
    setting.WaveLength = kSamples;
    const PageComputer computer(work, Units(setting), CreateMode::InPlace);
    PageRecord p = page(PageType::Expression);
    p.Expression = "1000*sin(x/50)*cos(x/70)+500*sqr(x)";
    for (auto _ : state)
        computer.Make_Wave(p);
    W_FreeMemory(work);
}
void BM_ComputeOnlySine(benchmark::State& state) {
    const ZwMemHandle work = W_AllocMemory(65536);
    UnitSetting setting;
    setting.WaveLength = kSamples;
    const PageComputer computer(work, Units(setting), CreateMode::InPlace);
    PageRecord p = page(PageType::Sine);
    for (auto _ : state)
        computer.Make_Wave(p);
    W_FreeMemory(work);
}
void BM_DrawOnly(benchmark::State& state) {
    app();
    const ZwMemHandle work = W_AllocMemory(65536);
    W_MakeSin(work, 0, 65536, 0, 50000, 7, 0);
    QImage image(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
    for (auto _ : state)
        redraw(image, work);
    W_FreeMemory(work);
}
} // namespace
BENCHMARK(BM_ComputeOnlyExpression)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComputeOnlySine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawOnly)->Unit(benchmark::kMillisecond);
