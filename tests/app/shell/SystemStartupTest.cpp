// The system initialisation's failures end the program with their message:
// no model file, a broken model file, no "USBTMC.ID". The model database
// loads only once per process, so every case runs in a child process of its
// own (a death test that checks what the child prints); the parent never
// loads it.
#include "SystemStartup.h"
#include "CurrentSetting.h"
#include "MessageCatalog.h"
#include "UsbTmcTable.h"
#include "WaveDocument.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

void copyModel(const QString& name, const QString& to) {
    QFile::copy(QString(ZW_MODELS_DIR) + "/" + name, to + "/" + name);
}

// Runs the initialisation in `folder` and reports on stderr: "OK <length>"
// or the box's title, icon and text with "|" for each line break.
[[noreturn]] void startIn(const QString& folder, zw::Language language = zw::Language::English) {
    const zw::MessageCatalog catalog(language);
    zw::CurrentSetting setting;
    zw::WaveDocument document;
    zw::UsbTmcTable table;
    const auto failure = zw::InitialiseSystem(catalog, folder, {}, setting, document, table);
    if (!failure) {
        std::fprintf(stderr, "OK %ld %zu\n", document.WaveLength(), table.size());
        std::exit(0);
    }
    QString text = failure->box.text;
    text.replace('\r', '|');
    std::fprintf(stderr, "[%s] icon=%d %s\n", failure->box.title.toUtf8().constData(),
                 static_cast<int>(failure->box.icon), text.toUtf8().constData());
    std::exit(1);
}

class Startup : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QTemporaryDir dir;
};

TEST_F(Startup, BundledModelsStart) {
    copyModel("ZWG100.SYS", dir.path());
    copyModel("USBTMC.ID", dir.path());
    EXPECT_EXIT(startIn(dir.path()), ::testing::ExitedWithCode(0), "OK [0-9]+ 3");
}

TEST_F(Startup, NoModelFileEndsWithMessage2AndSystemExit) {
    copyModel("USBTMC.ID", dir.path());
    EXPECT_EXIT(startIn(dir.path()), ::testing::ExitedWithCode(1),
                "\\[Error Message\\] icon=0 No System Setup file\\.\\|System Exit\\.\\|");
}

TEST_F(Startup, BrokenModelFileNamesTheFileAndLine) {
    copyModel("USBTMC.ID", dir.path());
    QFile broken(dir.filePath("BROKEN.SYS"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("' a model file cut short\nbeginmodel\n  sname_s\n");
    broken.close();
    EXPECT_EXIT(startIn(dir.path()), ::testing::ExitedWithCode(1),
                "\\[Error Message\\] icon=0 System Setup file (Format|Parameter) "
                "Error\\.\\(.*BROKEN\\.SYS\\) Line\\[[0-9]+\\]\\|System Exit\\.\\|");
}

TEST_F(Startup, MissingOrEmptyUsbTableEndsWithItsOwnBox) {
    copyModel("ZWG100.SYS", dir.path());
    EXPECT_EXIT(startIn(dir.path()), ::testing::ExitedWithCode(1),
                "\\[\\] icon=1 Lost the file of USBTMC\\.ID");
    QFile empty(dir.filePath("USBTMC.ID"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    EXPECT_EXIT(startIn(dir.path()), ::testing::ExitedWithCode(1), "Lost the file of USBTMC\\.ID");
}

TEST_F(Startup, JapaneseMessages) {
    EXPECT_EXIT(startIn(dir.path(), zw::Language::Japanese), ::testing::ExitedWithCode(1),
                "機種ファイルが見つかりません。\\|システムを終了します。");
}

TEST(ModelLoadFailureText, EveryResultHasItsMessage) {
    const zw::MessageCatalog en(zw::Language::English);
    EXPECT_EQ(zw::ModelLoadFailureText(en, -20, "A.SYS", 0),
              "System Setup file Read error.(A.SYS)\rSystem Exit.\r");
    EXPECT_EQ(zw::ModelLoadFailureText(en, -10, "", 0),
              "Memory Allocation Failed.\rSystem Exit.\r");
    EXPECT_EQ(zw::ModelLoadFailureText(en, -2, "B.SYS", 7),
              "System Setup file Format Error.(B.SYS) Line[7]\rSystem Exit.\r");
    EXPECT_EQ(zw::ModelLoadFailureText(en, -1, "C.SYS", 9),
              "System Setup file Parameter Error.(C.SYS) Line[9]\rSystem Exit.\r");
    EXPECT_EQ(zw::ModelLoadFailureText(en, -30, "", 0), "No System Setup file.\rSystem Exit.\r");
}

} // namespace
