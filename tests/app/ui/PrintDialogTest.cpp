// The Print window, offscreen, driven by its control names: captions in
// both languages, the margin boxes and up-down controls, the printer and
// font dialogs, the preview, OK printing what the active tool calls for
// (read back from the PDF with poppler), the failures, and the main
// window's print item.
#include "PrintDialog.h"
#include "CaptionCoverage.h"
#include "CreateDialog.h"
#include "CurrentSetting.h"
#include "EditSession.h"
#include "EditorFixture.h"
#include "GuiDriver.h"
#include "MainWindow.h"
#include "MessageCatalog.h"
#include "Messages.h"
#include "ModelsFixture.h"
#include "PageTable.h"
#include "PdfTools.h"
#include "ScriptedFileDialogService.h"
#include "ScriptedMessageService.h"
#include "ToolWindowHost.h"
#include "UpDownButtons.h"
#include "WaveDocument.h"
#include "clsRegistry.h"
#include "sigcore32.h"

#include <QAction>
#include <QFile>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

using zw::Language;
using zw::ToolMode;

class PrintDialogTest : public ::testing::Test, protected zwtest::EditorFixture {
protected:
    static void SetUpTestSuite() {
        zwtest::guiApp();
        zwtest::loadBundledModels();
    }

    void SetUp() override { makeContext(Language::English); }

    void makeContext(Language language) {
        dialog.reset();
        EditorFixture::makeContext(language);
        if (HasFatalFailure())
            return;
        state.printer.setOutputFormat(QPrinter::PdfFormat);
        state.printer.setOutputFileName(pdf());
    }

    // The waveform the main window would show: a sine over the memory.
    zw::WaveformPrintSource waveform() const {
        W_MakeSin(doc.current(), 0, static_cast<double>(doc.WaveLength()), 0, 60000, 1, 0);
        zw::WaveformPrintSource s;
        s.memory = doc.current();
        s.view = zw::WaveView(doc.WaveLength());
        s.units.WaveLength = static_cast<double>(doc.WaveLength());
        s.fileName = "printed-wave.wdb";
        s.modelName = setting.modelName();
        s.printedAt = QDateTime::currentDateTime();
        return s;
    }

    zw::PrintDialog& open() {
        dialog = std::make_unique<zw::PrintDialog>(*context, state, [this] { return waveform(); });
        dialog->show();
        QApplication::processEvents();
        return *dialog;
    }

    template <typename T> T* find(const char* name) {
        return zwtest::findControl<T>(*dialog, name);
    }
    QString text(const char* name) { return find<QLineEdit>(name)->text(); }
    void type(const char* name, const QString& value) { zwtest::typeInto(*dialog, name, value); }
    void press(const char* upDown, const char* button) {
        find<zw::UpDownButtons>(upDown)->findChild<QToolButton*>(button)->click();
    }
    QString pdf() const { return dir.filePath("printed.pdf"); }

    zw::PrintState state;
    std::unique_ptr<zw::PrintDialog> dialog;
};

TEST_F(PrintDialogTest, CaptionsInBothLanguages) {
    for (const Language language : {Language::English, Language::Japanese}) {
        makeContext(language);
        open();
        const bool english = language == Language::English;
        EXPECT_EQ(dialog->windowTitle(),
                  english ? QString("ZW4410 - Print") : QString::fromUtf8("ZW4410 - 印刷"));
        EXPECT_EQ(find<QLabel>("Label_Margin_0")->text(),
                  english ? QString("&Left Margin") : QString::fromUtf8("左ﾏｰｼﾞﾝ(&L)"));
        EXPECT_EQ(find<QLabel>("Label_Margin_2")->text(),
                  english ? QString("&Bottom Margin") : QString::fromUtf8("下ﾏｰｼﾞﾝ(&B)"));
        EXPECT_EQ(find<QLabel>("Label_MM_1")->text(), "mm");
        EXPECT_EQ(find<QPushButton>("Btn_Prt_0")->text(),
                  english ? QString("&Printer Setup...") : QString::fromUtf8("ﾌﾟﾘﾝﾀの設定(&P)..."));
        EXPECT_EQ(find<QPushButton>("Btn_Prt_1")->text(),
                  english ? QString("Select &Font...") : QString::fromUtf8("ﾌｫﾝﾄの指定(&F)..."));
        EXPECT_EQ(find<QPushButton>("Btn_Cancel")->text(),
                  english ? QString("Cancel") : QString::fromUtf8("ｷｬﾝｾﾙ"));
        EXPECT_FALSE(find<QPushButton>("Btn_Preview")->text().isEmpty());
        EXPECT_EQ(
            zwtest::captionRowsWithoutControl(*dialog, zw::CaptionCatalog(language), "PrintDialog"),
            QStringList());
    }
}

TEST_F(PrintDialogTest, MarginBoxesFollowTheRules) {
    open();
    for (const char* box : {"Text_0", "Text_1", "Text_2"})
        EXPECT_EQ(text(box), "5") << box;
    type("Text_0", "3");
    EXPECT_EQ(text("Text_0"), "5");
    type("Text_1", "12.7");
    EXPECT_EQ(text("Text_1"), "12");
    type("Text_2", "250");
    EXPECT_EQ(text("Text_2"), "100");
    type("Text_1", "twelve");
    EXPECT_EQ(text("Text_1"), "12");

    press("UD_Margin_0", "Down"); // at 5: nothing
    EXPECT_EQ(text("Text_0"), "5");
    press("UD_Margin_0", "Up");
    EXPECT_EQ(text("Text_0"), "6");
    press("UD_Margin_2", "Up"); // at 100: nothing
    EXPECT_EQ(text("Text_2"), "100");
    press("UD_Margin_2", "Down");
    EXPECT_EQ(text("Text_2"), "99");

    // Kept for the run: the next Print window shows them.
    dialog->reject();
    open();
    EXPECT_EQ(text("Text_0"), "6");
    EXPECT_EQ(text("Text_1"), "12");
    EXPECT_EQ(text("Text_2"), "99");
}

TEST_F(PrintDialogTest, OkPrintsTheWaveformAndCloses) {
    open();
    type("Text_0", "20");
    find<QPushButton>("Btn_OK")->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_TRUE(QFile::exists(pdf()));
    EXPECT_TRUE(zwtest::pdfText(pdf()).contains("printed-wave.wdb"));
    const QImage page = zwtest::pdfPage(pdf(), 100);
    const QRect trace = zwtest::pixelBox(page, zwtest::isTrace);
    ASSERT_FALSE(trace.isNull());
    EXPECT_GE(trace.left(), zwtest::mmToPixels(20, 100));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PrintDialogTest, TheSystemSetupToolPrintsTheSetting) {
    for (const Language language : {Language::English, Language::Japanese}) {
        makeContext(language);
        session->setToolMode(ToolMode::SystemSetup);
        open();
        find<QPushButton>("Btn_OK")->click();
        const QString text = zwtest::pdfText(pdf());
        EXPECT_TRUE(text.contains(language == Language::English ? QString("<System Setup>")
                                                                : QString::fromUtf8("<単位設定>")))
            << text.toStdString();
        EXPECT_TRUE(text.contains(setting.modelName().trimmed())) << text.toStdString();
        QFile::remove(pdf());
    }
}

TEST_F(PrintDialogTest, OtherToolsPrintNothing) {
    for (const ToolMode tool : {ToolMode::Operate, ToolMode::Compress, ToolMode::Interpolate}) {
        session->setToolMode(tool);
        open();
        find<QPushButton>("Btn_OK")->click();
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_FALSE(QFile::exists(pdf()));
        EXPECT_TRUE(boxes.empty());
    }
}

TEST_F(PrintDialogTest, AnUnwritableFileIsReportedAndTheWindowStays) {
    state.printer.setOutputFileName(dir.filePath("missing-folder/out.pdf"));
    open();
    find<QPushButton>("Btn_OK")->click();
    ASSERT_FALSE(boxes.empty());
    EXPECT_TRUE(boxes.last().text.startsWith("Cannot write the PDF file: "));
    EXPECT_TRUE(boxes.last().text.endsWith("missing-folder/out.pdf"));
    EXPECT_TRUE(dialog->isVisible());
    find<QPushButton>("Btn_Cancel")->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(PrintDialogTest, CancelPrintsNothing) {
    open();
    find<QPushButton>("Btn_Cancel")->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(QFile::exists(pdf()));
}

TEST_F(PrintDialogTest, PrinterAndFontComeFromQtsDialogs) {
    open();
    bool sawPrinterDialog = false;
    zwtest::whenModalOpens([&](QWidget& modal) {
        sawPrinterDialog = qobject_cast<QPrintDialog*>(&modal) != nullptr;
        modal.close();
    });
    find<QPushButton>("Btn_Prt_0")->click();
    EXPECT_TRUE(sawPrinterDialog);

    zwtest::whenModalOpens([](QWidget& modal) {
        auto* fonts = qobject_cast<QFontDialog*>(&modal);
        ASSERT_NE(fonts, nullptr);
        fonts->setCurrentFont(QFont("DejaVu Serif", 13, QFont::Bold));
        fonts->accept();
    });
    find<QPushButton>("Btn_Prt_1")->click();
    EXPECT_EQ(state.settings.font.family(), "DejaVu Serif");
    EXPECT_TRUE(state.settings.font.bold());
    EXPECT_TRUE(find<QLabel>("Label_Font")->text().startsWith("DejaVu Serif, 13"));

    find<QPushButton>("Btn_OK")->click();
    EXPECT_TRUE(zwtest::pdfFonts(pdf()).contains("DejaVuSerif-Bold"));
}

TEST_F(PrintDialogTest, PreviewShowsThePageBeforePrinting) {
    open();
    int pages = -1;
    zwtest::whenModalOpens([&](QWidget& modal) {
        ASSERT_NE(qobject_cast<QPrintPreviewDialog*>(&modal), nullptr);
        auto* view = modal.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(view, nullptr);
        view->updatePreview();
        pages = view->pageCount();
        modal.close();
    });
    find<QPushButton>("Btn_Preview")->click();
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(dialog->isVisible()); // the Print window waits for OK
    EXPECT_FALSE(QFile::exists(pdf()));
}

TEST_F(PrintDialogTest, TheMainWindowsPrintItemOpensTheWindow) {
    zw::MainWindow window(*context);
    window.load(QString());
    window.show();
    QApplication::processEvents();
    QAction* item = zwtest::findControl<QAction>(window, "Menu_Print");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled());
    EXPECT_EQ(item->text(), "&Print...");

    zw::PrintState& run = zw::ApplicationPrintState();
    run.printer.setOutputFormat(QPrinter::PdfFormat);
    run.printer.setOutputFileName(pdf());
    QString title;
    zwtest::whenModalOpens([&](QWidget& modal) {
        title = modal.windowTitle();
        zwtest::findControl<QPushButton>(modal, "Btn_OK")->click();
    });
    item->trigger();
    EXPECT_EQ(title, "ZW4410 - Print");
    // The main window's own view went to paper: its document and labels.
    const QString text = zwtest::pdfLayoutText(pdf());
    EXPECT_TRUE(text.contains("Untitled")) << text.toStdString();
    EXPECT_TRUE(text.contains(setting.modelName().trimmed())) << text.toStdString();
}

TEST_F(PrintDialogTest, TheCreateToolPrintsTheEffectivePages) {
    zw::create::PageTable& table =
        zw::create::ApplicationPageTable(static_cast<double>(doc.WaveLength()));
    table.clearAll();
    zw::create::PageRecord& first = table.page(1);
    first.Effective = true;
    first.Type = zw::create::PageType::Square;
    first.Start = 0;
    first.End = 100;
    first.Size = 100;
    first.Duty = 25;
    zw::create::PageRecord& third = table.page(3);
    third.Effective = true;
    third.Type = zw::create::PageType::Expression;
    third.Expression = "sin(x)*2";
    session->setToolMode(ToolMode::Create);
    for (const Language language : {Language::English, Language::Japanese}) {
        makeContext(language);
        session->setToolMode(ToolMode::Create);
        open();
        find<QPushButton>("Btn_OK")->click();
        // Compatibility form: CJK fonts share glyphs between a character and
        // its look-alike radical, and the text read back may name either.
        const QString text = zwtest::pdfLayoutText(pdf()).normalized(QString::NormalizationForm_KC);
        const bool english = language == Language::English;
        EXPECT_TRUE(text.contains(
            QRegularExpression(english ? "Function\\s+Square" : QString::fromUtf8("方形波"))))
            << text.toStdString();
        EXPECT_TRUE(text.contains(QRegularExpression("\\s25\\b"))) << text.toStdString();
        EXPECT_TRUE(text.contains("sin(x)*2")) << text.toStdString();
        EXPECT_EQ(text.count("---------------"), 2);
        QFile::remove(pdf());
    }
    table.clearAll();
}

TEST_F(PrintDialogTest, TheSetupWindowsPrintItemPrintsTheSetting) {
    // The setup window as the main window's tool-window host opens it.
    zw::MainWindow window(*context);
    window.load(QString());
    window.show();
    QDialog* setup = window.tools().open(ToolMode::SystemSetup);
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(session->toolMode(), ToolMode::SystemSetup);
    QAction* item = zwtest::findControl<QAction>(*setup, "Menu_Print");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled());
    zw::PrintState& run = zw::ApplicationPrintState();
    run.printer.setOutputFormat(QPrinter::PdfFormat);
    run.printer.setOutputFileName(pdf());
    QString title;
    zwtest::whenModalOpens([&](QWidget& modal) {
        title = modal.windowTitle();
        zwtest::findControl<QPushButton>(modal, "Btn_OK")->click();
    });
    item->trigger();
    EXPECT_EQ(title, "ZW4410 - Print");
    const QString text = zwtest::pdfText(pdf());
    EXPECT_TRUE(text.contains("<System Setup>")) << text.toStdString();
    EXPECT_TRUE(text.contains("<Unit Setup>")) << text.toStdString();
    setup->close();
    QApplication::processEvents();
}

TEST_F(PrintDialogTest, TheCreateWindowsPrintItemPrintsItsPages) {
    zw::MainWindow window(*context);
    window.load(QString());
    window.show();
    zw::create::PageTable& table =
        zw::create::ApplicationPageTable(static_cast<double>(doc.WaveLength()));
    table.clearAll();
    table.page(1).Effective = true;
    table.page(1).Type = zw::create::PageType::Triangle;
    table.page(1).Symmetry = 30;
    QDialog* create = window.tools().open(ToolMode::Create);
    ASSERT_NE(create, nullptr);
    QAction* item = zwtest::findControl<QAction>(*create, "Menu_Print");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled());
    zw::PrintState& run = zw::ApplicationPrintState();
    run.printer.setOutputFormat(QPrinter::PdfFormat);
    run.printer.setOutputFileName(pdf());
    zwtest::whenModalOpens(
        [](QWidget& modal) { zwtest::findControl<QPushButton>(modal, "Btn_OK")->click(); });
    item->trigger();
    const QString text = zwtest::pdfLayoutText(pdf());
    EXPECT_TRUE(text.contains(QRegularExpression("Function\\s+Triangle"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("Symmetry\\s+30"))) << text.toStdString();
    create->close();
    QApplication::processEvents();
    table.clearAll();
}

TEST_F(PrintDialogTest, TheCreateWindowsPrintItemOpensTheWindowWhenGivenOne) {
    zw::create::PageTable pages(1000);
    QString pageFile = "Untitled";
    zw::CreateWindowContext c;
    c.language = Language::English;
    c.messages = messages.get();
    c.pages = &pages;
    c.pageFileName = &pageFile;
    c.target = [this] { return doc.current(); };
    {
        zw::CreateDialog without(c);
        EXPECT_FALSE(zwtest::findControl<QAction>(without, "Menu_Print")->isEnabled());
    }
    QWidget* opener = nullptr;
    c.print = [&opener](QWidget* parent) { opener = parent; };
    zw::CreateDialog window(c);
    QAction* item = zwtest::findControl<QAction>(window, "Menu_Print");
    EXPECT_TRUE(item->isEnabled());
    item->trigger();
    EXPECT_EQ(opener, &window);
}

} // namespace
