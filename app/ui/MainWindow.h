// The main window: the plot of the document waveform (or its 16 digital
// lines), markers A and B with their read-outs, zoom lists and scroll bars,
// the Edit menu with undo, and the wave file commands. The window holds no
// logic of its own beyond wiring: the document and undo (WaveDocument), the
// view arithmetic (WaveView), the marker rules (MarkerRules) and the file
// commands (WaveFileCommands) are plain classes.
//
// Controls carry their system names as object names; a control array
// element is the name, "_" and its index (HScroll_0, Opt_DspSel_1).
#ifndef ZW_UI_MAINWINDOW_H
#define ZW_UI_MAINWINDOW_H

#include "CaptionCatalog.h"
#include "DocumentNames.h"
#include "Grid.h"
#include "Language.h"
#include "MarkerRules.h"
#include "QtClipboardOwner.h"
#include "WaveView.h"

#include <QMainWindow>

#include <array>
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

class CurrentSetting;
class MessageCatalog;
class Messages;
class PlotCanvas;
class Units;
class UsbTmcTable;
class WaveDocument;
class clsRegistry;

// Everything the main window works on; owned by the program's entry.
struct EditorContext {
    Language language = Language::Japanese;
    const MessageCatalog& catalog;
    Messages& messages;
    clsRegistry& registry;
    WaveDocument& document;
    CurrentSetting& setting;
    QString programFolder; // where the program, its help files and models are
    // The pairs of "USBTMC.ID", for the USB interface of the setup window.
    const UsbTmcTable* usbTable = nullptr;
};

// Colours of the plots (platform RGB).
inline constexpr uint32_t kTraceColour = 0xFF0000;    // QBColor 9, light blue (0, 0, 255)
inline constexpr uint32_t kPlotBackground = 0xFFFFFF; // white
inline constexpr uint32_t kGridColour = 0xD0D0D0;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(EditorContext& context, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The rest of start-up once the window exists: the command-line file
    // (empty for none), title, view, markers, undo, display, zoom.
    void load(const QString& commandLineFile);

    // Operations other windows call.
    void Draw_Wave();
    void SetText_MarkA();
    void SetText_MarkB();
    void refreshTitle();
    void undoBackup();
    void undoReset();
    void setToolMode(int mode);
    int ToolMode() const { return toolMode_; }

    // File commands with a path already chosen (the dialogs call these).
    void openWaveFile(const QString& path);
    bool saveWaveFile(const QString& path);

    const WaveView& view() const { return view_; }
    const DocumentNames& names() const { return names_; }
    int32_t lineMask() const { return lineMask_; }
    double MarkDistance() const { return markDistance_; }

    // The dialogs for File > Open and Save As may be replaced (tests).
    std::function<QString(const QString& proposed, const QString& filter,
                          const QString& selectedFilter)>
        chooseOpenFile;
    std::function<QString(const QString& proposed, const QString& filter)> chooseSaveFile;

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void buildMenus();
    void buildControls();
    void applyFonts();
    void placeWindow();
    void connectControls();

    // Drawing.
    void drawAnalog();
    void drawDigital();
    void Draw_Grid_Wave(QPainter& painter, int w, int h);
    void Draw_Marker(QImage& frame);
    void Move_Marker(long oldColA, long oldColB);
    void xorMarkerAt(QImage& frame, long column, bool isB);
    PlotCanvas* visibleCanvas() const;
    std::pair<long, long> markerColumns() const;

    // View.
    void Comb_XZoom_Click(int index);
    void Comb_YZoom_Click();
    void Hrizontal_Scroll(int index);
    void Vertical_Scroll();
    void syncScrollBars();
    void refreshEdgeLabels();
    void selectDisplay(int index);

    // Mouse on the plots.
    void waveMouseMove(QMouseEvent* event);
    void waveMousePress(QMouseEvent* event);
    void waveMouseRelease(QMouseEvent* event);
    void digitalMousePress(QMouseEvent* event);
    void digitalMouseMove(QMouseEvent* event);
    void digitalMouseRelease(QMouseEvent* event);
    void showMousePosition(double x, double y, int w, int h, bool showY);
    void applyMarkerChange(const MarkerChange& change, long oldColA, long oldColB);

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
    void refreshUndoMenu();
    void afterSamplesChanged();
    void Btn_Pattern_Click(int index);

    // File menu.
    void Menu_FileNew_Click();
    void Menu_FileOpen_Click();
    void Menu_FileSave_Click();
    void saveAs(bool binary);
    void resetViewAfterOpen();
    void Menu_Version_Click();
    void showHelp();

    void commitDataRequest(QSessionManager& manager);

    // The units of the current setting, and a typed X position or distance
    // in them read back into samples (nothing for text that is no number).
    Units units() const;
    std::optional<double> typedX(const QString& text, bool distance) const;

    EditorContext& ctx_;
    CaptionCatalog captions_;
    Grid grid_;
    DocumentNames names_;
    WaveView view_;
    QtClipboardOwner clipboard_;

    MarkerMode markerMode_ = MarkerMode::Independent;
    double markDistance_ = 0;
    bool draggingMarker_ = false;
    std::optional<MarkerId> dragTarget_;
    int toolMode_ = 5;
    int32_t lineMask_ = 0;
    bool loading_ = true;
    std::optional<int> draggedLine_;
    QPoint normalPosition_;

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
    QAction* Menu_Spline = nullptr;
};

} // namespace zw

#endif // ZW_UI_MAINWINDOW_H
