// The file named on the command line (a double-click in the file manager):
// a wave file becomes the document, a system setup file (.ocb) opens in the
// System Setup window.
#ifndef ZW_UI_STARTUPFILE_H
#define ZW_UI_STARTUPFILE_H

#include <QString>

namespace zw {

class MainWindow;

// True for a system setup file (extension "ocb" in any case).
bool IsSetupFile(const QString& path);

// The rest of start-up once the main window exists: loads the document
// (the command-line file unless it is a setup file), shows the window and,
// for a setup file, reads it in the System Setup window.
void LoadAndShow(MainWindow& window, const QString& commandLineFile);

} // namespace zw

#endif // ZW_UI_STARTUPFILE_H
