#include "ViewControls.h"

#include "CurrentSetting.h"
#include "Units.h"

#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>

namespace zw {

void ViewControls::syncScrollBars() {
    auto apply = [](QScrollBar* bar, const ScrollBarState& s) {
        const QSignalBlocker block(bar);
        bar->setRange(s.minimum, s.maximum);
        bar->setSingleStep(s.singleStep);
        bar->setPageStep(s.pageStep);
        bar->setValue(s.value);
        bar->setEnabled(s.enabled);
    };
    apply(c_.HScroll[0], view_.hscroll());
    apply(c_.HScroll[1], view_.hscroll());
    apply(c_.VScroll, view_.vscroll());
}

void ViewControls::refreshEdgeLabels() {
    const Units f(setting_.info());
    const QString ux = f.UnitTextX();
    const QString uy = f.UnitTextY();
    const auto x = [&](long sample) {
        return f.FormatXPosition(static_cast<double>(sample)).trimmed() + " " + ux;
    };
    for (int i = 0; i < 2; ++i) {
        c_.Label_XLeft[i]->setText(x(view_.ViewLeft()));
        c_.Label_XRight[i]->setText(x(view_.ViewRight()));
    }
    const auto y = [&](long code) {
        return (f.FormatYValue(static_cast<double>(code)).trimmed() + " " + uy).trimmed();
    };
    c_.Label_YTop->setText(y(view_.topCode()));
    c_.Label_YMiddle->setText(y(view_.middleCode()));
    c_.Label_YBottom->setText(y(view_.bottomCode()));
}

void ViewControls::Comb_XZoom_Click(int index) {
    view_.setXZoomIndex(index);
    syncScrollBars();
    refreshEdgeLabels();
    redraw_();
}

void ViewControls::Comb_YZoom_Click() {
    view_.setYZoomIndex(c_.Comb_YZoom->currentIndex());
    syncScrollBars();
    refreshEdgeLabels();
    redraw_();
}

void ViewControls::Hrizontal_Scroll(int bar) {
    if (!view_.horizontalScroll(c_.HScroll[bar]->value()))
        return;
    syncScrollBars();
    refreshEdgeLabels();
    redraw_();
}

void ViewControls::Vertical_Scroll() {
    view_.verticalScroll(c_.VScroll->value());
    refreshEdgeLabels();
    redraw_();
}

void ViewControls::reset(long waveLength) {
    view_.reset(waveLength);
    const bool wasQuiet = quiet_;
    quiet_ = true;
    for (QComboBox* c : c_.Comb_XZoom)
        c->setCurrentIndex(0);
    c_.Comb_YZoom->setCurrentIndex(0);
    quiet_ = wasQuiet;
    syncScrollBars();
    refreshEdgeLabels();
}

} // namespace zw
