// What the waveform printout is made of: the document's memory and the
// main window's view of it (stretch, zoom, analog or digital, grid), the
// units of its labels and the texts of the heading.
#ifndef ZW_PRINT_WAVEFORMPRINTSOURCE_H
#define ZW_PRINT_WAVEFORMPRINTSOURCE_H

#include "Grid.h"
#include "Units.h"
#include "WaveView.h"
#include "zwplatform.h"

#include <QDateTime>
#include <QString>

namespace zw {

class CaptionCatalog;

struct WaveformPrintSource {
    ZwMemHandle memory = 0; // the document's current edit memory
    WaveView view;
    bool digital = false; // the digital view is shown
    bool gridShown = false;
    Grid grid;
    UnitSetting units;
    QString fileName;       // the document's wave file name
    QString modelName;      // of the current setting
    QString memorySizeText; // as the setup window lists it
    QDateTime printedAt;
};

// The heading's second line: model, memory size and date.
QString WaveformHeadingLine(const WaveformPrintSource& source, const CaptionCatalog& catalog);

} // namespace zw

#endif // ZW_PRINT_WAVEFORMPRINTSOURCE_H
