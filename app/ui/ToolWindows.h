// The tool windows the main window offers, registered with its
// ToolWindowHost (and, for a window that edits on the plot, its plot tool).
#ifndef ZW_UI_TOOLWINDOWS_H
#define ZW_UI_TOOLWINDOWS_H

namespace zw {

class MainWindow;

void RegisterToolWindows(MainWindow& window);

} // namespace zw

#endif // ZW_UI_TOOLWINDOWS_H
