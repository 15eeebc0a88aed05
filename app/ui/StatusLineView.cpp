#include "StatusLineView.h"

#include "CaptionCatalog.h"
#include "StatusLine.h"

#include <QLabel>
#include <QStatusBar>

namespace zw {

StatusLineView::StatusLineView(QStatusBar& bar, const CaptionCatalog& captions)
    : captions_(captions) {
    bar.setObjectName("StatusLine");
    bar.setSizeGripEnabled(true);
    summary_ = new QLabel;
    summary_->setObjectName("StatusLine_Summary");
    statistics_ = new QLabel;
    statistics_->setObjectName("StatusLine_Statistics");
    // Permanent: the desktop's passing messages do not cover them.
    bar.addPermanentWidget(summary_);
    bar.addPermanentWidget(statistics_, 1);
}

void StatusLineView::refresh(const EditSession& session) {
    const StatusLineTexts t = StatusLine(session);
    summary_->setText(
        captions_.caption(u"MainWindow", u"StatusLine:Summary").arg(t.model, t.memory, t.marked));
    statistics_->setText(t.minimum.isEmpty()
                             ? QString()
                             : captions_.caption(u"MainWindow", u"StatusLine:Statistics")
                                   .arg(t.minimum, t.maximum, t.mean, t.peakToPeak));
}

} // namespace zw
