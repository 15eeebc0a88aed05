// What the main window's status line tells about the document: the model,
// the memory size in samples, the length of the marked stretch and, over
// the marked stretch, the smallest and largest sample, their mean and the
// peak-to-peak span, in the current units.
#ifndef ZW_EDITOR_STATUSLINE_H
#define ZW_EDITOR_STATUSLINE_H

#include <QString>

#include <optional>

namespace zw {

class EditSession;

// Over the samples a marked stretch covers, in sample codes.
struct StretchStatistics {
    long count = 0;
    double minimum = 0;
    double maximum = 0;
    double mean = 0;
};

// The samples from MarkA to MarkB, as Copy takes them; none for an empty
// stretch.
std::optional<StretchStatistics> MarkedStatistics(const EditSession& session);

struct StatusLineTexts {
    QString model;
    QString memory;  // samples
    QString marked;  // the distance A-B in the X unit, with the unit
    QString minimum; // in the Y unit, with the unit; empty when nothing is marked
    QString maximum;
    QString mean;
    QString peakToPeak;
};

StatusLineTexts StatusLine(const EditSession& session);

} // namespace zw

#endif // ZW_EDITOR_STATUSLINE_H
