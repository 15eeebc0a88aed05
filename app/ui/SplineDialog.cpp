#include "SplineDialog.h"

#include "CaptionApplier.h"
#include "ControlPointTable.h"
#include "CurrentSetting.h"
#include "EditorContext.h"
#include "FileDialogService.h"
#include "Interpolation.h"
#include "Messages.h"
#include "NumberFormat.h"
#include "PointListCommands.h"
#include "PointListFile.h"
#include "SplinePoints.h"
#include "Units.h"
#include "WindowPlacement.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>

namespace zw {

namespace {

constexpr int kInvalidExtension = 7;
constexpr int kNotANumber = 23;

QPushButton* button(const QString& name, QWidget* parent) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

SplineDialog::SplineDialog(EditorContext& context, SplinePoints& points, QWidget* parent)
    : QDialog(parent), ctx_(context), points_(points) {
    setObjectName("SplineDialog");
    KeepWindowPosition(*this, ctx_.registry);
    buildControls();
    ApplyCaptions(*this, CaptionCatalog(ctx_.language));
    connect(&points_, &SplinePoints::changed, this, &SplineDialog::pointsChanged);
    connect(&ctx_.session, &EditSession::changed, this, [this](EditChanges) {
        table_->refresh(); // the units may have changed with the setting
    });
    pointsChanged();
}

SplineDialog::~SplineDialog() = default;

void SplineDialog::buildControls() {
    auto* menuBar = new QMenuBar(this);
    auto* file = menuBar->addMenu(QString());
    file->menuAction()->setObjectName("Menu_File");
    Menu_FileOpen = file->addAction(QString());
    Menu_FileOpen->setObjectName("Menu_FileOpen");
    Menu_FileSave = file->addAction(QString());
    Menu_FileSave->setObjectName("Menu_FileSave");

    table_ = new ControlPointTable(
        points_.list(), [this] { return units(); }, this);
    flxSpread = new QTableView(this);
    flxSpread->setObjectName("flxSpread");
    flxSpread->setModel(table_);
    flxSpread->setSelectionBehavior(QAbstractItemView::SelectRows);
    flxSpread->setSelectionMode(QAbstractItemView::SingleSelection);
    flxSpread->setEditTriggers(QAbstractItemView::NoEditTriggers);
    flxSpread->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    flxSpread->verticalHeader()->setDefaultSectionSize(20);
    flxSpread->setMinimumSize(260, 220);
    connect(flxSpread, &QTableView::clicked, this,
            [this](const QModelIndex& index) { flxSpread_Click(index.row()); });

    auto* labelPoint = new QLabel(this);
    labelPoint->setObjectName("Label_Point");
    for (int i = 0; i < 2; ++i) {
        Text[i] = new QLineEdit(this);
        Text[i]->setObjectName(QString("Text_%1").arg(i));
    }
    Btn_Add = button("Btn_Add", this);
    Btn_Delete = button("Btn_Delete", this);
    Btn_AllClear = button("Btn_AllClear", this);
    auto* entry = new QGridLayout;
    entry->addWidget(labelPoint, 0, 0);
    entry->addWidget(Text[0], 0, 1);
    entry->addWidget(Text[1], 0, 2);
    entry->addWidget(Btn_Add, 1, 0);
    entry->addWidget(Btn_Delete, 1, 1);
    entry->addWidget(Btn_AllClear, 1, 2);

    auto* frame = new QGroupBox(this);
    frame->setObjectName("Frame_Spline");
    auto* kinds = new QHBoxLayout(frame);
    for (int i = 0; i < 3; ++i) {
        Btn_Spline[i] = button(QString("Btn_Spline_%1").arg(i), frame);
        kinds->addWidget(Btn_Spline[i]);
        connect(Btn_Spline[i], &QPushButton::clicked, this, [this, i] { Btn_Spline_Click(i); });
    }
    Btn_Exit = button("Btn_Exit", this);
    auto* exit = new QHBoxLayout;
    exit->addStretch();
    exit->addWidget(Btn_Exit);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(flxSpread, 1);
    layout->addLayout(entry);
    layout->addWidget(frame);
    layout->addLayout(exit);

    connect(Btn_Add, &QPushButton::clicked, this, &SplineDialog::Btn_Add_Click);
    connect(Btn_Delete, &QPushButton::clicked, this, &SplineDialog::Btn_Delete_Click);
    connect(Btn_AllClear, &QPushButton::clicked, this, &SplineDialog::Btn_AllClear_Click);
    connect(Btn_Exit, &QPushButton::clicked, this, &QDialog::accept);
    connect(Menu_FileOpen, &QAction::triggered, this, &SplineDialog::Menu_FileOpen_Click);
    connect(Menu_FileSave, &QAction::triggered, this, &SplineDialog::Menu_FileSave_Click);
}

Units SplineDialog::units() const {
    return Units(ctx_.setting.info());
}

// The grid follows the list; the highlighted point is the selected row.
void SplineDialog::pointsChanged() {
    table_->refresh();
    const int selected = points_.list().selected();
    if (selected >= 0) {
        flxSpread->selectRow(selected);
        flxSpread->scrollTo(table_->index(selected, 0));
    } else {
        flxSpread->clearSelection();
    }
}

void SplineDialog::flxSpread_Click(int row) {
    Text[0]->setText(table_->xText(row));
    Text[1]->setText(table_->yText(row));
    flxSpread->selectRow(row);
    points_.list().select(row);
    points_.notifyChanged();
}

void SplineDialog::Btn_Add_Click() {
    if (Text[0]->text().trimmed().isEmpty() || Text[1]->text().trimmed().isEmpty())
        return;
    std::array<double, 2> typed{};
    for (int i = 0; i < 2; ++i) {
        const std::optional<double> value = NumberFormat::ReadEngineering(Text[i]->text());
        if (!value) {
            ctx_.messages.ShowErrorCode(kNotANumber);
            Text[i]->setFocus();
            Text[i]->selectAll();
            return;
        }
        typed[i] = *value;
    }
    const Units u = units();
    const double x = u.XUnitToPosition(u.LimitX(typed[0]).value);
    const double y = u.YUnitToCode(u.LimitY(typed[1]).value);
    points_.setPoint(x, y, static_cast<double>(ctx_.document.WaveLength()));
    // The first empty row below the points waits for the next one.
    const int next = std::min(points_.list().count(), ControlPoints::kCapacity - 1);
    flxSpread->selectRow(next);
    flxSpread->scrollTo(table_->index(next, 0));
}

void SplineDialog::Btn_Delete_Click() {
    const QModelIndexList rows = flxSpread->selectionModel()->selectedRows();
    if (rows.isEmpty() || !points_.list().remove(rows.first().row()))
        return;
    points_.notifyChanged();
}

void SplineDialog::Btn_AllClear_Click() {
    points_.list().clear();
    Text[0]->clear();
    Text[1]->clear();
    points_.notifyChanged();
}

void SplineDialog::Btn_Spline_Click(int index) {
    const int32_t code =
        Interpolate(ctx_.document, points_.list(), static_cast<InterpolationKind>(index),
                    [this] { ctx_.session.backup(); });
    if (code != 0) {
        ctx_.messages.ShowErrorCode(code);
        return;
    }
    ctx_.session.samplesChanged();
}

void SplineDialog::Menu_FileOpen_Click() {
    const FileDialogProposal proposal =
        PointListOpenProposal(ctx_.names().TextFileName,
                              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    FileDialogRequest request;
    request.filters = PointListOpenFilter(ctx_.language).split(";;");
    request.selectedFilter = request.filters.first();
    request.proposedPath = proposal.path;
    request.defaultExtension = proposal.defaultExtension;
    const QString path = ctx_.fileDialogs.chooseOpenFile(request);
    if (path.isEmpty())
        return;
    if (!IsPointListFile(path)) {
        ctx_.messages.ShowErrorCode(kInvalidExtension);
        return;
    }
    const int32_t code =
        OpenPointList(points_.list(), path, units(),
                      static_cast<double>(ctx_.document.WaveLength()), points_.endLinkQuestion());
    if (code == 0 || code == kPointListFull)
        ctx_.names().TextFileName = path;
    if (code != 0)
        ctx_.messages.ShowErrorCode(code);
    points_.notifyChanged();
}

void SplineDialog::Menu_FileSave_Click() {
    const FileDialogProposal proposal =
        PointListSaveProposal(ctx_.names().TextFileName,
                              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    FileDialogRequest request;
    request.filters = PointListSaveFilter(ctx_.language).split(";;");
    request.selectedFilter = request.filters.at(proposal.filterIndex);
    request.proposedPath = proposal.path + "." + proposal.defaultExtension;
    request.defaultExtension = proposal.defaultExtension;
    const QString path = ctx_.fileDialogs.chooseSaveFile(request);
    if (path.isEmpty())
        return;
    const int32_t code = SavePointList(points_.list(), path, units());
    if (code != 0) {
        ctx_.messages.ShowErrorCode(code);
        return;
    }
    ctx_.names().TextFileName = path;
}

} // namespace zw
