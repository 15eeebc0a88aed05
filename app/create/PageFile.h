// The page file (.wfn): a header that records the display ranges in force,
// then one block per effective page with start, end and size in the X
// display unit and the amplitude in the Y display unit, so the file reads
// back to the same samples and codes under other settings. Lines end in
// CR LF; the text is UTF-8 (files written on Windows are read as CP932).
// The blocks are read through docio32's ReadWaveListHeader and
// ReadOneWaveList.
#ifndef ZW_CREATE_PAGEFILE_H
#define ZW_CREATE_PAGEFILE_H

#include "Language.h"
#include "PageTable.h"
#include "Units.h"

#include <QByteArray>
#include <QString>

#include <cstdio>

namespace zw::create {

inline constexpr int kFileReadError = 71;
inline constexpr int kFileWriteError = 72;

// The affine maps between samples and codes and the values of a file: X of
// sample 0 and of sample N, Y of codes -32767 and 32767.
struct PageFileScale {
    double x0 = 0.0;
    double x1 = 0.0;
    double y0 = -32767.0;
    double y1 = 32767.0;
    double waveLength = 0.0; // N

    // The current display ranges. An axis whose range is empty or not a
    // number (no frequency set, equal user bounds) is written in samples or
    // codes instead, so that no value is lost.
    static PageFileScale FromUnits(const Units& units);
    bool usable() const;

    double toFileX(double samples) const;
    double fromFileX(double value) const;
    double toFileSpan(double codes) const;
    double fromFileSpan(double value) const;
};

// The type's name in the interface language ("Sin" / "正弦波", ...).
QString PageTypeName(PageType type, Language language);

// The whole file for the effective pages of the table.
QByteArray PageFileText(const PageTable& table, const Units& units, Language language);

// Writes the file through a temporary file and a rename: 0, or 72 with the
// previous file left as it was.
int SavePageFile(const QString& path, const PageTable& table, const Units& units,
                 Language language);

// The file dialogs' filter ("Expression files(*.wfn);;All files(*.*)") and
// the name they propose: the page file name (a path without extension, or
// "Untitled" in the documents folder) with ".wfn".
QString PageFileFilter(Language language);
QString PageFileProposal(const QString& pageFileName, const QString& documentsFolder);
// The page file name kept after a page file was read or written: the path
// without its extension.
QString PageFileNameOf(const QString& path);

struct PageFileReading {
    int code = 0;              // 0, or 71 (the message to show)
    bool applied = false;      // the table was replaced
    int pagesRead = 0;         // pages stored into the table
    bool stoppedEarly = false; // a malformed page or a page number of 203 or more
};

// Reads a page file into the table (All Page Clear, then each page read).
// A file that cannot be opened or holds neither a header nor a page leaves
// the table as it was (71). A malformed page, a page number of 203 or more,
// an unknown type or a value that is not a number ends the reading: the
// pages before it stay and the result is 71. Page 0 is never shown and is
// skipped.
PageFileReading ReadPageFile(const QString& path, PageTable& table, const Units& units);
// The same from a stream the caller opened (binary mode), from its position.
PageFileReading ReadPageStream(std::FILE* file, PageTable& table, const Units& units);

} // namespace zw::create

#endif // ZW_CREATE_PAGEFILE_H
