// The creation-page listing: every effective page of the Create window, one
// block per page between separator lines, with the parameters its wave type
// uses. Positions and levels are printed in the axis units the user has
// chosen (as the Create window shows them), the other parameters as stored.
#ifndef ZW_PRINT_PAGELISTING_H
#define ZW_PRINT_PAGELISTING_H

#include "Listing.h"

#include <QString>

#include <vector>

namespace zw {

class CaptionCatalog;
class Units;
namespace create {
class PageTable;
}

// The fields of a page that the listing prints; positions in samples,
// levels in sample codes.
struct PageFields {
    int number = 0;
    bool effective = false;
    int type = 0; // 0 sine, 1 triangle, 2 square, 3 noise, 4 level, 5 expression
    double start = 0;
    double end = 0;
    double offset = 0;
    double size = 0;
    double amplitude = 0;
    double cycles = 0;
    double phase = 0;
    double symmetry = 0;
    double duty = 0;
    double transition = 0;
    QString constants; // lines joined with CR LF or LF
    QString expression;
};

inline constexpr char kPageBlockOpen[] = "+++++++++++++++";
inline constexpr char kPageBlockClose[] = "---------------";

// The pages of the Create window's table, effective ones first to last.
std::vector<PageFields> PagesToPrint(const create::PageTable& table);

Listing BuildPageListing(const std::vector<PageFields>& pages, const Units& units,
                         const CaptionCatalog& catalog);

} // namespace zw

#endif // ZW_PRINT_PAGELISTING_H
