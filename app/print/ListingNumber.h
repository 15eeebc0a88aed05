// Numbers of the printed listings: at most `decimals` digits after the point
// with trailing zeros dropped, as the patterns ".######" (six) and
// ".#############" (thirteen) print them. A point with no digit after it is
// left out as well, and a value that prints no digit at all reads "0".
#ifndef ZW_PRINT_LISTINGNUMBER_H
#define ZW_PRINT_LISTINGNUMBER_H

#include <QString>

namespace zw {

inline constexpr int kListingDecimals = 6;    // ".######"
inline constexpr int kFrequencyDecimals = 13; // ".#############"

QString ListingNumber(double value, int decimals = kListingDecimals);

} // namespace zw

#endif // ZW_PRINT_LISTINGNUMBER_H
