// The page margins of the printouts, in whole millimetres, kept for the whole
// run. Entries 0 to 2 are the left, top and bottom margins the Print window
// shows; entry 3 is the right margin, which follows the left one so that the
// printed body sits in the middle of the paper; entry 4 is the gap between a
// printout's heading and its body. Every entry lies between 5 and 100 mm.
#ifndef ZW_PRINT_MARGINTABLE_H
#define ZW_PRINT_MARGINTABLE_H

#include <QStringView>

#include <array>

namespace zw {

inline constexpr int kMarginMin = 5;
inline constexpr int kMarginMax = 100;

enum MarginIndex {
    kMarginLeft = 0,
    kMarginTop = 1,
    kMarginBottom = 2,
    kMarginRight = 3,
    kMarginGap = 4
};

class MarginTable {
public:
    static constexpr int kShownCount = 3; // left, top, bottom
    static constexpr int kCount = 5;

    int margin(int index) const;
    int left() const { return margin(kMarginLeft); }
    int top() const { return margin(kMarginTop); }
    int bottom() const { return margin(kMarginBottom); }
    int right() const { return margin(kMarginRight); }
    int gap() const { return margin(kMarginGap); }

    // The up-down control: one millimetre more or less, never past the
    // limits. False when the margin stayed as it was (at a limit, or not a
    // margin the window shows).
    bool stepUp(int index);
    bool stepDown(int index);

    // A margin typed into its box: below 5 becomes 5, above 100 becomes 100,
    // anything between its whole part (12.7 gives 12). Text that is no
    // number keeps the stored margin. Returns the margin now stored, which
    // the box shows.
    int commitText(int index, QStringView text);

private:
    void set(int index, int millimetres);

    std::array<int, kCount> mm_{kMarginMin, kMarginMin, kMarginMin, kMarginMin, kMarginMin};
};

} // namespace zw

#endif // ZW_PRINT_MARGINTABLE_H
