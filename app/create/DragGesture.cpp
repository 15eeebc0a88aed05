// The drag gestures of the preview.
#include "DragGesture.h"

#include <algorithm>
#include <cmath>

namespace zw::create {
namespace {

constexpr double kLowestLevel = -32768.0;
constexpr double kHighestLevel = 32767.0;
constexpr double kLargestAmplitude = 65535.0;
constexpr double kFewestCycles = 1e-3;
constexpr double kMostCycles = 32768.0;
constexpr double kCyclesPerStretch = 4.0; // factor of a drag across the whole stretch

bool isStandard(PageType type) {
    return type != PageType::Expression;
}

bool isPeriodic(PageType type) {
    return type == PageType::Sine || type == PageType::Triangle || type == PageType::Square;
}

// Dragged values keep a resolution the boxes show in full: whole codes,
// tenths of degrees and percents, thousandths of cycles.
double roundedTo(double value, double step) {
    return std::round(value / step) * step;
}

double wrapDegrees(double degrees) {
    const double wrapped = std::fmod(degrees, 360.0);
    return wrapped < 0.0 ? wrapped + 360.0 : wrapped;
}

} // namespace

bool DragStartsOnPage(const PageRecord& page, double position, bool fromZero) {
    if (!isStandard(page.Type) || !(page.End > page.Start))
        return false;
    const double first = fromZero ? 0.0 : page.Start;
    const double end = first + (page.End - page.Start);
    return position >= first && position < end;
}

PageRecord DraggedPage(const PageRecord& origin, double samples, double codes,
                       DragModifiers modifiers) {
    PageRecord p = origin;
    const double length = origin.End - origin.Start;
    if (!isStandard(origin.Type) || !(length > 0.0) || !std::isfinite(samples) ||
        !std::isfinite(codes))
        return p;

    if (modifiers.shift && origin.Type != PageType::DcLevel)
        p.Amplitude =
            std::clamp(std::round(origin.Amplitude + 2.0 * codes), 0.0, kLargestAmplitude);
    else if (!modifiers.control)
        p.Offset = std::clamp(std::round(origin.Offset + codes), kLowestLevel, kHighestLevel);

    if (!isPeriodic(origin.Type) || samples == 0.0)
        return p;
    const double cycles = origin.Cycles > 0.0 ? origin.Cycles : 1.0;
    const double period = length / cycles;
    if (modifiers.control) {
        const double percent = samples / period * 100.0;
        if (origin.Type == PageType::Triangle)
            p.Symmetry = std::clamp(roundedTo(origin.Symmetry + percent, 0.1), 0.0, 100.0);
        else if (origin.Type == PageType::Square)
            p.Duty = std::clamp(roundedTo(origin.Duty + percent, 0.1), 0.0, 100.0);
    } else if (modifiers.shift) {
        p.Cycles =
            std::clamp(roundedTo(cycles * std::pow(kCyclesPerStretch, samples / length), 1e-3),
                       kFewestCycles, kMostCycles);
    } else {
        p.Phase = wrapDegrees(roundedTo(origin.Phase - samples / period * 360.0, 0.1));
    }
    return p;
}

} // namespace zw::create
