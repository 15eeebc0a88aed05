// Choosing the format by name and the names the file dialogs propose.
#include "WaveFileNames.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using zw::WaveFileKind;
using zw::WaveFileKindOf;

TEST(WaveFileNames, ExtensionIsEverythingAfterTheFirstDotOfTheLastPart) {
    EXPECT_EQ(WaveFileKindOf("/data/wave.WDB"), WaveFileKind::Binary);
    EXPECT_EQ(WaveFileKindOf("/data/wave.txt"), WaveFileKind::Text);
    EXPECT_EQ(WaveFileKindOf("/data/wave.dat"), WaveFileKind::Unknown);
    EXPECT_EQ(WaveFileKindOf("/data/a.b.wdb"), WaveFileKind::Unknown);
    EXPECT_EQ(zw::WaveFileExtension("/data/a.b.wdb"), "b.wdb");
    // Dots of folder names do not count.
    EXPECT_EQ(WaveFileKindOf("/data.v2/wave.wdb"), WaveFileKind::Binary);
    EXPECT_EQ(WaveFileKindOf("/data.wdb/wave"), WaveFileKind::Unknown);
    EXPECT_EQ(WaveFileKindOf(""), WaveFileKind::Unknown);
}

TEST(WaveFileNames, OpenProposal) {
    const auto untitled = zw::OpenProposal("Untitled", "/home/u/Documents");
    EXPECT_EQ(untitled.path, "/home/u/Documents/Untitled");
    EXPECT_EQ(untitled.defaultExtension, "");
    EXPECT_EQ(untitled.filterIndex, 1);
    const auto binary = zw::OpenProposal("/data/wave.wdb", "/docs");
    EXPECT_EQ(binary.path, "/data/wave");
    EXPECT_EQ(binary.defaultExtension, "wdb");
    EXPECT_EQ(binary.filterIndex, 0);
    const auto text = zw::OpenProposal("/data/wave.txt", "/docs");
    EXPECT_EQ(text.filterIndex, 1);
    EXPECT_EQ(zw::OpenProposal("/data/wave", "/docs").path, "/data/wave");
}

TEST(WaveFileNames, SaveProposal) {
    EXPECT_EQ(zw::SaveProposal("/data/wave.txt", "wdb", "/docs").path, "/data/wave.wdb");
    EXPECT_EQ(zw::SaveProposal("/data/wave.wdb", "txt", "/docs").path, "/data/wave.txt");
    EXPECT_EQ(zw::SaveProposal("/data/wave", "txt", "/docs").path, "/data/wave");
    const auto untitled = zw::SaveProposal("Untitled", "txt", "/docs");
    EXPECT_EQ(untitled.path, "/docs/Untitled");
    EXPECT_EQ(untitled.defaultExtension, "txt");
    // A last part shorter than an extension is not mistaken for one.
    EXPECT_EQ(zw::SaveProposal("/d.x/ab", "txt", "/docs").path, "/d.x/ab");
}

TEST(WaveFileNames, UntitledIsProposedInTheDocumentsFolderOnlyWhenItExists) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString documents = home.filePath("Documents");
    // A fresh account: the desktop names a documents folder nobody made.
    EXPECT_EQ(zw::ProposalFolder(documents, home.path()), home.path());
    EXPECT_EQ(zw::ProposalFolder(QString(), home.path()), home.path());
    ASSERT_TRUE(QDir(home.path()).mkdir("Documents"));
    EXPECT_EQ(zw::ProposalFolder(documents, home.path()), documents);
    const auto untitled =
        zw::SaveProposal("Untitled", "wdb", zw::ProposalFolder(documents, home.path()));
    EXPECT_EQ(untitled.path, documents + "/Untitled");
}

} // namespace
