// "USBTMC.ID": pairs in file order, first match wins, missing fields empty.
#include "UsbTmcTable.h"
#include "DocumentNames.h"

#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

using zw::UsbTmcTable;

TEST(UsbTmcTable, PairsInFileOrder) {
    const auto t =
        UsbTmcTable::Parse("ZWG100,USB0::0x1::0x2\r\nZWG300,P3,extra\nZWG100,late\nlone\n");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->size(), 4u);
    EXPECT_EQ(t->lookup("ZWG100"), "USB0::0x1::0x2");
    EXPECT_EQ(t->lookup("ZWG300"), "P3");
    EXPECT_EQ(t->lookup("lone"), "");
    EXPECT_EQ(t->lookup("zwg100"), ""); // exact match only
    EXPECT_EQ(t->lookup("missing"), "");
}

TEST(UsbTmcTable, NoLineOrNoFileFails) {
    EXPECT_FALSE(UsbTmcTable::Parse(""));
    EXPECT_TRUE(UsbTmcTable::Parse("\n")); // one empty line is a line
    QTemporaryDir dir;
    EXPECT_FALSE(UsbTmcTable::Read(dir.filePath("USBTMC.ID")));
    // A FIFO without a writer, or a folder, is no table (and does not block).
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("USBTMC.ID")).constData(), 0644), 0);
    EXPECT_FALSE(UsbTmcTable::Read(dir.filePath("USBTMC.ID")));
    EXPECT_FALSE(UsbTmcTable::Read(dir.path()));
}

TEST(DocumentNames, PathSetsAllFourNamesAndTheTitle) {
    zw::DocumentNames names;
    EXPECT_EQ(zw::MainWindowTitle(names), "ZW4410 <Untitled>");
    names.setFromWavePath("/data/wave.wdb");
    EXPECT_EQ(names.WaveFileName, "/data/wave.wdb");
    EXPECT_EQ(names.PageFileName, "/data/wave");
    EXPECT_EQ(names.SystemFileName, "/data/wave");
    EXPECT_EQ(names.TextFileName, "/data/wave");
    EXPECT_EQ(zw::MainWindowTitle(names), "ZW4410 </data/wave.wdb>");
}

} // namespace
