// The knots a spline is drawn through: anchors, existing samples around the
// stretch and the control points inside it, in ascending order of position.
#ifndef CURVEFIT32_KNOTLIST_H
#define CURVEFIT32_KNOTLIST_H

#include "CurveJob.h"

#include <cstddef>
#include <vector>

namespace curvefit {

// 4096 control points, two runs of 128 existing samples and three anchors.
constexpr std::size_t kKnotCapacity = kMaxControlPoints + 2 * kContextSamples + 3;

enum class SplineMode {
    Anchored = 0,  // anchored on the existing samples at the ends of the stretch
    Continued = 1, // joined smoothly to the existing waveform on both sides
    Periodic = 2,  // the whole waveform, its end leading into its start
};

class KnotList {
public:
    KnotList() { knots_.reserve(kKnotCapacity); }

    // Appends a knot unless it does not lie after the last one: a knot at the
    // position of the knot before it would give an interval of zero width.
    void add(Knot k) {
        if (knots_.empty() || k.x > knots_.back().x)
            knots_.push_back(k);
    }
    void replaceLast(Knot k) { knots_.back() = k; }
    void dropLast() { knots_.pop_back(); }

    bool empty() const { return knots_.empty(); }
    std::size_t size() const { return knots_.size(); }
    const Knot& front() const { return knots_.front(); }
    const Knot& back() const { return knots_.back(); }
    const Knot& operator[](std::size_t i) const { return knots_[i]; }
    const std::vector<Knot>& knots() const { return knots_; }

private:
    std::vector<Knot> knots_;
};

// The knot list of a spline call in the given mode, before the fall-back to
// the polyline (which a list of fewer than three knots takes).
KnotList buildKnots(const CurveJob& job, SplineMode mode);

} // namespace curvefit

#endif // CURVEFIT32_KNOTLIST_H
