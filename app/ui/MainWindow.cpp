#include "MainWindow.h"

#include "CaptionApplier.h"
#include "CurrentSetting.h"
#include "DigitalLineLabels.h"
#include "DigitalLineTool.h"
#include "DigitalLines.h"
#include "DiscardQuestion.h"
#include "EditMenu.h"
#include "FileMenu.h"
#include "Grid.h"
#include "Help.h"
#include "HelpWindow.h"
#include "InstallLayout.h"
#include "InterfaceFont.h"
#include "MarkerReadouts.h"
#include "MarkerTool.h"
#include "MessageCatalog.h"
#include "Messages.h"
#include "PlotCanvas.h"
#include "PlotImageExport.h"
#include "PlotPainter.h"
#include "PlotWheel.h"
#include "PrintDialog.h"
#include "RecentFiles.h"
#include "SetupListing.h"
#include "StatusLineView.h"
#include "ToolWindowHost.h"
#include "ToolWindows.h"
#include "Units.h"
#include "VersionDialog.h"
#include "ViewControls.h"
#include "WaveDocument.h"
#include "WindowPlacement.h"
#include "clsRegistry.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSessionManager>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWheelEvent>

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
    box->setMaximumWidth(220);
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

} // namespace

MainWindow::MainWindow(EditorContext& context, QWidget* parent)
    : QMainWindow(parent), ctx_(context), captions_(context.language) {
    setObjectName("MainWindow");
    buildMenus();
    buildControls();
    buildParts();
    ApplyCaptions(*this, captions_);
    applyFonts();
    keepPanelsWhole();
    connectControls();
    registerTools();
    KeepWindowPosition(*this, ctx_.registry);
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this, &MainWindow::commitDataRequest);
}

MainWindow::~MainWindow() {
    // An open tool window goes first, while everything it may report to
    // still lives; then nothing the session reports reaches the parts,
    // which go before the child widgets do.
    if (tools_)
        delete tools_->openWindow();
    disconnect(&ctx_.session, nullptr, this, nullptr);
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
        toolMenuItems[static_cast<size_t>(mode)] = unavailable(m, name);
    };

    QMenu* file = menu("Menu_File");
    item(
        file, "Menu_FileNew", [this] { fileMenu_->Menu_FileNew_Click(); }, QKeySequence::New);
    item(
        file, "Menu_FileOpen", [this] { fileMenu_->Menu_FileOpen_Click(); }, QKeySequence::Open);
    item(
        file, "Menu_FileSave", [this] { fileMenu_->Menu_FileSave_Click(); }, QKeySequence::Save);
    item(file, "Menu_FileSaveAs", [this] { fileMenu_->saveAs(true); });
    item(file, "Menu_FileSaveAs2", [this] { fileMenu_->saveAs(false); });
    file->addSeparator();
    item(file, "Menu_FileImport", [this] { fileMenu_->Menu_FileImport_Click(); });
    item(file, "Menu_Print", &MainWindow::Menu_Print_Click, QKeySequence::Print);
    file->addSeparator();
    item(file, "Menu_ExportImage", [this] { exportImage(); });
    buildRecentFilesMenu(*file);
    file->addSeparator();
    item(
        file, "Menu_Exit", [this] { close(); }, QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* edit = menu("Menu_Edit");
    Menu_Undo = item(
        edit, "Menu_Undo", [this] { editMenu_->Menu_Undo_Click(); }, QKeySequence::Undo);
    edit->addSeparator();
    Menu_Cut = item(
        edit, "Menu_Cut", [this] { editMenu_->Menu_Cut_Click(); }, QKeySequence::Cut);
    Menu_Copy = item(
        edit, "Menu_Copy", [this] { editMenu_->Menu_Copy_Click(); }, QKeySequence::Copy);
    Menu_Paste = item(
        edit, "Menu_Paste", [this] { editMenu_->Menu_Paste_Click(); }, QKeySequence::Paste);
    Menu_Delete = item(
        edit, "Menu_Delete", [this] { editMenu_->Menu_Delete_Click(); }, QKeySequence::Delete);
    edit->addSeparator();
    QAction* markAll = item(
        edit, "Menu_SelectAll", [this] { editMenu_->Menu_SelectAll_Click(); },
        QKeySequence::SelectAll);
    // The shortcuts reach the window from every control; Txt_Pattern's own
    // editing is done by these same commands.
    for (QAction* a : {Menu_Undo, Menu_Cut, Menu_Copy, Menu_Paste, Menu_Delete, markAll})
        a->setShortcutContext(Qt::WindowShortcut);

    QMenu* tools = menu("Menu_Tools");
    tool(tools, "Menu_Create", ToolMode::Create);
    tool(tools, "Menu_Spline", ToolMode::Interpolate);
    tool(tools, "Menu_Compute", ToolMode::Operate);
    tool(tools, "Menu_Compress", ToolMode::Compress);

    QMenu* set = menu("Menu_Set");
    tool(set, "Menu_System", ToolMode::SystemSetup);
    Menu_Grid = item(set, "Menu_Grid", [this] { redraw(); });
    Menu_Grid->setCheckable(true);

    QMenu* help = menu("Menu_MHelp");
    // F1 reaches the help from every window of the program, tool windows too.
    QAction* contents =
        item(help, "Menu_Contents", &MainWindow::showHelp, QKeySequence::HelpContents);
    contents->setShortcutContext(Qt::ApplicationShortcut);
    help->addSeparator();
    item(help, "Menu_Version", &MainWindow::Menu_Version_Click);
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
        lineNames_ = new DigitalLineLabels;
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
        grid->addWidget(lineNames_, 0, 0);
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

    // The frames share the width the window gives them; the read-outs grow.
    panel->addWidget(tools, 1);
    panel->addWidget(display, 1);
    panel->addWidget(markers, 3);
    panel->addWidget(mouse, 2);

    outer->addWidget(Frm_Wave, 1);
    outer->addWidget(Frm_Digital, 1);
    outer->addLayout(panel);
    setCentralWidget(central);

    resize(1180, 760);
}

void MainWindow::applyFonts() {
    const QFont font = InterfaceFont(ctx_.language);
    setFont(font);
    menuBar()->setFont(font);
    for (QWidget* w : findChildren<QWidget*>())
        w->setFont(font);
}

void MainWindow::keepPanelsWhole() {
    // The window is never narrower than the panels under the plot at their
    // natural size in this language's captions and font: no caption is cut
    // and no control covers another.
    for (QGroupBox* box : findChildren<QGroupBox*>())
        if (box != Frm_Wave && box != Frm_Digital)
            box->setMinimumSize(box->sizeHint());
}

void MainWindow::buildParts() {
    markerTool_ = std::make_unique<MarkerTool>(plotToolHost());
    viewControls_ = std::make_unique<ViewControls>(
        controls(), ctx_.setting, ctx_.document.WaveLength(), [this] { redraw(); });
    readouts_ = std::make_unique<MarkerReadouts>(controls(), ctx_.session, viewControls_->view());
    painter_ = std::make_unique<PlotPainter>(controls(), ctx_.session, viewControls_->view(), grid_,
                                             [this]() -> PlotTool& { return plotTool(); });
    digitalTool_ = std::make_unique<DigitalLineTool>(*Pict_Digital, ctx_.session,
                                                     [this] { return painter_->markerColumns(); });
    digitalTool_->onDrag = [this](std::optional<int> from, std::optional<int> to) {
        lineNames_->showDrag(from, to);
    };
    editMenu_ = std::make_unique<EditMenu>(ctx_, *Txt_Pattern, clipboard_.get());
    fileMenu_ = std::make_unique<FileMenu>(ctx_, captions_);
    wheel_ = std::make_unique<PlotWheel>(controls(), *viewControls_);
    statusLine_ = std::make_unique<StatusLineView>(*statusBar(), captions_);
}

void MainWindow::connectControls() {
    Pict_Wave->onRedrawNeeded = [this] { redraw(); };
    Pict_Digital->onRedrawNeeded = [this] { redraw(); };
    connect(&ctx_.session, &EditSession::changed, this, &MainWindow::sessionChanged);
    for (PlotCanvas* canvas : {Pict_Wave, Pict_Digital}) {
        const auto mouse = [this, canvas](QMouseEvent* event) {
            plotMouse(*canvas, canvas == Pict_Wave ? plotTool() : *digitalTool_, event);
        };
        connect(canvas, &PlotCanvas::mouseMoved, this, mouse);
        connect(canvas, &PlotCanvas::mousePressed, this, mouse);
        connect(canvas, &PlotCanvas::mouseReleased, this, mouse);
        connect(canvas, &PlotCanvas::wheelTurned, this, [this, canvas](QWheelEvent* event) {
            wheel_->turn(canvas == Pict_Wave ? 0 : 1, event->position().x(), canvas->plotWidth(),
                         event->angleDelta(), event->modifiers());
        });
    }

    ViewControls& view = *viewControls_;
    for (int i = 0; i < 2; ++i) {
        connect(Comb_XZoom[i], &QComboBox::currentIndexChanged, this, [this, &view, i](int index) {
            if (view.quiet())
                return;
            const QSignalBlocker block(Comb_XZoom[1 - i]);
            Comb_XZoom[1 - i]->setCurrentIndex(index);
            view.Comb_XZoom_Click(index);
        });
        connect(HScroll[i], &QScrollBar::valueChanged, this,
                [&view, i] { view.Hrizontal_Scroll(i); });
        connect(Opt_DspSel[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                selectDisplay(i);
        });
        connect(Opt_Scope[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                ctx_.session.setMarkerMode(i == 0 ? MarkerMode::Independent : MarkerMode::Tracking);
        });
    }
    connect(Comb_YZoom, &QComboBox::currentIndexChanged, this, [&view] {
        if (!view.quiet())
            view.Comb_YZoom_Click();
    });
    connect(VScroll, &QScrollBar::valueChanged, this, [&view] { view.Vertical_Scroll(); });

    MarkerReadouts& readouts = *readouts_;
    connect(Txt_Start_X, &QLineEdit::editingFinished, this,
            [&readouts] { readouts.commitStartX(); });
    connect(Txt_End_X, &QLineEdit::editingFinished, this, [&readouts] { readouts.commitEndX(); });
    connect(Txt_Scope, &QLineEdit::editingFinished, this, [&readouts] { readouts.commitScope(); });
    for (int i = 0; i < 4; ++i)
        connect(Btn_Pattern[i], &QPushButton::clicked, this,
                [this, i] { editMenu_->Btn_Pattern_Click(i); });
    // Enter in the pattern box runs the typed pattern.
    connect(Txt_Pattern, &QLineEdit::returnPressed, this,
            [this] { editMenu_->Btn_Pattern_Click(3); });
}

// ---------------------------------------------------------------------------
// Wiring

void MainWindow::registerTools() {
    tools_ = new ToolWindowHost(ctx_.session, *this);
    for (size_t i = 0; i < Opt_DlgSel.size(); ++i)
        tools_->addControls(static_cast<ToolMode>(i), Opt_DlgSel[i], toolMenuItems[i]);
    tools_->addControls(ToolMode::SystemSetup, nullptr,
                        toolMenuItems[static_cast<size_t>(ToolMode::SystemSetup)]);
    RegisterToolWindows(*this);
}

void MainWindow::setPlotTool(ToolMode mode, std::unique_ptr<PlotTool> tool) {
    plotTools_[static_cast<size_t>(mode)] = std::move(tool);
}

PlotTool& MainWindow::plotTool() {
    const auto& tool = plotTools_[static_cast<size_t>(ctx_.session.toolMode())];
    return tool ? *tool : *markerTool_;
}

std::pair<long, long> MainWindow::markerColumns() const {
    return painter_->markerColumns();
}

void MainWindow::redraw() {
    painter_->Draw_Wave();
}

const WaveView& MainWindow::view() const {
    return viewControls_->view();
}

void MainWindow::load(const QString& commandLineFile) {
    starting_ = true;
    viewControls_->setQuiet(true);
    const int result = ctx_.session.startUp(commandLineFile);
    if (result != 0)
        ctx_.messages.ShowErrorCode(result);
    refreshTitle();
    refreshUndoMenu();
    Opt_Scope[0]->setChecked(true);
    Frm_Wave->hide();
    Frm_Digital->hide();
    Opt_DspSel[0]->setChecked(true);
    selectDisplay(0);
    viewControls_->reset(ctx_.document.WaveLength());
    viewControls_->setQuiet(false);
    starting_ = false;
    readouts_->SetText_MarkA();
    readouts_->SetText_MarkB();
    redraw();
    statusLine_->refresh(ctx_.session);
    // The arrow keys switch Analog/Digital from the start.
    Opt_DspSel[0]->setFocus();
}

void MainWindow::sessionChanged(EditChanges what) {
    if (starting_)
        return;
    if (what & (EditChange::Title | EditChange::Samples))
        refreshTitle();
    if (what & (EditChange::Undo | EditChange::ToolMode))
        refreshUndoMenu();
    if (what & EditChange::Document)
        viewControls_->reset(ctx_.document.WaveLength());
    if (what & EditChange::LineMask)
        lineNames_->showSelection(ctx_.session.lineMask());
    const EditChanges redrawn =
        EditChange::Samples | EditChange::Document | EditChange::LineMask | EditChange::ToolMode;
    if (what & (redrawn | EditChange::Markers)) {
        readouts_->SetText_MarkA();
        readouts_->SetText_MarkB();
    }
    if (what & (redrawn | EditChange::Markers))
        statusLine_->refresh(ctx_.session);
    if (what & redrawn)
        redraw();
    else if (what & EditChange::Markers)
        painter_->moveMarkers();
}

void MainWindow::refreshTitle() {
    // The desktop's modified mark: "ZW4410 name *".
    const QString mark = ctx_.session.modified() ? QStringLiteral(" *") : QString();
    setWindowTitle(MainWindowTitle(ctx_.names()) + mark);
}

// While a tool window owns the plot, the commands that would change the
// document or its undo state under it wait: Undo/Redo (it would swap the
// memory the tool works on and its backup), Cut, Copy (of a stretch the tool
// is rewriting), Paste, Delete, the pattern buttons and line drags of the
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
    // Ctrl+Z toggles as always; while the item reads Redo it also answers
    // the desktop's redo keys, the first of which the menu lists.
    if (ctx_.document.UndoArmed())
        Menu_Undo->setShortcuts(QKeySequence::Undo);
    else
        Menu_Undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y),
                                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                 QKeySequence(QKeySequence::Undo)});
}

void MainWindow::selectDisplay(int index) {
    Frm_Digital->setVisible(index == 1);
    Frm_Wave->setVisible(index == 0);
    Txt_Cur_X[0]->setVisible(index == 0);
    Txt_Cur_X[1]->setVisible(index == 1);
    Txt_Cur_Y->setEnabled(index == 0);
    // Interpolation works on the analog plot only.
    tools_->setAllowed(ToolMode::Interpolate, index == 0);
    if (!starting_)
        redraw();
}

void MainWindow::plotMouse(PlotCanvas& canvas, PlotTool& tool, QMouseEvent* event) {
    const PlotPointer pointer{event->position(), event->button(), event->buttons(),
                              event->modifiers()};
    switch (event->type()) {
    case QEvent::MouseMove:
        readouts_->showMousePosition(pointer.position.x(), pointer.position.y(), canvas.plotWidth(),
                                     canvas.plotHeight(), &canvas == Pict_Wave);
        tool.mouseMove(pointer);
        break;
    case QEvent::MouseButtonPress:
        tool.mousePress(pointer);
        break;
    case QEvent::MouseButtonRelease:
        tool.mouseRelease(pointer);
        break;
    default:
        break;
    }
}

void MainWindow::buildRecentFilesMenu(QMenu& file) {
    QMenu* recent = file.addMenu(QString());
    recent->setObjectName("Menu_Recent");
    // Filled when opened: another instance may have added to the list.
    connect(recent, &QMenu::aboutToShow, this, [this, recent] {
        recent->clear();
        const QStringList files = RecentFiles(ctx_.registry).files();
        for (int i = 0; i < files.size(); ++i) {
            const QString path = files[i];
            QAction* a = recent->addAction(QString("&%1 %2").arg(i + 1).arg(path));
            a->setObjectName(QString("Menu_Recent_%1").arg(i));
            connect(a, &QAction::triggered, this, [this, path] { fileMenu_->openRecent(path); });
        }
        if (files.isEmpty())
            recent->addAction(captions_.caption(u"MainWindow", u"Menu_Recent:Empty"))
                ->setEnabled(false);
    });
}

void MainWindow::exportImage() {
    PlotImageExport(ctx_, [this](QPainter& painter, QSize size) {
        painter_->paintView(painter, size);
    }).run(painter_->visibleSize());
}

void MainWindow::Menu_Print_Click() {
    PrintDialog::Open(ctx_, this, [this] { return printSource(); });
}

WaveformPrintSource MainWindow::printSource() const {
    WaveformPrintSource s;
    s.memory = ctx_.document.current();
    s.view = viewControls_->view();
    s.digital = digitalShown();
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
    // The topic of the tool window in use (tool modes and help topics share
    // their numbers), else of the main window.
    const int topic = static_cast<int>(ctx_.session.toolMode());
    const QString folder = LocateInstallLayout(ctx_.programFolder).helpFolder;
    ShowHelp(topic, ctx_.language, folder, ctx_.messages, DesktopPageOpener(),
             [this](const QString& page) { return ShowInHelpWindow(page, captions_, *this); });
}

// ---------------------------------------------------------------------------
// Closing

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
    // Unsaved changes get Save / Discard / Cancel instead of "Exit Program.".
    const bool mayClose =
        ctx_.session.modified()
            ? MayDiscardDocument(ctx_)
            : ctx_.messages.AskCaution(EditSession::kAskExit) == MessageAnswer::Yes;
    if (!mayClose) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace zw
