// The Create window: controls, captions and wiring over CreateSession.
#include "CreateDialog.h"

#include "CaptionApplier.h"
#include "CurrentSetting.h"
#include "EditSession.h"
#include "EditorContext.h"
#include "FileDialogService.h"
#include "PlotCanvas.h"
#include "PrintDialog.h"
#include "QPainterSurface.h"
#include "RandomSeed.h"
#include "WaveDocument.h"
#include "WindowPlacement.h"
#include "sigcore32.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <algorithm>

namespace zw {

using create::CreateMode;
using create::PageParameter;
using create::PageType;

namespace {

constexpr char kWindow[] = "CreateDialog";
constexpr uint32_t kTrace = 0xFF0000;    // blue (0x00BBGGRR)
constexpr uint32_t kZeroLine = 0xC0C0C0; // grey
const QColor kPageShade(255, 250, 215);  // the current page's stretch
constexpr int32_t kPreviewSamples = 65536;

QString indexed(const char* name, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

QLineEdit* numberBox(const QString& name) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setAlignment(Qt::AlignRight);
    box->setMinimumWidth(90);
    box->setMaximumWidth(150);
    return box;
}

QLabel* label(const QString& name) {
    auto* l = new QLabel;
    l->setObjectName(name);
    return l;
}

} // namespace

int& CreateDialog::RememberedPage() {
    static int page = create::kFirstPage;
    return page;
}

CreateDialog::CreateDialog(CreateWindowContext context, QWidget* parent)
    : QDialog(parent), ctx_(std::move(context)), captions_(ctx_.language) {
    setObjectName(kWindow);
    work_ = W_AllocMemory(kPreviewSamples);
    session_ = std::make_unique<create::CreateSession>(*ctx_.pages, work_, ctx_.units, ctx_.mode,
                                                       RememberedPage());
    buildControls();
    wireControls();
    applyCaptionsAndTips();
    if (ctx_.registry)
        KeepWindowPosition(*this, *ctx_.registry);
    const int code = session_->open(create::SeedOf(QRandomGenerator::global()->generateDouble()));
    showPage();
    report(code);
}

CreateDialog::~CreateDialog() {
    if (session_)
        session_->close();
    W_FreeMemory(work_);
}

void CreateDialog::buildControls() {
    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName("Menu_Bar");
    QMenu* file = menuBar->addMenu(QString());
    file->setObjectName("Menu_File");
    Menu_FileOpen = file->addAction(QString());
    Menu_FileOpen->setObjectName("Menu_FileOpen");
    Menu_FileSave = file->addAction(QString());
    Menu_FileSave->setObjectName("Menu_FileSave");
    file->addSeparator();
    Menu_Print = file->addAction(QString());
    Menu_Print->setObjectName("Menu_Print");
    Menu_Print->setEnabled(static_cast<bool>(ctx_.print));
    connect(Menu_Print, &QAction::triggered, this, [this] {
        if (ctx_.print)
            ctx_.print(this);
    });
    QMenu* edit = menuBar->addMenu(QString());
    edit->setObjectName("Menu_Edit");
    Menu_PageClear = edit->addAction(QString());
    Menu_PageClear->setObjectName("Menu_PageClear");
    Menu_AllPageClear = edit->addAction(QString());
    Menu_AllPageClear->setObjectName("Menu_AllPageClear");

    // Page row: navigation, type, effective flag.
    auto* pageRow = new QHBoxLayout;
    pageRow->addWidget(label("Label_Page"));
    for (int i = 0; i < 4; ++i) {
        Cmd_Page[size_t(i)] = new QPushButton;
        Cmd_Page[size_t(i)]->setObjectName(indexed("Cmd_Page", i));
        Cmd_Page[size_t(i)]->setAutoDefault(false);
        Cmd_Page[size_t(i)]->setMaximumWidth(36);
    }
    Txt_Page = numberBox("Txt_Page");
    Txt_Page->setMinimumWidth(48);
    Txt_Page->setMaximumWidth(56);
    pageRow->addWidget(Cmd_Page[0]);
    pageRow->addWidget(Cmd_Page[1]);
    pageRow->addWidget(Txt_Page);
    pageRow->addWidget(Cmd_Page[2]);
    pageRow->addWidget(Cmd_Page[3]);
    pageRow->addSpacing(16);
    Comb_Wave = new QComboBox;
    Comb_Wave->setObjectName("Comb_Wave");
    Comb_Wave->setMinimumWidth(120);
    pageRow->addWidget(Comb_Wave);
    pageRow->addSpacing(16);
    for (int i = 0; i < 2; ++i) {
        Opt_effect[size_t(i)] = new QRadioButton;
        Opt_effect[size_t(i)]->setObjectName(indexed("Opt_effect", i));
        pageRow->addWidget(Opt_effect[size_t(i)]);
    }
    pageRow->addStretch();

    // Area row.
    auto* areaRow = new QHBoxLayout;
    QLabel* areaLabel = label("Label_Area");
    areaRow->addWidget(areaLabel);
    for (int i = 0; i < 2; ++i)
        Text_X[size_t(i)] = numberBox(indexed("Text_X", i));
    areaLabel->setBuddy(Text_X[0]);
    areaRow->addWidget(Text_X[0]);
    areaRow->addWidget(label("Label_To"));
    areaRow->addWidget(Text_X[1]);
    Label_AreaUnit = label("Label_AreaUnit");
    areaRow->addWidget(Label_AreaUnit);
    areaRow->addStretch();

    // Standard parameters, two columns of four.
    Frame_Std = new QGroupBox;
    Frame_Std->setObjectName("Frame_Std");
    auto* stdGrid = new QGridLayout(Frame_Std);
    for (int i = 0; i < create::kParameterCount; ++i) {
        Label_Param[size_t(i)] = label(indexed("Label_Param", i));
        Text[size_t(i)] = numberBox(indexed("Text", i));
        Label_Param[size_t(i)]->setBuddy(Text[size_t(i)]);
        Label_Unit[size_t(i)] = label(indexed("Label_Unit", i));
        const int row = i % 4;
        const int column = (i / 4) * 3;
        stdGrid->addWidget(Label_Param[size_t(i)], row, column);
        stdGrid->addWidget(Text[size_t(i)], row, column + 1);
        stdGrid->addWidget(Label_Unit[size_t(i)], row, column + 2);
    }
    stdGrid->setColumnMinimumWidth(2, 40);
    stdGrid->setColumnMinimumWidth(5, 40);
    stdGrid->setColumnStretch(6, 1);

    // Formula.
    Frame_Expr = new QGroupBox;
    Frame_Expr->setObjectName("Frame_Expr");
    auto* exprGrid = new QGridLayout(Frame_Expr);
    QLabel* exprLabel = label("Label_Expr");
    Txt_Expr = new QLineEdit;
    Txt_Expr->setObjectName("Txt_Expr");
    Txt_Expr->setMaxLength(create::kExpressionCapacity);
    exprLabel->setBuddy(Txt_Expr);
    QLabel* constLabel = label("Label_Const");
    Txt_Const = new QPlainTextEdit;
    Txt_Const->setObjectName("Txt_Const");
    Txt_Const->setTabChangesFocus(true);
    Txt_Const->setMaximumHeight(70);
    constLabel->setBuddy(Txt_Const);
    Btn_Comp = new QPushButton;
    Btn_Comp->setObjectName("Btn_Comp");
    Btn_Comp->setAutoDefault(false);
    exprGrid->addWidget(exprLabel, 0, 0);
    exprGrid->addWidget(Txt_Expr, 0, 1);
    exprGrid->addWidget(constLabel, 1, 0, Qt::AlignTop);
    exprGrid->addWidget(Txt_Const, 1, 1);
    exprGrid->addWidget(Btn_Comp, 2, 1, Qt::AlignRight);

    PictWave = new PlotCanvas("PictWave");
    PictWave->setMinimumSize(560, 200);
    PictWave->onRedrawNeeded = [this] { redrawPreview(); };

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (auto** b : {&Btn_Confirm, &Btn_OK, &Btn_Cancel}) {
        *b = new QPushButton;
        (*b)->setAutoDefault(false);
        buttons->addWidget(*b);
    }
    Btn_Confirm->setObjectName("Btn_Confirm");
    Btn_OK->setObjectName("Btn_OK");
    Btn_Cancel->setObjectName("Btn_Cancel");

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addLayout(pageRow);
    layout->addLayout(areaRow);
    layout->addWidget(Frame_Std);
    layout->addWidget(Frame_Expr);
    layout->addWidget(PictWave, 1);
    layout->addLayout(buttons);
    resize(760, 620);
}

void CreateDialog::wireControls() {
    for (int i = 0; i < 4; ++i)
        connect(Cmd_Page[size_t(i)], &QPushButton::clicked, this, [this, i] { Cmd_Page_Click(i); });
    connect(Txt_Page, &QLineEdit::editingFinished, this, &CreateDialog::Txt_Page_LostFocus);
    connect(Comb_Wave, &QComboBox::activated, this, &CreateDialog::Comb_Wave_Click);
    for (int i = 0; i < create::kParameterCount; ++i)
        connect(Text[size_t(i)], &QLineEdit::editingFinished, this,
                [this, i] { Text_LostFocus(i); });
    for (int i = 0; i < 2; ++i) {
        connect(Text_X[size_t(i)], &QLineEdit::editingFinished, this,
                [this, i] { Text_X_LostFocus(i); });
        connect(Opt_effect[size_t(i)], &QRadioButton::clicked, this,
                [this, i] { Opt_effect_Click(i); });
    }
    connect(Txt_Expr, &QLineEdit::editingFinished, this, &CreateDialog::Txt_Expr_LostFocus);
    Txt_Const->installEventFilter(this);
    connect(Btn_Comp, &QPushButton::clicked, this, &CreateDialog::Btn_Comp_Click);
    connect(Btn_OK, &QPushButton::clicked, this, &CreateDialog::Btn_OK_Click);
    connect(Btn_Confirm, &QPushButton::clicked, this, &CreateDialog::Btn_Confirm_Click);
    connect(Btn_Cancel, &QPushButton::clicked, this, &CreateDialog::Btn_Cancel_Click);
    connect(Menu_PageClear, &QAction::triggered, this, &CreateDialog::Menu_PageClear_Click);
    connect(Menu_AllPageClear, &QAction::triggered, this, &CreateDialog::Menu_AllPageClear_Click);
    connect(Menu_FileSave, &QAction::triggered, this, &CreateDialog::Menu_FileSave_Click);
    connect(Menu_FileOpen, &QAction::triggered, this, &CreateDialog::Menu_FileOpen_Click);
    connect(PictWave, &PlotCanvas::mousePressed, this, &CreateDialog::pictPressed);
    connect(PictWave, &PlotCanvas::mouseMoved, this, &CreateDialog::pictMoved);
    connect(PictWave, &PlotCanvas::mouseReleased, this, &CreateDialog::pictReleased);
}

void CreateDialog::applyCaptionsAndTips() {
    ApplyCaptions(*this, captions_);
    PictWave->setToolTip(captions_.caption(u"CreateDialog", u"PictWave:ToolTip"));
    const QString x = ctx_.units.UnitTextX();
    const QString y = ctx_.units.UnitTextY();
    Label_AreaUnit->setText(x);
    Label_Unit[size_t(PageParameter::Offset)]->setText(y);
    Label_Unit[size_t(PageParameter::Amplitude)]->setText(y);
    Label_Unit[size_t(PageParameter::Size)]->setText(x);
    Label_Unit[size_t(PageParameter::Phase)]->setText(QStringLiteral("deg"));
    for (PageParameter p :
         {PageParameter::Symmetry, PageParameter::Duty, PageParameter::Transition})
        Label_Unit[size_t(p)]->setText(QStringLiteral("%"));
}

// ---- showing the page ------------------------------------------------------

void CreateDialog::showPage() {
    const create::PageRecord& p = session_->page();
    RememberedPage() = session_->currentPage();
    Txt_Page->setText(QString::number(session_->currentPage()));
    {
        const QSignalBlocker block(Comb_Wave);
        Comb_Wave->setCurrentIndex(int(p.Type));
    }
    for (int i = 0; i < create::kParameterCount; ++i)
        Text[size_t(i)]->setText(session_->parameterText(static_cast<PageParameter>(i)));
    for (int i = 0; i < 2; ++i)
        Text_X[size_t(i)]->setText(session_->areaText(i));
    Txt_Expr->setText(p.Expression);
    Txt_Const->setPlainText(
        QString(p.Constants).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    // Neither button is set on a page that was never set up.
    Opt_effect[0]->setAutoExclusive(false);
    Opt_effect[1]->setAutoExclusive(false);
    Opt_effect[0]->setChecked(p.Effective);
    Opt_effect[1]->setChecked(p.Visited && !p.Effective);
    Opt_effect[0]->setAutoExclusive(true);
    Opt_effect[1]->setAutoExclusive(true);
    showTypeBoxes();
    redrawPreview();
}

void CreateDialog::showTypeBoxes() {
    const PageType type = session_->page().Type;
    const bool formula = type == PageType::Expression;
    Frame_Std->setVisible(!formula);
    Frame_Expr->setVisible(formula);
    for (int i = 0; i < create::kParameterCount; ++i) {
        const bool shown = create::UsesParameter(type, static_cast<PageParameter>(i));
        Text[size_t(i)]->setVisible(shown);
        Label_Param[size_t(i)]->setVisible(shown);
        Label_Unit[size_t(i)]->setVisible(shown);
    }
}

void CreateDialog::redrawPreview() {
    QImage& frame = PictWave->frame();
    const int w = frame.width();
    const int h = frame.height();
    const double n = std::max(1.0, ctx_.units.setting().WaveLength);
    {
        QPainter painter(&frame);
        painter.fillRect(frame.rect(), Qt::white);
        const create::PageStretch at = session_->computer().stretchOf(session_->page());
        if (at.length > 0) {
            const int left = int(at.first * w / n);
            const int right = std::max(left + 1, int((at.first + at.length) * w / n));
            painter.fillRect(QRect(left, 0, right - left, h), kPageShade);
        }
        QPainterSurface surface(painter, kZeroLine);
        W_DrawGrid2(surface.get(), 0, 65534, w, h);
        surface.flush();
        surface.setInitialPenColor(kTrace);
        W_DrawWave2(surface.get(), work_, 0, 0, n, 65534, w, h);
    }
    PictWave->update();
}

void CreateDialog::report(int code) {
    if (code != 0 && ctx_.messages)
        ctx_.messages->ShowErrorCode(code);
}

// ---- handlers --------------------------------------------------------------

void CreateDialog::Cmd_Page_Click(int index) {
    int code = 0;
    switch (index) {
    case 0:
        code = session_->goFirst();
        break;
    case 1:
        code = session_->goPrevious();
        break;
    case 2:
        code = session_->goNext();
        break;
    default:
        code = session_->goLast();
        break;
    }
    showPage();
    report(code);
}

void CreateDialog::Txt_Page_LostFocus() {
    if (Txt_Page->text() == QString::number(session_->currentPage()))
        return;
    const create::TypedValue typed = session_->typePage(Txt_Page->text());
    showPage();
    report(typed.code);
}

void CreateDialog::Comb_Wave_Click(int index) {
    const auto type = create::PageTypeFromNumber(index);
    if (!type || *type == session_->page().Type)
        return;
    const int code = session_->setType(*type);
    showPage();
    report(code);
}

void CreateDialog::Text_LostFocus(int index) {
    // Only a changed text is read: the shown text may be rounded.
    QLineEdit* box = Text[size_t(index)];
    const auto which = static_cast<PageParameter>(index);
    if (box->text() == session_->parameterText(which))
        return;
    const create::TypedValue typed = session_->typeParameter(which, box->text());
    showPage(); // a refused text shows the previous value again
    report(typed.code);
}

void CreateDialog::Text_X_LostFocus(int index) {
    QLineEdit* box = Text_X[size_t(index)];
    if (box->text() == session_->areaText(index))
        return;
    const create::TypedValue typed = session_->typeArea(index, box->text());
    showPage();
    report(typed.code);
}

void CreateDialog::Opt_effect_Click(int index) {
    session_->setEffective(index == 0);
}

void CreateDialog::Txt_Expr_LostFocus() {
    session_->setExpression(Txt_Expr->text());
}

void CreateDialog::Txt_Const_LostFocus() {
    session_->setConstants(Txt_Const->toPlainText());
}

bool CreateDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Txt_Const && event->type() == QEvent::FocusOut)
        Txt_Const_LostFocus();
    return QDialog::eventFilter(watched, event);
}

void CreateDialog::Btn_Comp_Click() {
    Txt_Expr_LostFocus();
    Txt_Const_LostFocus();
    const int code = session_->compute();
    showPage();
    report(code);
}

void CreateDialog::Btn_OK_Click() {
    Txt_Expr_LostFocus();
    Txt_Const_LostFocus();
    create::CreateTarget target{ctx_.target ? ctx_.target() : 0, ctx_.backup};
    const int code = session_->pageOK(target);
    if (code != 0) {
        showPage();
        report(code);
        return;
    }
    if (ctx_.targetChanged)
        ctx_.targetChanged();
    finish(QDialog::Accepted);
}

void CreateDialog::Btn_Confirm_Click() {
    Txt_Expr_LostFocus();
    Txt_Const_LostFocus();
    create::CreateTarget target{ctx_.target ? ctx_.target() : 0, ctx_.backup};
    const int code = session_->allPageOK(target);
    if (code != 0) {
        redrawPreview();
        report(code);
        return;
    }
    if (ctx_.targetChanged)
        ctx_.targetChanged();
    finish(QDialog::Accepted);
}

void CreateDialog::Btn_Cancel_Click() {
    reject();
}

void CreateDialog::reject() {
    if (!finished_)
        session_->cancel();
    finish(QDialog::Rejected);
}

void CreateDialog::closeEvent(QCloseEvent* event) {
    if (!finished_)
        session_->cancel();
    finished_ = true;
    session_->close();
    QDialog::closeEvent(event);
}

void CreateDialog::finish(int result) {
    finished_ = true;
    session_->close();
    done(result);
}

void CreateDialog::Menu_PageClear_Click() {
    session_->pageClear();
    showPage();
}

void CreateDialog::Menu_AllPageClear_Click() {
    session_->allPageClear();
    showPage();
}

void CreateDialog::Menu_FileSave_Click() {
    if (!ctx_.chooseFile)
        return;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = ctx_.chooseFile(
        true,
        create::PageFileProposal(ctx_.pageFileName ? *ctx_.pageFileName : QString(), documents),
        create::PageFileFilter(ctx_.language));
    if (path.isEmpty())
        return;
    const int code = session_->save(path, ctx_.language);
    if (code == 0 && ctx_.pageFileName)
        *ctx_.pageFileName = create::PageFileNameOf(path);
    report(code);
}

void CreateDialog::Menu_FileOpen_Click() {
    if (!ctx_.chooseFile)
        return;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = ctx_.chooseFile(
        false,
        create::PageFileProposal(ctx_.pageFileName ? *ctx_.pageFileName : QString(), documents),
        create::PageFileFilter(ctx_.language));
    if (path.isEmpty())
        return;
    const create::PageFileReading r = session_->load(path);
    if (r.applied && ctx_.pageFileName)
        *ctx_.pageFileName = create::PageFileNameOf(path);
    showPage();
    report(r.code);
}

// ---- dragging in the preview -----------------------------------------------

double CreateDialog::sampleAt(int x) const {
    const double n = std::max(1.0, ctx_.units.setting().WaveLength);
    return x * n / std::max(1, PictWave->width());
}

void CreateDialog::pictPressed(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    dragFrom_ = event->position().toPoint();
    if (session_->beginDrag(sampleAt(dragFrom_.x())))
        PictWave->setCursor(Qt::SizeAllCursor);
}

void CreateDialog::pictMoved(QMouseEvent* event) {
    if (!session_->dragging() || !(event->buttons() & Qt::LeftButton))
        return;
    const QPoint to = event->position().toPoint();
    const double n = std::max(1.0, ctx_.units.setting().WaveLength);
    const double samples = (to.x() - dragFrom_.x()) * n / std::max(1, PictWave->width());
    const double codes = -(to.y() - dragFrom_.y()) * 65534.0 / std::max(1, PictWave->height());
    const Qt::KeyboardModifiers m = event->modifiers();
    session_->dragTo(samples, codes,
                     {m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier)});
    for (int i = 0; i < create::kParameterCount; ++i)
        Text[size_t(i)]->setText(session_->parameterText(static_cast<PageParameter>(i)));
    Opt_effect[0]->setChecked(session_->page().Effective);
    redrawPreview();
}

void CreateDialog::pictReleased(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !session_->dragging())
        return;
    session_->endDrag();
    PictWave->unsetCursor();
}

namespace {

// A page file through the program's file dialogs.
QString choosePageFile(FileDialogService& dialogs, bool save, const QString& proposal,
                       const QString& filter) {
    const QStringList filters = filter.split(QStringLiteral(";;"));
    const FileDialogRequest request{QString(), filters, filters.value(0), proposal,
                                    QStringLiteral("wfn")};
    return save ? dialogs.chooseSaveFile(request) : dialogs.chooseOpenFile(request);
}

} // namespace

CreateWindowContext CreateWindowContextOf(EditorContext& ctx) {
    CreateWindowContext c;
    c.language = ctx.language;
    c.messages = &ctx.messages;
    UnitSetting units = UnitSetting::FromDeviceInfo(ctx.setting.info());
    units.WaveLength = double(ctx.document.WaveLength());
    c.units = Units(units);
    c.target = [&ctx] { return ctx.document.current(); };
    c.backup = [&ctx] { ctx.session.backup(); };
    c.targetChanged = [&ctx] { ctx.session.samplesChanged(); };
    c.pages = &create::ApplicationPageTable(units.WaveLength);
    c.pageFileName = &ctx.names().PageFileName;
    c.chooseFile = [&ctx](bool save, const QString& proposal, const QString& filter) {
        return choosePageFile(ctx.fileDialogs, save, proposal, filter);
    };
    c.registry = &ctx.registry;
    c.print = [&ctx](QWidget* parent) { PrintDialog::Open(ctx, parent); };
    return c;
}

CreateDialog::CreateDialog(EditorContext& context, QWidget* parent)
    : CreateDialog(CreateWindowContextOf(context), parent) {}

bool CreateDialog::RunForOperand(EditorContext& context, ZwMemHandle operand, QWidget* parent) {
    return RunCreateForOperand(CreateWindowContextOf(context), operand, parent);
}

bool RunCreateForOperand(CreateWindowContext context, ZwMemHandle operand, QWidget* parent) {
    context.mode = CreateMode::FromZero;
    context.target = [operand] { return operand; };
    context.backup = nullptr;
    context.targetChanged = nullptr;
    CreateDialog dialog(std::move(context), parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace zw
