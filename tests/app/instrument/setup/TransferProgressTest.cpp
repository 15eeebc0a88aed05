// The progress window's state as the transfer core drives it.
#include "TransferProgress.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zw;

namespace {

class RecordingView : public ProgressView {
public:
    void setSetupEnabled(bool enabled) override { log.push_back(enabled ? "enable" : "disable"); }
    void openProgress() override { log.push_back("open"); }
    void showPhase(const QString& phase) override { log.push_back("phase " + phase.toStdString()); }
    void showPosition(int position) override { positions.push_back(position); }
    void showLoopCount(long count) override { log.push_back("count " + std::to_string(count)); }
    void closeProgress() override { log.push_back("close"); }
    void processEvents() override {
        ++events;
        if (onEvents)
            onEvents();
    }
    std::vector<std::string> log;
    std::vector<int> positions;
    int events = 0;
    std::function<void()> onEvents;
};

} // namespace

TEST(TransferProgress, AbortCountsOnlyWhileTheWindowIsOpen) {
    RecordingView view;
    TransferProgress progress(view);
    progress.requestAbort(); // no window yet: nothing to abort
    progress.ShowProgress("Data convert");
    EXPECT_FALSE(progress.ProcessEventsAndCheckAbort());
    view.onEvents = [&] { progress.requestAbort(); }; // pressed while events run
    EXPECT_TRUE(progress.ProcessEventsAndCheckAbort());
    progress.CloseProgress();
    progress.CloseProgress();
    // A new transfer starts without the old request.
    view.onEvents = nullptr;
    progress.ShowProgress("Data convert");
    EXPECT_FALSE(progress.ProcessEventsAndCheckAbort());
    EXPECT_EQ(view.log, (std::vector<std::string>{"open", "phase Data convert", "close", "open",
                                                  "phase Data convert"}));
}

TEST(TransferProgress, PositionPhaseCountAndSetupEnabling) {
    RecordingView view;
    TransferProgress progress(view);
    progress.SetDialogEnabled(false);
    EXPECT_TRUE(progress.running());
    progress.ShowProgress("Data convert");
    progress.SetPosition(500);
    progress.SetPosition(1200);
    progress.SetPosition(-3);
    progress.SetPhase("Send data");
    progress.SetLoopCount(7);
    EXPECT_EQ(progress.phase(), "Send data");
    EXPECT_EQ(progress.loopCount(), 7);
    EXPECT_EQ(view.positions, (std::vector<int>{0, 500, 1000, 0}));
    // A second ShowProgress (the loop test's next round) keeps one window.
    progress.ShowProgress("Loop test");
    progress.SetDialogEnabled(true);
    EXPECT_FALSE(progress.running());
    EXPECT_EQ(view.log,
              (std::vector<std::string>{"disable", "open", "phase Data convert", "phase Send data",
                                        "count 7", "phase Loop test", "enable"}));
}
