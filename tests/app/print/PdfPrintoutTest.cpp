// Every printout printed to a PDF file and read back with poppler: its text
// in both languages, where its ink lies on the sheet (inside the margins,
// the heading above the plot, the trace inside the plot at the height its
// codes call for), page breaks of long listings, the font chosen, the empty
// job of the other tools, and the failures.
#include "CaptionCatalog.h"
#include "PageListing.h"
#include "PdfTools.h"
#include "PrintJob.h"
#include "SetupListing.h"
#include "sigcore32.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

using zw::CaptionCatalog;
using zw::Language;
using zw::PrintOutcome;
using zwtest::isInk;
using zwtest::isTrace;
using zwtest::mmToPixels;

// One pixel per 0.1 mm: the plot's own pixels.
constexpr int kDpi = 254;
constexpr long kLength = 1000;

struct Memory {
    ZwMemHandle h = W_AllocMemory(65536);
    ~Memory() { W_FreeMemory(h); }
};

class PdfPrintout : public ::testing::Test {
protected:
    static void SetUpTestSuite() { zwtest::paintApp(); }

    // ZW_PRINT_TEST_KEEP names a folder that keeps the printed files, to
    // look at them.
    QString pdfPath(const char* name) const {
        const QString keep = qEnvironmentVariable("ZW_PRINT_TEST_KEEP");
        return (keep.isEmpty() ? dir_.path() : keep) + '/' + name + ".pdf";
    }

    std::unique_ptr<QPrinter> pdfPrinter(const QString& path,
                                         QPageLayout::Orientation o = QPageLayout::Portrait) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path);
        printer->setPageSize(QPageSize(QPageSize::A4));
        printer->setPageOrientation(o);
        return printer;
    }

    // A sine of two periods over 1000 samples, half the full span peak to
    // peak, so it reaches from a quarter to three quarters of the plot.
    zw::WaveformPrintSource sineSource() {
        W_MakeSin(memory_.h, 0, kLength, 0, 32767, 2, 0);
        zw::WaveformPrintSource s;
        s.memory = memory_.h;
        s.view = zw::WaveView(kLength);
        s.units.WaveLength = kLength;
        s.fileName = "/home/user/waves/pulse.wdb";
        s.modelName = "FG-100";
        s.memorySizeText = "1K";
        s.printedAt = QDateTime(QDate(2026, 12, 8), QTime(9, 30));
        return s;
    }

    QTemporaryDir dir_;
    Memory memory_;
    zw::PrintSettings settings_;
};

// The plot's frame: the rows and columns where black ink runs across a
// large part of the sheet.
QRect frameBox(const QImage& page) {
    auto count = [&](bool rows, int i) {
        int n = 0;
        const int extent = rows ? page.width() : page.height();
        for (int j = 0; j < extent; ++j)
            n += isInk(rows ? page.pixel(j, i) : page.pixel(i, j));
        return n;
    };
    int top = -1, bottom = -1, left = -1, right = -1;
    for (int y = 0; y < page.height(); ++y)
        if (count(true, y) > page.width() * 2 / 5) {
            top = top < 0 ? y : top;
            bottom = y;
        }
    for (int x = 0; x < page.width(); ++x)
        if (count(false, x) > page.height() / 4) {
            left = left < 0 ? x : left;
            right = x;
        }
    return top < 0 || left < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

TEST_F(PdfPrintout, WaveformInEnglish) {
    const QString pdf = pdfPath("wave-en");
    auto printer = pdfPrinter(pdf);
    ASSERT_EQ(
        zw::PrintWaveform(*printer, settings_, sineSource(), CaptionCatalog(Language::English)),
        PrintOutcome::Printed);
    EXPECT_EQ(zwtest::pdfPageCount(pdf), 1);

    const QString text = zwtest::pdfLayoutText(pdf);
    EXPECT_TRUE(text.contains("/home/user/waves/pulse.wdb")) << text.toStdString();
    EXPECT_TRUE(text.contains(
        QRegularExpression("Model\\s+FG-100\\s+Memory Size\\s+1K\\s+2026-12-08 09:30")))
        << text.toStdString();
    // The labels as the window shows them: the plain format of 8 characters.
    for (const char* label : {"32767.00", "-32767.0", "0.000000 Word", "1000.000 Word"})
        EXPECT_TRUE(text.contains(label)) << label;

    const QImage page = zwtest::pdfPage(pdf, kDpi);
    ASSERT_FALSE(page.isNull());
    const int margin = mmToPixels(5, kDpi);
    const QRect frame = frameBox(page);
    ASSERT_FALSE(frame.isNull());
    const QRect trace = zwtest::pixelBox(page, isTrace);
    ASSERT_FALSE(trace.isNull());
    // The trace inside the frame, the frame inside the margins.
    EXPECT_TRUE(frame.adjusted(-1, -1, 1, 1).contains(trace)) << trace.x() << "," << trace.y();
    EXPECT_GE(frame.left(), margin);
    EXPECT_LE(frame.right(), page.width() - margin);
    // Two periods fill the width; half the span fills the middle half.
    EXPECT_LE(trace.left() - frame.left(), 2);
    EXPECT_LE(frame.right() - trace.right(), 2);
    EXPECT_NEAR(trace.top() - frame.top(), frame.height() / 4.0, 3);
    EXPECT_NEAR(frame.bottom() - trace.bottom(), frame.height() / 4.0, 3);
    // The heading: ink above the frame, below the top margin.
    const QRect heading =
        zwtest::pixelBox(page, isInk, QRect(0, 0, page.width(), frame.top() - mmToPixels(4, kDpi)));
    ASSERT_FALSE(heading.isNull());
    EXPECT_GE(heading.top(), margin - 1);
    EXPECT_GE(heading.left(), margin - 1);
    // No ink at all in the margins.
    const QRect ink = zwtest::pixelBox(page, [](QRgb c) { return isInk(c) || isTrace(c); });
    EXPECT_GE(ink.left(), margin - 1);
    EXPECT_GE(ink.top(), margin - 1);
    EXPECT_LE(ink.right(), page.width() - margin);
    EXPECT_LE(ink.bottom(), page.height() - margin);
}

TEST_F(PdfPrintout, WaveformInJapaneseWithWiderMargins) {
    settings_.margins.commitText(zw::kMarginLeft, u"40");
    settings_.margins.commitText(zw::kMarginTop, u"30");
    const QString pdf = pdfPath("wave-ja");
    auto printer = pdfPrinter(pdf, QPageLayout::Landscape);
    ASSERT_EQ(
        zw::PrintWaveform(*printer, settings_, sineSource(), CaptionCatalog(Language::Japanese)),
        PrintOutcome::Printed);
    const QString text = zwtest::pdfLayoutText(pdf);
    EXPECT_TRUE(text.contains(QString::fromUtf8("機種"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8("波形ﾒﾓﾘｻｲｽﾞ"))) << text.toStdString();

    const QImage page = zwtest::pdfPage(pdf, kDpi);
    ASSERT_GT(page.width(), page.height()); // landscape
    const QRect ink = zwtest::pixelBox(page, [](QRgb c) { return isInk(c) || isTrace(c); });
    EXPECT_GE(ink.left(), mmToPixels(40, kDpi) - 1);
    EXPECT_GE(ink.top(), mmToPixels(30, kDpi) - 1);
    EXPECT_LE(ink.right(), page.width() - mmToPixels(40, kDpi));
    EXPECT_LE(ink.bottom(), page.height() - mmToPixels(5, kDpi));
}

TEST_F(PdfPrintout, GridOnlyWhenShown) {
    zw::WaveformPrintSource s = sineSource();
    for (const bool shown : {false, true}) {
        s.gridShown = shown;
        const QString pdf = pdfPath(shown ? "grid-on" : "grid-off");
        auto printer = pdfPrinter(pdf);
        ASSERT_EQ(zw::PrintWaveform(*printer, settings_, s, CaptionCatalog(Language::English)),
                  PrintOutcome::Printed);
        const QImage page = zwtest::pdfPage(pdf, kDpi);
        const QRect inside = frameBox(page).adjusted(3, 3, -3, -3);
        EXPECT_EQ(zwtest::pixelBox(page, zwtest::isGrid, inside).isNull(), !shown);
    }
}

TEST_F(PdfPrintout, ZoomedViewPrintsWhatTheWindowShows) {
    // The second half of a ramp at 1:2: the left edge shows sample 500.
    zw::WaveformPrintSource s = sineSource();
    W_MakeDC(memory_.h, 0, 500, -32767);
    W_MakeDC(memory_.h, 500, 500, 32767);
    s.view.setXZoomIndex(1);
    s.view.horizontalScroll(s.view.hscroll().maximum);
    ASSERT_EQ(s.view.ViewLeft(), 500);
    const QString pdf = pdfPath("zoomed");
    auto printer = pdfPrinter(pdf);
    ASSERT_EQ(zw::PrintWaveform(*printer, settings_, s, CaptionCatalog(Language::English)),
              PrintOutcome::Printed);
    EXPECT_TRUE(zwtest::pdfLayoutText(pdf).contains("500.0000 Word"));
    const QImage page = zwtest::pdfPage(pdf, kDpi);
    const QRect frame = frameBox(page);
    const QRect trace = zwtest::pixelBox(page, isTrace);
    // Only the high level is in view: one line along the top of the plot,
    // inside the frame's line.
    EXPECT_LE(trace.height(), 2);
    EXPECT_LE(std::abs(trace.top() - frame.top()), 3);
    EXPECT_GT(trace.width(), frame.width() - 5);
}

TEST_F(PdfPrintout, VerticalZoomPrintsTheCodesInView) {
    // At 1:2 centred on code 0 the view spans half the codes, so the sine
    // that fills the middle half at 1:1 now fills the whole height.
    zw::WaveformPrintSource s = sineSource();
    s.view.setYZoomIndex(1);
    ASSERT_EQ(s.view.YZoom(), 2);
    const QString pdf = pdfPath("yzoom");
    auto printer = pdfPrinter(pdf);
    ASSERT_EQ(zw::PrintWaveform(*printer, settings_, s, CaptionCatalog(Language::English)),
              PrintOutcome::Printed);
    const QImage page = zwtest::pdfPage(pdf, kDpi);
    const QRect frame = frameBox(page);
    const QRect trace = zwtest::pixelBox(page, isTrace);
    EXPECT_LE(trace.top() - frame.top(), 4);
    EXPECT_LE(frame.bottom() - trace.bottom(), 4);
    // The value labels follow: the top one is about half the full code.
    EXPECT_TRUE(zwtest::pdfLayoutText(pdf).contains("16383"));
}

TEST_F(PdfPrintout, DigitalViewPrintsSixteenNumberedLines) {
    zw::WaveformPrintSource s = sineSource();
    W_MakeDC(memory_.h, 0, kLength, 0x5555); // even lines high, odd lines low
    s.digital = true;
    const QString pdf = pdfPath("digital");
    auto printer = pdfPrinter(pdf);
    ASSERT_EQ(zw::PrintWaveform(*printer, settings_, s, CaptionCatalog(Language::English)),
              PrintOutcome::Printed);
    const QString text = zwtest::pdfText(pdf);
    for (int line = 0; line < 16; ++line)
        EXPECT_TRUE(text.contains(QRegularExpression(QString("(^|\\s)%1(\\s|$)").arg(line))))
            << line;

    const QImage page = zwtest::pdfPage(pdf, kDpi);
    const QRect frame = frameBox(page);
    const int x = frame.center().x();
    int bands = 0;
    bool inBand = false;
    for (int y = frame.top() + 2; y < frame.bottom() - 1; ++y) {
        const bool trace = isTrace(page.pixel(x, y));
        bands += trace && !inBand;
        inBand = trace;
    }
    EXPECT_EQ(bands, 16);
}

zw::SetupListingSource setupSource() {
    zw::SetupListingSource s;
    s.info.Frequency = 1000;
    s.info.Cycle = 0.001;
    s.info.Amplitude = 2.5;
    s.info.Offset = 0.5;
    s.info.OutputState = ZW_OUTPUT_ON;
    s.info.Address = 2;
    s.interfaceType = 0;
    s.modelName = "FG-100";
    s.memorySizeName = "64K";
    s.channelName = "CH1";
    s.rangeName = "10V";
    return s;
}

TEST_F(PdfPrintout, SetupListingInBothLanguages) {
    for (const Language language : {Language::English, Language::Japanese}) {
        const bool english = language == Language::English;
        const QString pdf = pdfPath(english ? "setup-en" : "setup-ja");
        auto printer = pdfPrinter(pdf);
        const CaptionCatalog catalog(language);
        ASSERT_EQ(
            zw::PrintListing(*printer, settings_, zw::BuildSetupListing(setupSource(), catalog)),
            PrintOutcome::Printed);
        // Compared in compatibility form: a CJK font may share one glyph
        // between a character and its look-alike (小 and the radical ⼩), and
        // the text read back names either.
        const auto kc = [](const QString& t) {
            return t.normalized(QString::NormalizationForm_KC);
        };
        const QString text = kc(zwtest::pdfLayoutText(pdf));
        const QStringList expected =
            english ? QStringList{"<System Setup>", "[Basic Setup]", "<Unit Setup>",
                                  "[Y-Axis Unit]", "Min to Max"}
                    : QStringList{QString::fromUtf8("<ｼｽﾃﾑ設定>"), QString::fromUtf8("[機種設定]"),
                                  QString::fromUtf8("<単位設定>"), QString::fromUtf8("[Y軸単位]"),
                                  QString::fromUtf8("最小値"),     QString::fromUtf8("出力ON/OFF")};
        for (const QString& label : expected)
            EXPECT_TRUE(text.contains(kc(label))) << label.toStdString() << "\n"
                                                  << text.toStdString();
        // Label and value on one printed line.
        const QString frequency = english ? "Frequency" : QString::fromUtf8("周波数");
        EXPECT_TRUE(text.contains(QRegularExpression(frequency + "\\s+1000 Hz")));
        EXPECT_TRUE(text.contains(QRegularExpression("\\s+2\\.5 Vp-p")));
        EXPECT_TRUE(text.contains(QRegularExpression("\\s+\\.5 V\\b")));
        EXPECT_TRUE(text.contains(QRegularExpression("\\s+\\.001 sec")));

        const QImage page = zwtest::pdfPage(pdf, kDpi);
        const QRect ink = zwtest::pixelBox(page, isInk);
        EXPECT_GE(ink.left(), mmToPixels(5, kDpi) - 1);
        EXPECT_GE(ink.top(), mmToPixels(5, kDpi) - 1);
    }
}

std::vector<zw::PageFields> manyPages(int count) {
    std::vector<zw::PageFields> pages;
    for (int i = 1; i <= count; ++i) {
        zw::PageFields p;
        p.number = i;
        p.effective = true;
        p.type = i % 6;
        p.start = (i - 1) * 100;
        p.end = i * 100;
        p.size = 100;
        p.amplitude = 1000;
        p.cycles = 1;
        p.expression = "sin(x)";
        p.constants = "a=1";
        pages.push_back(p);
    }
    return pages;
}

TEST_F(PdfPrintout, LongPageListingBreaksBetweenPages) {
    settings_.margins.commitText(zw::kMarginBottom, u"20");
    zw::UnitSetting u;
    u.WaveLength = 65536;
    for (const Language language : {Language::English, Language::Japanese}) {
        const bool english = language == Language::English;
        const QString pdf = pdfPath(english ? "pages-en" : "pages-ja");
        auto printer = pdfPrinter(pdf);
        const CaptionCatalog catalog(language);
        ASSERT_EQ(zw::PrintListing(*printer, settings_,
                                   zw::BuildPageListing(manyPages(60), zw::Units(u), catalog)),
                  PrintOutcome::Printed);
        const int sheets = zwtest::pdfPageCount(pdf);
        ASSERT_GT(sheets, 3);
        const QString pageLabel = english ? "Page" : QString::fromUtf8("ﾍﾟｰｼﾞ");
        const QRegularExpression pageLine("^\\s*" + pageLabel + "\\s",
                                          QRegularExpression::MultilineOption);
        int blocks = 0;
        for (int sheet = 1; sheet <= sheets; ++sheet) {
            const QString text = zwtest::pdfLayoutText(pdf, sheet);
            // Every block that starts on a sheet ends on it.
            const auto starts = text.count(pageLine);
            EXPECT_EQ(starts, text.count("---------------")) << "sheet " << sheet;
            blocks += static_cast<int>(starts);
            if (sheet == 1) {
                EXPECT_TRUE(text.trimmed().startsWith("+++++++++++++++"));
            }
            if (sheet == sheets) {
                EXPECT_TRUE(text.trimmed().endsWith("+++++++++++++++"));
            }
            const QImage image = zwtest::pdfPage(pdf, 50, sheet);
            const QRect ink = zwtest::pixelBox(image, isInk);
            EXPECT_LE(ink.bottom(), image.height() - mmToPixels(20, 50)) << "sheet " << sheet;
        }
        EXPECT_EQ(blocks, 60);
        const QString all = zwtest::pdfText(pdf);
        EXPECT_TRUE(all.contains(english ? "Duty Ratio" : QString::fromUtf8("ﾃﾞｭｰﾃｨ")));
        EXPECT_TRUE(all.contains(english ? "Transition" : QString::fromUtf8("遷移")));
    }
}

TEST_F(PdfPrintout, LongExpressionWrapsInsideTheBody) {
    zw::PageFields p;
    p.number = 1;
    p.effective = true;
    p.type = 5;
    p.expression = QString("sin(x)+").repeated(140) + "1";
    zw::UnitSetting u;
    u.WaveLength = 1000;
    const QString pdf = pdfPath("wrapped");
    auto printer = pdfPrinter(pdf);
    ASSERT_EQ(zw::PrintListing(
                  *printer, settings_,
                  zw::BuildPageListing({p}, zw::Units(u), CaptionCatalog(Language::English))),
              PrintOutcome::Printed);
    QString text = zwtest::pdfText(pdf);
    text.remove(QRegularExpression("\\s"));
    EXPECT_TRUE(text.contains(p.expression)); // nothing lost
    const QImage page = zwtest::pdfPage(pdf, kDpi);
    const QRect ink = zwtest::pixelBox(page, isInk);
    EXPECT_LE(ink.right(), page.width() - mmToPixels(5, kDpi));
}

TEST_F(PdfPrintout, TheChosenFontIsUsed) {
    const QString pdf = pdfPath("font");
    auto printer = pdfPrinter(pdf);
    settings_.font = QFont("DejaVu Serif", 12, QFont::Bold);
    ASSERT_EQ(
        zw::PrintListing(*printer, settings_,
                         zw::BuildSetupListing(setupSource(), CaptionCatalog(Language::English))),
        PrintOutcome::Printed);
    const QString fonts = zwtest::pdfFonts(pdf);
    EXPECT_TRUE(fonts.contains("DejaVuSerif-Bold")) << fonts.toStdString();
    EXPECT_FALSE(fonts.contains("DejaVuSans")) << fonts.toStdString();

    const QString italic = pdfPath("italic");
    auto second = pdfPrinter(italic);
    settings_.font = QFont("DejaVu Sans", 9, QFont::Normal, true);
    ASSERT_EQ(
        zw::PrintWaveform(*second, settings_, sineSource(), CaptionCatalog(Language::English)),
        PrintOutcome::Printed);
    EXPECT_TRUE(zwtest::pdfFonts(italic).contains("DejaVuSans-Oblique"));
}

TEST_F(PdfPrintout, EachToolGetsItsPrintout) {
    int asked = 0;
    zw::PrintSources sources;
    sources.waveform = [&] {
        ++asked;
        return sineSource();
    };
    sources.pages = [&] {
        ++asked;
        zw::UnitSetting u;
        u.WaveLength = 1000;
        return zw::BuildPageListing(manyPages(2), zw::Units(u), CaptionCatalog(Language::English));
    };
    sources.setup = [&] {
        ++asked;
        return zw::BuildSetupListing(setupSource(), CaptionCatalog(Language::English));
    };
    const CaptionCatalog catalog(Language::English);
    using zw::ToolMode;
    const std::pair<ToolMode, const char*> cases[] = {{ToolMode::None, "pulse.wdb"},
                                                      {ToolMode::Create, "Function"},
                                                      {ToolMode::SystemSetup, "<System Setup>"}};
    for (const auto& [tool, marker] : cases) {
        const QString pdf = pdfPath(qPrintable(QString("tool%1").arg(static_cast<int>(tool))));
        auto printer = pdfPrinter(pdf);
        ASSERT_EQ(zw::PrintForTool(*printer, settings_, tool, sources, catalog),
                  PrintOutcome::Printed);
        EXPECT_TRUE(zwtest::pdfText(pdf).contains(marker)) << marker;
    }
    EXPECT_EQ(asked, 3);
}

TEST_F(PdfPrintout, OtherToolsStartNoJob) {
    int asked = 0;
    zw::PrintSources sources;
    sources.waveform = [&] {
        ++asked;
        return sineSource();
    };
    sources.pages = [&] {
        ++asked;
        return zw::Listing();
    };
    sources.setup = [&] {
        ++asked;
        return zw::Listing();
    };
    using zw::ToolMode;
    for (const ToolMode tool : {ToolMode::Compress, ToolMode::Interpolate, ToolMode::Operate}) {
        const QString pdf = pdfPath(qPrintable(QString("empty%1").arg(static_cast<int>(tool))));
        auto printer = pdfPrinter(pdf);
        EXPECT_EQ(
            zw::PrintForTool(*printer, settings_, tool, sources, CaptionCatalog(Language::English)),
            PrintOutcome::NothingToPrint);
        EXPECT_FALSE(QFile::exists(pdf)) << static_cast<int>(tool);
    }
    EXPECT_EQ(asked, 0);
}

TEST_F(PdfPrintout, AnUnwritablePdfIsReported) {
    const QString pdf = dir_.filePath("no-such-folder/out.pdf");
    auto printer = pdfPrinter(pdf);
    EXPECT_EQ(
        zw::PrintWaveform(*printer, settings_, sineSource(), CaptionCatalog(Language::English)),
        PrintOutcome::FileFailed);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PdfPrintout, MarginsThatLeaveNoRoomPrintNothing) {
    settings_.margins.commitText(zw::kMarginLeft, u"100");
    const QString pdf = pdfPath("no-room");
    auto printer = pdfPrinter(pdf);
    printer->setPageSize(QPageSize(QPageSize::A5));
    EXPECT_EQ(
        zw::PrintListing(*printer, settings_,
                         zw::BuildSetupListing(setupSource(), CaptionCatalog(Language::English))),
        PrintOutcome::NoRoom);
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
