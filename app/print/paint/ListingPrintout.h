// Lays a listing out on the sheets of a print job: titles at the left edge
// of the body, sections indented once, items twice with their values in one
// column, long values wrapped within the body, and a new sheet before a
// block that would not fit on the rest of the current one.
#ifndef ZW_PRINT_LISTINGPRINTOUT_H
#define ZW_PRINT_LISTINGPRINTOUT_H

#include "Listing.h"

namespace zw {

class PrintCanvas;

inline constexpr double kListingIndentMm = 5.0;
inline constexpr double kValueGapMm = 5.0;
// The value column starts at most this far into the body, so long labels
// never squeeze the values out.
inline constexpr double kMaxLabelShare = 0.5;

// False when the device refused a new sheet.
bool PaintListing(PrintCanvas& canvas, const Listing& listing);

} // namespace zw

#endif // ZW_PRINT_LISTINGPRINTOUT_H
