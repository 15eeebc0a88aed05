// Reading printed PDF files back with poppler's command-line tools: the
// text (pdftotext), the page count (pdfinfo), the fonts (pdffonts) and the
// pixels of a page (pdftoppm), for checks that do not trust the code that
// wrote the file.
#ifndef ZW_TESTS_PRINT_PDFTOOLS_H
#define ZW_TESTS_PRINT_PDFTOOLS_H

#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

namespace zwtest {

// The application of a test program that paints (one that shows windows
// makes its QApplication first).
inline QGuiApplication& paintApp() {
    static int argc = 1;
    static char name[] = "print_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = QGuiApplication::instance()
                                      ? qobject_cast<QGuiApplication*>(QGuiApplication::instance())
                                      : new QGuiApplication(argc, argv);
    return *app;
}

// Standard output of a program; empty when it cannot run or fails.
inline QString runTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of the file or of one page (1-based), in reading order.
inline QString pdfText(const QString& pdf, int page = 0) {
    QStringList args{"-enc", "UTF-8"};
    if (page > 0)
        args << "-f" << QString::number(page) << "-l" << QString::number(page);
    return runTool("pdftotext", args << pdf << "-");
}

// The same with the page's layout kept: items of one printed line stay on
// one text line.
inline QString pdfLayoutText(const QString& pdf, int page = 0) {
    QStringList args{"-layout", "-enc", "UTF-8"};
    if (page > 0)
        args << "-f" << QString::number(page) << "-l" << QString::number(page);
    return runTool("pdftotext", args << pdf << "-");
}

inline int pdfPageCount(const QString& pdf) {
    const QRegularExpression pages("^Pages:\\s+(\\d+)", QRegularExpression::MultilineOption);
    const auto m = pages.match(runTool("pdfinfo", {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

inline QString pdfFonts(const QString& pdf) {
    return runTool("pdffonts", {pdf});
}

// Page `page` rendered at `dpi`, without smoothing of the drawn lines so
// that thin lines keep their colour.
inline QImage pdfPage(const QString& pdf, int dpi, int page = 1) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath("page");
    runTool("pdftoppm", {"-r", QString::number(dpi), "-aaVector", "no", "-png", "-singlefile", "-f",
                         QString::number(page), "-l", QString::number(page), pdf, prefix});
    return QImage(prefix + ".png").convertToFormat(QImage::Format_RGB32);
}

// The bounding box of the pixels that pass `test`; empty when none does.
inline QRect pixelBox(const QImage& image, const std::function<bool(QRgb)>& test,
                      const QRect& within = {}) {
    const QRect area = within.isNull() ? image.rect() : within & image.rect();
    int left = area.right() + 1, right = area.left() - 1, top = area.bottom() + 1,
        bottom = area.top() - 1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
            if (test(row[x])) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    return right < left ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// The printed trace is blue; text and the plot's frame are black; the grid
// is light grey.
inline bool isTrace(QRgb c) {
    return qBlue(c) > 160 && qRed(c) < 120 && qGreen(c) < 120;
}
inline bool isInk(QRgb c) {
    return qRed(c) < 110 && qGreen(c) < 110 && qBlue(c) < 110;
}
inline bool isGrid(QRgb c) {
    return qRed(c) > 170 && qRed(c) < 235 && std::abs(qRed(c) - qGreen(c)) < 12 &&
           std::abs(qRed(c) - qBlue(c)) < 12;
}

inline int mmToPixels(double mm, int dpi) {
    return static_cast<int>(mm * dpi / 25.4);
}

} // namespace zwtest

#endif // ZW_TESTS_PRINT_PDFTOOLS_H
