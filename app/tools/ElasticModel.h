// The Compress/Decompress window's state. Opening makes the undo backup, so
// the other edit memory holds the document as it was; every change of a
// field rebuilds the document from that backup in a work memory (time axis
// first, then the value axis) and copies it over the document. So the
// document always equals the backup transformed by the current fields, and
// cancel() returns to the backup exactly, samples and markers.
#ifndef ZW_TOOLS_ELASTICMODEL_H
#define ZW_TOOLS_ELASTICMODEL_H

#include "MarkerRules.h"
#include "zwplatform.h"

#include <cstdint>
#include <functional>

namespace zw {

class WaveDocument;

// Positions in samples, levels in codes.
struct ElasticFields {
    double NewStartX = 0;
    double NewEndX = 0; // below NewStartX: the stretch is stored reversed
    double NewMax = 0;
    double NewMin = 0;
    double NewAmplitude = 0;
    double NewOffset = 0;
    int16_t MaxMinPending = 0; // non-zero: the next rebuild fits to NewMax/NewMin
};

// What Text_Y shows and the value fields mean (Opt_Y).
enum class ElasticYMode { MaxMin = 0, AmpOffs = 1 };

class ElasticModel {
public:
    // Backup (the document's own, or `backup` when the caller reports it),
    // document into the work memory, fields from the markers and the
    // extremes of the marked stretch.
    explicit ElasticModel(WaveDocument& document, const std::function<void()>& backup = {});

    const ElasticFields& fields() const { return f_; }
    ElasticYMode yMode() const { return mode_; }
    void setYMode(ElasticYMode mode) { mode_ = mode; }

    // Typed values (already in samples or codes). Each rebuilds the document
    // unless the value equals the field. The level pairs are kept in step
    // (maximum and minimum, amplitude and centre describe the same fit), so
    // a later rebuild keeps the fit the user asked for.
    void setStartX(double samples);
    void setEndX(double samples);
    void setMax(double code);
    void setMin(double code);
    void setAmplitude(double codes);
    void setOffset(double code);

    // Btn_Length: the stretch over the whole waveform.
    void fitLength();
    // Btn_Peak: the stretch over the full scale, -32767 .. 32767.
    void fitPeakToPeak();
    // Btn_Ampl: the side further from the centre line to full scale, the
    // other side moved by the same amount, the centre kept.
    void fitAmplitude();

    // The levels the "Y=" labels show: the work memory at NewStartX and at
    // NewEndX (an end at the used length reads sample 0).
    int32_t levelAtStart() const;
    int32_t levelAtEnd() const;

    // Btn_Cancel and the close box: the document and its markers as they
    // were when the window opened.
    void cancel();

    // The rebuild; public for the benchmark and for the window after a
    // change it made itself.
    void recompute();

private:
    void setMaxMin(double max, double min);
    void setAmpOff(double amplitude, double offset);

    WaveDocument& document_;
    ZwMemHandle backup_ = 0;
    ZwMemHandle work_ = 0;
    MarkerRecord openedMarkers_;
    ElasticFields f_;
    ElasticYMode mode_ = ElasticYMode::MaxMin;
};

} // namespace zw

#endif // ZW_TOOLS_ELASTICMODEL_H
