// The main window: the plot of the document waveform (or its 16 digital
// lines), markers A and B with their read-outs, zoom lists and scroll bars,
// the Edit and File menus, and the tool panel whose windows the
// ToolWindowHost opens. The window builds and wires controls; the state and
// the rules are the session's (EditSession), the view arithmetic is
// WaveView's, the mouse on the plot is the current PlotTool's.
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
#include "FileImportCommand.h"
#include "Grid.h"
#include "MarkerOverlay.h"
#include "PlotTool.h"
#include "QtClipboardOwner.h"
#include "ToolMode.h"
#include "WaveView.h"
#include "WaveformPrintSource.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QPainter;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSessionManager;

namespace zw {

class PlotCanvas;
class ToolWindowHost;
class Units;

class MainWindow : public QMainWindow, private PlotToolHost {
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

    const WaveView& view() const override { return view_; }
    EditorContext& context() { return ctx_; }
    // Draws the visible plot anew (Draw_Wave).
    void redraw() override { Draw_Wave(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // PlotToolHost
    EditSession& session() override { return ctx_.session; }
    PlotCanvas& canvas() override { return *Pict_Wave; }
    std::pair<long, long> markerColumns() const override;

    void buildMenus();
    void buildControls();
    void applyFonts();
    void connectControls();
    void registerTools();

    // What the session reports.
    void sessionChanged(EditChanges what);

    // Drawing.
    void Draw_Wave();
    void drawAnalog();
    void drawDigital();
    void Draw_Grid_Wave(QPainter& painter, int w, int h);
    void moveMarkers();
    PlotCanvas* visibleCanvas() const;
    PlotTool& plotTool();

    // Read-outs and view.
    void SetText_MarkA();
    void SetText_MarkB();
    void refreshTitle();
    void refreshUndoMenu();
    void Comb_XZoom_Click(int index);
    void Comb_YZoom_Click();
    void Hrizontal_Scroll(int index);
    void Vertical_Scroll();
    void syncScrollBars();
    void refreshEdgeLabels();
    void selectDisplay(int index);
    void resetView();

    // Mouse on the plots.
    void waveMouse(QMouseEvent* event);
    void digitalMousePress(QMouseEvent* event);
    void digitalMouseMove(QMouseEvent* event);
    void digitalMouseRelease(QMouseEvent* event);
    void showMousePosition(double x, double y, int w, int h, bool showY);

    // Typed values.
    void commitStartX();
    void commitEndX();
    void commitScope();

    // Edit menu.
    bool patternHasFocus() const;
    void Menu_Undo_Click();
    void Menu_Cut_Click();
    void Menu_Copy_Click();
    void Menu_Paste_Click();
    void Menu_Delete_Click();
    void Btn_Pattern_Click(int index);
    void showResult(int message);

    // File menu.
    void Menu_FileNew_Click();
    void Menu_FileOpen_Click();
    void Menu_FileImport_Click();
    void Menu_FileSave_Click();
    void saveAs(bool binary);
    void Menu_Print_Click();
    // What the waveform printout shows: the view as the window shows it.
    WaveformPrintSource printSource() const;
    void Menu_Version_Click();
    void showHelp();

    void commitDataRequest(QSessionManager& manager);

    // The units of the current setting, and a typed X position or distance
    // in them read back into samples (nothing for text that is no number).
    Units units() const;
    std::optional<double> typedX(const QString& text, bool distance) const;

    EditorContext& ctx_;
    CaptionCatalog captions_;
    FileImportCommand fileImport_{ctx_, captions_};
    Grid grid_;
    WaveView view_;
    QtClipboardOwner clipboard_;
    ToolWindowHost* tools_ = nullptr;
    std::unique_ptr<PlotTool> markerTool_;
    std::array<std::unique_ptr<PlotTool>, kToolModeCount> plotTools_;
    MarkerOverlay waveMarkers_;
    MarkerOverlay digitalMarkers_;

    bool loading_ = true;
    std::optional<int> draggedLine_;

    // Controls.
    QGroupBox* Frm_Wave = nullptr;
    QGroupBox* Frm_Digital = nullptr;
    PlotCanvas* Pict_Wave = nullptr;
    PlotCanvas* Pict_Digital = nullptr;
    std::array<QRadioButton*, 2> Opt_DspSel{};
    std::array<QRadioButton*, 2> Opt_Scope{};
    std::array<QPushButton*, 4> Opt_DlgSel{};
    std::array<QComboBox*, 2> Comb_XZoom{};
    QComboBox* Comb_YZoom = nullptr;
    std::array<QScrollBar*, 2> HScroll{};
    QScrollBar* VScroll = nullptr;
    QLineEdit* Txt_Start_X = nullptr;
    QLineEdit* Txt_Start_Y = nullptr;
    QLineEdit* Txt_End_X = nullptr;
    QLineEdit* Txt_End_Y = nullptr;
    QLineEdit* Txt_Scope = nullptr;
    std::array<QLineEdit*, 2> Txt_Cur_X{};
    QLineEdit* Txt_Cur_Y = nullptr;
    QLineEdit* Txt_Pattern = nullptr;
    std::array<QPushButton*, 4> Btn_Pattern{};
    // Edge labels: per display, the samples at the left and right edge; the
    // codes at the top, middle and bottom of the analog plot.
    std::array<QLabel*, 2> Label_XLeft{};
    std::array<QLabel*, 2> Label_XRight{};
    QLabel* Label_YTop = nullptr;
    QLabel* Label_YMiddle = nullptr;
    QLabel* Label_YBottom = nullptr;

    QAction* Menu_Undo = nullptr;
    QAction* Menu_Cut = nullptr;
    QAction* Menu_Copy = nullptr;
    QAction* Menu_Paste = nullptr;
    QAction* Menu_Delete = nullptr;
    QAction* Menu_Grid = nullptr;
    std::array<QAction*, 5> toolMenuItems_{}; // by tool mode
};

} // namespace zw

#endif // ZW_UI_MAINWINDOW_H
