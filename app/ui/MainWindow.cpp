#include "MainWindow.h"

#include "CaptionApplier.h"
#include "CurrentSetting.h"
#include "DigitalLines.h"
#include "FileDialogService.h"
#include "Grid.h"
#include "Help.h"
#include "MarkerTool.h"
#include "MessageCatalog.h"
#include "Messages.h"
#include "NumberFormat.h"
#include "PlotCanvas.h"
#include "PlotColours.h"
#include "PrintDialog.h"
#include "QPainterSurface.h"
#include "SetupListing.h"
#include "ToolWindowHost.h"
#include "ToolWindows.h"
#include "Units.h"
#include "VersionDialog.h"
#include "WaveDocument.h"
#include "WaveFileNames.h"
#include "WindowPlacement.h"
#include "clsRegistry.h"
#include "sigcore32.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSessionManager>
#include <QShortcut>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace zw {

namespace {

QString indexed(const char* name, int index) {
    return QString("%1_%2").arg(name).arg(index);
}

QLineEdit* readoutBox(const QString& name, bool editable) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setReadOnly(!editable);
    box->setAlignment(Qt::AlignRight);
    box->setMinimumWidth(90);
    box->setMaximumWidth(130);
    return box;
}

QLabel* label(const QString& name) {
    auto* l = new QLabel;
    l->setObjectName(name);
    return l;
}

QLabel* edgeLabel(const QString& name, Qt::Alignment align) {
    auto* l = label(name);
    l->setAlignment(align);
    l->setMinimumWidth(70);
    return l;
}

QString documentsFolder(const QString& fallback) {
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return docs.isEmpty() ? fallback : docs;
}

} // namespace

MainWindow::MainWindow(EditorContext& context, QWidget* parent)
    : QMainWindow(parent), ctx_(context), captions_(context.language),
      view_(context.document.WaveLength()) {
    setObjectName("MainWindow");
    markerTool_ = std::make_unique<MarkerTool>(plotToolHost());
    buildMenus();
    buildControls();
    ApplyCaptions(*this, captions_);
    applyFonts();
    connectControls();
    registerTools();
    KeepWindowPosition(*this, ctx_.registry);
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this, &MainWindow::commitDataRequest);
}

MainWindow::~MainWindow() = default;

Units MainWindow::units() const {
    return Units(ctx_.setting.info());
}

std::optional<double> MainWindow::typedX(const QString& text, bool distance) const {
    const std::optional<double> typed = NumberFormat::ReadEngineering(text);
    if (!typed)
        return std::nullopt;
    const Units u = units();
    const double value = u.LimitX(*typed).value;
    return distance ? u.XUnitToDistance(value) : u.XUnitToPosition(value);
}

// ---------------------------------------------------------------------------
// Construction

void MainWindow::buildMenus() {
    auto menu = [this](const char* name) {
        QMenu* m = menuBar()->addMenu(QString());
        m->setObjectName(name);
        return m;
    };
    auto item = [this](QMenu* m, const char* name, auto slot, QKeySequence keys = {}) {
        QAction* a = m->addAction(QString());
        a->setObjectName(name);
        if (!keys.isEmpty())
            a->setShortcut(keys);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    auto unavailable = [](QMenu* m, const char* name) {
        // Windows of later parts of the editor; shown, not yet usable.
        QAction* a = m->addAction(QString());
        a->setObjectName(name);
        a->setEnabled(false);
        return a;
    };
    // The tool windows' items: the tool-window host enables them for the
    // windows registered with it.
    auto tool = [this, &unavailable](QMenu* m, const char* name, ToolMode mode) {
        toolMenuItems_[static_cast<size_t>(mode)] = unavailable(m, name);
    };

    QMenu* file = menu("Menu_File");
    item(file, "Menu_FileNew", &MainWindow::Menu_FileNew_Click, QKeySequence::New);
    item(file, "Menu_FileOpen", &MainWindow::Menu_FileOpen_Click, QKeySequence::Open);
    item(file, "Menu_FileSave", &MainWindow::Menu_FileSave_Click, QKeySequence::Save);
    item(file, "Menu_FileSaveAs", [this] { saveAs(true); });
    item(file, "Menu_FileSaveAs2", [this] { saveAs(false); });
    file->addSeparator();
    item(file, "Menu_FileImport", &MainWindow::Menu_FileImport_Click);
    item(file, "Menu_Print", &MainWindow::Menu_Print_Click, QKeySequence::Print);
    file->addSeparator();
    item(file, "Menu_Exit", [this] { close(); });

    QMenu* edit = menu("Menu_Edit");
    Menu_Undo = item(edit, "Menu_Undo", &MainWindow::Menu_Undo_Click, QKeySequence::Undo);
    edit->addSeparator();
    Menu_Cut = item(edit, "Menu_Cut", &MainWindow::Menu_Cut_Click, QKeySequence::Cut);
    Menu_Copy = item(edit, "Menu_Copy", &MainWindow::Menu_Copy_Click, QKeySequence::Copy);
    Menu_Paste = item(edit, "Menu_Paste", &MainWindow::Menu_Paste_Click, QKeySequence::Paste);
    Menu_Delete = item(edit, "Menu_Delete", &MainWindow::Menu_Delete_Click, QKeySequence::Delete);
    // The shortcuts reach the window from every control; Txt_Pattern's own
    // editing is done by these same commands.
    for (QAction* a : {Menu_Undo, Menu_Cut, Menu_Copy, Menu_Paste, Menu_Delete})
        a->setShortcutContext(Qt::WindowShortcut);

    QMenu* tools = menu("Menu_Tools");
    tool(tools, "Menu_Create", ToolMode::Create);
    tool(tools, "Menu_Spline", ToolMode::Interpolate);
    tool(tools, "Menu_Compute", ToolMode::Operate);
    tool(tools, "Menu_Compress", ToolMode::Compress);

    QMenu* set = menu("Menu_Set");
    tool(set, "Menu_System", ToolMode::SystemSetup);
    Menu_Grid = item(set, "Menu_Grid", [this] { Draw_Wave(); });
    Menu_Grid->setCheckable(true);

    QMenu* help = menu("Menu_MHelp");
    item(help, "Menu_Version", &MainWindow::Menu_Version_Click);
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, &MainWindow::showHelp);
}

void MainWindow::buildControls() {
    auto* central = new QWidget;
    central->setObjectName("Panel_Main");
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->setSpacing(6);

    // Analog frame: the plot with its vertical scroll bar and edge labels.
    Frm_Wave = new QGroupBox;
    Frm_Wave->setObjectName("Frm_Wave");
    {
        auto* grid = new QGridLayout(Frm_Wave);
        grid->setContentsMargins(4, 4, 4, 4);
        grid->setSpacing(2);
        Pict_Wave = new PlotCanvas("Pict_Wave");
        VScroll = new QScrollBar(Qt::Vertical);
        VScroll->setObjectName("VScroll");
        HScroll[0] = new QScrollBar(Qt::Horizontal);
        HScroll[0]->setObjectName(indexed("HScroll", 0));
        Label_YTop = edgeLabel("Label_YTop", Qt::AlignRight | Qt::AlignTop);
        Label_YMiddle = edgeLabel("Label_YMiddle", Qt::AlignRight | Qt::AlignVCenter);
        Label_YBottom = edgeLabel("Label_YBottom", Qt::AlignRight | Qt::AlignBottom);
        auto* yLabels = new QVBoxLayout;
        yLabels->addWidget(Label_YTop);
        yLabels->addStretch(1);
        yLabels->addWidget(Label_YMiddle);
        yLabels->addStretch(1);
        yLabels->addWidget(Label_YBottom);
        Label_XLeft[0] = edgeLabel(indexed("Label_XLeft", 0), Qt::AlignLeft);
        Label_XRight[0] = edgeLabel(indexed("Label_XRight", 0), Qt::AlignRight);
        auto* xLabels = new QHBoxLayout;
        xLabels->addWidget(Label_XLeft[0]);
        xLabels->addStretch(1);
        xLabels->addWidget(Label_XRight[0]);
        grid->addLayout(yLabels, 0, 0);
        grid->addWidget(Pict_Wave, 0, 1);
        grid->addWidget(VScroll, 0, 2);
        grid->addWidget(HScroll[0], 1, 1);
        grid->addLayout(xLabels, 2, 1);
        grid->setColumnStretch(1, 1);
        grid->setRowStretch(0, 1);
    }

    // Digital frame: the 16 lines, their scroll bar and the pattern tools.
    Frm_Digital = new QGroupBox;
    Frm_Digital->setObjectName("Frm_Digital");
    {
        auto* grid = new QGridLayout(Frm_Digital);
        grid->setContentsMargins(4, 4, 4, 4);
        grid->setSpacing(2);
        auto* lineNames = new QVBoxLayout;
        lineNames->setSpacing(0);
        lineNames->addStretch(1);
        for (int line = 0; line < kDigitalLineCount; ++line) {
            auto* l = label(indexed("Label_Line", line));
            l->setText(QString("D%1").arg(15 - line));
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            lineNames->addWidget(l, 3);
        }
        Pict_Digital = new PlotCanvas("Pict_Digital");
        Pict_Digital->setCursor(Qt::PointingHandCursor);
        HScroll[1] = new QScrollBar(Qt::Horizontal);
        HScroll[1]->setObjectName(indexed("HScroll", 1));
        Label_XLeft[1] = edgeLabel(indexed("Label_XLeft", 1), Qt::AlignLeft);
        Label_XRight[1] = edgeLabel(indexed("Label_XRight", 1), Qt::AlignRight);
        auto* xLabels = new QHBoxLayout;
        xLabels->addWidget(Label_XLeft[1]);
        xLabels->addStretch(1);
        xLabels->addWidget(Label_XRight[1]);
        auto* patterns = new QHBoxLayout;
        for (int i = 0; i < 4; ++i) {
            Btn_Pattern[i] = new QPushButton;
            Btn_Pattern[i]->setObjectName(indexed("Btn_Pattern", i));
            if (i < 3)
                patterns->addWidget(Btn_Pattern[i]);
        }
        Txt_Pattern = new QLineEdit;
        Txt_Pattern->setObjectName("Txt_Pattern");
        patterns->addSpacing(12);
        patterns->addWidget(Txt_Pattern, 1);
        patterns->addWidget(Btn_Pattern[3]);
        Comb_XZoom[1] = new QComboBox;
        Comb_XZoom[1]->setObjectName(indexed("Comb_XZoom", 1));
        patterns->addSpacing(12);
        patterns->addWidget(Comb_XZoom[1]);
        grid->addLayout(lineNames, 0, 0);
        grid->addWidget(Pict_Digital, 0, 1);
        grid->addWidget(HScroll[1], 1, 1);
        grid->addLayout(xLabels, 2, 1);
        grid->addLayout(patterns, 3, 0, 1, 2);
        grid->setColumnStretch(1, 1);
        grid->setRowStretch(0, 1);
    }

    // The control panel under the plot.
    auto* panel = new QHBoxLayout;
    panel->setSpacing(10);

    auto* tools = new QGroupBox;
    tools->setObjectName("Frame_Tools");
    {
        auto* g = new QGridLayout(tools);
        for (int i = 0; i < 4; ++i) {
            Opt_DlgSel[i] = new QPushButton;
            Opt_DlgSel[i]->setObjectName(indexed("Opt_DlgSel", i));
            Opt_DlgSel[i]->setCheckable(true);
            Opt_DlgSel[i]->setEnabled(false); // until a window is registered
            g->addWidget(Opt_DlgSel[i], i / 2, i % 2);
        }
    }

    auto* display = new QGroupBox;
    display->setObjectName("Frame_Display");
    {
        auto* g = new QGridLayout(display);
        for (int i = 0; i < 2; ++i) {
            Opt_DspSel[i] = new QRadioButton;
            Opt_DspSel[i]->setObjectName(indexed("Opt_DspSel", i));
            g->addWidget(Opt_DspSel[i], 0, i);
        }
        auto* zoomLabel = label("Label_Zoom");
        auto* zoomX = label("Label_Zoom_X");
        auto* zoomY = label("Label_Zoom_Y");
        Comb_XZoom[0] = new QComboBox;
        Comb_XZoom[0]->setObjectName(indexed("Comb_XZoom", 0));
        Comb_YZoom = new QComboBox;
        Comb_YZoom->setObjectName("Comb_YZoom");
        zoomX->setBuddy(Comb_XZoom[0]);
        zoomY->setBuddy(Comb_YZoom);
        g->addWidget(zoomLabel, 1, 0, 1, 2);
        g->addWidget(zoomX, 2, 0);
        g->addWidget(Comb_XZoom[0], 2, 1);
        g->addWidget(zoomY, 3, 0);
        g->addWidget(Comb_YZoom, 3, 1);
    }

    auto* markers = new QGroupBox;
    markers->setObjectName("Frame_Marker");
    {
        auto* g = new QGridLayout(markers);
        Txt_Start_X = readoutBox("Txt_Start_X", true);
        Txt_Start_Y = readoutBox("Txt_Start_Y", false);
        Txt_End_X = readoutBox("Txt_End_X", true);
        Txt_End_Y = readoutBox("Txt_End_Y", false);
        Txt_Scope = readoutBox("Txt_Scope", true);
        auto* ax = label("Label_MarkA_X");
        auto* ay = label("Label_MarkA_Y");
        auto* bx = label("Label_MarkB_X");
        auto* by = label("Label_MarkB_Y");
        auto* dx = label("Label_Scope_AB");
        ax->setBuddy(Txt_Start_X);
        bx->setBuddy(Txt_End_X);
        dx->setBuddy(Txt_Scope);
        g->addWidget(ax, 0, 0);
        g->addWidget(Txt_Start_X, 0, 1);
        g->addWidget(ay, 0, 2);
        g->addWidget(Txt_Start_Y, 0, 3);
        g->addWidget(bx, 1, 0);
        g->addWidget(Txt_End_X, 1, 1);
        g->addWidget(by, 1, 2);
        g->addWidget(Txt_End_Y, 1, 3);
        g->addWidget(dx, 2, 0);
        g->addWidget(Txt_Scope, 2, 1);
        auto* modes = new QHBoxLayout;
        for (int i = 0; i < 2; ++i) {
            Opt_Scope[i] = new QRadioButton;
            Opt_Scope[i]->setObjectName(indexed("Opt_Scope", i));
            modes->addWidget(Opt_Scope[i]);
        }
        g->addLayout(modes, 2, 2, 1, 2);
    }

    auto* mouse = new QGroupBox;
    mouse->setObjectName("Frame_Mouse");
    {
        auto* g = new QGridLayout(mouse);
        g->addWidget(label("Label_Mouse_Point"), 0, 0, 1, 2);
        for (int i = 0; i < 2; ++i)
            Txt_Cur_X[i] = readoutBox(indexed("Txt_Cur_X", i), false);
        Txt_Cur_Y = readoutBox("Txt_Cur_Y", false);
        auto* xl = label("Label_Cur_X");
        xl->setText("X");
        auto* yl = label("Label_Cur_Y");
        yl->setText("Y");
        g->addWidget(xl, 1, 0);
        g->addWidget(Txt_Cur_X[0], 1, 1);
        g->addWidget(Txt_Cur_X[1], 1, 1);
        g->addWidget(yl, 2, 0);
        g->addWidget(Txt_Cur_Y, 2, 1);
        Txt_Cur_X[1]->hide(); // the digital display's read-out takes its place
    }

    panel->addWidget(tools);
    panel->addWidget(display);
    panel->addWidget(markers);
    panel->addWidget(mouse);
    panel->addStretch(1);

    outer->addWidget(Frm_Wave, 1);
    outer->addWidget(Frm_Digital, 1);
    outer->addLayout(panel);
    setCentralWidget(central);

    resize(1180, 760);
}

void MainWindow::applyFonts() {
    QFont font(DisplayFontName(ctx_.language), kDisplayFontSize);
    font.setBold(false);
    setFont(font);
    menuBar()->setFont(font);
    for (QWidget* w : findChildren<QWidget*>())
        w->setFont(font);
}

void MainWindow::connectControls() {
    Pict_Wave->onRedrawNeeded = [this] { Draw_Wave(); };
    Pict_Digital->onRedrawNeeded = [this] { Draw_Wave(); };
    connect(&ctx_.session, &EditSession::changed, this, &MainWindow::sessionChanged);
    connect(Pict_Wave, &PlotCanvas::mouseMoved, this, &MainWindow::waveMouse);
    connect(Pict_Wave, &PlotCanvas::mousePressed, this, &MainWindow::waveMouse);
    connect(Pict_Wave, &PlotCanvas::mouseReleased, this, &MainWindow::waveMouse);
    connect(Pict_Digital, &PlotCanvas::mousePressed, this, &MainWindow::digitalMousePress);
    connect(Pict_Digital, &PlotCanvas::mouseMoved, this, &MainWindow::digitalMouseMove);
    connect(Pict_Digital, &PlotCanvas::mouseReleased, this, &MainWindow::digitalMouseRelease);

    for (int i = 0; i < 2; ++i) {
        connect(Comb_XZoom[i], &QComboBox::currentIndexChanged, this, [this, i](int index) {
            if (loading_)
                return;
            const QSignalBlocker block(Comb_XZoom[1 - i]);
            Comb_XZoom[1 - i]->setCurrentIndex(index);
            Comb_XZoom_Click(index);
        });
        connect(HScroll[i], &QScrollBar::valueChanged, this, [this, i] { Hrizontal_Scroll(i); });
        connect(Opt_DspSel[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                selectDisplay(i);
        });
        connect(Opt_Scope[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                ctx_.session.setMarkerMode(i == 0 ? MarkerMode::Independent : MarkerMode::Tracking);
        });
    }
    connect(Comb_YZoom, &QComboBox::currentIndexChanged, this, [this] {
        if (!loading_)
            Comb_YZoom_Click();
    });
    connect(VScroll, &QScrollBar::valueChanged, this, &MainWindow::Vertical_Scroll);
    connect(Txt_Start_X, &QLineEdit::editingFinished, this, &MainWindow::commitStartX);
    connect(Txt_End_X, &QLineEdit::editingFinished, this, &MainWindow::commitEndX);
    connect(Txt_Scope, &QLineEdit::editingFinished, this, &MainWindow::commitScope);
    for (int i = 0; i < 4; ++i)
        connect(Btn_Pattern[i], &QPushButton::clicked, this, [this, i] { Btn_Pattern_Click(i); });
    // Enter in the pattern box runs the typed pattern.
    connect(Txt_Pattern, &QLineEdit::returnPressed, this, [this] { Btn_Pattern_Click(3); });
}

// ---------------------------------------------------------------------------
// Start-up

void MainWindow::registerTools() {
    tools_ = new ToolWindowHost(ctx_.session, *this);
    for (size_t i = 0; i < Opt_DlgSel.size(); ++i)
        tools_->addControls(static_cast<ToolMode>(i), Opt_DlgSel[i], toolMenuItems_[i]);
    tools_->addControls(ToolMode::SystemSetup, nullptr,
                        toolMenuItems_[static_cast<size_t>(ToolMode::SystemSetup)]);
    RegisterToolWindows(*this);
}

void MainWindow::setPlotTool(ToolMode mode, std::unique_ptr<PlotTool> tool) {
    plotTools_[static_cast<size_t>(mode)] = std::move(tool);
}

PlotTool& MainWindow::plotTool() {
    const auto& tool = plotTools_[static_cast<size_t>(ctx_.session.toolMode())];
    return tool ? *tool : *markerTool_;
}

void MainWindow::load(const QString& commandLineFile) {
    loading_ = true;
    const int result = ctx_.session.startUp(commandLineFile);
    if (result != 0)
        ctx_.messages.ShowErrorCode(result);
    refreshTitle();
    view_.reset(ctx_.document.WaveLength());
    refreshUndoMenu();
    Opt_Scope[0]->setChecked(true);
    Frm_Wave->hide();
    Frm_Digital->hide();
    Opt_DspSel[0]->setChecked(true);
    selectDisplay(0);
    Comb_XZoom[0]->setCurrentIndex(0);
    Comb_XZoom[1]->setCurrentIndex(0);
    Comb_YZoom->setCurrentIndex(0);
    syncScrollBars();
    loading_ = false;
    SetText_MarkA();
    SetText_MarkB();
    refreshEdgeLabels();
    Draw_Wave();
}

void MainWindow::sessionChanged(EditChanges what) {
    if (loading_)
        return;
    if (what & EditChange::Title)
        refreshTitle();
    if (what & (EditChange::Undo | EditChange::ToolMode))
        refreshUndoMenu();
    if (what & EditChange::Document)
        resetView();
    const EditChanges redraw =
        EditChange::Samples | EditChange::Document | EditChange::LineMask | EditChange::ToolMode;
    if (what & (redraw | EditChange::Markers)) {
        SetText_MarkA();
        SetText_MarkB();
    }
    if (what & redraw)
        Draw_Wave();
    else if (what & EditChange::Markers)
        moveMarkers();
}

void MainWindow::refreshTitle() {
    setWindowTitle(MainWindowTitle(ctx_.names()));
}

// ---------------------------------------------------------------------------
// Drawing

PlotCanvas* MainWindow::visibleCanvas() const {
    return Opt_DspSel[1]->isChecked() ? Pict_Digital : Pict_Wave;
}

std::pair<long, long> MainWindow::markerColumns() const {
    const PlotCanvas* canvas = visibleCanvas();
    const MarkerRecord& m = ctx_.session.markers();
    return {view_.sampleToColumn(m.MarkA, canvas->plotWidth()),
            view_.sampleToColumn(m.MarkB, canvas->plotWidth())};
}

void MainWindow::Draw_Wave() {
    if (!ctx_.document.allocated())
        return;
    if (Opt_DspSel[1]->isChecked())
        drawDigital();
    else
        drawAnalog();
}

void MainWindow::drawAnalog() {
    QImage& frame = Pict_Wave->frame();
    const int w = frame.width();
    const int h = frame.height();
    {
        QPainter painter(&frame);
        painter.fillRect(frame.rect(), ColorFromRgb(kPlotBackground));
        if (Menu_Grid->isChecked())
            Draw_Grid_Wave(painter, w, h);
        QPainterSurface surface(painter, kTraceColour);
        W_DrawWave2(surface.get(), ctx_.document.current(), static_cast<double>(view_.ViewLeft()),
                    static_cast<double>(view_.ViewTop()),
                    static_cast<double>(view_.ViewRight() - view_.ViewLeft()),
                    static_cast<double>(view_.ViewBottom() - view_.ViewTop()), w, h);
        plotTool().paintOverlay(painter, frame.size());
    }
    const auto [colA, colB] = markerColumns();
    waveMarkers_.draw(frame, colA, colB);
    Pict_Wave->update();
}

void MainWindow::drawDigital() {
    QImage& frame = Pict_Digital->frame();
    const int w = frame.width();
    const int h = frame.height();
    {
        QPainter painter(&frame);
        painter.fillRect(frame.rect(), ColorFromRgb(kPlotBackground));
        QPainterSurface surface(painter, kTraceColour);
        const MarkerRecord& m = ctx_.document.markers();
        W_DrawDigitalPattern(
            surface.get(), ctx_.document.current(), static_cast<double>(view_.ViewLeft()),
            static_cast<double>(view_.ViewRight() - view_.ViewLeft()), 0xFFFF,
            MirrorLineMask(ctx_.session.lineMask()), m.MarkA, m.MarkB, w, h, kTraceColour,
            ZW_RGB(128, 128, 128), ZW_RGB(220, 0, 0), ZW_RGB(220, 120, 120));
    }
    const auto [colA, colB] = markerColumns();
    digitalMarkers_.draw(frame, colA, colB);
    Pict_Digital->update();
}

void MainWindow::Draw_Grid_Wave(QPainter& painter, int w, int h) {
    QPainterSurface surface(painter, kTraceColour);
    grid_.Drow(*surface.get(), w, h);
}

void MainWindow::moveMarkers() {
    // The digital view colours the marked stretch itself: drawn anew.
    if (Opt_DspSel[1]->isChecked()) {
        Draw_Wave();
        return;
    }
    const auto [colA, colB] = markerColumns();
    waveMarkers_.move(Pict_Wave->frame(), colA, colB);
    Pict_Wave->update();
}

// ---------------------------------------------------------------------------
// Read-outs and view

void MainWindow::SetText_MarkA() {
    const Units f = units();
    const MarkerRecord& m = ctx_.document.markers();
    Txt_Scope->setText(f.FormatXDistance(m.MarkB - m.MarkA));
    Txt_Start_Y->setText(f.FormatYValue(W_GetWaveData(
        ctx_.document.current(), m.MarkA, static_cast<double>(ctx_.document.WaveLength()))));
    Txt_Start_X->setText(f.FormatXPosition(m.MarkA));
}

void MainWindow::SetText_MarkB() {
    const Units f = units();
    const MarkerRecord& m = ctx_.document.markers();
    Txt_Scope->setText(f.FormatXDistance(m.MarkB - m.MarkA));
    Txt_End_Y->setText(f.FormatYValue(W_GetWaveData(
        ctx_.document.current(), m.MarkB, static_cast<double>(ctx_.document.WaveLength()))));
    Txt_End_X->setText(f.FormatXPosition(m.MarkB));
}

void MainWindow::refreshEdgeLabels() {
    const Units f = units();
    const QString ux = f.UnitTextX();
    const QString uy = f.UnitTextY();
    for (int i = 0; i < 2; ++i) {
        Label_XLeft[i]->setText(f.FormatXPosition(static_cast<double>(view_.ViewLeft())).trimmed() +
                                " " + ux);
        Label_XRight[i]->setText(
            f.FormatXPosition(static_cast<double>(view_.ViewRight())).trimmed() + " " + ux);
    }
    auto y = [&](long code) {
        return (f.FormatYValue(static_cast<double>(code)).trimmed() + " " + uy).trimmed();
    };
    Label_YTop->setText(y(view_.topCode()));
    Label_YMiddle->setText(y(view_.middleCode()));
    Label_YBottom->setText(y(view_.bottomCode()));
}

void MainWindow::syncScrollBars() {
    auto apply = [](QScrollBar* bar, const ScrollBarState& s) {
        const QSignalBlocker block(bar);
        bar->setRange(s.minimum, s.maximum);
        bar->setSingleStep(s.singleStep);
        bar->setPageStep(s.pageStep);
        bar->setValue(s.value);
        bar->setEnabled(s.enabled);
    };
    apply(HScroll[0], view_.hscroll());
    apply(HScroll[1], view_.hscroll());
    apply(VScroll, view_.vscroll());
}

void MainWindow::Comb_XZoom_Click(int index) {
    view_.setXZoomIndex(index);
    syncScrollBars();
    refreshEdgeLabels();
    Draw_Wave();
}

void MainWindow::Comb_YZoom_Click() {
    view_.setYZoomIndex(Comb_YZoom->currentIndex());
    syncScrollBars();
    refreshEdgeLabels();
    Draw_Wave();
}

void MainWindow::Hrizontal_Scroll(int index) {
    if (!view_.horizontalScroll(HScroll[index]->value()))
        return;
    syncScrollBars();
    refreshEdgeLabels();
    Draw_Wave();
}

void MainWindow::Vertical_Scroll() {
    view_.verticalScroll(VScroll->value());
    refreshEdgeLabels();
    Draw_Wave();
}

void MainWindow::selectDisplay(int index) {
    Frm_Digital->setVisible(index == 1);
    Frm_Wave->setVisible(index == 0);
    Txt_Cur_X[0]->setVisible(index == 0);
    Txt_Cur_X[1]->setVisible(index == 1);
    Txt_Cur_Y->setEnabled(index == 0);
    // Interpolation works on the analog plot only.
    tools_->setAllowed(ToolMode::Interpolate, index == 0);
    if (!loading_)
        Draw_Wave();
}

// ---------------------------------------------------------------------------
// Mouse on the analog plot

void MainWindow::showMousePosition(double x, double y, int w, int h, bool showY) {
    if (x < 0 || y < 0 || x > w || y > h)
        return;
    const Units f = units();
    const QString sx = f.FormatXPosition(view_.columnToSample(x, w));
    Txt_Cur_X[0]->setText(sx);
    Txt_Cur_X[1]->setText(sx);
    if (showY)
        Txt_Cur_Y->setText(f.FormatYValue(view_.rowToCode(y, h)));
}

void MainWindow::waveMouse(QMouseEvent* event) {
    const PlotPointer pointer{event->position(), event->button(), event->buttons(),
                              event->modifiers()};
    switch (event->type()) {
    case QEvent::MouseMove:
        showMousePosition(pointer.position.x(), pointer.position.y(), Pict_Wave->plotWidth(),
                          Pict_Wave->plotHeight(), true);
        plotTool().mouseMove(pointer);
        break;
    case QEvent::MouseButtonPress:
        plotTool().mousePress(pointer);
        break;
    case QEvent::MouseButtonRelease:
        plotTool().mouseRelease(pointer);
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------
// Mouse on the digital view: click selects a line, drag copies one onto
// another over the marked stretch.

void MainWindow::digitalMousePress(QMouseEvent* event) {
    draggedLine_.reset();
    if (event->button() != Qt::LeftButton)
        return;
    const auto [colA, colB] = markerColumns();
    const QPointF pos = event->position();
    if (!WithinMarkedColumns(static_cast<long>(std::floor(pos.x())), colA, colB))
        return;
    draggedLine_ = DigitalLineAt(pos.y(), Pict_Digital->plotHeight());
}

void MainWindow::digitalMouseMove(QMouseEvent* event) {
    const QPointF pos = event->position();
    showMousePosition(pos.x(), pos.y(), Pict_Digital->plotWidth(), Pict_Digital->plotHeight(),
                      false);
    if (draggedLine_)
        Pict_Digital->setCursor(Qt::DragCopyCursor);
}

void MainWindow::digitalMouseRelease(QMouseEvent* event) {
    Pict_Digital->setCursor(Qt::PointingHandCursor);
    if (!draggedLine_)
        return;
    const int from = *draggedLine_;
    draggedLine_.reset();
    const std::optional<int> to = DigitalLineAt(event->position().y(), Pict_Digital->plotHeight());
    if (!to)
        return;
    if (*to == from)
        ctx_.session.toggleLine(from);
    else if (ctx_.session.toolMode() == ToolMode::None)
        ctx_.session.copyLine(from, *to); // an edit: not under a tool window
}

// ---------------------------------------------------------------------------
// Typed marker positions

void MainWindow::commitStartX() {
    const std::optional<double> v = typedX(Txt_Start_X->text(), false);
    if (!v || !ctx_.session.typeStart(*v))
        SetText_MarkA(); // not a number, or refused: the old value again
}

void MainWindow::commitEndX() {
    const std::optional<double> v = typedX(Txt_End_X->text(), false);
    if (!v || !ctx_.session.typeEnd(*v))
        SetText_MarkB();
}

void MainWindow::commitScope() {
    const std::optional<double> d = typedX(Txt_Scope->text(), true);
    if (!d) {
        SetText_MarkB();
        return;
    }
    ctx_.session.typeDistance(*d);
}

// ---------------------------------------------------------------------------
// Edit menu and undo

bool MainWindow::patternHasFocus() const {
    return QApplication::focusWidget() == Txt_Pattern;
}

// While a tool window owns the plot, the commands that would change the
// document or its undo state under it wait: Undo/Redo (it would swap the
// memory the tool works on and its backup), Cut, Copy (it makes the undo
// backup too), Paste, Delete, the pattern buttons and line drags of the
// digital view, and File > Open. Markers, zoom, scrolling and saving stay.
void MainWindow::refreshUndoMenu() {
    const bool noTool = ctx_.session.toolMode() == ToolMode::None;
    Menu_Undo->setText(captions_.caption(
        u"MainWindow", ctx_.document.UndoArmed() ? u"Menu_Undo" : u"Menu_Undo:Redo"));
    Menu_Undo->setEnabled(noTool && !ctx_.document.UndoMenuOff());
    for (QAction* edit : {Menu_Cut, Menu_Copy, Menu_Paste, Menu_Delete})
        edit->setEnabled(noTool);
    for (QPushButton* pattern : Btn_Pattern)
        pattern->setEnabled(noTool);
    if (auto* open = findChild<QAction*>("Menu_FileOpen"))
        open->setEnabled(noTool);
}

void MainWindow::showResult(int message) {
    if (message != 0)
        ctx_.messages.ShowErrorCode(message);
}

void MainWindow::Menu_Undo_Click() {
    ctx_.session.undo();
}

void MainWindow::Menu_Copy_Click() {
    if (patternHasFocus())
        Txt_Pattern->copy();
    else
        showResult(ctx_.session.copyMarked(clipboard_.get()));
}

void MainWindow::Menu_Cut_Click() {
    if (patternHasFocus())
        Txt_Pattern->cut();
    else
        showResult(ctx_.session.cutMarked(clipboard_.get()));
}

void MainWindow::Menu_Delete_Click() {
    if (patternHasFocus())
        Txt_Pattern->del();
    else
        ctx_.session.deleteMarked();
}

void MainWindow::Menu_Paste_Click() {
    if (patternHasFocus())
        Txt_Pattern->paste();
    else
        showResult(ctx_.session.pasteMarked(clipboard_.get()));
}

void MainWindow::Btn_Pattern_Click(int index) {
    showResult(ctx_.session.applyPattern(index, Txt_Pattern->text().toStdString()));
}

// ---------------------------------------------------------------------------
// File menu

void MainWindow::Menu_FileNew_Click() {
    // A new instance in the program's folder, where it finds the model
    // files; it speaks the language of this one, however that was chosen.
    const QString program = QCoreApplication::applicationFilePath();
    const QString lang = ctx_.language == Language::English ? "--lang=en" : "--lang=ja";
    QProcess::startDetached(program, {lang}, ctx_.programFolder);
}

void MainWindow::resetView() {
    view_.reset(ctx_.document.WaveLength());
    loading_ = true;
    for (QComboBox* c : Comb_XZoom)
        c->setCurrentIndex(0);
    Comb_YZoom->setCurrentIndex(0);
    loading_ = false;
    syncScrollBars();
    refreshEdgeLabels();
}

void MainWindow::Menu_FileOpen_Click() {
    const FileDialogProposal p =
        OpenProposal(ctx_.names().WaveFileName, documentsFolder(ctx_.programFolder));
    const QStringList filters = OpenFileFilter(ctx_.language).split(";;");
    const QString path = ctx_.fileDialogs.chooseOpenFile(
        {QString(), filters, filters.value(p.filterIndex), p.path, p.defaultExtension});
    if (path.isEmpty())
        ctx_.session.openCancelled();
    else
        showResult(ctx_.session.open(path));
}

void MainWindow::Menu_FileImport_Click() {
    fileImport_.run(documentsFolder(ctx_.programFolder));
}

void MainWindow::Menu_FileSave_Click() {
    if (!ctx_.names().untitled())
        showResult(ctx_.session.save(ctx_.names().WaveFileName));
    else
        saveAs(true);
}

void MainWindow::saveAs(bool binary) {
    const QString ext = binary ? "wdb" : "txt";
    const FileDialogProposal p =
        SaveProposal(ctx_.names().WaveFileName, ext, documentsFolder(ctx_.programFolder));
    const QString filter = SaveFileFilter(binary, ctx_.language);
    const QString path =
        ctx_.fileDialogs.chooseSaveFile({QString(), {filter}, filter, p.path, ext});
    if (!path.isEmpty())
        showResult(ctx_.session.save(path));
}

void MainWindow::Menu_Print_Click() {
    PrintDialog::Open(ctx_, this, [this] { return printSource(); });
}

WaveformPrintSource MainWindow::printSource() const {
    WaveformPrintSource s;
    s.memory = ctx_.document.current();
    s.view = view_;
    s.digital = Opt_DspSel[1]->isChecked();
    s.gridShown = Menu_Grid->isChecked();
    s.grid = grid_;
    s.units = UnitSetting::FromDeviceInfo(ctx_.setting.info());
    s.fileName = ctx_.names().WaveFileName;
    const SetupListingSource setting = SetupListingSource::From(ctx_.setting);
    s.modelName = setting.modelName;
    s.memorySizeText = setting.memorySizeName;
    s.printedAt = QDateTime::currentDateTime();
    return s;
}

void MainWindow::Menu_Version_Click() {
    VersionDialog dialog(captions_, this);
    dialog.exec();
}

void MainWindow::showHelp() {
    ShowHelp(static_cast<int>(HelpTopic::Main), ctx_.language, ctx_.programFolder, ctx_.messages);
}

// ---------------------------------------------------------------------------
// Window position and closing

void MainWindow::commitDataRequest(QSessionManager& manager) {
    // The desktop is ending the session: the program asks to be ended by
    // its user first and refuses.
    if (manager.allowsInteraction()) {
        ctx_.messages.ShowCaution(ctx_.messages.MessageText(EditSession::kCautionShutdown));
        manager.release();
    }
    manager.cancel();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The position was kept already (KeepWindowPosition), refused or not.
    if (const int refusal = ctx_.session.closeRefusal()) {
        ctx_.messages.ShowCaution(ctx_.messages.MessageText(refusal));
        event->ignore();
        return;
    }
    if (ctx_.messages.AskCaution(EditSession::kAskExit) != MessageAnswer::Yes) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace zw
