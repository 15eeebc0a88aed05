// The program's help window, offscreen: it shows a page, follows links
// between pages, walks back and forward, and the one window of the
// application is reused; F1 in the main window.
#include "HelpWindow.h"
#include "CaptionCatalog.h"
#include "CaptionCoverage.h"
#include "CurrentSetting.h"
#include "EditSession.h"
#include "EditorContext.h"
#include "GuiDriver.h"
#include "MainWindow.h"
#include "MessageCatalog.h"
#include "Messages.h"
#include "ModelsFixture.h"
#include "ScriptedFileDialogService.h"
#include "ScriptedMessageService.h"
#include "WaveDocument.h"
#include "clsRegistry.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

void write(const QString& path, const char* html) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(html);
}

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        zwtest::guiApp();
        ASSERT_TRUE(dir.isValid());
        write(dir.filePath("8832E.html"),
              "<html><head><title>Main</title></head><body><h1>Main window</h1>"
              "<a href=\"8832CRTE.html\">Create</a></body></html>");
        write(dir.filePath("8832CRTE.html"), "<html><body><h1>Waveform Create</h1></body></html>");
    }
    QTemporaryDir dir;
    zw::CaptionCatalog captions{zw::Language::English};
};

TEST_F(HelpWindowTest, ShowsAPageAndFollowsLinksWithHistory) {
    zw::HelpWindow window(captions);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.showPage(dir.filePath("8832E.html"));
    auto* browser = window.findChild<QTextBrowser*>("Txt_Help");
    auto* back = window.findChild<QPushButton*>("Btn_Back");
    auto* forward = window.findChild<QPushButton*>("Btn_Forward");
    ASSERT_TRUE(browser && back && forward);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "ZW4410 - Help");
    EXPECT_EQ(back->text(), "&Back");
    EXPECT_TRUE(browser->toPlainText().contains("Main window"));
    EXPECT_FALSE(back->isEnabled());
    EXPECT_EQ(zwtest::captionRowsWithoutControl(window, captions, "HelpWindow"), QStringList());

    browser->setSource(QUrl("8832CRTE.html")); // what clicking the link does
    EXPECT_TRUE(browser->toPlainText().contains("Waveform Create"));
    EXPECT_TRUE(back->isEnabled());
    back->click();
    EXPECT_TRUE(browser->toPlainText().contains("Main window"));
    EXPECT_TRUE(forward->isEnabled());
    forward->click();
    EXPECT_TRUE(browser->toPlainText().contains("Waveform Create"));
}

TEST_F(HelpWindowTest, OneHelpWindowIsReused) {
    QWidget owner;
    ASSERT_TRUE(zw::ShowInHelpWindow(dir.filePath("8832E.html"), captions, owner));
    ASSERT_TRUE(zw::ShowInHelpWindow(dir.filePath("8832CRTE.html"), captions, owner));
    const auto windows = owner.findChildren<zw::HelpWindow*>();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_TRUE(windows.front()->isVisible());
    EXPECT_TRUE(windows.front()
                    ->findChild<QTextBrowser*>("Txt_Help")
                    ->toPlainText()
                    .contains("Waveform Create"));
}

} // namespace

// F1 in the real main window, offscreen (no browser): the help page of the
// tool in use opens in the help window, found in the share folder beside the
// program's folder; a missing page is message 99.

namespace {

class MainWindowHelpTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        zwtest::guiApp();
        zwtest::loadBundledModels();
    }
    void SetUp() override {
        ASSERT_TRUE(prefix.isValid());
        const QDir p(prefix.path());
        ASSERT_TRUE(p.mkpath("bin"));
        ASSERT_TRUE(p.mkpath("share/zw4410/help"));
        helpFolder = p.filePath("share/zw4410/help");
        write(helpFolder + "/8832J.html", "<html><body><h1>メインウィンドウ</h1></body></html>");
        write(helpFolder + "/8832CRTJ.html", "<html><body><h1>波形生成</h1></body></html>");
        registry = std::make_unique<zw::clsRegistry>(p.filePath("ZW4410.ini"));
        setting.loadModelLists();
        ASSERT_TRUE(setting.restore({}));
        ASSERT_TRUE(document.allocate());
        document.setWaveLength(setting.waveLength());
        session = std::make_unique<zw::EditSession>(document, setting, *registry);
        context.reset(new zw::EditorContext{zw::Language::Japanese, catalog, messages, *registry,
                                            document, setting, *session, fileDialogs,
                                            p.filePath("bin"), nullptr});
        window = std::make_unique<zw::MainWindow>(*context);
        window->load(QString());
        window->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == "HelpWindow")
                w->close();
        }
        window.reset();
    }

    zw::HelpWindow* helpWindow() const { return window->findChild<zw::HelpWindow*>(); }
    QString shownText() const {
        return helpWindow()->findChild<QTextBrowser*>("Txt_Help")->toPlainText();
    }

    QTemporaryDir prefix;
    QString helpFolder;
    zw::MessageCatalog catalog{zw::Language::Japanese};
    zwtest::ScriptedMessageService boxes;
    zw::Messages messages{catalog, boxes};
    zwtest::ScriptedFileDialogService fileDialogs;
    std::unique_ptr<zw::clsRegistry> registry;
    zw::CurrentSetting setting;
    zw::WaveDocument document;
    std::unique_ptr<zw::EditSession> session;
    std::unique_ptr<zw::EditorContext> context;
    std::unique_ptr<zw::MainWindow> window;
};

TEST_F(MainWindowHelpTest, F1OpensTheMainPageInTheHelpWindow) {
    QTest::keyClick(window.get(), Qt::Key_F1);
    ASSERT_NE(helpWindow(), nullptr);
    EXPECT_TRUE(helpWindow()->isVisible());
    EXPECT_EQ(helpWindow()->windowTitle(), "ZW4410 - ﾍﾙﾌﾟ");
    EXPECT_TRUE(shownText().contains("メインウィンドウ"));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MainWindowHelpTest, TheOpenToolsPageAndTheHelpMenu) {
    session->setToolMode(zw::ToolMode::Create);
    window->findChild<QAction*>("Menu_Contents")->trigger();
    ASSERT_NE(helpWindow(), nullptr);
    EXPECT_TRUE(shownText().contains("波形生成"));
    session->setToolMode(zw::ToolMode::None);
}

TEST_F(MainWindowHelpTest, AMissingPageIsMessage99) {
    session->setToolMode(zw::ToolMode::Operate); // no 8832CALJ.html here
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(helpWindow(), nullptr);
    ASSERT_FALSE(boxes.shown.empty());
    EXPECT_EQ(boxes.last().text, catalog.MessageText(99));
    session->setToolMode(zw::ToolMode::None);
}

} // namespace
