#include "ListingNumber.h"

#include "NumberFormat.h"

namespace zw {

QString ListingNumber(double value, int decimals) {
    const QString pattern = QStringLiteral(".") + QString(decimals, QLatin1Char('#'));
    QString text = NumberFormat::Format(value, pattern);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (text.isEmpty() || text == QLatin1String("-"))
        return QStringLiteral("0");
    return text;
}

} // namespace zw
