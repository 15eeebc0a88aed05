// Opening the help file of a topic with the desktop's viewer.
#ifndef ZW_SHELL_HELP_H
#define ZW_SHELL_HELP_H

#include "Language.h"

#include <QString>

#include <functional>

namespace zw {

class Messages;

// Opens a file with the desktop's viewer; true when it could be handed over.
using FileOpener = std::function<bool(const QString& path)>;
FileOpener DesktopFileOpener();

// Looks the topic's help file (HelpFileName) up in `folder` (the program's
// folder) and opens it; a missing file, or one the viewer refuses, shows
// message 99 ("Cannot find help file."). Returns true when opened.
bool ShowHelp(int topic, Language language, const QString& folder, Messages& messages,
              const FileOpener& open = DesktopFileOpener());

} // namespace zw

#endif // ZW_SHELL_HELP_H
