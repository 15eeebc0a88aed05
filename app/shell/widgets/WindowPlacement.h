// Remembered window positions: a window opens where it was last left and
// its position is kept in the settings store (section "FormProperty", one
// key a window: its objectName) when it closes or hides. Only the position
// of a window in its normal state (neither minimised nor maximised) is kept.
#ifndef ZW_SHELL_WINDOWPLACEMENT_H
#define ZW_SHELL_WINDOWPLACEMENT_H

class QWidget;

namespace zw {

class clsRegistry;

// Tells the settings store the desktop's size, so that a position that
// would leave the window off the screen reads as 0.
void TellScreenSize(clsRegistry& registry);

// Moves `window` to its remembered position (0, 0 when none) and keeps its
// position from then on: every move in the normal state is noted, and the
// last one is written to the store when the window closes (before the
// window's own close handler runs, so also when it refuses) or hides.
// Call once, after the window has its objectName.
void KeepWindowPosition(QWidget& window, clsRegistry& registry);

} // namespace zw

#endif // ZW_SHELL_WINDOWPLACEMENT_H
