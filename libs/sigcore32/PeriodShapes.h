// The square and triangle shapes over one period, as pure functions of the
// position in the period, so that the generators' loops stay plain.
#ifndef SIGCORE32_PERIOD_SHAPES_H
#define SIGCORE32_PERIOD_SHAPES_H

namespace sigcore {

inline constexpr double kRadiansPerDegree = 0.017453292519943295;
inline constexpr double kPeriodsPerRadian = 0.15915494309189535; // 1 / (2 pi)

// The position f in 0..1 of an angle (radians) in its period. A whole
// positive number of periods counts as the end of a period (f = 1), an angle
// of 0 as the start (f = 0).
double periodPosition(double angle);

// Square of duty D and transition T (percentages of a period), in -1..+1.
// Each edge is a straight line through 0 lasting T percent of the period,
// split evenly between the two parts it joins.
class SquareShape {
public:
    SquareShape(double duty, double transition);
    double operator()(double f) const;

private:
    enum class Kind { Flat, Low, High, Edged } kind_;
    double d_ = 0; // high part
    double t_ = 0; // half an edge
    double e_ = 0; // low part
};

// Triangle of symmetry S (percentage of the period spent rising), in -1..+1.
class TriangleShape {
public:
    explicit TriangleShape(double symmetry);
    double operator()(double f) const;

private:
    bool flat_;
    bool falling_; // S = 0: a falling ramp, +1 at the start of a period
    double a_;     // end of the first rise
    double b_;     // start of the last rise
};

} // namespace sigcore

#endif
