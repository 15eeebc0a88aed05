// The zoom lists, scroll bars and edge labels of the main window over the
// view (WaveView): a zoom or scroll moves the view, keeps the paired
// controls equal, refreshes the edge labels and redraws. While `quiet` is
// set (start-up, a view reset) the zoom lists' index changes do not act.
#ifndef ZW_UI_VIEWCONTROLS_H
#define ZW_UI_VIEWCONTROLS_H

#include "MainWindowControls.h"
#include "WaveView.h"

#include <functional>
#include <utility>

namespace zw {

class CurrentSetting;

class ViewControls {
public:
    ViewControls(const MainWindowControls& controls, const CurrentSetting& setting, long waveLength,
                 std::function<void()> redraw)
        : c_(controls), setting_(setting), view_(waveLength), redraw_(std::move(redraw)) {}

    const WaveView& view() const { return view_; }

    void Comb_XZoom_Click(int index);
    void Comb_YZoom_Click();
    void Hrizontal_Scroll(int bar);
    void Vertical_Scroll();

    // The whole waveform of `waveLength` samples at 1:1 (start-up, a file
    // read): lists at their first item, scroll bars and labels to match.
    void reset(long waveLength);
    void syncScrollBars();
    void refreshEdgeLabels();

    bool quiet() const { return quiet_; }
    void setQuiet(bool quiet) { quiet_ = quiet; }

private:
    const MainWindowControls& c_;
    const CurrentSetting& setting_;
    WaveView view_;
    std::function<void()> redraw_;
    bool quiet_ = true;
};

} // namespace zw

#endif // ZW_UI_VIEWCONTROLS_H
