// The few services of the editor that instrument control needs: the settings
// store, message boxes and the progress window. Instrument control sees them
// only through these interfaces, so the whole transfer runs in tests without a
// window and the shell's classes are adapted in one place.
#ifndef ZW_INSTRUMENT_SERVICES_H
#define ZW_INSTRUMENT_SERVICES_H

#include <optional>
#include <string>
#include <string_view>

namespace zw {

// The per-user settings store shared by every running copy of the program.
class InstrumentSettings {
public:
    virtual ~InstrumentSettings() = default;

    // The stored text, or "False" when the key is missing (the store's rule).
    virtual std::string Setting(std::string_view section, std::string_view key) const = 0;
    virtual void SetSetting(std::string_view section, std::string_view key,
                            std::string_view value) = 0;

    // Sets the busy mark of `board` when no running copy holds it, in one
    // step that no other copy can interleave with. False when it is held.
    // A mark left by a copy that no longer runs (killed mid-transfer) must
    // count as free: the store's liveness test clears it.
    virtual bool TryMarkBusy(int board) = 0;
    // Clears the busy mark of `board` that this copy set.
    virtual void ClearBusy(int board) = 0;
    virtual bool IsBusy(int board) const = 0;

    virtual bool DebugMode() const = 0;
    virtual bool LoopTest() const = 0;
    // The interface board's own bus address, kept for the setup window.
    virtual void SetGpibAddress(int board, int address) = 0;
};

// Message boxes and the catalogue texts. Texts use "\r" for a line break.
class InstrumentMessages {
public:
    virtual ~InstrumentMessages() = default;

    // Catalogue message `code` in the current language, ending in "\r".
    virtual std::string MessageText(int code) const = 0;
    // A plain OK box with the given title.
    virtual void ShowBox(std::string_view title, std::string_view text) = 0;
    // The catalogue's error box (title "Error Message").
    virtual void ShowErrorText(std::string_view text) = 0;
    // An input box; nothing when the user cancels.
    virtual std::optional<std::string> InputBox(std::string_view title,
                                                std::string_view prompt) = 0;
};

// The progress window of a transfer and the setup window that started it.
class TransferWindow {
public:
    virtual ~TransferWindow() = default;

    virtual void SetDialogEnabled(bool enabled) = 0;
    virtual void ShowProgress(std::string_view phase) = 0;
    virtual void SetPhase(std::string_view phase) = 0;
    // Position on a 0 .. 1000 scale.
    virtual void SetPosition(int position) = 0;
    virtual void SetLoopCount(long count) = 0;
    virtual void CloseProgress() = 0;
    // Processes pending window events; true when the user pressed abort
    // since the progress window was shown.
    virtual bool ProcessEventsAndCheckAbort() = 0;
};

} // namespace zw

#endif // ZW_INSTRUMENT_SERVICES_H
