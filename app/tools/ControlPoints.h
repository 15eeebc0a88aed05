// The control points of interpolation, shared by the Interpolate window
// (its grid and fields) and the main plot (which draws them and edits them
// with the mouse): positions (sample indexes) and values (codes) in two
// arrays, ascending and pairwise distinct, at most 2000 points.
//
// In a repeating waveform position 0 and position WaveLength are the same
// sample, so points standing at both ends always carry one value: entering
// one end with another value asks first (question 21) and then sets both.
#ifndef ZW_TOOLS_CONTROLPOINTS_H
#define ZW_TOOLS_CONTROLPOINTS_H

#include <array>
#include <cstdint>
#include <functional>

namespace zw {

// Answers question 21; true to go on and change both ends.
using EndLinkQuestion = std::function<bool()>;

enum class SetPointResult {
    Added,
    Replaced, // a point stood at that position; its value changed
    Declined, // the end-link question was answered No: nothing changed
    Full,     // a 2001st point: nothing changed (message kPointListFull)
};

class ControlPoints {
public:
    static constexpr int kCapacity = 2000;
    static constexpr int kArraySize = 2004;

    int count() const { return SplinePointCount; }
    bool empty() const { return SplinePointCount <= 0; }
    double x(int index) const { return SplinePointX[index]; }
    double y(int index) const { return SplinePointY[index]; }
    const double* xs() const { return SplinePointX.data(); }
    const double* ys() const { return SplinePointY.data(); }

    // Setting a point: the end link, then the value of the point at x or a
    // new point in order. `waveLength` is the used length of the document.
    // The list stays sorted whatever is entered; the selection follows the
    // point entered.
    SetPointResult setPoint(double x, double y, double waveLength, const EndLinkQuestion& ask);

    // Removes the point `index`; false when there is none.
    bool remove(int index);
    void clear();

    // Moves the point `index` (a drag on the plot): the position stays
    // strictly between its neighbours, so the order never changes and no
    // two points merge; an end point keeps the other end's value in step.
    // Returns the point's index.
    int move(int index, double x, double y, double waveLength);

    // The point nearest to (x, y) measured in pixels, given the size of a
    // pixel in samples and in codes; -1 when the list is empty. `distance`
    // receives the distance in pixels.
    int nearest(double x, double y, double samplesPerPixel, double codesPerPixel,
                double* distance = nullptr) const;

    // The highlighted point (Change_Spline_Select, the grid's row - 1), or
    // -1.
    int selected() const { return selected_; }
    void select(int index);

private:
    int indexAt(double x) const; // -1 when no point stands exactly at x
    void linkEnds(double y, double waveLength);

    std::array<double, kArraySize> SplinePointX{};
    std::array<double, kArraySize> SplinePointY{};
    int16_t SplinePointCount = 0;
    int selected_ = -1;
};

// Catalogue code shown when a point would exceed the list's 2000 points.
inline constexpr int kPointListFull = 22;

} // namespace zw

#endif // ZW_TOOLS_CONTROLPOINTS_H
