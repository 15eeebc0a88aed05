#include "PrintoutChoice.h"

namespace zw {

Printout PrintoutFor(ToolMode toolMode) {
    switch (toolMode) {
    case ToolMode::Create:
        return Printout::CreationPages;
    case ToolMode::SystemSetup:
        return Printout::SystemSetup;
    case ToolMode::None:
        return Printout::Waveform;
    case ToolMode::Compress:
    case ToolMode::Interpolate:
    case ToolMode::Operate:
        break;
    }
    return Printout::Nothing;
}

} // namespace zw
