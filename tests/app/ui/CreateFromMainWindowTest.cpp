// The Create window opened from the real main window: the tool button and
// menu item, the tool mode while it is open, the document changed by All
// Page OK and restored by Undo, the page file through the program's file
// dialogs, and the pages kept for the next opening.
#include "CreateDialog.h"
#include "CurrentSetting.h"
#include "EditSession.h"
#include "EditorContext.h"
#include "EditorFixture.h"
#include "GuiDriver.h"
#include "MainWindow.h"
#include "MessageCatalog.h"
#include "Messages.h"
#include "ModelsFixture.h"
#include "ScriptedFileDialogService.h"
#include "ScriptedMessageService.h"
#include "ToolWindowHost.h"
#include "WaveDocument.h"
#include "clsRegistry.h"
#include "zwplatform.hpp"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace zw;

class CreateFromMainWindow : public ::testing::Test, protected zwtest::EditorFixture {
protected:
    static void SetUpTestSuite() {
        zwtest::guiApp();
        zwtest::loadBundledModels();
    }

    void SetUp() override {
        makeContext(Language::English);
        if (HasFatalFailure())
            return;
        window = std::make_unique<MainWindow>(*context);
        window->load(QString());
        window->show();
        create::ApplicationPageTable(doc.WaveLength()).clearAll();
        CreateDialog::RememberedPage() = 1;
    }

    CreateDialog* openCreate() {
        zwtest::findControl<QPushButton>(*window, "Opt_DlgSel_0")->click();
        return qobject_cast<CreateDialog*>(window->tools().openWindow());
    }
};

int16_t sample(ZwMemHandle h, int i) {
    LockedBlock<int16_t> block(h);
    return block[size_t(i)];
}

} // namespace

TEST_F(CreateFromMainWindow, AllPageOkCreatesIntoTheDocumentAndUndoRestoresIt) {
    EXPECT_TRUE(zwtest::findControl<QAction>(*window, "Menu_Create")->isEnabled());
    QPointer<CreateDialog> create = openCreate();
    ASSERT_NE(create, nullptr);
    EXPECT_EQ(session->toolMode(), ToolMode::Create);
    EXPECT_TRUE(zwtest::findControl<QPushButton>(*window, "Opt_DlgSel_0")->isChecked());
    EXPECT_TRUE(zwtest::findControl<QAction>(*window, "Menu_Create")->isChecked());

    auto* type = zwtest::findControl<QComboBox>(*create, "Comb_Wave");
    type->setCurrentIndex(4);
    emit type->activated(4);
    zwtest::typeInto(*create, "Text_X_0", "10");
    zwtest::typeInto(*create, "Text_X_1", "20");
    zwtest::typeInto(*create, "Text_0", "1234");
    zwtest::findControl<QPushButton>(*create, "Btn_Confirm")->click();
    QApplication::processEvents();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(session->toolMode(), ToolMode::None);
    EXPECT_EQ(sample(doc.current(), 9), 0);
    EXPECT_EQ(sample(doc.current(), 10), 1234);
    EXPECT_EQ(sample(doc.current(), 19), 1234);
    EXPECT_EQ(sample(doc.current(), 20), 0);
    EXPECT_FALSE(zwtest::findControl<QPushButton>(*window, "Opt_DlgSel_0")->isChecked());
    EXPECT_TRUE(zwtest::findControl<QPushButton>(*window, "Opt_DlgSel_0")->isEnabled());

    zwtest::findControl<QAction>(*window, "Menu_Undo")->trigger();
    EXPECT_EQ(sample(doc.current(), 10), 0);

    // The pages stay for the next opening, through the menu item this time.
    zwtest::findControl<QAction>(*window, "Menu_Create")->trigger();
    create = qobject_cast<CreateDialog*>(window->tools().openWindow());
    ASSERT_NE(create, nullptr);
    EXPECT_EQ(zwtest::findControl<QComboBox>(*create, "Comb_Wave")->currentIndex(), 4);
    EXPECT_EQ(zwtest::findControl<QLineEdit>(*create, "Text_0")->text(), "1234");
    zwtest::findControl<QPushButton>(*create, "Btn_Cancel")->click();
    QApplication::processEvents();
    EXPECT_EQ(session->toolMode(), ToolMode::None);
    EXPECT_EQ(sample(doc.current(), 10), 0);
}

TEST_F(CreateFromMainWindow, PageFilesGoThroughTheProgramsDialogsAndNames) {
    CreateDialog* create = openCreate();
    ASSERT_NE(create, nullptr);
    zwtest::typeInto(*create, "Text_4", "90");
    fileDialogs.answerSave(dir.filePath("p.wfn"));
    zwtest::findControl<QAction>(*create, "Menu_FileSave")->trigger();
    ASSERT_EQ(fileDialogs.saved.size(), 1u);
    EXPECT_EQ(fileDialogs.saved[0].filters,
              QStringList({"Expression files(*.wfn)", "All files(*.*)"}));
    EXPECT_TRUE(fileDialogs.saved[0].proposedPath.endsWith("Untitled.wfn"));
    EXPECT_EQ(context->names().PageFileName, dir.filePath("p"));
    EXPECT_TRUE(boxes.empty());

    zwtest::findControl<QAction>(*create, "Menu_AllPageClear")->trigger();
    fileDialogs.answerOpen(dir.filePath("p.wfn"));
    zwtest::findControl<QAction>(*create, "Menu_FileOpen")->trigger();
    EXPECT_EQ(fileDialogs.opened.back().proposedPath, dir.filePath("p.wfn"));
    EXPECT_EQ(zwtest::findControl<QLineEdit>(*create, "Text_4")->text(), "90");
    create->close();
    QApplication::processEvents();
    EXPECT_EQ(session->toolMode(), ToolMode::None);
}
