// How a print job ended, and what the Print window tells the user about it.
#ifndef ZW_PRINT_PRINTOUTCOME_H
#define ZW_PRINT_PRINTOUTCOME_H

#include <QString>

namespace zw {

class CaptionCatalog;

enum class PrintOutcome {
    Printed,
    NothingToPrint, // the active tool has no printout: no job is started
    NoRoom,         // the margins leave no room on the paper
    PrinterFailed,  // the printer could not be started or refused a sheet
    FileFailed,     // the PDF file could not be written
};

// The message for a failed job, naming the printer or the file; empty when
// there is nothing to tell.
QString PrintOutcomeText(PrintOutcome outcome, const CaptionCatalog& catalog,
                         const QString& printerName, const QString& fileName);

} // namespace zw

#endif // ZW_PRINT_PRINTOUTCOME_H
