// Preparing an expression page's text for the evaluator.
#include "ExpressionText.h"

#include "NumberFormat.h"

#include <cmath>

namespace zw::create {
namespace {

using NumberFormat::NumberText;

bool isNameCharacter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'_';
}

bool standsAlone(const QString& text, qsizetype at, qsizetype length) {
    const bool before = at > 0 && isNameCharacter(text[at - 1]);
    const bool after = at + length < text.size() && isNameCharacter(text[at + length]);
    return !before && !after;
}

qsizetype skipBlanks(const QString& text, qsizetype at) {
    while (at < text.size() && text[at].isSpace())
        ++at;
    return at;
}

// The position of the ")" that closes the "(" at `open`, or -1.
qsizetype closingBracket(const QString& text, qsizetype open) {
    int depth = 0;
    for (qsizetype i = open; i < text.size(); ++i) {
        if (text[i] == u'(')
            ++depth;
        else if (text[i] == u')' && --depth == 0)
            return i;
    }
    return -1;
}

} // namespace

QString WrapForYUnit(const QString& formula, const Units& units) {
    const int yUnit = units.setting().YUnit;
    if (yUnit != 1 && yUnit != 2)
        return formula;
    const QString high = NumberText(units.YCodeToUnit(32767.0));
    const QString low = NumberText(units.YCodeToUnit(-32767.0));
    return QStringLiteral("((") + formula + QStringLiteral(")-((") + high + u'+' + low +
           QStringLiteral(")/2))*(65534/(") + high + u'-' + low + QStringLiteral("))");
}

QString GiveRndItsVariable(const QString& text) {
    QString out = text;
    qsizetype from = 0;
    while (true) {
        const qsizetype at = out.indexOf(QLatin1String("rnd"), from, Qt::CaseInsensitive);
        if (at < 0)
            break;
        from = at + 3;
        if (!standsAlone(out, at, 3))
            continue;
        const qsizetype open = skipBlanks(out, at + 3);
        if (open >= out.size() || out[open] != u'(')
            continue;
        const qsizetype close = closingBracket(out, open);
        if (close < 0)
            break; // unbalanced: the evaluator reports it
        out.replace(open + 1, close - open - 1, QStringLiteral("x"));
        from = open + 2;
    }
    return out;
}

QString ReplaceFreeX(const QString& text, const Units& units) {
    const int xUnit = units.setting().XUnit;
    if (xUnit != 1 && xUnit != 2)
        return text;
    const double n = units.setting().WaveLength;
    QString index;
    if (xUnit == 1) {
        index = QStringLiteral("(x*(") + NumberText(units.setting().Cycle) + u'/' + NumberText(n) +
                QStringLiteral("))");
    } else {
        index = QStringLiteral("(x*((") + NumberText(units.XPositionToUnit(n)) + u'-' +
                NumberText(units.XPositionToUnit(0.0)) + QStringLiteral(")/") + NumberText(n) +
                QStringLiteral(")+(") + NumberText(units.setting().XUserStart) +
                QStringLiteral("))");
    }
    QString out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if ((text[i] == u'x' || text[i] == u'X') && standsAlone(text, i, 1))
            out += index;
        else
            out += text[i];
    }
    return out;
}

std::string PrepareExpression(const QString& formula, const QString& constants,
                              const Units& units) {
    QString text = WrapForYUnit(formula, units);
    text = GiveRndItsVariable(text).toLower();
    text = ReplaceFreeX(text, units);
    text = (u'[' + constants.trimmed() + u']' + text).toLower();
    return text.toStdString();
}

std::string ConstantCheckText(const QString& constants, double sample) {
    const QString whole =
        std::isfinite(sample) ? QString::number(std::round(sample), 'f', 0) : QStringLiteral("0");
    return (u'[' + constants + u']' + whole).toStdString();
}

} // namespace zw::create
