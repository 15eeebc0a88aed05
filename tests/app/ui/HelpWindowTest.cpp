// The program's help window, offscreen: it shows a page, follows links
// between pages, walks back and forward, and the one window of the
// application is reused.
#include "HelpWindow.h"
#include "CaptionCatalog.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "help_window_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = new QApplication(argc, argv);
    return *instance;
}

void write(const QString& path, const char* html) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(html);
}

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        app();
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
