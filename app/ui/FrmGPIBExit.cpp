#include "FrmGPIBExit.h"

#include "CaptionApplier.h"
#include "CaptionCatalog.h"
#include "WindowPlacement.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zw {

namespace {

// The core reports its phases by their English names; the window shows the
// caption of the phase in the window's language where it has one.
QString PhaseCaption(const CaptionCatalog& captions, const QString& phase) {
    static const std::pair<const char*, const char*> kPhases[] = {
        {"Data convert", "Label_Phase:Convert"},
        {"Send data", "Label_Phase:Send"},
        {"Loop test", "Label_Phase:Loop"},
    };
    for (const auto& [name, key] : kPhases)
        if (phase == QLatin1String(name)) {
            const QString caption = captions.caption(u"FrmGPIBExit", QString::fromLatin1(key));
            return caption.isEmpty() ? phase : caption;
        }
    return phase;
}

} // namespace

FrmGPIBExit::FrmGPIBExit(const CaptionCatalog& captions, clsRegistry& registry,
                         std::function<void(bool)> setSetupEnabled, QWidget* parent)
    : QDialog(parent), captions_(captions), setSetupEnabled_(std::move(setSetupEnabled)) {
    setObjectName("FrmGPIBExit");
    setWindowModality(Qt::WindowModal);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 12);
    phase_ = new QLabel;
    phase_->setObjectName("Label_Phase");
    bar_ = new QProgressBar;
    bar_->setObjectName("ProgressBar");
    bar_->setRange(0, kProgressScale);
    bar_->setTextVisible(false);
    bar_->setMinimumWidth(320);
    count_ = new QLabel;
    count_->setObjectName("Label_Count");
    count_->setVisible(false);
    cancel_ = new QPushButton;
    cancel_->setObjectName("Btn_Cancel");
    connect(cancel_, &QPushButton::clicked, this, &FrmGPIBExit::Btn_Cancel_Click);
    layout->addWidget(phase_);
    layout->addWidget(bar_);
    layout->addWidget(count_);
    layout->addWidget(cancel_, 0, Qt::AlignCenter);
    ApplyCaptions(*this, captions_);
    KeepWindowPosition(*this, registry);
}

void FrmGPIBExit::setSetupEnabled(bool enabled) {
    if (setSetupEnabled_)
        setSetupEnabled_(enabled);
}

void FrmGPIBExit::openProgress() {
    count_->setVisible(false);
    bar_->setValue(0);
    show();
    raise();
    activateWindow();
}

void FrmGPIBExit::showPhase(const QString& phase) {
    phase_->setText(PhaseCaption(captions_, phase));
}

void FrmGPIBExit::showPosition(int position) {
    bar_->setValue(position);
}

void FrmGPIBExit::showLoopCount(long count) {
    count_->setVisible(true);
    count_->setText(QString::number(count));
}

void FrmGPIBExit::closeProgress() {
    closingByTransfer_ = true;
    hide();
    closingByTransfer_ = false;
}

void FrmGPIBExit::processEvents() {
    QCoreApplication::processEvents();
}

void FrmGPIBExit::Btn_Cancel_Click() {
    if (onAbort && onAbort())
        return;
    progress_.requestAbort();
}

// Closing the window while the transfer runs is the abort button.
void FrmGPIBExit::closeEvent(QCloseEvent* event) {
    if (!closingByTransfer_ && progress_.open()) {
        event->ignore();
        Btn_Cancel_Click();
        return;
    }
    QDialog::closeEvent(event);
}

void FrmGPIBExit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Btn_Cancel_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace zw
