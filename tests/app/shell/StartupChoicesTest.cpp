// The model-folder and language rules of start-up, and the install layout
// seen from the program's folder.
#include "StartupChoices.h"
#include "InstallLayout.h"
#include "QtTranslations.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

namespace zw {
namespace {

void touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
}

ModelCandidates candidates() {
    return {"/start", "/user", "/installed"};
}

ModelSource choose(const QSet<QString>& withModels) {
    return ChooseModelSource(candidates(),
                             [&](const QString& folder) { return withModels.contains(folder); });
}

TEST(ModelSourceTest, FirstFolderHoldingModelsWinsInOrderStartUserInstalled) {
    EXPECT_EQ(choose({"/start", "/user", "/installed"}).folder, "/start");
    EXPECT_EQ(choose({"/start", "/user", "/installed"}).origin, ModelOrigin::StartFolder);
    EXPECT_EQ(choose({"/user", "/installed"}).folder, "/user");
    EXPECT_EQ(choose({"/user", "/installed"}).origin, ModelOrigin::UserFolder);
    EXPECT_EQ(choose({"/installed"}).folder, "/installed");
    EXPECT_EQ(choose({"/installed"}).origin, ModelOrigin::InstalledFolder);
    EXPECT_EQ(choose({"/start", "/installed"}).origin, ModelOrigin::StartFolder);
}

TEST(ModelSourceTest, NoFolderWithModelsFallsBackToTheStartFolder) {
    // The start-up then reports the missing models there.
    const ModelSource s = choose({});
    EXPECT_EQ(s.folder, "/start");
    EXPECT_EQ(s.origin, ModelOrigin::StartFolder);
}

TEST(ModelSourceTest, HoldsModelFilesLooksForSysInAnyCaseAndOnlyFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_FALSE(HoldsModelFiles(dir.path()));
    touch(dir.filePath("USBTMC.ID"));
    touch(dir.filePath("notes.SYS.txt"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.SYS"));
    EXPECT_FALSE(HoldsModelFiles(dir.path()));
    touch(dir.filePath("zwg100.sys"));
    EXPECT_TRUE(HoldsModelFiles(dir.path()));
    EXPECT_FALSE(HoldsModelFiles(QString()));
    EXPECT_FALSE(HoldsModelFiles(dir.filePath("missing")));
}

TEST(LanguageChoiceTest, CommandLineWinsOverEverything) {
    for (ModelOrigin o :
         {ModelOrigin::StartFolder, ModelOrigin::UserFolder, ModelOrigin::InstalledFolder}) {
        EXPECT_EQ(ChooseLanguage(Language::Japanese, o, true, u"en_US"), Language::Japanese);
        EXPECT_EQ(ChooseLanguage(Language::English, o, false, u"ja_JP"), Language::English);
    }
}

TEST(LanguageChoiceTest, MarkerInTheModelsFolderSelectsEnglish) {
    for (ModelOrigin o :
         {ModelOrigin::StartFolder, ModelOrigin::UserFolder, ModelOrigin::InstalledFolder})
        EXPECT_EQ(ChooseLanguage(std::nullopt, o, true, u"ja_JP"), Language::English);
}

TEST(LanguageChoiceTest, ModelsFromTheStartFolderWithoutMarkerAreJapaneseWhateverTheLocale) {
    EXPECT_EQ(ChooseLanguage(std::nullopt, ModelOrigin::StartFolder, false, u"en_GB"),
              Language::Japanese);
    EXPECT_EQ(ChooseLanguage(std::nullopt, ModelOrigin::StartFolder, false, u"C"),
              Language::Japanese);
}

TEST(LanguageChoiceTest, OtherwiseTheDesktopLocaleDecides) {
    for (ModelOrigin o : {ModelOrigin::UserFolder, ModelOrigin::InstalledFolder}) {
        EXPECT_EQ(ChooseLanguage(std::nullopt, o, false, u"ja_JP"), Language::Japanese);
        EXPECT_EQ(ChooseLanguage(std::nullopt, o, false, u"ja"), Language::Japanese);
        EXPECT_EQ(ChooseLanguage(std::nullopt, o, false, u"en_US"), Language::English);
        EXPECT_EQ(ChooseLanguage(std::nullopt, o, false, u"de_DE"), Language::English);
        EXPECT_EQ(ChooseLanguage(std::nullopt, o, false, u"C"), Language::English);
        EXPECT_EQ(ChooseLanguage(std::nullopt, o, false, u""), Language::English);
    }
}

TEST(InstallLayoutTest, InstalledTreeHasThePrivateFolderBesideBin) {
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const QDir p(prefix.path());
    ASSERT_TRUE(p.mkpath("bin"));
    ASSERT_TRUE(p.mkpath("lib/zw4410"));
    const InstallLayout l = LocateInstallLayout(p.filePath("bin"));
    EXPECT_TRUE(l.installed);
    EXPECT_EQ(l.privateFolder, prefix.path() + "/lib/zw4410");
    EXPECT_EQ(l.pluginFolder, prefix.path() + "/lib/zw4410/PlugIn");
    EXPECT_EQ(l.helpFolder, prefix.path() + "/share/zw4410/help");
    EXPECT_EQ(l.modelFolder, prefix.path() + "/share/zw4410/models");
}

TEST(InstallLayoutTest, BuildTreeKeepsPlugInsBesideTheProgram) {
    QTemporaryDir build;
    ASSERT_TRUE(build.isValid());
    const QDir b(build.path());
    ASSERT_TRUE(b.mkpath("bin"));
    ASSERT_TRUE(b.mkpath("lib"));
    const InstallLayout l = LocateInstallLayout(b.filePath("bin") + "/");
    EXPECT_FALSE(l.installed);
    EXPECT_EQ(l.privateFolder, build.path() + "/bin");
    EXPECT_EQ(l.pluginFolder, build.path() + "/bin/PlugIn");
    EXPECT_EQ(l.helpFolder, build.path() + "/share/zw4410/help");
}

TEST(QtTranslationsTest, OnlyJapaneseGetsQtsOwnTranslation) {
    int argc = 1;
    char name[] = "startup_choices_tests";
    char* argv[] = {name, nullptr};
    const QCoreApplication app(argc, argv);
    const auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
    EXPECT_FALSE(InstallQtTranslations(Language::English));
    EXPECT_EQ(yes(), "&Yes");
    EXPECT_FALSE(InstallQtTranslations(Language::Japanese, "/nonexistent"));
    EXPECT_EQ(yes(), "&Yes");
    ASSERT_TRUE(InstallQtTranslations(Language::Japanese))
        << "qtbase_ja.qm (package qt6-translations-l10n) is missing";
    EXPECT_EQ(yes(), QString::fromUtf8("はい(&Y)"));
}

} // namespace
} // namespace zw
