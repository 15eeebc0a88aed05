// Point-list text files: the control points of interpolation as delimited
// text, one point a line (X, separator, Y, CR LF) in the units shown at the
// time of writing. The separator follows the name: a blank for ".prn", a tab
// for ".tsv", a comma for anything else.
//
// Reading is lenient: blanks and tabs before a value are skipped; a value
// ends at CR, LF, ",", a tab or a blank; between X and Y any blanks and tabs
// and one "," may stand; the rest of a line after Y is passed over; a line
// ends with CR, LF or CR LF, and the last may lack it. Reading stops at the
// end of the text or at the first line that does not hold two numbers.
// Files are written in UTF-8 and read as UTF-8 or CP932.
#ifndef ZW_FILES_POINTLISTFILE_H
#define ZW_FILES_POINTLISTFILE_H

#include "Language.h"
#include "WaveFileNames.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace zw {

class Units;

// The separator for a file name: the lower-cased last four characters.
QChar PointListSeparator(const QString& path);

// True for the extensions (WaveFileExtension) "prn", "tsv" and "csv".
bool IsPointListFile(const QString& path);

// The text of a list of `count` points (positions in samples, values in
// codes): X by FormatXPositionLong, Y by FormatYValue, without blanks and
// without zeros that end a fraction.
QString PointListText(const double* xs, const double* ys, int count, const Units& units,
                      QChar separator);

// One pair as written in the file, in display units.
struct PointListPair {
    double x = 0;
    double y = 0;
    bool operator==(const PointListPair&) const = default;
};

// Walks the pairs of a text, one line at a time.
class PointListParser {
public:
    explicit PointListParser(QStringView text);
    // The next pair, or nothing at the end or at a line that does not hold
    // two numbers (after which it stays at the end).
    std::optional<PointListPair> next();

private:
    void skipBlanks();
    QStringView token();
    void skipLine();

    QStringView text_;
    qsizetype pos_ = 0;
};

// A pair in display units limited to the ranges of the current units and
// converted to a position and a code.
PointListPair PointFromDisplayUnits(const PointListPair& pair, const Units& units);

// Writes the list through a temporary file renamed over the target. 0 (also
// when there is no point: nothing is written), or 72 when the file cannot be
// written; an existing file then stays as it was.
int32_t WritePointList(const QString& path, const double* xs, const double* ys, int count,
                       const Units& units);

// The decoded text of a point-list file; nothing when it cannot be read. Only
// the first 64 MiB are read: no list of 2000 points comes near that.
std::optional<QString> ReadPointListText(const QString& path);

// The dialogs: Qt filter lists (entries separated by ";;").
QString PointListOpenFilter(Language language);
QString PointListSaveFilter(Language language);

// The open dialog proposes TextFileName with its extension as the default
// extension ("prn" when it has none); the save dialog the same, with the
// filter entry of that extension preselected (0 prn, 1 tsv, 2 csv).
FileDialogProposal PointListOpenProposal(const QString& textFileName,
                                         const QString& documentsFolder);
FileDialogProposal PointListSaveProposal(const QString& textFileName,
                                         const QString& documentsFolder);

} // namespace zw

#endif // ZW_FILES_POINTLISTFILE_H
