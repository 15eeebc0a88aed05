// `send`: the editor's waveform transfer (or setting transfer) of the
// workspace's document under its setting, through the same transfer core,
// bus layer and settings store busy marks.
#ifndef ZW_CLI_SENDCOMMAND_H
#define ZW_CLI_SENDCOMMAND_H

#include "Language.h"
#include "TerminalTransfer.h"
#include "WaveOutput.h"

#include <QString>

#include <optional>

namespace zw::cli {

struct SendRequest {
    bool settingsOnly = false;
    bool quiet = false;
    std::optional<QString> host;
    std::optional<int> port;
    // The bus timeout in milliseconds; the editor's 300 ms when not given.
    std::optional<int> timeoutMs;
    QString modelsFolder; // where "USBTMC.ID" is
};

// The exit status: 0 sent, 1 failed (the messages are on stderr already),
// 130 interrupted.
int RunSend(WaveWorkspace& workspace, const SendRequest& request, InterruptWatch& interrupt,
            Language language);

// The smallest timeout code of the bus layer that waits at least `ms`.
int TimeoutCodeFor(int milliseconds);

} // namespace zw::cli

#endif // ZW_CLI_SENDCOMMAND_H
