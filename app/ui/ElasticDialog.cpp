#include "ElasticDialog.h"

#include "CaptionApplier.h"
#include "CurrentSetting.h"
#include "EditorContext.h"
#include "NumberFormat.h"
#include "Units.h"
#include "WindowPlacement.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zw {

namespace {

QPushButton* button(const QString& name, QWidget* parent) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QLabel* label(const QString& name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    return l;
}

QLineEdit* field(const QString& name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMinimumWidth(110);
    return e;
}

} // namespace

ElasticDialog::ElasticDialog(EditorContext& context, QWidget* parent)
    : QDialog(parent), ctx_(context) {
    setObjectName("ElasticDialog");
    KeepWindowPosition(*this, ctx_.registry);
    model_ = std::make_unique<ElasticModel>(ctx_.document, [this] { ctx_.session.backup(); });
    buildControls();
    ApplyCaptions(*this, CaptionCatalog(ctx_.language));
    Opt_Y[0]->setChecked(true);
    Opt_Y_Click(0);
}

ElasticDialog::~ElasticDialog() = default;

void ElasticDialog::buildControls() {
    auto* frameX = new QGroupBox(this);
    frameX->setObjectName("Frame_X");
    auto* gridX = new QGridLayout(frameX);
    for (int i = 0; i < 2; ++i) {
        Text_X[i] = field(QString("Text_X_%1").arg(i), frameX);
        Label_YLevel[i] = label(QString("Label_YLevel_%1").arg(i), frameX);
        Label_YLevel[i]->setMinimumWidth(90);
        auto* caption = label(QString("Label_X_%1").arg(i), frameX);
        caption->setBuddy(Text_X[i]);
        gridX->addWidget(caption, i, 0);
        gridX->addWidget(Text_X[i], i, 1);
        gridX->addWidget(label(QString("Label_Y_%1").arg(i), frameX), i, 2);
        gridX->addWidget(Label_YLevel[i], i, 3);
        connect(Text_X[i], &QLineEdit::editingFinished, this, [this, i] { Text_X_LostFocus(i); });
    }
    Btn_Length = button("Btn_Length", frameX);
    gridX->addWidget(Btn_Length, 2, 1);

    auto* frameY = new QGroupBox(this);
    frameY->setObjectName("Frame_Y");
    auto* gridY = new QGridLayout(frameY);
    for (int i = 0; i < 2; ++i) {
        Opt_Y[i] = new QRadioButton(frameY);
        Opt_Y[i]->setObjectName(QString("Opt_Y_%1").arg(i));
        gridY->addWidget(Opt_Y[i], 0, i);
        connect(Opt_Y[i], &QRadioButton::clicked, this, [this, i] { Opt_Y_Click(i); });
        Text_Y[i] = field(QString("Text_Y_%1").arg(i), frameY);
        connect(Text_Y[i], &QLineEdit::editingFinished, this, [this, i] { Text_Y_LostFocus(i); });
    }
    Label_Amp = label("Label_Amp", frameY);
    Label_Offs = label("Label_Offs", frameY);
    Label_Amp->setBuddy(Text_Y[0]);
    Label_Offs->setBuddy(Text_Y[1]);
    gridY->addWidget(Label_Amp, 1, 0);
    gridY->addWidget(Text_Y[0], 1, 1);
    gridY->addWidget(Label_Offs, 2, 0);
    gridY->addWidget(Text_Y[1], 2, 1);
    Btn_Peak = button("Btn_Peak", frameY);
    Btn_Ampl = button("Btn_Ampl", frameY);
    auto* fits = new QHBoxLayout;
    fits->addWidget(Btn_Peak);
    fits->addWidget(Btn_Ampl);
    gridY->addLayout(fits, 3, 0, 1, 2);

    Btn_OK = button("Btn_OK", this);
    Btn_Cancel = button("Btn_Cancel", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Btn_OK);
    buttons->addWidget(Btn_Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frameX);
    layout->addWidget(frameY);
    layout->addLayout(buttons);

    connect(Btn_Length, &QPushButton::clicked, this, [this] {
        model_->fitLength();
        afterChange();
    });
    connect(Btn_Peak, &QPushButton::clicked, this, [this] {
        model_->fitPeakToPeak();
        afterChange();
    });
    connect(Btn_Ampl, &QPushButton::clicked, this, [this] {
        model_->fitAmplitude();
        afterChange();
    });
    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Btn_Cancel, &QPushButton::clicked, this, &ElasticDialog::reject);
}

Units ElasticDialog::units() const {
    return Units(ctx_.setting.info());
}

void ElasticDialog::showFields() {
    const Units u = units();
    const ElasticFields& f = model_->fields();
    Text_X[0]->setText(u.FormatXPositionLong(f.NewStartX).trimmed());
    Text_X[1]->setText(u.FormatXPositionLong(f.NewEndX).trimmed());
    if (model_->yMode() == ElasticYMode::MaxMin) {
        Text_Y[0]->setText(u.FormatYValue(f.NewMax).trimmed());
        Text_Y[1]->setText(u.FormatYValue(f.NewMin).trimmed());
    } else {
        Text_Y[0]->setText(u.FormatYDifference(f.NewAmplitude).trimmed());
        Text_Y[1]->setText(u.FormatYValue(f.NewOffset).trimmed());
    }
    Label_YLevel[0]->setText(u.FormatYValue(model_->levelAtStart()).trimmed());
    Label_YLevel[1]->setText(u.FormatYValue(model_->levelAtEnd()).trimmed());
}

// The document and the markers changed: the main window follows.
void ElasticDialog::afterChange() {
    ctx_.session.setMarkers(ctx_.document.markers());
    ctx_.session.samplesChanged();
    showFields();
}

std::optional<double> ElasticDialog::typed(QLineEdit* box) const {
    return NumberFormat::ReadEngineering(box->text());
}

void ElasticDialog::Text_X_LostFocus(int index) {
    if (closing_)
        return;
    const std::optional<double> value = typed(Text_X[index]);
    if (!value) {
        showFields();
        return;
    }
    const Units u = units();
    const double samples = u.XUnitToPosition(u.LimitX(*value).value);
    const double before = index == 0 ? model_->fields().NewStartX : model_->fields().NewEndX;
    if (u.FormatXPositionLong(samples) == u.FormatXPositionLong(before)) {
        showFields(); // the same number as shown: nothing to rebuild
        return;
    }
    if (index == 0)
        model_->setStartX(samples);
    else
        model_->setEndX(samples);
    afterChange();
}

void ElasticDialog::Text_Y_LostFocus(int index) {
    if (closing_)
        return;
    const std::optional<double> value = typed(Text_Y[index]);
    if (!value) {
        showFields();
        return;
    }
    const Units u = units();
    const ElasticFields before = model_->fields();
    if (model_->yMode() == ElasticYMode::MaxMin) {
        const double code = u.YUnitToCode(u.LimitY(*value).value);
        const double old = index == 0 ? before.NewMax : before.NewMin;
        if (u.FormatYValue(code) == u.FormatYValue(old)) {
            showFields();
            return;
        }
        index == 0 ? model_->setMax(code) : model_->setMin(code);
    } else if (index == 0) {
        const double codes = u.YUnitToDifference(u.LimitYDifference(*value).value);
        if (u.FormatYDifference(codes) == u.FormatYDifference(before.NewAmplitude)) {
            showFields();
            return;
        }
        model_->setAmplitude(codes);
    } else {
        const double code = u.YUnitToCode(u.LimitY(*value).value);
        if (u.FormatYValue(code) == u.FormatYValue(before.NewOffset)) {
            showFields();
            return;
        }
        model_->setOffset(code);
    }
    afterChange();
}

void ElasticDialog::Opt_Y_Click(int index) {
    const ElasticYMode mode = index == 0 ? ElasticYMode::MaxMin : ElasticYMode::AmpOffs;
    model_->setYMode(mode);
    const CaptionCatalog captions(ctx_.language);
    const QString variant = index == 0 ? ":MaxMin" : ":AmpOffs";
    Label_Amp->setText(captions.caption(u"ElasticDialog", QString("Label_Amp") + variant));
    Label_Offs->setText(captions.caption(u"ElasticDialog", QString("Label_Offs") + variant));
    showFields();
}

void ElasticDialog::reject() {
    closing_ = true;
    model_->cancel();
    ctx_.session.setMarkers(ctx_.document.markers());
    ctx_.session.samplesChanged();
    QDialog::reject();
}

} // namespace zw
