// Redrawing the plot: a full Draw_Wave of the main window over 65536 samples
// at 1:1 into a 1920 x 1000 plot, and the trace alone through the QPainter
// surface into an offscreen image of that size.
#include "CurrentSetting.h"
#include "EditSession.h"
#include "MainWindow.h"
#include "MessageCatalog.h"
#include "Messages.h"
#include "PlotColours.h"
#include "QPainterSurface.h"
#include "QtFileDialogService.h"
#include "QtMessageService.h"
#include "WaveDocument.h"
#include "clsRegistry.h"
#include "modspec32.h"
#include "sigcore32.h"
#include "zwplatform.hpp"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "bench_app";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QApplication(argc, argv);
    }();
    return *instance;
}

// A busy trace: a sine with a little noise, so that every column spans rows.
void fillNoisySine(ZwMemHandle h, int count) {
    zw::LockedBlock<int16_t> codes(h);
    unsigned noise = 1;
    for (int i = 0; i < count && i < static_cast<int>(codes.size()); ++i) {
        noise = noise * 1103515245u + 12345u;
        const double v = 28000 * std::sin(2 * M_PI * 37 * i / count) +
                         static_cast<int>((noise >> 16) % 3000) - 1500;
        codes[i] = static_cast<int16_t>(v);
    }
}

void BM_TraceIntoImage(benchmark::State& state) {
    app();
    const ZwMemHandle memory = W_AllocMemory(65536);
    fillNoisySine(memory, 65536);
    QImage image(1920, 1000, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        zw::QPainterSurface surface(painter, zw::kTraceColour);
        W_DrawWave2(surface.get(), memory, 0, 0, 65536, 65534, 1920, 1000);
    }
    W_FreeMemory(memory);
}
BENCHMARK(BM_TraceIntoImage)->Unit(benchmark::kMillisecond);

// The model of the bundled files that has a memory of 65536 samples.
bool selectFullMemory(zw::CurrentSetting& setting) {
    for (int m = 0; m < static_cast<int>(setting.models().size()); ++m) {
        const int size = static_cast<int>(setting.models()[m].memorySizes.indexOf("65536"));
        if (size >= 0)
            return setting.restore({m, 0, size, 3, {}});
    }
    return false;
}

void BM_MainWindowDrawWave(benchmark::State& state) {
    app();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(ZW_MODELS_DIR);
    SysInitDeviceInfo();
    QDir::setCurrent(previous);
    QTemporaryDir dir;
    zw::clsRegistry registry(dir.filePath("ZW4410.ini"));
    const zw::MessageCatalog catalog(zw::Language::English);
    zw::QtMessageService service;
    zw::Messages messages(catalog, service);
    zw::CurrentSetting setting;
    setting.loadModelLists();
    zw::WaveDocument document;
    if (!selectFullMemory(setting) || !document.allocate()) {
        state.SkipWithError("no model with a memory of 65536 samples");
        return;
    }
    document.setWaveLength(setting.waveLength());
    zw::EditSession session(document, setting, registry);
    zw::QtFileDialogService fileDialogs;
    zw::EditorContext context{
        zw::Language::English, catalog,    messages, registry, document, setting, session,
        fileDialogs,           dir.path(), nullptr};
    zw::MainWindow window(context);
    window.load(QString());
    fillNoisySine(document.current(), 65536);
    auto* plot = window.findChild<QWidget*>("Pict_Wave");
    plot->setFixedSize(1920, 1000);
    window.show();
    QApplication::processEvents();
    if (plot->width() != 1920 || plot->height() != 1000 || window.view().ViewRight() != 65536) {
        state.SkipWithError("the plot is not 1920 x 1000 at 1:1");
        return;
    }
    for (auto _ : state)
        window.redraw();
}
BENCHMARK(BM_MainWindowDrawWave)->Unit(benchmark::kMillisecond);

} // namespace
