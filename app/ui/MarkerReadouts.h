// The main window's read-outs of the markers and the mouse, and the typed
// marker positions: A and B as X positions with the codes under them, the
// distance dX, and the mouse position, all in the units of the current
// setting. Typed text is read as an engineering number, limited and handed
// to the session's marker rules; text that is no number, or a position the
// rules refuse, shows the old value again.
#ifndef ZW_UI_MARKERREADOUTS_H
#define ZW_UI_MARKERREADOUTS_H

#include "MainWindowControls.h"

#include <QString>

#include <optional>

namespace zw {

class EditSession;
class Units;
class WaveView;

class MarkerReadouts {
public:
    MarkerReadouts(const MainWindowControls& controls, EditSession& session, const WaveView& view)
        : c_(controls), session_(session), view_(view) {}

    void SetText_MarkA();
    void SetText_MarkB();

    // Tab, Enter or leaving the box.
    void commitStartX();
    void commitEndX();
    void commitScope();

    // The mouse at (x, y) on a plot of w x h pixels; nothing outside it.
    void showMousePosition(double x, double y, int w, int h, bool showY);

private:
    Units units() const;
    std::optional<double> typedX(const QString& text, bool distance) const;

    const MainWindowControls& c_;
    EditSession& session_;
    const WaveView& view_;
};

} // namespace zw

#endif // ZW_UI_MARKERREADOUTS_H
