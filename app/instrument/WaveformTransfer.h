// The waveform and setting transfers: the busy mark, the bus set-up, the
// command objects of the model's scripts, the status and identity checks,
// the sample conversion and the block sending, and the end step that every
// way out of a transfer passes through.
#ifndef ZW_WAVEFORM_TRANSFER_H
#define ZW_WAVEFORM_TRANSFER_H

#include "GpibCommand.h"
#include "InstrumentServices.h"
#include "ScriptTables.h"
#include "bus/InterfaceLibrary.h"
#include "deviceinfo.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace zw {

// What one transfer works on; taken as a copy when it starts.
struct TransferJob {
    DeviceInfo setting{};
    ScriptTables scripts;
    int interfaceType = 3;
    // USB(TMC) only: the instrument's serial number and the identification
    // prefix of the model (from "USBTMC.ID").
    std::string serialNumber;
    std::string usbIdPrefix;
    // The document's sample codes (waveform transfers only). The transfer
    // copies them when it starts (at most kMaxTransferSamples), so an edit
    // of the document while it processes window events changes nothing
    // of what is sent.
    std::span<const int16_t> samples;
};

enum class TransferOutcome {
    Done,
    Busy,    // another transfer holds the interface
    Aborted, // the user pressed abort
    Failed,  // stopped with a message
};

// The most samples a transfer takes (a whole wave memory, 128 KiB).
inline constexpr size_t kMaxTransferSamples = 65536;

// Largest piece of the data block handed to the bus at once.
inline constexpr size_t kBlockPiece = 512;

class WaveformTransfer {
public:
    WaveformTransfer(bus::InterfaceLibrary& bus, InstrumentSettings& settings,
                     InstrumentMessages& messages, TransferWindow& window)
        : bus_(bus), settings_(settings), messages_(messages), window_(window) {}

    TransferOutcome TransferWaveform(const TransferJob& job);
    TransferOutcome TransferSetting(const TransferJob& job);

    // The setup window's Waveform Data button: one waveform transfer of the
    // job `next` gives, or the loop test when the LoopTest setting is on.
    void PressWaveformButton(const std::function<TransferJob()>& next);

    // The waveform button with the loop test on: the first request runs
    // transfers of the job `next` gives until a second request (made while
    // the loop runs, from the window's event processing) ends it.
    void RequestLoopTest(const std::function<TransferJob()>& next);
    bool LoopRunning() const { return loopRunning_; }
    long LoopCount() const { return loopCount_; }

    // The instrument identification a USB(TMC) transfer opens.
    static std::string UsbTmcIdentification(const TransferJob& job);

private:
    class Session;

    TransferOutcome Run(const TransferJob& job, bool waveform);
    TransferOutcome RunWaveform(Session& session);
    TransferOutcome RunSetting(Session& session);
    bool Begin(Session& session);
    // Sends one command string, with the debug box first; false on a bus error.
    bool SendString(int address, const std::string& text, std::string_view debugTitle);
    // Sends a command object's setting string and runs its status check.
    bool SendSettings(int address, const clsGpibCommand& command, const DeviceInfo& setting);
    bool StatusOk(int address, const clsGpibCommand& command);
    bool IdentityMatches(int address, const clsGpibCommand& command);
    TransferOutcome SendBlock(int address, std::span<const uint8_t> block, bool framed);
    void ShowCommandError(std::string_view detail = {});

    bus::InterfaceLibrary& bus_;
    InstrumentSettings& settings_;
    InstrumentMessages& messages_;
    TransferWindow& window_;

    bool loopRunning_ = false;
    bool loopStopRequested_ = false;
    long loopCount_ = 0;
};

} // namespace zw

#endif // ZW_WAVEFORM_TRANSFER_H
