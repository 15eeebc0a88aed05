// The main window's status line: the model, memory size and marked length
// on the left, the statistics of the marked stretch beside them, in the
// captions of the language.
#ifndef ZW_UI_STATUSLINEVIEW_H
#define ZW_UI_STATUSLINEVIEW_H

class QLabel;
class QStatusBar;

namespace zw {

class CaptionCatalog;
class EditSession;

class StatusLineView {
public:
    // Adds its labels (StatusLine_Summary, StatusLine_Statistics) to `bar`.
    StatusLineView(QStatusBar& bar, const CaptionCatalog& captions);

    void refresh(const EditSession& session);

private:
    const CaptionCatalog& captions_;
    QLabel* summary_ = nullptr;
    QLabel* statistics_ = nullptr;
};

} // namespace zw

#endif // ZW_UI_STATUSLINEVIEW_H
