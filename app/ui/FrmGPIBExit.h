// The progress window of a transfer ("Copy wave data"): the phase text, a
// progress bar on the 0 .. 1000 scale, the loop test's count and the abort
// button. It is the view of the transfer's TransferProgress: the transfer
// core reports through that, and the abort button asks it to stop. Shown
// modal to the setup window while the transfer runs on the same thread,
// which lets window events through at fixed intervals.
#ifndef ZW_UI_FRMGPIBEXIT_H
#define ZW_UI_FRMGPIBEXIT_H

#include "TransferProgress.h"

#include <QDialog>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zw {

class CaptionCatalog;
class clsRegistry;

class FrmGPIBExit final : public QDialog, public ProgressView {
    Q_OBJECT
public:
    // `setSetupEnabled` enables and disables the setup window's buttons.
    FrmGPIBExit(const CaptionCatalog& captions, clsRegistry& registry,
                std::function<void(bool)> setSetupEnabled, QWidget* parent);

    // The transfer's state behind this window; the abort button reaches it.
    TransferProgress& progress() { return progress_; }
    // Asked first when abort is pressed: true when the press was taken as
    // the end of a running loop test (which ends after the transfer in
    // progress), so the transfer itself goes on.
    std::function<bool()> onAbort;

    void setSetupEnabled(bool enabled) override;
    void openProgress() override;
    void showPhase(const QString& phase) override;
    void showPosition(int position) override;
    void showLoopCount(long count) override;
    void closeProgress() override;
    void processEvents() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Btn_Cancel_Click();

    const CaptionCatalog& captions_;
    std::function<void(bool)> setSetupEnabled_;
    TransferProgress progress_{*this};
    QLabel* phase_ = nullptr;
    QLabel* count_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
    bool closingByTransfer_ = false;
};

} // namespace zw

#endif // ZW_UI_FRMGPIBEXIT_H
