// Where the program's own files are, found from the program's folder, so the
// same rule serves an installed program (P/bin, P/lib/zw4410, P/share/zw4410)
// and the build tree (build/bin, build/share/zw4410), wherever either is moved.
#ifndef ZW_SHELL_INSTALLLAYOUT_H
#define ZW_SHELL_INSTALLLAYOUT_H

#include <QString>

namespace zw {

struct InstallLayout {
    // The private folder of libraries: P/lib/zw4410 when installed, else the
    // program's folder (the build tree keeps plug-ins beside the program).
    QString privateFolder;
    // The import plug-ins: "PlugIn" in the private folder.
    QString pluginFolder;
    // The help pages: P/share/zw4410/help.
    QString helpFolder;
    // The bundled model files and "USBTMC.ID": P/share/zw4410/models.
    QString modelFolder;
    // True when the private folder P/lib/zw4410 exists beside the program.
    bool installed = false;
};

// The layout around a program that lives in `programFolder`.
InstallLayout LocateInstallLayout(const QString& programFolder);

} // namespace zw

#endif // ZW_SHELL_INSTALLLAYOUT_H
