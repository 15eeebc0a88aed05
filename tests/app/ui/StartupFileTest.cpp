// The command-line file as the file manager passes it: a setup file opens in
// the System Setup window with its setting, a page file in the Create window,
// anything else stays the document's business.
#include "StartupFile.h"
#include "CreateDialog.h"
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
#include "SetupFile.h"
#include "ToolMode.h"
#include "ToolWindowHost.h"
#include "WaveDocument.h"
#include "clsRegistry.h"

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(StartupFile, SetupFilesByExtension) {
    EXPECT_TRUE(zw::IsSetupFile("/home/u/bench.ocb"));
    EXPECT_TRUE(zw::IsSetupFile("BENCH.OCB"));
    EXPECT_FALSE(zw::IsSetupFile("/home/u/wave.wdb"));
    EXPECT_FALSE(zw::IsSetupFile("/home/u/ocb"));
    EXPECT_FALSE(zw::IsSetupFile(QString()));
    EXPECT_TRUE(zw::IsPageFile("/home/u/burst.wfn"));
    EXPECT_TRUE(zw::IsPageFile("BURST.WFN"));
    EXPECT_FALSE(zw::IsPageFile("/home/u/wave.txt"));
}

class StartupFileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        zwtest::guiApp();
        zwtest::loadBundledModels();
    }
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_GE(SysGetDeviceCnt(), 2);
        registry = std::make_unique<zw::clsRegistry>(dir.filePath("ZW4410.ini"));
        setting.loadModelLists();
        ASSERT_TRUE(setting.restore({}));
        ASSERT_TRUE(document.allocate());
        document.setWaveLength(setting.waveLength());
        session = std::make_unique<zw::EditSession>(document, setting, *registry);
        context.reset(new zw::EditorContext{zw::Language::English, catalog, messages, *registry,
                                            document, setting, *session, fileDialogs, dir.path(),
                                            nullptr});
        window = std::make_unique<zw::MainWindow>(*context);
    }
    void TearDown() override {
        if (QDialog* open = window->tools().openWindow())
            open->reject();
        window.reset();
    }

    QTemporaryDir dir;
    zw::MessageCatalog catalog{zw::Language::English};
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

TEST_F(StartupFileTest, ASetupFileOpensInTheSetupWindowWithItsSetting) {
    ASSERT_TRUE(setting.selectModel(1));
    const QString path = dir.filePath("bench.ocb");
    ASSERT_EQ(zw::SaveSetupFile(path, setting), 0);
    ASSERT_TRUE(setting.selectModel(0));

    zw::LoadAndShow(*window, path);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->tools().openMode(), zw::ToolMode::SystemSetup);
    EXPECT_EQ(setting.stored().sysNo, 1);
    EXPECT_EQ(context->names().SystemFileName, dir.filePath("bench"));
    EXPECT_EQ(context->names().WaveFileName, "Untitled");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(StartupFileTest, AnUnreadableSetupFileIsReportedAndTheWindowStays) {
    zw::LoadAndShow(*window, dir.filePath("missing.ocb"));
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.last().title, "Error Message");
    EXPECT_EQ(setting.stored().sysNo, 0);
    EXPECT_EQ(context->names().SystemFileName, "Untitled");
}

TEST_F(StartupFileTest, APageFileOpensInTheCreateWindow) {
    // The page file of an empty page table, written by the Create window.
    QDialog* create = window->tools().open(zw::ToolMode::Create);
    ASSERT_NE(create, nullptr);
    auto* dialog = qobject_cast<zw::CreateDialog*>(create);
    ASSERT_NE(dialog, nullptr);
    const QString path = dir.filePath("pages.wfn");
    ASSERT_EQ(dialog->session().save(path, zw::Language::English), 0);
    dialog->reject();
    QApplication::processEvents();
    ASSERT_EQ(window->tools().openMode(), zw::ToolMode::None);

    zw::LoadAndShow(*window, path);
    EXPECT_EQ(window->tools().openMode(), zw::ToolMode::Create);
    EXPECT_EQ(context->names().WaveFileName, "Untitled");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(StartupFileTest, AnUnreadablePageFileIsReported) {
    zw::LoadAndShow(*window, dir.filePath("missing.wfn"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->tools().openMode(), zw::ToolMode::Create);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.last().title, "Error Message");
}

TEST_F(StartupFileTest, NoFileOpensNoTool) {
    zw::LoadAndShow(*window, QString());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->tools().openMode(), zw::ToolMode::None);
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
