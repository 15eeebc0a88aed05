#include "UsbTmcTable.h"

#include <QFile>
#include <QFileInfo>

namespace zw {

std::optional<UsbTmcTable> UsbTmcTable::Parse(const QByteArray& text) {
    UsbTmcTable table;
    QList<QByteArray> lines = text.split('\n');
    // A final line end does not start another line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        const QList<QByteArray> fields = line.split(',');
        table.pairs_.emplace_back(fields.value(0), fields.value(1));
    }
    if (table.pairs_.empty())
        return std::nullopt;
    return table;
}

std::optional<UsbTmcTable> UsbTmcTable::Read(const QString& path) {
    QFile file(path);
    // A FIFO would block the open, a device could be read for ever.
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return Parse(text);
}

QByteArray UsbTmcTable::lookup(const QByteArray& model) const {
    for (const auto& [first, second] : pairs_)
        if (first == model)
            return second;
    return {};
}

} // namespace zw
