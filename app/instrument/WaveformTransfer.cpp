#include "WaveformTransfer.h"

#include "BusSettings.h"
#include "CommandStrings.h"
#include "SampleConversion.h"
#include "TextUtil.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <optional>
#include <thread>
#include <vector>

namespace zw {

namespace {

constexpr int kMsgBusy = 223;
constexpr int kMsgAddressError = 224;
constexpr int kMsgOtherError = 225;
constexpr int kMsgCommandError = 230;

bool UsesBoardAddress(int interfaceType) {
    return interfaceType != bus::kUsbTmc && interfaceType != bus::kLanSocket;
}

// The part of a reply from a 1-based start with a length, as the desktop's
// substring function takes it.
std::string_view MidText(std::string_view text, int start, int length) {
    const size_t from = static_cast<size_t>(std::max(start, 1) - 1);
    if (from >= text.size() || length <= 0)
        return {};
    return text.substr(from, static_cast<size_t>(length));
}

long ReplyValue(std::string_view reply) {
    const double value = LeadingNumber(TrimText(reply));
    return static_cast<long>(std::clamp(value, -2147483648.0, 2147483647.0));
}

} // namespace

// Everything one transfer holds, released in one place whatever way the
// transfer ends: the bus, the busy mark, the progress window, the dialog.
class WaveformTransfer::Session {
public:
    // The samples are copied here, as the transfer starts: the window events
    // processed while converting and sending may edit the document.
    Session(WaveformTransfer& owner, const TransferJob& job)
        : job(job), samples(job.samples.begin(),
                            job.samples.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                      job.samples.size(), kMaxTransferSamples))),
          board(job.interfaceType), owner_(owner) {
        this->job.samples = samples;
    }
    ~Session() {
        try {
            if (busOpened)
                owner_.bus_.GpEnd();
            if (progressShown)
                owner_.window_.CloseProgress();
            if (marked)
                owner_.settings_.ClearBusy(board);
            owner_.window_.SetDialogEnabled(true);
        } catch (...) {
            // The end step must not throw; the busy mark is cleared first
            // below when anything before it failed.
            if (marked)
                owner_.settings_.ClearBusy(board);
        }
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    TransferJob job;
    std::vector<int16_t> samples;
    int board;
    bool marked = false;
    bool busOpened = false;
    bool progressShown = false;
    TransferOutcome outcome = TransferOutcome::Failed;
    std::optional<clsGpibCommand> init;
    std::optional<clsGpibCommand> main;
    std::optional<clsGpibCommand> end;

private:
    WaveformTransfer& owner_;
};

std::string WaveformTransfer::UsbTmcIdentification(const TransferJob& job) {
    return job.usbIdPrefix + std::string(TrimText(job.serialNumber));
}

TransferOutcome WaveformTransfer::TransferWaveform(const TransferJob& job) {
    return Run(job, true);
}

TransferOutcome WaveformTransfer::TransferSetting(const TransferJob& job) {
    return Run(job, false);
}

TransferOutcome WaveformTransfer::Run(const TransferJob& job, bool waveform) {
    window_.SetDialogEnabled(false);
    Session session(*this, job);
    if (!Begin(session))
        return session.outcome;
    return waveform ? RunWaveform(session) : RunSetting(session);
}

bool WaveformTransfer::Begin(Session& s) {
    DeviceInfo& setting = s.job.setting;
    if (s.job.interfaceType == bus::kUsbTmc) {
        if (TrimText(s.job.serialNumber).empty()) {
            messages_.ShowErrorText("Please Input the Serial Number!");
            return false;
        }
        setting.Address = 0;
    }
    if (!settings_.TryMarkBusy(s.board)) {
        messages_.ShowErrorText(messages_.MessageText(kMsgBusy));
        s.outcome = TransferOutcome::Busy;
        return false;
    }
    s.marked = true;

    bus_.SetInterfaceType(s.job.interfaceType);
    bus_.SetAddressField(setting.Address);
    bus_.SetExtraConfiguration(BusConfigurationItems(
        settings_, s.job.interfaceType, TrimmedField(setting.ModelName, sizeof setting.ModelName),
        UsbTmcIdentification(s.job)));
    s.busOpened = true;

    if (UsesBoardAddress(s.job.interfaceType)) {
        int own = -1;
        if (bus_.GpBoardAdr(own) != bus::kBusOk)
            return false;
        settings_.SetGpibAddress(s.board, own);
        if (setting.Address == own) {
            messages_.ShowErrorText(messages_.MessageText(kMsgAddressError) +
                                    "Address:" + std::to_string(setting.Address));
            return false;
        }
    }
    if (!bus_.Initialised() && bus_.GpSetup() != bus::kBusOk)
        return false;

    s.init.emplace(messages_);
    s.init->FillFromScript(s.job.scripts.scripts[kGpibInit], setting);
    s.end.emplace(messages_);
    s.end->FillFromScript(s.job.scripts.scripts[kGpibEnd], setting);
    return true;
}

void WaveformTransfer::ShowCommandError(std::string_view detail) {
    messages_.ShowErrorText(messages_.MessageText(kMsgCommandError) + std::string(detail));
}

bool WaveformTransfer::SendString(int address, const std::string& text,
                                  std::string_view debugTitle) {
    if (text.empty())
        return true;
    if (settings_.DebugMode())
        messages_.ShowBox(debugTitle, "'" + text + "'");
    return bus_.GpPuts(address, text) == bus::kBusOk;
}

bool WaveformTransfer::SendSettings(int address, const clsGpibCommand& command,
                                    const DeviceInfo& setting) {
    if (!SendString(address, BuildSettingString(command, setting), "GpibPuts"))
        return false;
    return StatusOk(address, command);
}

bool WaveformTransfer::StatusOk(int address, const clsGpibCommand& command) {
    const std::string query = command.GetStatus();
    if (query.empty())
        return true;
    std::string reply;
    if (bus_.GpPuts(address, query) == bus::kBusOk && bus_.GpGets(address, reply) == bus::kBusOk &&
        !TrimText(reply).empty()) {
        const auto mask = static_cast<uint16_t>(command.ErrorMask());
        if ((ReplyValue(reply) & mask) == 0)
            return true;
    }
    const std::string errorQuery = command.GetErrorMessage();
    if (errorQuery.empty()) {
        ShowCommandError();
        return false;
    }
    std::string error;
    if (bus_.GpPuts(address, errorQuery) == bus::kBusOk)
        bus_.GpGets(address, error);
    if (ReplyValue(error) == 0) {
        std::string second;
        bus_.GpGets(address, second);
        messages_.ShowErrorText(messages_.MessageText(kMsgOtherError) + second);
    } else {
        ShowCommandError(error);
    }
    return false;
}

bool WaveformTransfer::IdentityMatches(int address, const clsGpibCommand& command) {
    int start = 0;
    int length = 0;
    std::string expected;
    const std::string query = command.Model(start, length, expected);
    if (query.empty())
        return true; // the model asks for no identity check
    std::string reply;
    bool match = false;
    if (bus_.GpPuts(address, query) == bus::kBusOk && bus_.GpGets(address, reply) == bus::kBusOk) {
        const std::string_view trimmed = TrimText(reply);
        match =
            !trimmed.empty() && EqualsNoCase(MidText(trimmed, start, length), TrimText(expected));
    }
    if (!match && settings_.DebugMode())
        messages_.ShowBox("ModelCheck", "System Setting Model:" + std::string(TrimText(expected)) +
                                            "\rReturn ID:'" + reply + "'");
    return match;
}

TransferOutcome WaveformTransfer::SendBlock(int address, std::span<const uint8_t> block,
                                            bool framed) {
    window_.SetPhase("Send data");
    if (bus_.GpEot(false) != bus::kBusOk)
        return TransferOutcome::Failed;
    const size_t body = block.size() - 2;
    for (size_t offset = 0; offset < body; offset += kBlockPiece) {
        const size_t n = std::min(kBlockPiece, body - offset);
        if (bus_.GpData(address, block.subspan(offset, n)) != bus::kBusOk)
            return TransferOutcome::Failed;
        window_.SetPosition(static_cast<int>((offset + n) * 1000 / block.size()));
        if (window_.ProcessEventsAndCheckAbort()) {
            // The instrument holds half a message: clear it, quietly.
            const int boxes = bus_.GpErrMsgOn(bus::kErrMsgQuery);
            bus_.GpErrMsgOn(bus::kErrMsgOff);
            bus_.GpSDC(address);
            bus_.GpErrMsgOn(boxes ? bus::kErrMsgOn : bus::kErrMsgOff);
            return TransferOutcome::Aborted;
        }
    }
    // Only the last sample ends the message: its terminator (or EOI) is the
    // first the instrument sees.
    if (framed && bus_.GpEos("\n", 2) != bus::kBusOk)
        return TransferOutcome::Failed;
    if (bus_.GpEot(true) != bus::kBusOk || bus_.GpData(address, block.subspan(body)) != bus::kBusOk)
        return TransferOutcome::Failed;
    window_.SetPosition(1000);
    return TransferOutcome::Done;
}

TransferOutcome WaveformTransfer::RunWaveform(Session& s) {
    const DeviceInfo& setting = s.job.setting;
    const int address = setting.Address;
    s.main.emplace(messages_);
    clsGpibCommand& wave = *s.main;
    wave.FillFromScript(s.job.scripts.scripts[kWaveTransfer], setting);

    const long points = setting.MemorySize;
    if (points < 1 || static_cast<size_t>(points) > s.job.samples.size()) {
        messages_.ShowErrorText(messages_.MessageText(kMsgOtherError) +
                                "points: " + std::to_string(points));
        return TransferOutcome::Failed;
    }
    window_.ShowProgress("Data convert");
    s.progressShown = true;
    const std::optional<int> divisor = MaskDivisor(wave.ArbBitMask());
    if (!divisor) {
        ShowCommandError("arbmask");
        return TransferOutcome::Failed;
    }
    const bool swap = wave.ArbByteSwap();
    std::vector<uint8_t> block(static_cast<size_t>(points) * 2);
    const auto converted = ConvertSamples(s.job.samples.first(static_cast<size_t>(points)),
                                          *divisor, swap, block, [this](int position) {
                                              window_.SetPosition(position);
                                              return window_.ProcessEventsAndCheckAbort();
                                          });
    if (converted == ConversionResult::Aborted)
        return TransferOutcome::Aborted;

    if (!SendSettings(address, *s.init, setting))
        return TransferOutcome::Failed;
    if (!IdentityMatches(address, *s.init)) {
        ShowCommandError();
        return TransferOutcome::Failed;
    }

    std::string upload = BuildUploadString(wave, setting, points);
    const BlockFraming framing = TakeBlockPlaceholder(upload);
    if (framing == BlockFraming::Invalid) {
        ShowCommandError(kBlockPlaceholder);
        return TransferOutcome::Failed;
    }
    const bool framed = framing == BlockFraming::Header;
    if (framed)
        upload += BlockHeader(block.size());
    if (settings_.DebugMode())
        messages_.ShowBox("GpPuts", "'" + upload + "'");
    // A framed upload command, its header and the data are one message: no
    // terminator and no end of message until the last sample.
    if (framed && (bus_.GpEos("", 0) != bus::kBusOk || bus_.GpEot(false) != bus::kBusOk))
        return TransferOutcome::Failed;
    if (bus_.GpPuts(address, upload) != bus::kBusOk)
        return TransferOutcome::Failed;

    const TransferOutcome sent = SendBlock(address, block, framed);
    if (sent != TransferOutcome::Done)
        return sent;
    if (bus_.GpEos("\r\n", 2) != bus::kBusOk)
        return TransferOutcome::Failed;
    window_.CloseProgress();
    s.progressShown = false;

    if (!SendString(address, ":FUNC USER" + std::to_string(setting.MemoryNumber), "GpibPuts"))
        return TransferOutcome::Failed;
    if (!SendSettings(address, *s.end, setting))
        return TransferOutcome::Failed;
    return TransferOutcome::Done;
}

TransferOutcome WaveformTransfer::RunSetting(Session& s) {
    const DeviceInfo& setting = s.job.setting;
    const int address = setting.Address;
    s.main.emplace(messages_);
    s.main->FillFromScript(s.job.scripts.scripts[kSystemTransfer], setting);

    if (!SendSettings(address, *s.init, setting))
        return TransferOutcome::Failed;
    if (!IdentityMatches(address, *s.init)) {
        ShowCommandError();
        return TransferOutcome::Failed;
    }
    if (!SendSettings(address, *s.main, setting) || !SendSettings(address, *s.end, setting))
        return TransferOutcome::Failed;
    return TransferOutcome::Done;
}

void WaveformTransfer::PressWaveformButton(const std::function<TransferJob()>& next) {
    if (settings_.LoopTest())
        RequestLoopTest(next);
    else
        TransferWaveform(next());
}

void WaveformTransfer::RequestLoopTest(const std::function<TransferJob()>& next) {
    if (loopRunning_) {
        messages_.ShowBox("LoopTest", "次の転送完了後テストを終了します");
        loopStopRequested_ = true;
        return;
    }
    loopRunning_ = true;
    loopStopRequested_ = false;
    loopCount_ = 0;
    window_.ShowProgress("Loop test");
    window_.SetLoopCount(loopCount_);
    while (!loopStopRequested_) {
        const TransferJob job = next();
        if (settings_.IsBusy(job.interfaceType)) {
            window_.ProcessEventsAndCheckAbort();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            continue;
        }
        TransferWaveform(job);
        loopCount_ = loopCount_ >= INT_MAX ? 0 : loopCount_ + 1;
        window_.ShowProgress("Loop test");
        window_.SetLoopCount(loopCount_);
        window_.ProcessEventsAndCheckAbort();
    }
    window_.CloseProgress();
    loopRunning_ = false;
}

} // namespace zw
