// What the editor's windows give a transfer, for a terminal: the progress
// line on stderr (only on a terminal), the messages on stderr, Ctrl-C as the
// progress window's abort button, and the settings store with the LAN
// address of the command line put over the stored one.
#ifndef ZW_CLI_TERMINALTRANSFER_H
#define ZW_CLI_TERMINALTRANSFER_H

#include "InstrumentServices.h"
#include "Language.h"
#include "MessageCatalog.h"

#include <QString>

#include <atomic>
#include <optional>
#include <string>
#include <thread>

namespace zw::cli {

// Ctrl-C (SIGINT) and SIGTERM while a transfer may run: a thread of its own
// takes them, so no bus call is cut short, and the transfer sees the request
// at its next abort check. A second signal ends the program at once (the
// settings store's liveness test frees the busy mark of an ended program).
// Create it before any other thread starts: the signals are blocked in the
// threads created after it.
class InterruptWatch {
public:
    InterruptWatch();
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    bool requested() const { return requested_.load(); }

private:
    void watch();

    std::atomic<bool> requested_{false};
    std::thread thread_;
};

// The progress window of the editor as one line on stderr.
class TerminalProgress final : public TransferWindow {
public:
    // `visible`: stderr is a terminal and --quiet was not given.
    TerminalProgress(const InterruptWatch& interrupt, bool visible)
        : interrupt_(interrupt), visible_(visible) {}

    void SetDialogEnabled(bool) override {}
    void ShowProgress(std::string_view phase) override;
    void SetPhase(std::string_view phase) override;
    void SetPosition(int position) override;
    void SetLoopCount(long) override {}
    void CloseProgress() override;
    bool ProcessEventsAndCheckAbort() override { return interrupt_.requested(); }

    // Clears the line so a message can be written on stderr.
    void clearLine();

private:
    void draw();

    const InterruptWatch& interrupt_;
    bool visible_;
    bool shown_ = false;
    std::string phase_;
    int position_ = 0;
    int drawnPercent_ = -1;
};

// The transfer's message boxes as lines on stderr.
class StderrMessages final : public InstrumentMessages {
public:
    explicit StderrMessages(Language language) : catalog_(language) {}
    void setProgress(TerminalProgress* progress) { progress_ = progress; }

    std::string MessageText(int code) const override;
    void ShowBox(std::string_view title, std::string_view text) override;
    void ShowErrorText(std::string_view text) override;
    std::optional<std::string> InputBox(std::string_view, std::string_view) override {
        return std::nullopt;
    }
    int shown() const { return shown_; }

private:
    void write(std::string_view text);

    MessageCatalog catalog_;
    TerminalProgress* progress_ = nullptr;
    int shown_ = 0;
};

// The settings store with this run's LAN address for one model put over
// the stored one (the stored address stays as it is).
class LanOverlaySettings final : public InstrumentSettings {
public:
    LanOverlaySettings(InstrumentSettings& store, std::string modelName,
                       std::optional<QString> host, std::optional<int> port)
        : store_(store), model_(std::move(modelName)), host_(std::move(host)), port_(port) {}

    std::string Setting(std::string_view section, std::string_view key) const override;
    void SetSetting(std::string_view section, std::string_view key,
                    std::string_view value) override {
        store_.SetSetting(section, key, value);
    }
    bool TryMarkBusy(int board) override { return store_.TryMarkBusy(board); }
    void ClearBusy(int board) override { store_.ClearBusy(board); }
    bool IsBusy(int board) const override { return store_.IsBusy(board); }
    bool DebugMode() const override { return store_.DebugMode(); }
    bool LoopTest() const override { return false; }
    void SetGpibAddress(int board, int address) override { store_.SetGpibAddress(board, address); }

private:
    InstrumentSettings& store_;
    std::string model_;
    std::optional<QString> host_;
    std::optional<int> port_;
};

} // namespace zw::cli

#endif // ZW_CLI_TERMINALTRANSFER_H
