// What the Print window prints: the printout follows the tool that owns the
// main window's plot.
#ifndef ZW_PRINT_PRINTOUTCHOICE_H
#define ZW_PRINT_PRINTOUTCHOICE_H

#include "ToolMode.h"

namespace zw {

enum class Printout {
    Waveform,      // no tool: the waveform as the main window shows it
    CreationPages, // the Create window: its list of pages
    SystemSetup,   // the System Setup window: the current setting
    Nothing,       // any other tool: nothing is sent to the printer
};

Printout PrintoutFor(ToolMode toolMode);

} // namespace zw

#endif // ZW_PRINT_PRINTOUTCHOICE_H
