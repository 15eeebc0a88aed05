// Help pages: one HTML page per topic and language in the help folder, shown
// in the desktop's browser or, when no browser answers, in the program's own
// help window.
#ifndef ZW_SHELL_HELP_H
#define ZW_SHELL_HELP_H

#include "Language.h"

#include <QString>

#include <functional>

namespace zw {

class Messages;

// Shows a page; true when it could be shown.
using PageOpener = std::function<bool(const QString& path)>;

// Hands the page to the desktop's browser; false when there is none to take
// it (no browser, or no display: the offscreen platform).
PageOpener DesktopPageOpener();

// The page of a topic (HelpFileName) in `helpFolder`; empty when the topic
// is outside 0..5 or the page is missing.
QString HelpPagePath(int topic, Language language, const QString& helpFolder);

// Shows the topic's page with `browser`, else with `fallback`; a missing page
// shows message 99 ("Cannot find help file."), as does a page that neither
// could show. Returns true when shown.
bool ShowHelp(int topic, Language language, const QString& helpFolder, Messages& messages,
              const PageOpener& browser = DesktopPageOpener(), const PageOpener& fallback = {});

} // namespace zw

#endif // ZW_SHELL_HELP_H
