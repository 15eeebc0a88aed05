#include "ListingPrintout.h"

#include "PrintCanvas.h"
#include "TextWrap.h"

#include <algorithm>

namespace zw {
namespace {

struct PlacedLine {
    double x = 0;
    QString text;
};

class ListingLayout {
public:
    explicit ListingLayout(PrintCanvas& canvas, const Listing& listing) : canvas_(canvas) {
        const QRectF body = canvas.geometry().bodyMm;
        double widest = 0;
        bool sections = false;
        for (const ListingBlock& block : listing.blocks)
            for (const ListingLine& line : block.lines) {
                if (line.kind == ListingLine::Kind::Item)
                    widest = std::max(widest, canvas.textWidth(line.label));
                sections = sections || line.kind == ListingLine::Kind::Section;
            }
        // Items stand one step inside their section, or inside the listing's
        // rules when it has no sections.
        labelX_ = body.left() + (sections ? 2 : 1) * kListingIndentMm;
        valueX_ =
            std::min(labelX_ + widest + kValueGapMm, body.left() + body.width() * kMaxLabelShare);
    }

    // The printed rows of a block; a row may hold a label and a value.
    std::vector<std::vector<PlacedLine>> rows(const ListingBlock& block) const {
        std::vector<std::vector<PlacedLine>> out;
        const QRectF body = canvas_.geometry().bodyMm;
        for (const ListingLine& line : block.lines) {
            switch (line.kind) {
            case ListingLine::Kind::Title:
            case ListingLine::Kind::Rule:
                addWrapped(out, body.left(), line.label);
                break;
            case ListingLine::Kind::Section:
                addWrapped(out, body.left() + kListingIndentMm, line.label);
                break;
            case ListingLine::Kind::Item: {
                const std::size_t first = out.size();
                addWrapped(out, valueX_, line.value);
                out[first].insert(out[first].begin(), PlacedLine{labelX_, line.label});
                break;
            }
            }
        }
        return out;
    }

private:
    void addWrapped(std::vector<std::vector<PlacedLine>>& out, double x,
                    const QString& text) const {
        const double room = canvas_.geometry().bodyMm.right() - x;
        const auto width = [this](const QString& t) { return canvas_.textWidth(t); };
        for (const QString& piece : WrapText(text, room, width))
            out.push_back({PlacedLine{x, piece}});
    }

    PrintCanvas& canvas_;
    double labelX_ = 0;
    double valueX_ = 0;
};

} // namespace

bool PaintListing(PrintCanvas& canvas, const Listing& listing) {
    const ListingLayout layout(canvas, listing);
    const QRectF body = canvas.geometry().bodyMm;
    const double step = canvas.lineHeight();
    double top = body.top(); // of the next row
    auto fits = [&](double height) { return top + height <= body.bottom() + 1e-9; };
    for (const ListingBlock& block : listing.blocks) {
        const auto rows = layout.rows(block);
        const double height = step * static_cast<double>(rows.size());
        if (!fits(height) && top > body.top()) {
            if (!canvas.newPage())
                return false;
            top = body.top();
        }
        for (const auto& row : rows) {
            // A block longer than a sheet continues on the next one.
            if (!fits(step) && top > body.top()) {
                if (!canvas.newPage())
                    return false;
                top = body.top();
            }
            for (const PlacedLine& piece : row)
                canvas.text(piece.x, top + canvas.ascent(), piece.text);
            top += step;
        }
    }
    return true;
}

} // namespace zw
