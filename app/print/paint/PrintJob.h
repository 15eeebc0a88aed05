// One print job: the printout the active tool calls for, with the margins
// and the font of the Print window, onto a printer (a desktop printer, a
// CUPS queue or a PDF file). The sheet is laid out from the paper's corner
// in millimetres; text is drawn on a transparent background.
#ifndef ZW_PRINT_PRINTJOB_H
#define ZW_PRINT_PRINTJOB_H

#include "Listing.h"
#include "MarginTable.h"
#include "PrintOutcome.h"
#include "PrintoutChoice.h"
#include "WaveformPrintSource.h"

#include <QFont>

#include <functional>

class QPrinter;

namespace zw {

class CaptionCatalog;

// The Print window's choices, kept for the whole run.
struct PrintSettings {
    MarginTable margins;
    QFont font = DefaultPrintFont();

    static QFont DefaultPrintFont();
};

// What each printout is made from; asked for only when it is printed.
struct PrintSources {
    std::function<WaveformPrintSource()> waveform;
    std::function<Listing()> pages;
    std::function<Listing()> setup;
};

PrintOutcome PrintWaveform(QPrinter& printer, const PrintSettings& settings,
                           const WaveformPrintSource& source, const CaptionCatalog& catalog);
PrintOutcome PrintListing(QPrinter& printer, const PrintSettings& settings, const Listing& listing);

// The printout of the tool mode (PrintoutFor), from `sources`.
PrintOutcome PrintForTool(QPrinter& printer, const PrintSettings& settings, ToolMode toolMode,
                          const PrintSources& sources, const CaptionCatalog& catalog);

} // namespace zw

#endif // ZW_PRINT_PRINTJOB_H
