#include "PrintJob.h"

#include "ListingPrintout.h"
#include "PageGeometry.h"
#include "PrintCanvas.h"
#include "WaveformPrintout.h"

#include <QPainter>
#include <QPrinter>

namespace zw {
namespace {

constexpr int kDefaultPointSize = 10;

PrintOutcome failure(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat ? PrintOutcome::FileFailed
                                                         : PrintOutcome::PrinterFailed;
}

// Starts the job, runs `paint` on its first sheet and ends it.
PrintOutcome runJob(QPrinter& printer, const PrintSettings& settings,
                    const std::function<bool(PrintCanvas&)>& paint) {
    // The margins are measured from the paper's edge, not from the edge of
    // what the printer can reach.
    printer.setFullPage(true);
    const PageGeometry geometry = PageGeometry::From(
        printer.pageLayout().fullRect(QPageLayout::Millimeter).size(), settings.margins);
    if (!geometry.usable())
        return PrintOutcome::NoRoom;
    QPainter painter;
    if (!painter.begin(&printer))
        return failure(printer);
    painter.setFont(settings.font);
    painter.setBackgroundMode(Qt::TransparentMode);
    PrintCanvas canvas(painter, printer, geometry);
    const bool painted = paint(canvas);
    const bool ended = painter.end();
    if (!painted || !ended || printer.printerState() == QPrinter::Error)
        return failure(printer);
    return PrintOutcome::Printed;
}

} // namespace

QFont PrintSettings::DefaultPrintFont() {
    QFont font(QStringLiteral("Sans Serif"), kDefaultPointSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

PrintOutcome PrintWaveform(QPrinter& printer, const PrintSettings& settings,
                           const WaveformPrintSource& source, const CaptionCatalog& catalog) {
    return runJob(printer, settings, [&](PrintCanvas& canvas) {
        PaintWaveform(canvas, source, catalog);
        return true;
    });
}

PrintOutcome PrintListing(QPrinter& printer, const PrintSettings& settings,
                          const Listing& listing) {
    return runJob(printer, settings,
                  [&](PrintCanvas& canvas) { return PaintListing(canvas, listing); });
}

PrintOutcome PrintForTool(QPrinter& printer, const PrintSettings& settings, ToolMode toolMode,
                          const PrintSources& sources, const CaptionCatalog& catalog) {
    switch (PrintoutFor(toolMode)) {
    case Printout::Waveform:
        if (sources.waveform)
            return PrintWaveform(printer, settings, sources.waveform(), catalog);
        break;
    case Printout::CreationPages:
        if (sources.pages)
            return PrintListing(printer, settings, sources.pages());
        break;
    case Printout::SystemSetup:
        if (sources.setup)
            return PrintListing(printer, settings, sources.setup());
        break;
    case Printout::Nothing:
        break;
    }
    return PrintOutcome::NothingToPrint;
}

} // namespace zw
