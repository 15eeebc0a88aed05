// The file named on the command line (a double-click in the file manager):
// a wave file becomes the document, a system setup file (.ocb) opens in the
// System Setup window, a page file (.wfn) in the Create window.
#ifndef ZW_UI_STARTUPFILE_H
#define ZW_UI_STARTUPFILE_H

#include <QString>

namespace zw {

class MainWindow;

// True for a system setup file (extension "ocb" in any case).
bool IsSetupFile(const QString& path);
// True for a page file (extension "wfn" in any case).
bool IsPageFile(const QString& path);

// The rest of start-up once the main window exists: loads the document
// (the command-line file unless it is a setup or page file), shows the
// window and reads a setup or page file in its window.
void LoadAndShow(MainWindow& window, const QString& commandLineFile);

} // namespace zw

#endif // ZW_UI_STARTUPFILE_H
