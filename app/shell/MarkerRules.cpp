#include "MarkerRules.h"

#include <algorithm>

namespace zw {

MarkerChange MarkerRules::dragA(double p) {
    MarkerChange change;
    if (p > m_.MarkB)
        return change;
    m_.MarkA = p;
    if (mode_ == MarkerMode::Tracking) {
        m_.MarkB = m_.MarkA + distance_;
        if (m_.MarkB >= waveLength_) {
            m_.MarkB = waveLength_;
            m_.MarkA = m_.MarkB - distance_;
        }
        change.refreshB = true;
    } else {
        distance_ = m_.MarkB - m_.MarkA;
        change.distanceChanged = true;
    }
    change.accepted = true;
    change.refreshA = true;
    return change;
}

MarkerChange MarkerRules::dragB(double p) {
    MarkerChange change;
    if (p < m_.MarkA)
        return change;
    m_.MarkB = p;
    if (mode_ == MarkerMode::Tracking) {
        m_.MarkA = m_.MarkB - distance_;
        if (m_.MarkA < 0) {
            m_.MarkA = 0;
            m_.MarkB = distance_;
        }
        change.refreshA = true;
    } else {
        distance_ = m_.MarkB - m_.MarkA;
        change.distanceChanged = true;
    }
    change.accepted = true;
    change.refreshB = true;
    return change;
}

MarkerChange MarkerRules::typeStart(double value) {
    MarkerChange change;
    if (mode_ == MarkerMode::Tracking) {
        m_.MarkA = value;
        m_.MarkB = value + distance_;
        if (m_.MarkB > waveLength_)
            m_.MarkB = waveLength_;
    } else {
        if (value > m_.MarkB)
            return change;
        m_.MarkA = value;
    }
    distance_ = m_.MarkB - m_.MarkA;
    change.accepted = change.refreshA = change.refreshB = change.distanceChanged = true;
    return change;
}

MarkerChange MarkerRules::typeEnd(double value) {
    MarkerChange change;
    if (mode_ == MarkerMode::Tracking) {
        m_.MarkB = value;
        m_.MarkA = value - distance_;
        if (m_.MarkA < 0)
            m_.MarkA = 0;
    } else {
        if (value < m_.MarkA)
            return change;
        m_.MarkB = value;
    }
    distance_ = m_.MarkB - m_.MarkA;
    change.accepted = change.refreshA = change.refreshB = change.distanceChanged = true;
    return change;
}

MarkerChange MarkerRules::typeDistance(double d) {
    // A negative distance would put B before A.
    d = std::max(d, 0.0);
    if (d > waveLength_)
        d = waveLength_;
    if (m_.MarkA + d > waveLength_)
        d = waveLength_ - m_.MarkA;
    distance_ = d;
    m_.MarkB = m_.MarkA + d;
    MarkerChange change;
    change.accepted = change.refreshB = change.distanceChanged = true;
    return change;
}

std::optional<MarkerId> MarkerUnderMouse(long x, long y, long colA, long colB) {
    const bool onHandleRows = y >= 0 && y < 10;
    if (x == colB || x == colB - 1 || (onHandleRows && x >= colB && x <= colB + 10))
        return MarkerId::B;
    if (x == colA || x == colA - 1 || (onHandleRows && x >= colA - 10 && x <= colA))
        return MarkerId::A;
    return std::nullopt;
}

} // namespace zw
