// A small picture of a stretch of a wave memory at full scale, as the tool
// windows show their inputs and results: the zero line and the trace drawn
// by the waveform library, redrawn from the memory on every paint.
#ifndef ZW_UI_WAVEPREVIEW_H
#define ZW_UI_WAVEPREVIEW_H

#include "zwplatform.h"

#include <QWidget>

namespace zw {

class WavePreview : public QWidget {
    Q_OBJECT
public:
    explicit WavePreview(const QString& name, QWidget* parent = nullptr);

    // The stretch shown: `length` samples of `memory` from `start`.
    void setStretch(ZwMemHandle memory, double start, double length);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ZwMemHandle memory_ = 0;
    double start_ = 0;
    double length_ = 0;
};

} // namespace zw

#endif // ZW_UI_WAVEPREVIEW_H
