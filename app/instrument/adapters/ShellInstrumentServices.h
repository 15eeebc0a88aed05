// The editor shell's classes behind the services instrument control uses:
// the settings store clsRegistry (with its cross-process busy marks and the
// liveness test that frees the marks of ended instances) and the catalogue
// message boxes.
#ifndef ZW_SHELL_INSTRUMENT_SERVICES_H
#define ZW_SHELL_INSTRUMENT_SERVICES_H

#include "InstrumentServices.h"
#include "Messages.h"
#include "clsRegistry.h"

#include <functional>

namespace zw {

class RegistryInstrumentSettings final : public InstrumentSettings {
public:
    // `registry` must outlive this object.
    explicit RegistryInstrumentSettings(clsRegistry& registry) : registry_(registry) {}

    std::string Setting(std::string_view section, std::string_view key) const override;
    void SetSetting(std::string_view section, std::string_view key,
                    std::string_view value) override;
    bool TryMarkBusy(int board) override { return registry_.TryClaimGpibBusy(board); }
    void ClearBusy(int board) override { registry_.SetGpibBusy(board, false); }
    bool IsBusy(int board) const override { return registry_.GpibBusy(board); }
    bool DebugMode() const override { return registry_.DebugMode(); }
    bool LoopTest() const override { return registry_.LoopTest(); }
    void SetGpibAddress(int board, int address) override {
        registry_.SetGpibAddress(board, address);
    }

private:
    clsRegistry& registry_;
};

class ShellInstrumentMessages final : public InstrumentMessages {
public:
    using InputFunction =
        std::function<std::optional<std::string>(std::string_view title, std::string_view prompt)>;

    // `messages` must outlive this object. Without an input function the
    // input box answers nothing (as when cancelled).
    explicit ShellInstrumentMessages(Messages& messages, InputFunction input = {})
        : messages_(messages), input_(std::move(input)) {}

    std::string MessageText(int code) const override;
    void ShowBox(std::string_view title, std::string_view text) override;
    void ShowErrorText(std::string_view text) override;
    std::optional<std::string> InputBox(std::string_view title, std::string_view prompt) override;

private:
    Messages& messages_;
    InputFunction input_;
};

} // namespace zw

#endif // ZW_SHELL_INSTRUMENT_SERVICES_H
