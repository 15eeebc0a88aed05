#include "WaveformPrintSource.h"

#include "CaptionCatalog.h"

namespace zw {
namespace {
constexpr int kHeadingSpacing = 4; // blanks between the heading's items
}

QString WaveformHeadingLine(const WaveformPrintSource& s, const CaptionCatalog& catalog) {
    const QString spacing(kHeadingSpacing, QLatin1Char(' '));
    return catalog.caption(u"PrintListing", u"Model") + "  " + s.modelName + spacing +
           catalog.caption(u"PrintListing", u"MemorySize") + "  " + s.memorySizeText + spacing +
           s.printedAt.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

} // namespace zw
