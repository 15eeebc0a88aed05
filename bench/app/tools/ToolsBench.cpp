// The live tools on a 65536-sample document, each with the main window's
// redraw of its 1920-column plot, as the user sees them while typing and
// dragging: one rebuild of Compress/Decompress (copy from the backup, time
// resampling, level fit, copy back) and one Cont Spline through 2000 control
// points over the whole waveform.
#include "ControlPoints.h"
#include "CurrentSetting.h"
#include "EditSession.h"
#include "ElasticModel.h"
#include "Interpolation.h"
#include "MainWindow.h"
#include "MessageCatalog.h"
#include "Messages.h"
#include "QtFileDialogService.h"
#include "QtMessageService.h"
#include "SplinePoints.h"
#include "ToolMode.h"
#include "ToolWindowHost.h"
#include "WaveDocument.h"
#include "clsRegistry.h"
#include "modspec32.h"
#include "zwplatform.hpp"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kSamples = 65536;

QApplication& app() {
    static int argc = 1;
    static char name[] = "bench_tools";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QApplication(argc, argv);
    }();
    return *instance;
}

void fillNoisySine(ZwMemHandle h) {
    zw::LockedBlock<int16_t> codes(h);
    unsigned noise = 1;
    for (int i = 0; i < kSamples && i < static_cast<int>(codes.size()); ++i) {
        noise = noise * 1103515245u + 12345u;
        const double v = 28000 * std::sin(2 * M_PI * 37 * i / kSamples) +
                         static_cast<int>((noise >> 16) % 3000) - 1500;
        codes[i] = static_cast<int16_t>(v);
    }
}

bool selectFullMemory(zw::CurrentSetting& setting) {
    for (int m = 0; m < static_cast<int>(setting.models().size()); ++m) {
        const int size = static_cast<int>(setting.models()[m].memorySizes.indexOf("65536"));
        if (size >= 0)
            return setting.restore({m, 0, size, 3, {}});
    }
    return false;
}

// The editor with its main window showing a 65536-sample document at 1:1 in
// a 1920 x 1000 plot.
class Editor {
public:
    Editor() : registry_(dir_.filePath("ZW4410.ini")), messages_(catalog_, service_) {
        app();
        const QString previous = QDir::currentPath();
        QDir::setCurrent(ZW_MODELS_DIR);
        SysInitDeviceInfo();
        QDir::setCurrent(previous);
        setting_.loadModelLists();
        if (!selectFullMemory(setting_) || !document_.allocate())
            return;
        document_.setWaveLength(setting_.waveLength());
        session_ = std::make_unique<zw::EditSession>(document_, setting_, registry_);
        context_ = std::make_unique<zw::EditorContext>(
            zw::EditorContext{zw::Language::English, catalog_, messages_, registry_, document_,
                              setting_, *session_, fileDialogs_, dir_.path(), nullptr});
        window_ = std::make_unique<zw::MainWindow>(*context_);
        window_->load(QString());
        fillNoisySine(document_.current());
        auto* plot = window_->findChild<QWidget*>("Pict_Wave");
        plot->setFixedSize(1920, 1000);
        window_->show();
        QApplication::processEvents();
        ready_ = plot->width() == 1920 && window_->view().ViewRight() == kSamples;
    }
    bool ready() const { return ready_; }
    zw::WaveDocument& document() { return document_; }
    zw::EditSession& session() { return *session_; }
    zw::MainWindow& window() { return *window_; }
    void redraw() { window_->redraw(); }

private:
    QTemporaryDir dir_;
    zw::clsRegistry registry_;
    const zw::MessageCatalog catalog_{zw::Language::English};
    zw::QtMessageService service_;
    zw::Messages messages_;
    zw::CurrentSetting setting_;
    zw::WaveDocument document_;
    zw::QtFileDialogService fileDialogs_;
    std::unique_ptr<zw::EditSession> session_;
    std::unique_ptr<zw::EditorContext> context_;
    std::unique_ptr<zw::MainWindow> window_;
    bool ready_ = false;
};

void BM_ElasticRecomputeWithRedraw(benchmark::State& state) {
    Editor editor;
    if (!editor.ready()) {
        state.SkipWithError("no 1920-column plot of a 65536-sample document");
        return;
    }
    editor.session().setMarkers({10000, 50000});
    zw::ElasticModel model(editor.document());
    bool longer = false;
    for (auto _ : state) {
        // A typed end X: each value differs from the last, so each rebuilds.
        longer = !longer;
        model.setEndX(longer ? 60000 : 30000);
        editor.redraw();
    }
    model.cancel();
}
BENCHMARK(BM_ElasticRecomputeWithRedraw)->Unit(benchmark::kMillisecond);

void BM_ContSpline2000PointsWithRedraw(benchmark::State& state) {
    Editor editor;
    if (!editor.ready()) {
        state.SkipWithError("no 1920-column plot of a 65536-sample document");
        return;
    }
    // The Interpolate window open, so the redraw draws the 2000 points over
    // the trace as the user sees them.
    editor.session().setMarkers({0, kSamples});
    auto* shared = editor.window().findChild<zw::SplinePoints*>();
    if (shared == nullptr || editor.window().tools().open(zw::ToolMode::Interpolate) == nullptr) {
        state.SkipWithError("no Interpolate window");
        return;
    }
    zw::ControlPoints& points = shared->list();
    for (int i = 0; i < zw::ControlPoints::kCapacity; ++i) {
        const double x = i * (kSamples / 2000.0);
        points.setPoint(x, 25000 * std::sin(2 * M_PI * 7 * x / kSamples), kSamples, {});
    }
    for (auto _ : state) {
        zw::Interpolate(editor.document(), points, zw::InterpolationKind::ContSpline);
        editor.redraw();
    }
    editor.window().tools().openWindow()->reject();
}
BENCHMARK(BM_ContSpline2000PointsWithRedraw)->Unit(benchmark::kMillisecond);

} // namespace
