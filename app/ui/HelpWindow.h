// The program's own help window: shows the HTML help pages when the desktop
// has no browser to hand them to. Links between the pages are followed inside
// the window; Back and Forward walk its history.
#ifndef ZW_UI_HELPWINDOW_H
#define ZW_UI_HELPWINDOW_H

#include <QWidget>

class QTextBrowser;

namespace zw {

class CaptionCatalog;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const CaptionCatalog& captions, QWidget* parent = nullptr);

    // Shows the page at `path` (a file of the help folder) and raises the window.
    void showPage(const QString& path);

private:
    QTextBrowser* Txt_Help = nullptr;
};

// Opens `path` in the one help window of the application, creating it on
// first use as a window owned by `owner` (the main window). While a modal
// window is open the help window belongs to that one instead, so that it can
// be read and scrolled beside it. Returns true.
bool ShowInHelpWindow(const QString& path, const CaptionCatalog& captions, QWidget& owner);

} // namespace zw

#endif // ZW_UI_HELPWINDOW_H
