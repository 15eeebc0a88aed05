// What the Print window prints: the printout follows the tool that owns the
// main window's plot.
#ifndef ZW_PRINT_PRINTOUTCHOICE_H
#define ZW_PRINT_PRINTOUTCHOICE_H

namespace zw {

enum class Printout {
    Waveform,      // no tool: the waveform as the main window shows it
    CreationPages, // the Create window: its list of pages
    SystemSetup,   // the System Setup window: the current setting
    Nothing,       // any other tool: nothing is sent to the printer
};

// The printout for a tool mode: 0 creation, 4 system setup, 5 no tool.
Printout PrintoutFor(int toolMode);

} // namespace zw

#endif // ZW_PRINT_PRINTOUTCHOICE_H
