// The tool windows of the main window. Each window has its own block below
// (its include and its registration), apart from the others, so that adding
// one touches nothing of another.
#include "ToolWindows.h"

#include "MainWindow.h"
#include "ToolWindowHost.h"

// Creation window.
#include "CreateDialog.h"

// Compress/decompress window.
#include "ElasticDialog.h"

// Interpolation window.
#include "InterpolationTool.h"
#include "PlotCanvas.h"
#include "SplineDialog.h"
#include "SplinePoints.h"

// Operations window.
#include "CalcDialog.h"
#include "CreateDialog.h"

// System setup window.
#include "SystemDialog.h"

namespace zw {

void RegisterToolWindows(MainWindow& window) {
    [[maybe_unused]] EditorContext& ctx = window.context();
    [[maybe_unused]] ToolWindowHost& host = window.tools();

    // Creation window (ToolMode::Create, Opt_DlgSel_0, Menu_Create).
    host.registerWindow(ToolMode::Create,
                        [&ctx](QWidget* parent) { return new CreateDialog(ctx, parent); });

    // Compress/decompress window (ToolMode::Compress, Opt_DlgSel_1,
    // Menu_Compress).
    host.registerWindow(ToolMode::Compress,
                        [&ctx](QWidget* parent) { return new ElasticDialog(ctx, parent); });

    // Interpolation window (ToolMode::Interpolate, Opt_DlgSel_2, Menu_Spline),
    // with its plot tool for control points (window.setPlotTool). The points
    // live as long as the main window, so they are there again when the
    // window opens anew; the plot shows them while the tool is open.
    auto* points = new SplinePoints(ctx.messages, &window);
    QObject::connect(points, &SplinePoints::changed, &window, [&window] { window.redraw(); });
    window.setPlotTool(ToolMode::Interpolate,
                       std::make_unique<InterpolationTool>(window.plotToolHost(), *points));
    host.registerWindow(ToolMode::Interpolate, [&ctx, points](QWidget* parent) {
        return new SplineDialog(ctx, *points, parent);
    });
    // The cross shows over the plot from the moment the tool owns it.
    QObject::connect(&host, &ToolWindowHost::opened, &window, [&window](ToolMode mode) {
        if (mode == ToolMode::Interpolate)
            window.plotToolHost().canvas().setCursor(Qt::CrossCursor);
    });
    QObject::connect(&host, &ToolWindowHost::closed, &window, [&window](ToolMode mode) {
        if (mode == ToolMode::Interpolate)
            window.plotToolHost().canvas().setCursor(Qt::ArrowCursor);
    });

    // Operations window (ToolMode::Operate, Opt_DlgSel_3, Menu_Compute). The
    // operand comes from the clipboard or from the Create window in its
    // operand mode.
    const OperandCreator createOperand = [&ctx](ZwMemHandle operand, QWidget* parent) {
        return CreateDialog::RunForOperand(ctx, operand, parent);
    };
    host.registerWindow(ToolMode::Operate, [&ctx, createOperand](QWidget* parent) {
        return new CalcDialog(ctx, createOperand, parent);
    });

    // System setup window (ToolMode::SystemSetup, Menu_System).
    host.registerWindow(ToolMode::SystemSetup,
                        [&ctx](QWidget* parent) { return new SystemDialog(ctx, parent); });
}

} // namespace zw
