// A printed listing as lines of text, before any page exists: the setup and
// creation-page listings are built here as data (and tested as data), and
// ListingPrintout lays them out on paper.
#ifndef ZW_PRINT_LISTING_H
#define ZW_PRINT_LISTING_H

#include <QString>
#include <QStringList>

#include <vector>

namespace zw {

struct ListingLine {
    enum class Kind {
        Title,   // "<System Setup>", at the left margin
        Section, // "[Basic Setup]", indented once
        Item,    // label and value, indented twice; the values form a column
        Rule,    // a separator line of the listing ("+++++++++++++++"), at the left margin
    };
    Kind kind = Kind::Item;
    QString label;
    // An item's value; several lines when it holds line breaks (a page's
    // constants), each continuing in the value column.
    QString value;

    bool operator==(const ListingLine&) const = default;
};

// Lines that belong together; a block starts a new page rather than being
// split, unless it is longer than a page.
struct ListingBlock {
    std::vector<ListingLine> lines;
};

struct Listing {
    std::vector<ListingBlock> blocks;

    // Every line's text in order, "label<TAB>value" for items: what a
    // reader of the printed page sees, for checks and for the tests.
    QStringList texts() const;
};

// Builders for the lines.
inline ListingLine TitleLine(const QString& text) {
    return {ListingLine::Kind::Title, text, {}};
}
inline ListingLine SectionLine(const QString& text) {
    return {ListingLine::Kind::Section, text, {}};
}
inline ListingLine ItemLine(const QString& label, const QString& value) {
    return {ListingLine::Kind::Item, label, value};
}
inline ListingLine RuleLine(const QString& text) {
    return {ListingLine::Kind::Rule, text, {}};
}

} // namespace zw

#endif // ZW_PRINT_LISTING_H
