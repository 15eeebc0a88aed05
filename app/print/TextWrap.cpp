#include "TextWrap.h"

namespace zw {
namespace {

using Measure = std::function<double(const QString&)>;

// The longest head of `word` that fits, at least one character (a surrogate
// pair is never split).
qsizetype fittingHead(const QString& word, double maxWidth, const Measure& width) {
    qsizetype fit = word.at(0).isHighSurrogate() && word.size() > 1 ? 2 : 1;
    for (qsizetype n = fit + 1; n <= word.size(); ++n) {
        if (n < word.size() && word.at(n).isLowSurrogate())
            continue;
        if (width(word.left(n)) > maxWidth)
            break;
        fit = n;
    }
    return fit;
}

void wrapLine(const QString& line, double maxWidth, const Measure& width, QStringList& out) {
    const QStringList words = line.split(QLatin1Char(' '));
    QString current;
    for (QString word : words) {
        const QString joined = current.isEmpty() ? word : current + ' ' + word;
        if (width(joined) <= maxWidth) {
            current = joined;
            continue;
        }
        if (!current.isEmpty())
            out << current;
        current.clear();
        while (width(word) > maxWidth) {
            const qsizetype head = fittingHead(word, maxWidth, width);
            if (head >= word.size())
                break; // one character wider than the line: it stands alone
            out << word.left(head);
            word = word.mid(head);
        }
        current = word;
    }
    out << current;
}

} // namespace

QStringList WrapText(const QString& text, double maxWidth, const Measure& width) {
    QStringList out;
    for (const QString& line : text.split(QLatin1Char('\n')))
        wrapLine(line, maxWidth, width, out);
    return out;
}

} // namespace zw
