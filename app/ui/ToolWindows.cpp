// The tool windows of the main window. Each window has its own block below
// (its include and its registration), apart from the others, so that adding
// one touches nothing of another.
#include "ToolWindows.h"

#include "MainWindow.h"
#include "ToolWindowHost.h"

// Creation window.
#include "CreateDialog.h"

// Compress/decompress window.

// Interpolation window.

// Operations window.

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

    // Interpolation window (ToolMode::Interpolate, Opt_DlgSel_2, Menu_Spline),
    // with its plot tool for control points (window.setPlotTool).

    // Operations window (ToolMode::Operate, Opt_DlgSel_3, Menu_Compute).

    // System setup window (ToolMode::SystemSetup, Menu_System).
    host.registerWindow(ToolMode::SystemSetup,
                        [&ctx](QWidget* parent) { return new SystemDialog(ctx, parent); });
}

} // namespace zw
