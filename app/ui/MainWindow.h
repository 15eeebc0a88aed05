// The main window: the plot of the document waveform (or its 16 digital
// lines), markers A and B with their read-outs, zoom lists and scroll bars,
// the Edit and File menus, and the tool panel whose windows the
// ToolWindowHost opens. The window builds and wires controls; the parts do
// the work: the session (EditSession) holds the state and the rules,
// ViewControls the zoom and scroll, MarkerReadouts the read-outs and typed
// positions, PlotPainter the drawing, the PlotTool of the tool mode the
// mouse on the plot (DigitalLineTool on the digital view), EditMenu and
// FileMenu the commands.
//
// Whatever changes the document — an Edit command, a tool window, a file —
// is reported by the session's changed() signal; the window redraws and
// refreshes its read-outs from there.
//
// Controls carry their system names as object names; a control array
// element is the name, "_" and its index (HScroll_0, Opt_DspSel_1).
#ifndef ZW_UI_MAINWINDOW_H
#define ZW_UI_MAINWINDOW_H

#include "CaptionCatalog.h"
#include "EditSession.h"
#include "EditorContext.h"
#include "Grid.h"
#include "MainWindowControls.h"
#include "PlotTool.h"
#include "QtClipboardOwner.h"
#include "ToolMode.h"
#include "WaveView.h"
#include "WaveformPrintSource.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <optional>

class QMenu;
class QMouseEvent;
class QSessionManager;

namespace zw {

class DigitalLineLabels;
class DigitalLineTool;
class EditMenu;
class FileMenu;
class MarkerReadouts;
class PlotCanvas;
class PlotPainter;
class PlotWheel;
class StatusLineView;
class ToolWindowHost;
class ViewControls;

class MainWindow : public QMainWindow, private MainWindowControls, private PlotToolHost {
    Q_OBJECT
public:
    explicit MainWindow(EditorContext& context, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The rest of start-up once the window exists: the command-line file
    // (empty for none), title, view, markers, undo, display, zoom.
    void load(const QString& commandLineFile);

    // The tool windows: register a window for a tool mode here.
    ToolWindowHost& tools() { return *tools_; }
    // The plot tool of a tool mode (the marker tool when none is set).
    void setPlotTool(ToolMode mode, std::unique_ptr<PlotTool> tool);
    // What a plot tool is built on.
    PlotToolHost& plotToolHost() { return *this; }

    const WaveView& view() const override;
    EditorContext& context() { return ctx_; }
    // Draws the visible plot anew (Draw_Wave).
    void redraw() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // PlotToolHost
    EditSession& session() override { return ctx_.session; }
    PlotCanvas& canvas() override { return *Pict_Wave; }
    std::pair<long, long> markerColumns() const override;

    const MainWindowControls& controls() const { return *this; }

    // Construction.
    void buildMenus();
    void buildRecentFilesMenu(QMenu& file);
    void buildControls();
    void buildParts();
    void applyFonts();
    void keepPanelsWhole();
    void connectControls();
    void registerTools();

    // Wiring.
    void sessionChanged(EditChanges what);
    void refreshTitle();
    void refreshUndoMenu();
    void selectDisplay(int index);
    PlotTool& plotTool();
    void plotMouse(PlotCanvas& canvas, PlotTool& tool, QMouseEvent* event);
    void exportImage();
    void Menu_Print_Click();
    // What the waveform printout shows: the view as the window shows it.
    WaveformPrintSource printSource() const;
    void Menu_Version_Click();
    void showHelp();
    void commitDataRequest(QSessionManager& manager);

    EditorContext& ctx_;
    CaptionCatalog captions_;
    Grid grid_;
    QtClipboardOwner clipboard_;
    ToolWindowHost* tools_ = nullptr;
    std::unique_ptr<PlotTool> markerTool_;
    std::array<std::unique_ptr<PlotTool>, kToolModeCount> plotTools_;
    std::unique_ptr<ViewControls> viewControls_;
    std::unique_ptr<MarkerReadouts> readouts_;
    std::unique_ptr<PlotPainter> painter_;
    std::unique_ptr<DigitalLineTool> digitalTool_;
    DigitalLineLabels* lineNames_ = nullptr;
    std::unique_ptr<EditMenu> editMenu_;
    std::unique_ptr<FileMenu> fileMenu_;
    std::unique_ptr<PlotWheel> wheel_;
    std::unique_ptr<StatusLineView> statusLine_;
    bool starting_ = true;
};

} // namespace zw

#endif // ZW_UI_MAINWINDOW_H
