// How markers A and B move: dragging with the mouse, typed positions and a
// typed distance, in the independent and the tracking mode, and which marker
// the mouse is over. Positions are samples (doubles); the window converts
// units before and formats after.
#ifndef ZW_SHELL_MARKERRULES_H
#define ZW_SHELL_MARKERRULES_H

#include <optional>

namespace zw {

struct MarkerRecord {
    double MarkA = 0;
    double MarkB = 0;
    bool operator==(const MarkerRecord&) const = default;
};

enum class MarkerMode { Independent, Tracking };
enum class MarkerId { A = 0, B = 1 };

// What an accepted move changed, so the window refreshes just that.
struct MarkerChange {
    bool accepted = false;
    bool refreshA = false;
    bool refreshB = false;
    bool distanceChanged = false; // the dX read-out must show MarkDistance
};

class MarkerRules {
public:
    // The markers of the shown memory, the distance kept while tracking,
    // the mode and the used length.
    MarkerRules(MarkerRecord& markers, double& markDistance, MarkerMode mode, long waveLength)
        : m_(markers), distance_(markDistance), mode_(mode), waveLength_(waveLength) {}

    // A drag of A or B to the whole sample p.
    MarkerChange dragA(double p);
    MarkerChange dragB(double p);
    // A typed position, already limited to 0 .. WaveLength.
    MarkerChange typeStart(double value);
    MarkerChange typeEnd(double value);
    // A typed distance in samples.
    MarkerChange typeDistance(double d);

private:
    MarkerRecord& m_;
    double& distance_;
    MarkerMode mode_;
    double waveLength_;
};

// The marker under the mouse at (x, y) on a plot whose markers stand at the
// columns colA and colB: on the marker's column or the one before it, or on
// its handle (the top 10 rows, 10 columns to the left of A or to the right
// of B). B is tested first, so it wins where the two overlap.
std::optional<MarkerId> MarkerUnderMouse(long x, long y, long colA, long colB);

} // namespace zw

#endif // ZW_SHELL_MARKERRULES_H
