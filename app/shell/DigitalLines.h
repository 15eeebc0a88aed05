// The digital view's geometry and line masks. The plot height is divided
// into 49 units; each of the 16 lines takes 3 units below one unit of
// margin. Line 0 is the top line, which shows bit 15 of the codes, so a
// selection mask (bit k for line k) becomes a code mask by mirroring it.
#ifndef ZW_SHELL_DIGITALLINES_H
#define ZW_SHELL_DIGITALLINES_H

#include <cstdint>
#include <optional>
#include <string>

namespace zw {

inline constexpr int kDigitalLineCount = 16;

// The line under row y of a plot h pixels high, if any.
std::optional<int> DigitalLineAt(double y, int h);

// The row at the middle of line `line`'s three units: where its name is
// written beside the plot.
double DigitalLineCentre(int line, int h);

// Whether column x lies within the marked stretch, with 10 pixels of
// tolerance on both sides.
bool WithinMarkedColumns(long x, long colA, long colB);

// Line k's bit in the sample codes (line 0 is bit 15).
inline int32_t CodeBitOfLine(int line) {
    return int32_t{1} << (15 - line);
}

// The code mask of a line selection mask: bit i becomes bit 15 - i.
int32_t MirrorLineMask(int32_t lineMask);

// The pattern texts of the three fixed pattern buttons: set the selected
// lines low (0), high (1) or invert them (2) over the whole stretch, e.g.
// "Mask $8000 0L" for line 0.
std::string FixedPatternText(int button, int32_t lineMask);

} // namespace zw

#endif // ZW_SHELL_DIGITALLINES_H
