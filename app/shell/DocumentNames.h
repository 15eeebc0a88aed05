// The document's file names: the wave data file, and the base names that the
// setup, point-list and page file dialogs propose. Each is "Untitled" until
// a file of its kind is read or written. The main window's title shows the
// wave file name.
#ifndef ZW_SHELL_DOCUMENTNAMES_H
#define ZW_SHELL_DOCUMENTNAMES_H

#include <QString>

namespace zw {

inline constexpr char kUntitled[] = "Untitled";
inline constexpr char kProgramName[] = "ZW4410";

struct DocumentNames {
    QString WaveFileName = kUntitled;
    QString SystemFileName = kUntitled;
    QString TextFileName = kUntitled;
    QString PageFileName = kUntitled;

    // After a wave file was read or written: the full path, and for the
    // others the path without its last four characters (the dot and the
    // three-letter extension), so every dialog proposes the same base name.
    void setFromWavePath(const QString& path);

    bool untitled() const { return WaveFileName == kUntitled; }
};

// "ZW4410 <" + the wave file name + ">".
QString MainWindowTitle(const DocumentNames& names);

} // namespace zw

#endif // ZW_SHELL_DOCUMENTNAMES_H
