#include "CalcDialog.h"

#include "CaptionApplier.h"
#include "CurrentSetting.h"
#include "EditorContext.h"
#include "Messages.h"
#include "OperateModel.h"
#include "Units.h"
#include "WavePreview.h"
#include "WindowPlacement.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace zw {

namespace {

constexpr int kMemoryAllocationFailed = 10;

QLabel* label(const char* name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    return l;
}

QPushButton* button(const char* name, QWidget* parent) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

CalcDialog::CalcDialog(EditorContext& context, OperandCreator creator, QWidget* parent)
    : QDialog(parent), ctx_(context), creator_(std::move(creator)) {
    setObjectName("CalcDialog");
    KeepWindowPosition(*this, ctx_.registry);
    model_ = std::make_unique<OperateModel>(ctx_.document, Units(ctx_.setting.info()));
    buildControls();
    ApplyCaptions(*this, CaptionCatalog(ctx_.language));
    Btn_Create->setEnabled(static_cast<bool>(creator_));
    refreshPreviews();
    if (!model_->ready()) {
        // Without its two memories the window has nothing to work in.
        QTimer::singleShot(0, this, [this] {
            ctx_.messages.ShowErrorCode(kMemoryAllocationFailed);
            reject();
        });
    }
}

CalcDialog::~CalcDialog() = default;

void CalcDialog::buildControls() {
    Picture_Src = new WavePreview("Picture_Src", this);
    Picture_Dest = new WavePreview("Picture_Dest", this);
    Picture_Result = new WavePreview("Picture_Result", this);
    Btn_Cut = button("Btn_Cut", this);
    Btn_Create = button("Btn_Create", this);
    Comb_Comp = new QComboBox(this);
    Comb_Comp->setObjectName("Comb_Comp");
    Btn_Result = button("Btn_Result", this);
    Btn_OK = button("Btn_OK", this);
    Btn_Cancel = button("Btn_Cancel", this);

    auto* grid = new QGridLayout;
    grid->addWidget(label("Label_Src", this), 0, 0);
    grid->addWidget(Picture_Src, 1, 0);
    grid->addWidget(label("Label_Dest", this), 2, 0);
    grid->addWidget(Picture_Dest, 3, 0);
    auto* sources = new QVBoxLayout;
    sources->addWidget(Btn_Cut);
    sources->addWidget(Btn_Create);
    sources->addStretch();
    grid->addLayout(sources, 3, 1);
    grid->addWidget(label("Label_Result", this), 4, 0);
    grid->addWidget(Picture_Result, 5, 0);
    auto* compute = new QVBoxLayout;
    compute->addWidget(Comb_Comp);
    compute->addWidget(Btn_Result);
    compute->addStretch();
    grid->addLayout(compute, 5, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Btn_OK);
    buttons->addWidget(Btn_Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    // The operation list's items come from the caption table; "+" is first.
    Comb_Comp->setCurrentIndex(0);

    connect(Btn_Cut, &QPushButton::clicked, this, &CalcDialog::Btn_Cut_Click);
    connect(Btn_Create, &QPushButton::clicked, this, &CalcDialog::Btn_Create_Click);
    connect(Btn_Result, &QPushButton::clicked, this, &CalcDialog::Btn_Result_Click);
    connect(Btn_OK, &QPushButton::clicked, this, &CalcDialog::Btn_OK_Click);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CalcDialog::refreshPreviews() {
    const double length = model_->length();
    Picture_Src->setStretch(ctx_.document.current(), model_->start(), length);
    Picture_Dest->setStretch(model_->operandMemory(), 0, length);
    Picture_Result->setStretch(model_->resultMemory(), 0, length);
}

void CalcDialog::Btn_Cut_Click() {
    const int32_t code = model_->loadOperandFromClipboard(clipboard_.get());
    if (code != 0)
        ctx_.messages.ShowErrorCode(code);
    Picture_Dest->update();
}

void CalcDialog::Btn_Create_Click() {
    if (creator_ && model_->ready() && creator_(model_->operandMemory(), this))
        Picture_Dest->update();
}

void CalcDialog::Btn_Result_Click() {
    model_->setOperation(static_cast<Operation>(std::max(0, Comb_Comp->currentIndex())));
    model_->computeResult();
    Picture_Result->update();
}

void CalcDialog::Btn_OK_Click() {
    bool written = false;
    model_->commit([this, &written] {
        ctx_.session.backup();
        written = true;
    });
    if (written)
        ctx_.session.samplesChanged();
    accept();
}

} // namespace zw
