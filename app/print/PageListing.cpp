#include "PageListing.h"

#include "CaptionCatalog.h"
#include "ListingNumber.h"
#include "PageTable.h"
#include "Units.h"

namespace zw {
namespace {

enum WaveType { kSine = 0, kTriangle = 1, kSquare = 2, kNoise = 3, kLevel = 4, kExpression = 5 };

QString withUnit(double value, const QString& unit) {
    const QString number = ListingNumber(value);
    return unit.isEmpty() ? number : number + ' ' + unit;
}

// Several lines of constants continue in the value column, one per line.
QString lines(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t.trimmed();
}

class PageLines {
public:
    PageLines(const Units& units, const CaptionCatalog& catalog)
        : units_(units), catalog_(catalog),
          typeNames_(catalog.items(u"CreateDialog", u"Comb_Wave")), xUnit_(units.UnitTextX()),
          yUnit_(units.UnitTextY()) {}

    ListingBlock block(const PageFields& p) const {
        ListingBlock b;
        auto add = [&](const char* key, const QString& value) {
            b.lines.push_back(ItemLine(label(key), value));
        };
        add("Page", QString::number(p.number));
        add("Function", typeName(p.type));
        add("StartX", withUnit(units_.XPositionToUnit(p.start), xUnit_));
        add("EndX", withUnit(units_.XPositionToUnit(p.end), xUnit_));
        add("Size", withUnit(units_.XDistanceToUnit(p.size), xUnit_));
        if (p.type == kExpression) {
            add("Constant", lines(p.constants));
            add("Expression", p.expression.trimmed());
        } else {
            add("Offset", withUnit(units_.YCodeToUnit(p.offset), yUnit_));
            if (p.type != kLevel)
                add("PageAmplitude", withUnit(units_.YDifferenceToUnit(p.amplitude), yUnit_));
            if (p.type == kSine || p.type == kTriangle || p.type == kSquare) {
                add("PagePeriod", ListingNumber(p.cycles));
                add("Phase", ListingNumber(p.phase));
            }
            if (p.type == kTriangle)
                add("Symmetry", ListingNumber(p.symmetry));
            if (p.type == kSquare) {
                add("Duty", ListingNumber(p.duty));
                add("Transition", ListingNumber(p.transition));
            }
        }
        b.lines.push_back(RuleLine(QString::fromLatin1(kPageBlockClose)));
        return b;
    }

private:
    QString label(const char* key) const {
        return catalog_.caption(u"PrintListing", QString::fromLatin1(key));
    }
    QString typeName(int type) const {
        return type >= 0 && type < typeNames_.size() ? typeNames_.at(type) : QString::number(type);
    }

    const Units& units_;
    const CaptionCatalog& catalog_;
    QStringList typeNames_;
    QString xUnit_;
    QString yUnit_;
};

} // namespace

std::vector<PageFields> PagesToPrint(const create::PageTable& table) {
    std::vector<PageFields> pages;
    for (const int number : table.effectivePages()) {
        const create::PageRecord& r = table.page(number);
        PageFields p;
        p.number = r.PageNumber;
        p.effective = r.Effective;
        p.type = static_cast<int>(r.Type);
        p.start = r.Start;
        p.end = r.End;
        p.offset = r.Offset;
        p.size = r.Size;
        p.amplitude = r.Amplitude;
        p.cycles = r.Cycles;
        p.phase = r.Phase;
        p.symmetry = r.Symmetry;
        p.duty = r.Duty;
        p.transition = r.Transition;
        p.constants = r.Constants;
        p.expression = r.Expression;
        pages.push_back(p);
    }
    return pages;
}

Listing BuildPageListing(const std::vector<PageFields>& pages, const Units& units,
                         const CaptionCatalog& catalog) {
    const PageLines builder(units, catalog);
    Listing listing;
    for (const PageFields& page : pages)
        if (page.effective)
            listing.blocks.push_back(builder.block(page));
    // The opening and closing lines travel with the first and last page, so
    // neither stands alone at the end or the start of a sheet.
    if (listing.blocks.empty())
        listing.blocks.emplace_back();
    const ListingLine plus = RuleLine(QString::fromLatin1(kPageBlockOpen));
    listing.blocks.front().lines.insert(listing.blocks.front().lines.begin(), plus);
    listing.blocks.back().lines.push_back(plus);
    return listing;
}

} // namespace zw
