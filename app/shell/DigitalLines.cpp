#include "DigitalLines.h"

#include <cmath>
#include <cstdio>

namespace zw {

std::optional<int> DigitalLineAt(double y, int h) {
    if (h <= 0)
        return std::nullopt;
    const double unit = h / 49.0;
    const double line = std::trunc((y - unit) / (3.0 * unit));
    // Truncation counts the margin rows just above line 0 to line 0.
    if (line < 0 || line >= kDigitalLineCount)
        return std::nullopt;
    return static_cast<int>(line);
}

double DigitalLineCentre(int line, int h) {
    return (1.0 + 3.0 * line + 1.5) * h / 49.0;
}

bool WithinMarkedColumns(long x, long colA, long colB) {
    return x >= colA - 10 && x <= colB + 10;
}

int32_t MirrorLineMask(int32_t lineMask) {
    int32_t out = 0;
    for (int i = 0; i < 16; ++i)
        if (lineMask & (int32_t{1} << i))
            out |= int32_t{1} << (15 - i);
    return out;
}

std::string FixedPatternText(int button, int32_t lineMask) {
    static const char* const endings[] = {" 0L", " 0H", " 0N"};
    if (button < 0 || button > 2)
        return {};
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(MirrorLineMask(lineMask)));
    return std::string("Mask $") + hex + endings[button];
}

} // namespace zw
