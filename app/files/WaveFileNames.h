// Choosing a wave file's format by its name, and the names the open and save
// dialogs propose.
#ifndef ZW_FILES_WAVEFILENAMES_H
#define ZW_FILES_WAVEFILENAMES_H

#include "Language.h"

#include <QString>

namespace zw {

enum class WaveFileKind { Binary, Text, Unknown };

// The extension is everything after the first "." of the part after the last
// "/", in lower case; only "wdb" and "txt" are wave files. So "wave.WDB" is
// binary and "a.b.wdb" (extension "b.wdb") is unknown.
QString WaveFileExtension(const QString& path);
WaveFileKind WaveFileKindOf(const QString& path);

// What a file dialog starts with.
struct FileDialogProposal {
    QString path;             // proposed file, without extension for the open dialog
    QString defaultExtension; // "" when none
    int filterIndex = 0;      // 0-based entry of the dialog's filter list
};

// The folder the file dialogs propose "Untitled" in: the user's documents
// folder when it exists (a fresh account may have none), else the home
// folder.
QString ProposalFolder(const QString& documentsFolder, const QString& homeFolder);

// File > Open: a name ending in a dot and three characters is proposed
// without them, its extension becoming the default extension; "Untitled" is
// proposed in the documents folder. The binary filter comes first when the
// default extension is "wdb", else the text filter.
FileDialogProposal OpenProposal(const QString& waveFileName, const QString& documentsFolder);

// Save As: the wave file name with its three-letter extension replaced by
// `extension` ("wdb" or "txt"); the name itself when it has none and is not
// "Untitled"; "Untitled" in the documents folder otherwise.
FileDialogProposal SaveProposal(const QString& waveFileName, const QString& extension,
                                const QString& documentsFolder);

// The bytes of the file `path` names, for the libraries. Names from the
// command line and the document are kept as FileNameFromNative made them
// (any bytes, exactly). A file dialog gives U+FFFD for each byte of a name
// that is not UTF-8: such a part is matched against the entries of its
// folder, and the one entry that reads the same gives its bytes.
QByteArray NativeWavePath(const QString& path);

// The filters of the wave file dialogs, entries separated by ";;": binary,
// text and all files for opening; one of the first two for saving.
QString OpenFileFilter(Language language);
QString SaveFileFilter(bool binary, Language language);

} // namespace zw

#endif // ZW_FILES_WAVEFILENAMES_H
