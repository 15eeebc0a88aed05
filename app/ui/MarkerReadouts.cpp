#include "MarkerReadouts.h"

#include "CurrentSetting.h"
#include "EditSession.h"
#include "NumberFormat.h"
#include "Units.h"
#include "WaveView.h"
#include "sigcore32.h"

#include <QLineEdit>

namespace zw {

Units MarkerReadouts::units() const {
    return Units(session_.setting().info());
}

std::optional<double> MarkerReadouts::typedX(const QString& text, bool distance) const {
    const std::optional<double> typed = NumberFormat::ReadEngineering(text);
    if (!typed)
        return std::nullopt;
    const Units u = units();
    const double value = u.LimitX(*typed).value;
    return distance ? u.XUnitToDistance(value) : u.XUnitToPosition(value);
}

void MarkerReadouts::SetText_MarkA() {
    const Units f = units();
    const MarkerRecord& m = session_.markers();
    c_.Txt_Scope->setText(f.FormatXDistance(m.MarkB - m.MarkA));
    c_.Txt_Start_Y->setText(f.FormatYValue(W_GetWaveData(
        session_.document().current(), m.MarkA, static_cast<double>(session_.WaveLength()))));
    c_.Txt_Start_X->setText(f.FormatXPosition(m.MarkA));
}

void MarkerReadouts::SetText_MarkB() {
    const Units f = units();
    const MarkerRecord& m = session_.markers();
    c_.Txt_Scope->setText(f.FormatXDistance(m.MarkB - m.MarkA));
    c_.Txt_End_Y->setText(f.FormatYValue(W_GetWaveData(
        session_.document().current(), m.MarkB, static_cast<double>(session_.WaveLength()))));
    c_.Txt_End_X->setText(f.FormatXPosition(m.MarkB));
}

void MarkerReadouts::commitStartX() {
    const std::optional<double> v = typedX(c_.Txt_Start_X->text(), false);
    if (!v || !session_.typeStart(*v))
        SetText_MarkA();
}

void MarkerReadouts::commitEndX() {
    const std::optional<double> v = typedX(c_.Txt_End_X->text(), false);
    if (!v || !session_.typeEnd(*v))
        SetText_MarkB();
}

void MarkerReadouts::commitScope() {
    const std::optional<double> d = typedX(c_.Txt_Scope->text(), true);
    if (!d) {
        SetText_MarkB();
        return;
    }
    session_.typeDistance(*d);
}

void MarkerReadouts::showMousePosition(double x, double y, int w, int h, bool showY) {
    if (x < 0 || y < 0 || x > w || y > h)
        return;
    const Units f = units();
    const QString sx = f.FormatXPosition(view_.columnToSample(x, w));
    c_.Txt_Cur_X[0]->setText(sx);
    c_.Txt_Cur_X[1]->setText(sx);
    if (showY)
        c_.Txt_Cur_Y->setText(f.FormatYValue(view_.rowToCode(y, h)));
}

} // namespace zw
