#include "PrintoutChoice.h"

namespace zw {

Printout PrintoutFor(int toolMode) {
    switch (toolMode) {
    case 0:
        return Printout::CreationPages;
    case 4:
        return Printout::SystemSetup;
    case 5:
        return Printout::Waveform;
    default:
        return Printout::Nothing;
    }
}

} // namespace zw
