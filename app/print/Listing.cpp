#include "Listing.h"

namespace zw {

QStringList Listing::texts() const {
    QStringList out;
    for (const ListingBlock& block : blocks)
        for (const ListingLine& line : block.lines)
            out << (line.kind == ListingLine::Kind::Item ? line.label + '\t' + line.value
                                                         : line.label);
    return out;
}

} // namespace zw
