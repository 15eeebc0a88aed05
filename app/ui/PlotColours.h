// Colours of the plots (platform RGB).
#ifndef ZW_UI_PLOTCOLOURS_H
#define ZW_UI_PLOTCOLOURS_H

#include <cstdint>

namespace zw {

inline constexpr uint32_t kTraceColour = 0xFF0000;    // QBColor 9, light blue (0, 0, 255)
inline constexpr uint32_t kPlotBackground = 0xFFFFFF; // white

} // namespace zw

#endif // ZW_UI_PLOTCOLOURS_H
