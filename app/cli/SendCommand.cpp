#include "SendCommand.h"

#include "CliTexts.h"
#include "LanAddress.h"
#include "TransferRequest.h"
#include "UsbTmcTable.h"
#include "WaveformTransfer.h"
#include "adapters/ShellInstrumentServices.h"
#include "bus/BackendFactory.h"
#include "bus/BusTypes.h"
#include "bus/InterfaceLibrary.h"
#include "clsRegistry.h"

#include <QDir>

#include <cstdio>
#include <unistd.h>

namespace zw::cli {

int TimeoutCodeFor(int milliseconds) {
    const int64_t wanted = static_cast<int64_t>(milliseconds) * 1000;
    // Code 0 waits for ever: the finite codes run from 1 upwards.
    for (int code = 1; code < bus::kTimeoutCodeCount; ++code)
        if (bus::TimeoutMicroseconds(code) >= wanted)
            return code;
    return bus::kTimeoutCodeCount - 1;
}

int RunSend(WaveWorkspace& workspace, const SendRequest& request, InterruptWatch& interrupt,
            Language language) {
    if (interrupt.requested())
        return kExitInterrupted;
    clsRegistry registry;
    if (registry.SettingsLocked())
        throw CommandError(
            kExitFailed,
            Text(CliText::SettingsLocked, language).arg(registry.SettingsLockHolder()));
    RegistryInstrumentSettings store(registry);
    const CurrentSetting& setting = workspace.setting();
    // A host or port given alone goes with the stored (or default) other half.
    const std::string model = RecordModelName(setting.info()).toStdString();
    std::optional<QString> host = request.host;
    std::optional<int> port = request.port;
    if (host || port) {
        const LanAddress stored = ReadLanAddress(store, model);
        host = host.value_or(stored.host);
        port = port.value_or(stored.port);
    }
    LanOverlaySettings settings(store, model, host, port);

    const auto usbTable =
        UsbTmcTable::Read(QDir(request.modelsFolder).filePath(QLatin1String(kUsbTmcFileName)));
    const std::vector<int16_t> samples = workspace.samples();
    const TransferJob job = MakeTransferJob(setting, usbTable ? &*usbTable : nullptr, samples);

    StderrMessages messages(language);
    TerminalProgress progress(interrupt, !request.quiet && ::isatty(STDERR_FILENO));
    messages.setProgress(&progress);
    bus::InterfaceLibrary bus(messages, bus::DefaultBackendFactory(messages));
    if (request.timeoutMs)
        bus.SetSetupTimeoutCode(TimeoutCodeFor(*request.timeoutMs));
    WaveformTransfer transfer(bus, settings, messages, progress);

    const TransferOutcome outcome =
        request.settingsOnly ? transfer.TransferSetting(job) : transfer.TransferWaveform(job);
    progress.clearLine();
    registry.Release();
    switch (outcome) {
    case TransferOutcome::Done:
        return kExitDone;
    case TransferOutcome::Aborted:
        std::fprintf(stderr, "%s\n",
                     Text(CliText::Interrupted, language).toLocal8Bit().constData());
        return kExitInterrupted;
    case TransferOutcome::Busy:
    case TransferOutcome::Failed:
        break;
    }
    return interrupt.requested() ? kExitInterrupted : kExitFailed;
}

} // namespace zw::cli
