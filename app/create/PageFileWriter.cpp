// Writing the page file.
#include "PageFile.h"

#include "NumberFormat.h"

#include <QSaveFile>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace zw::create {
namespace {

using NumberFormat::NumberText;

struct HeaderLabels {
    const char* unitSetup;
    const char* xAxis;
    const char* yAxis;
    const char* name;
    const char* range;
};

constexpr HeaderLabels kEnglishLabels{"<Unit Setup>", "[X-Axis Unit]", "[Y-Axis Unit]", "Name",
                                      "Min to Max"};
constexpr HeaderLabels kJapaneseLabels{"<単位設定>", "[X軸単位]", "[Y軸単位]", "ﾕｰｻﾞ単位名称",
                                       "最小値～最大値"};

constexpr const char* kEnglishTypes[kPageTypeCount] = {"Sin",   "Triangle", "Square",
                                                       "Noise", "DC Volts", "Expression"};
constexpr const char* kJapaneseTypes[kPageTypeCount] = {"正弦波", "三角波", "方形波",
                                                        "ノイズ", "DC",     "波形関数"};

QString number(double value) {
    return NumberText(value);
}

QString range(double a, double b) {
    return number(a).trimmed() + u',' + number(b).trimmed();
}

QString xUnitName(const Units& units) {
    switch (units.setting().XUnit) {
    case 1:
        return QStringLiteral("sec");
    case 2:
        return QStringLiteral("User");
    default:
        return QStringLiteral("Word");
    }
}

QString yUnitName(const Units& units) {
    switch (units.setting().YUnit) {
    case 1:
        return QStringLiteral("V");
    case 2:
        return QStringLiteral("User");
    default:
        return QStringLiteral("Code");
    }
}

void writeHeader(QStringList& lines, const Units& units, const PageFileScale& scale,
                 Language language) {
    const HeaderLabels& l = language == Language::English ? kEnglishLabels : kJapaneseLabels;
    const UnitSetting& s = units.setting();
    const auto comment = [&](const QString& text) { lines << u'\'' + text; };
    comment(QStringLiteral("+++++++++++++++"));
    comment(QString::fromUtf8(l.unitSetup));
    comment(QString::fromUtf8(l.xAxis));
    comment(QStringLiteral("X-Axis Unit\t") + xUnitName(units));
    comment(QString::fromUtf8(l.name) + u'\t' + s.XUnitName);
    comment(QString::fromUtf8(l.range) + u'\t' + range(s.XUserStart, s.XUserEnd));
    comment(QStringLiteral("XX\t") + range(scale.x0, scale.x1));
    comment(QString::fromUtf8(l.yAxis));
    comment(QStringLiteral("Y-Axis Unit\t") + yUnitName(units));
    comment(QString::fromUtf8(l.name) + u'\t' + s.YUnitName);
    comment(QString::fromUtf8(l.range) + u'\t' + range(s.YUserMin, s.YUserMax));
    comment(QStringLiteral("YY\t") + range(scale.y0, scale.y1));
    comment(QStringLiteral("+++++++++++++++"));
}

// A constants line the reader would take for the end of the page keeps a
// leading blank, which the reader trims away again.
QString constantsLine(const QString& line) {
    return line.startsWith(QLatin1String("EndPage")) ? u' ' + line : line;
}

void writePage(QStringList& lines, const PageRecord& p, const PageFileScale& scale,
               Language language) {
    const auto keyed = [&](const QString& value, const char* key) {
        lines << value + QStringLiteral("\t\t") + QLatin1String(key);
    };
    const int type = int(p.Type);
    const char* typeName =
        language == Language::English ? kEnglishTypes[type] : kJapaneseTypes[type];
    lines << QStringLiteral("StartPage");
    keyed(QString::number(p.PageNumber), "'Page");
    lines << QString::number(type) + QStringLiteral("\t\t'Type  ") + QString::fromUtf8(typeName);
    keyed(number(scale.toFileX(p.Start)), "'Start");
    keyed(number(scale.toFileX(p.End)), "'End");
    keyed(number(p.Offset), "'Offset");
    keyed(number(scale.toFileX(p.Size)), "'Size");
    keyed(number(scale.toFileSpan(p.Amplitude)), "'Ampl");
    keyed(number(p.Cycles), "'Cycle");
    keyed(number(p.Phase), "'Phase");
    keyed(number(p.Symmetry), "'Symm");
    keyed(number(p.Duty), "'Duty");
    keyed(number(p.Transition), "'Transition");
    lines << QStringLiteral("\t\t'Y=");
    const QString expression = NormalizedExpression(p.Expression);
    lines << (expression.isEmpty() ? QStringLiteral("None") : expression);
    lines << QStringLiteral("\t\t'Const");
    const QString constants = NormalizedConstants(p.Constants);
    if (constants.isEmpty())
        lines << QStringLiteral("None");
    else
        for (const QString& line : constants.split(QStringLiteral("\r\n")))
            lines << constantsLine(line);
    lines << QStringLiteral("EndPage");
    lines << QStringLiteral("'----------------");
}

} // namespace

PageFileScale PageFileScale::FromUnits(const Units& units) {
    PageFileScale s;
    s.waveLength = units.setting().WaveLength;
    s.x0 = units.XPositionToUnit(0.0);
    s.x1 = units.XPositionToUnit(s.waveLength);
    s.y0 = units.YCodeToUnit(-32767.0);
    s.y1 = units.YCodeToUnit(32767.0);
    if (!std::isfinite(s.x0) || !std::isfinite(s.x1) || s.x0 == s.x1 || s.waveLength <= 0) {
        s.x0 = 0.0;
        s.x1 = s.waveLength;
    }
    if (!std::isfinite(s.y0) || !std::isfinite(s.y1) || s.y0 == s.y1) {
        s.y0 = -32767.0;
        s.y1 = 32767.0;
    }
    return s;
}

bool PageFileScale::usable() const {
    return std::isfinite(x0) && std::isfinite(x1) && (x0 != x1 || waveLength <= 0) &&
           std::isfinite(y0) && std::isfinite(y1) && y0 != y1;
}

namespace {

// A value read back through another unit lands a rounding error away from
// the whole sample or code it was written for; it is that sample again, so
// that ceil() finds the same first sample.
double snapped(double value) {
    const double whole = std::nearbyint(value);
    return std::fabs(value - whole) <= 1e-9 * std::max(1.0, std::fabs(value)) ? whole : value;
}

} // namespace

// Without a memory length there is no scale: values stay samples.
double PageFileScale::toFileX(double samples) const {
    return waveLength > 0 ? x0 + samples * ((x1 - x0) / waveLength) : samples;
}
double PageFileScale::fromFileX(double value) const {
    return waveLength > 0 ? snapped((value - x0) / ((x1 - x0) / waveLength)) : value;
}
double PageFileScale::toFileSpan(double codes) const {
    return codes * ((y1 - y0) / 65534.0);
}
double PageFileScale::fromFileSpan(double value) const {
    return snapped(value / ((y1 - y0) / 65534.0));
}

QString PageFileFilter(Language language) {
    if (language == Language::English)
        return QStringLiteral("Expression files(*.wfn);;All files(*.*)");
    return QString::fromUtf8("ﾃｷｽﾄ独自形式(*.wfn);;全てのﾌｧｲﾙ(*.*)");
}

QString PageFileProposal(const QString& pageFileName, const QString& documentsFolder) {
    const QString base = pageFileName.isEmpty() || pageFileName == QLatin1String("Untitled")
                             ? documentsFolder + QStringLiteral("/Untitled")
                             : pageFileName;
    return base + QStringLiteral(".wfn");
}

QString PageFileNameOf(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > slash ? path.left(dot) : path;
}

QString PageTypeName(PageType type, Language language) {
    const int t = std::clamp(int(type), 0, kPageTypeCount - 1);
    return QString::fromUtf8(language == Language::English ? kEnglishTypes[t] : kJapaneseTypes[t]);
}

QByteArray PageFileText(const PageTable& table, const Units& units, Language language) {
    const PageFileScale scale = PageFileScale::FromUnits(units);
    QStringList lines;
    writeHeader(lines, units, scale, language);
    for (const PageRecord& p : table.records())
        if (p.Effective && p.PageNumber >= kFirstPage)
            writePage(lines, p, scale, language);
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

int SavePageFile(const QString& path, const PageTable& table, const Units& units,
                 Language language) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return kFileWriteError;
    const QByteArray text = PageFileText(table, units, language);
    if (file.write(text) != text.size()) {
        file.cancelWriting();
        return kFileWriteError;
    }
    return file.commit() ? 0 : kFileWriteError;
}

} // namespace zw::create
