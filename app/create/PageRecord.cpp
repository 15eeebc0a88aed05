// The page record's values, defaults and text rules.
#include "PageRecord.h"

#include <QStringList>

namespace zw::create {
namespace {

// The longest prefix of `text` whose UTF-8 form fits `capacity` bytes.
QString cutToBytes(const QString& text, int capacity) {
    if (text.toUtf8().size() <= capacity)
        return text;
    QString cut;
    int bytes = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype step = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const int size = int(text.mid(i, step).toUtf8().size());
        if (bytes + size > capacity)
            break;
        bytes += size;
        cut += text.mid(i, step);
        i += step;
    }
    return cut;
}

} // namespace

std::optional<PageType> PageTypeFromNumber(int number) {
    if (number < 0 || number >= kPageTypeCount)
        return std::nullopt;
    return static_cast<PageType>(number);
}

bool UsesParameter(PageType type, PageParameter parameter) {
    switch (parameter) {
    case PageParameter::Offset:
    case PageParameter::Size:
        return type != PageType::Expression;
    case PageParameter::Amplitude:
        return type != PageType::Expression && type != PageType::DcLevel;
    case PageParameter::Cycles:
    case PageParameter::Phase:
        return type == PageType::Sine || type == PageType::Triangle || type == PageType::Square;
    case PageParameter::Symmetry:
        return type == PageType::Triangle;
    case PageParameter::Duty:
    case PageParameter::Transition:
        return type == PageType::Square;
    }
    return false;
}

double PageRecord::parameter(PageParameter which) const {
    switch (which) {
    case PageParameter::Offset:
        return Offset;
    case PageParameter::Size:
        return Size;
    case PageParameter::Amplitude:
        return Amplitude;
    case PageParameter::Cycles:
        return Cycles;
    case PageParameter::Phase:
        return Phase;
    case PageParameter::Symmetry:
        return Symmetry;
    case PageParameter::Duty:
        return Duty;
    case PageParameter::Transition:
        return Transition;
    }
    return 0.0;
}

void PageRecord::setParameter(PageParameter which, double value) {
    switch (which) {
    case PageParameter::Offset:
        Offset = value;
        break;
    case PageParameter::Size:
        Size = value;
        break;
    case PageParameter::Amplitude:
        Amplitude = value;
        break;
    case PageParameter::Cycles:
        Cycles = value;
        break;
    case PageParameter::Phase:
        Phase = value;
        break;
    case PageParameter::Symmetry:
        Symmetry = value;
        break;
    case PageParameter::Duty:
        Duty = value;
        break;
    case PageParameter::Transition:
        Transition = value;
        break;
    }
}

std::array<double, kParameterCount> PageRecord::parameters() const {
    std::array<double, kParameterCount> values{};
    for (int i = 0; i < kParameterCount; ++i)
        values[size_t(i)] = parameter(static_cast<PageParameter>(i));
    return values;
}

void PageRecord::clearValues() {
    Visited = false;
    Effective = false;
    Offset = 0.0;
    Amplitude = kFullScaleAmplitude;
    Cycles = 1.0;
    Phase = 0.0;
    Symmetry = 50.0;
    Duty = 50.0;
    Transition = 0.0;
    Constants.clear();
    Expression.clear();
    touch();
}

void PageRecord::clearAll() {
    clearValues();
    Type = PageType::Sine;
    Start = 0.0;
    End = 0.0;
    Size = 0.0;
}

bool PageRecord::sameContents(const PageRecord& o) const {
    return PageNumber == o.PageNumber && Visited == o.Visited && Effective == o.Effective &&
           Type == o.Type && Start == o.Start && End == o.End && parameters() == o.parameters() &&
           Constants == o.Constants && Expression == o.Expression;
}

QString NormalizedConstants(const QString& text) {
    QString unified = text;
    unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines;
    for (const QString& line : unified.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            lines << trimmed;
    }
    QString joined = lines.join(QStringLiteral("\r\n"));
    joined = cutToBytes(joined, kConstantsCapacity);
    // A cut may leave a line end or blanks at the end.
    return joined.trimmed();
}

QString NormalizedExpression(const QString& text) {
    QString line = text;
    for (QChar& c : line)
        if (c == u'\r' || c == u'\n' || c == u'\t')
            c = u' ';
    return cutToBytes(line.trimmed(), kExpressionCapacity).trimmed();
}

} // namespace zw::create
