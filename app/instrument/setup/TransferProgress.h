// The logic side of the progress window of a transfer: what the transfer
// core reports (phase, position on the 0 .. 1000 scale, loop count), the
// abort request of the window's button, and the enabling of the setup
// window, kept here and handed to a view. The window implements the view;
// tests use a recording one.
#ifndef ZW_SETUP_TRANSFERPROGRESS_H
#define ZW_SETUP_TRANSFERPROGRESS_H

#include "InstrumentServices.h"

#include <QString>

namespace zw {

inline constexpr int kProgressScale = 1000;

class ProgressView {
public:
    virtual ~ProgressView() = default;
    virtual void setSetupEnabled(bool enabled) = 0;
    virtual void openProgress() = 0;
    virtual void showPhase(const QString& phase) = 0;
    virtual void showPosition(int position) = 0;
    virtual void showLoopCount(long count) = 0;
    virtual void closeProgress() = 0;
    // Lets pending window events run (the abort button among them).
    virtual void processEvents() = 0;
};

class TransferProgress final : public TransferWindow {
public:
    explicit TransferProgress(ProgressView& view) : view_(view) {}

    void SetDialogEnabled(bool enabled) override;
    void ShowProgress(std::string_view phase) override;
    void SetPhase(std::string_view phase) override;
    void SetPosition(int position) override;
    void SetLoopCount(long count) override;
    void CloseProgress() override;
    bool ProcessEventsAndCheckAbort() override;

    // The abort button; counts only while the progress window is open.
    void requestAbort();

    bool open() const { return open_; }
    bool running() const { return !setupEnabled_; }
    const QString& phase() const { return phase_; }
    int position() const { return position_; }
    long loopCount() const { return loopCount_; }

private:
    ProgressView& view_;
    bool open_ = false;
    bool abortRequested_ = false;
    bool setupEnabled_ = true;
    QString phase_;
    int position_ = 0;
    long loopCount_ = 0;
};

} // namespace zw

#endif // ZW_SETUP_TRANSFERPROGRESS_H
