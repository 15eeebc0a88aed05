#include "PointListFile.h"

#include "DocumentNames.h"
#include "NumberFormat.h"
#include "TextCodec.h"
#include "Units.h"

#include <QFile>
#include <QSaveFile>

namespace zw {

namespace {

constexpr int32_t kFileWriteError = 72;
constexpr qint64 kLargestRead = 64LL * 1024 * 1024;

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

bool endsValue(QChar c) {
    return c == u'\r' || c == u'\n' || c == u',' || isBlank(c);
}

// "name.ext" with a three-letter extension: the name and the extension.
bool splitThreeLetterExtension(const QString& name, QString* base, QString* extension) {
    if (name.size() < 4 || name.at(name.size() - 4) != u'.' || name.right(3).contains(u'/'))
        return false;
    *base = name.left(name.size() - 4);
    *extension = name.right(3).toLower();
    return true;
}

FileDialogProposal proposal(const QString& textFileName, const QString& documentsFolder) {
    FileDialogProposal p;
    p.defaultExtension = "prn";
    if (textFileName.isEmpty() || textFileName == kUntitled) {
        p.path = documentsFolder.isEmpty() ? QString(kUntitled) : documentsFolder + "/" + kUntitled;
        return p;
    }
    QString base;
    QString extension;
    if (splitThreeLetterExtension(textFileName, &base, &extension) &&
        IsPointListFile(textFileName)) {
        p.path = base;
        p.defaultExtension = extension;
    } else {
        p.path = textFileName;
    }
    return p;
}

// A read-out without the zeros that end its fraction ("100.0000000" is
// "100", "610.370m" is "610.37m"): the same number, as a person writes it.
QString withoutTrailingZeros(const QString& readOut) {
    QString text = readOut.trimmed();
    QString prefix;
    if (!text.isEmpty() && text.back().isLetter() && !text.contains(u'E')) {
        prefix = text.back();
        text.chop(1);
    }
    if (text.contains(u'.') && !text.contains(u'E')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text + prefix;
}

} // namespace

QChar PointListSeparator(const QString& path) {
    const QString tail = path.right(4).toLower();
    if (tail == ".prn")
        return u' ';
    if (tail == ".tsv")
        return u'\t';
    return u',';
}

bool IsPointListFile(const QString& path) {
    const QString ext = WaveFileExtension(path);
    return ext == "prn" || ext == "tsv" || ext == "csv";
}

QString PointListText(const double* xs, const double* ys, int count, const Units& units,
                      QChar separator) {
    QString text;
    for (int i = 0; i < count; ++i) {
        text += withoutTrailingZeros(units.FormatXPositionLong(xs[i]));
        text += separator;
        text += withoutTrailingZeros(units.FormatYValue(ys[i]));
        text += u"\r\n";
    }
    return text;
}

PointListParser::PointListParser(QStringView text) : text_(text) {
    if (!text_.isEmpty() && text_.front() == QChar(0xFEFF))
        pos_ = 1;
}

void PointListParser::skipBlanks() {
    while (pos_ < text_.size() && isBlank(text_[pos_]))
        ++pos_;
}

QStringView PointListParser::token() {
    const qsizetype start = pos_;
    while (pos_ < text_.size() && !endsValue(text_[pos_]))
        ++pos_;
    return text_.sliced(start, pos_ - start);
}

void PointListParser::skipLine() {
    while (pos_ < text_.size() && text_[pos_] != u'\r' && text_[pos_] != u'\n')
        ++pos_;
    if (pos_ < text_.size() && text_[pos_] == u'\r')
        ++pos_;
    if (pos_ < text_.size() && text_[pos_] == u'\n')
        ++pos_;
}

std::optional<PointListPair> PointListParser::next() {
    skipBlanks();
    const std::optional<double> x = NumberFormat::ReadEngineering(token());
    skipBlanks();
    if (pos_ < text_.size() && text_[pos_] == u',') {
        ++pos_;
        skipBlanks();
    }
    const std::optional<double> y = NumberFormat::ReadEngineering(token());
    if (!x || !y) {
        pos_ = text_.size();
        return std::nullopt;
    }
    skipLine();
    return PointListPair{*x, *y};
}

PointListPair PointFromDisplayUnits(const PointListPair& pair, const Units& units) {
    return {units.XUnitToPosition(units.LimitX(pair.x).value),
            units.YUnitToCode(units.LimitY(pair.y).value)};
}

int32_t WritePointList(const QString& path, const double* xs, const double* ys, int count,
                       const Units& units) {
    if (count <= 0)
        return 0;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return kFileWriteError;
    const QByteArray bytes = PointListText(xs, ys, count, units, PointListSeparator(path)).toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return kFileWriteError;
    return 0;
}

std::optional<QString> ReadPointListText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(kLargestRead);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return DecodeFileText(bytes);
}

QString PointListOpenFilter(Language language) {
    if (language == Language::English)
        return "Text files(*.prn; *.tsv; *.csv) (*.prn *.tsv *.csv);;All files(*.*) (*)";
    return QString::fromUtf8(
        "ﾃｷｽﾄﾌｧｲﾙ(*.prn; *.tsv; *.csv) (*.prn *.tsv *.csv);;全てのﾌｧｲﾙ(*.*) (*)");
}

QString PointListSaveFilter(Language language) {
    if (language == Language::English)
        return "Text files(Space delimited)(*.prn);;Text files(Tab delimited)(*.tsv);;"
               "Text files(Comma delimited)(*.csv)";
    return QString::fromUtf8("ﾃｷｽﾄﾌｧｲﾙ（ｽﾍﾟｰｽ区切り）(*.prn);;ﾃｷｽﾄﾌｧｲﾙ（ﾀﾌﾞ区切り）(*.tsv);;"
                             "ﾃｷｽﾄﾌｧｲﾙ（ｶﾝﾏ区切り）(*.csv)");
}

FileDialogProposal PointListOpenProposal(const QString& textFileName,
                                         const QString& documentsFolder) {
    return proposal(textFileName, documentsFolder);
}

FileDialogProposal PointListSaveProposal(const QString& textFileName,
                                         const QString& documentsFolder) {
    FileDialogProposal p = proposal(textFileName, documentsFolder);
    p.filterIndex = p.defaultExtension == "tsv" ? 1 : p.defaultExtension == "csv" ? 2 : 0;
    return p;
}

} // namespace zw
