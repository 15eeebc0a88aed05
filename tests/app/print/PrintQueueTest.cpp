// A real printer queue: the waveform printout goes to CUPS as a job for a
// cups-pdf queue, and the PDF that cups-pdf writes holds the page. Skipped,
// with the reason, only where no CUPS scheduler runs.
#include "CaptionCatalog.h"
#include "PdfTools.h"
#include "PrintJob.h"
#include "sigcore32.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>

#include <pwd.h>
#include <unistd.h>

namespace {

constexpr char kDefaultQueue[] = "ZW4410-PDF";

bool schedulerRuns() {
    return zwtest::runTool("lpstat", {"-r"}).contains("scheduler is running");
}

// Where cups-pdf puts the files of this user's jobs: its "Out" setting,
// with ${HOME} the home folder of the job's user.
QString cupsPdfFolder() {
    QString out = "${HOME}/PDF";
    QFile conf("/etc/cups/cups-pdf.conf");
    if (conf.open(QIODevice::ReadOnly | QIODevice::Text)) {
        const QRegularExpression line("^\\s*Out\\s+(\\S.*)$", QRegularExpression::MultilineOption);
        const auto m = line.match(QString::fromUtf8(conf.readAll()));
        if (m.hasMatch())
            out = m.captured(1).trimmed();
    }
    const passwd* user = getpwuid(getuid());
    return out.replace("${HOME}", user ? QString::fromLocal8Bit(user->pw_dir) : QDir::homePath());
}

// The first PDF in `folder` whose name starts with `title`, once cups-pdf
// has finished it; empty after the deadline.
QString waitForPdf(const QString& folder, const QString& title, int seconds) {
    QDeadlineTimer deadline(seconds * 1000);
    qint64 lastSize = -1;
    while (!deadline.hasExpired()) {
        const QFileInfoList found =
            QDir(folder).entryInfoList({title + "*.pdf"}, QDir::Files, QDir::Time);
        if (!found.isEmpty()) {
            const qint64 size = found.first().size();
            if (size > 0 && size == lastSize &&
                !zwtest::pdfText(found.first().filePath()).isEmpty())
                return found.first().filePath();
            lastSize = size;
        }
        QThread::msleep(250);
    }
    return {};
}

TEST(PrintQueue, WaveformReachesACupsPdfQueue) {
    zwtest::paintApp();
    if (!schedulerRuns())
        GTEST_SKIP() << "no CUPS scheduler runs on this machine (lpstat -r); "
                        "scripts/cups-pdf-queue.sh starts one and adds the queue";
    const QString queue = qEnvironmentVariable("ZW_PRINT_QUEUE", kDefaultQueue);
    ASSERT_FALSE(QPrinterInfo::printerInfo(queue).isNull())
        << "the CUPS scheduler runs but has no queue " << queue.toStdString()
        << "; scripts/cups-pdf-queue.sh adds it";

    const ZwMemHandle memory = W_AllocMemory(65536);
    W_MakeSin(memory, 0, 1000, 0, 60000, 3, 0);
    zw::WaveformPrintSource source;
    source.memory = memory;
    source.view = zw::WaveView(1000);
    source.units.WaveLength = 1000;
    source.fileName = "queue-test.wdb";
    source.modelName = "FG-100";
    source.memorySizeText = "1K";
    source.printedAt = QDateTime::currentDateTime();

    const QString title =
        QString("zw4410_queue_test_%1_%2").arg(getpid()).arg(QDateTime::currentMSecsSinceEpoch());
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(queue);
    printer.setDocName(title);
    ASSERT_EQ(printer.outputFormat(), QPrinter::NativeFormat);
    const zw::CaptionCatalog catalog(zw::Language::English);
    const zw::PrintOutcome outcome =
        zw::PrintWaveform(printer, zw::PrintSettings{}, source, catalog);
    // The same page written straight to a file, to compare with.
    QTemporaryDir dir;
    QPrinter direct(QPrinter::HighResolution);
    direct.setOutputFormat(QPrinter::PdfFormat);
    direct.setOutputFileName(dir.filePath("direct.pdf"));
    direct.setPageLayout(printer.pageLayout());
    const zw::PrintOutcome reference =
        zw::PrintWaveform(direct, zw::PrintSettings{}, source, catalog);
    W_FreeMemory(memory);
    ASSERT_EQ(outcome, zw::PrintOutcome::Printed);
    ASSERT_EQ(reference, zw::PrintOutcome::Printed);

    const QString folder = cupsPdfFolder();
    const QString pdf = waitForPdf(folder, title, 90);
    ASSERT_FALSE(pdf.isEmpty()) << "cups-pdf wrote no file for the job into "
                                << folder.toStdString();
    const std::unique_ptr<const QString, void (*)(const QString*)> removeAtEnd(
        &pdf, [](const QString* file) { QFile::remove(*file); });
    EXPECT_EQ(zwtest::pdfPageCount(pdf), 1);
    // cups-pdf rewrites the file through its PostScript interpreter, which
    // keeps the drawing but not always the text's character codes: compare
    // what the page shows with the page printed straight to a file.
    constexpr int kDpi = 127; // two plot pixels per image pixel
    const QImage page = zwtest::pdfPage(pdf, kDpi);
    const QImage expected = zwtest::pdfPage(direct.outputFileName(), kDpi);
    ASSERT_EQ(page.size(), expected.size());
    const QRect trace = zwtest::pixelBox(page, zwtest::isTrace);
    const QRect expectedTrace = zwtest::pixelBox(expected, zwtest::isTrace);
    ASSERT_FALSE(trace.isNull()) << "no trace on the page";
    const QRect ink = zwtest::pixelBox(page, zwtest::isInk);
    const QRect expectedInk = zwtest::pixelBox(expected, zwtest::isInk);
    for (const auto& [got, want] : {std::pair{trace, expectedTrace}, std::pair{ink, expectedInk}}) {
        EXPECT_LE(std::abs(got.left() - want.left()), 2);
        EXPECT_LE(std::abs(got.top() - want.top()), 2);
        EXPECT_LE(std::abs(got.right() - want.right()), 2);
        EXPECT_LE(std::abs(got.bottom() - want.bottom()), 2);
    }
}

} // namespace
