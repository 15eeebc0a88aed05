// Point-list files: the writer's exact bytes, the lenient reader, and the
// commands of the Interpolate window's File menu on the control-point list.
#include "PointListCommands.h"
#include "PointListFile.h"
#include "Units.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

using zw::ControlPoints;
using zw::PointListPair;
using zw::PointListParser;
using zw::Units;
using zw::UnitSetting;

Units samplesAndCodes(double length = 1000) {
    UnitSetting s;
    s.WaveLength = length;
    return Units(s);
}

// Time and volts: 1 ms over 1000 samples, 20 V peak to peak.
Units timeAndVolts() {
    UnitSetting s;
    s.XUnit = 1;
    s.YUnit = 1;
    s.WaveLength = 1000;
    s.Cycle = 1e-3;
    s.Amplitude = 20;
    return Units(s);
}

std::vector<PointListPair> parse(const QString& text) {
    std::vector<PointListPair> pairs;
    PointListParser parser(text);
    while (auto pair = parser.next())
        pairs.push_back(*pair);
    return pairs;
}

class PointListFiles : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QByteArray bytesOf(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const QString& name, const QByteArray& bytes) const {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    ControlPoints twoPoints() const {
        ControlPoints p;
        p.setPoint(100, 2000, 1000, {});
        p.setPoint(250, -5, 1000, {});
        return p;
    }
    QTemporaryDir dir;
};

TEST_F(PointListFiles, TheSeparatorFollowsTheName) {
    const ControlPoints p = twoPoints();
    ASSERT_EQ(zw::SavePointList(p, path("a.csv"), samplesAndCodes()), 0);
    EXPECT_EQ(bytesOf("a.csv"), QByteArray("100,2000\r\n250,-5\r\n"));
    ASSERT_EQ(zw::SavePointList(p, path("a.PRN"), samplesAndCodes()), 0);
    EXPECT_EQ(bytesOf("a.PRN"), QByteArray("100 2000\r\n250 -5\r\n"));
    ASSERT_EQ(zw::SavePointList(p, path("a.tsv"), samplesAndCodes()), 0);
    EXPECT_EQ(bytesOf("a.tsv"), QByteArray("100\t2000\r\n250\t-5\r\n"));
}

TEST_F(PointListFiles, OtherUnitsAreWrittenWithPrefixesAndReadBack) {
    const ControlPoints p = twoPoints();
    ASSERT_EQ(zw::SavePointList(p, path("t.csv"), timeAndVolts()), 0);
    EXPECT_EQ(bytesOf("t.csv"), QByteArray("100u,610.37m\r\n250u,-1.5259m\r\n"));
    ControlPoints read;
    ASSERT_EQ(zw::OpenPointList(read, path("t.csv"), timeAndVolts(), 1000, {}), 0);
    ASSERT_EQ(read.count(), 2);
    EXPECT_NEAR(read.x(0), 100, 1e-6);
    EXPECT_NEAR(read.y(0), 2000, 0.01);
    EXPECT_NEAR(read.x(1), 250, 1e-6);
    EXPECT_NEAR(read.y(1), -5, 0.01);
}

TEST_F(PointListFiles, NoPointWritesNoFileAndAFailedWriteIsReported) {
    EXPECT_EQ(zw::SavePointList(ControlPoints(), path("none.csv"), samplesAndCodes()), 0);
    EXPECT_FALSE(QFile::exists(path("none.csv")));
    EXPECT_EQ(zw::SavePointList(twoPoints(), path("missing/dir.csv"), samplesAndCodes()), 72);
}

TEST(PointListParser, AcceptsBlanksTabsAndOneCommaBetweenValues) {
    EXPECT_EQ(parse("1 2\r\n3\t4\r\n  5 ,\t6\r\n\t7,8\r\n"),
              (std::vector<PointListPair>{{1, 2}, {3, 4}, {5, 6}, {7, 8}}));
}

TEST(PointListParser, LastLineWithoutItsEndAndOtherLineEnds) {
    EXPECT_EQ(parse("1,2\r\n3,4"), (std::vector<PointListPair>{{1, 2}, {3, 4}}));
    EXPECT_EQ(parse("1,2\n3,4\r5,6\r\n"), (std::vector<PointListPair>{{1, 2}, {3, 4}, {5, 6}}));
}

TEST(PointListParser, ALineWithOnlyXOrJunkEndsTheReading) {
    EXPECT_EQ(parse("1,2\r\n3\r\n5,6\r\n"), (std::vector<PointListPair>{{1, 2}}));
    EXPECT_EQ(parse("1,2\r\n3,\r\n5,6\r\n"), (std::vector<PointListPair>{{1, 2}}));
    EXPECT_EQ(parse("1,2\r\nx,y\r\n5,6\r\n"), (std::vector<PointListPair>{{1, 2}}));
    EXPECT_EQ(parse("1,2\r\n\r\n5,6\r\n"), (std::vector<PointListPair>{{1, 2}}));
    EXPECT_EQ(parse("1,,2\r\n"), (std::vector<PointListPair>{}));
    EXPECT_EQ(parse(""), (std::vector<PointListPair>{}));
}

TEST(PointListParser, PrefixesByteOrderMarkAndExtraColumns) {
    EXPECT_EQ(parse(QString(QChar(0xFEFF)) + "1.5k,2m,extra\r\n-3 4e1\r\n"),
              (std::vector<PointListPair>{{1500, 0.002}, {-3, 40}}));
}

TEST_F(PointListFiles, APrnFileWithTabsReads) {
    write("tabs.prn", "10\t100\r\n20\t-200\r\n");
    ControlPoints p;
    ASSERT_EQ(zw::OpenPointList(p, path("tabs.prn"), samplesAndCodes(), 1000, {}), 0);
    EXPECT_EQ(p.count(), 2);
    EXPECT_EQ(p.x(1), 20);
    EXPECT_EQ(p.y(1), -200);
}

TEST_F(PointListFiles, ValuesAreLimitedToTheRangesOfTheUnits) {
    write("wide.csv", "-5,40000\r\n500,-40000\r\n5000,1\r\n");
    ControlPoints p;
    // The last point lands on the end and, after the question, takes the
    // start with it.
    ASSERT_EQ(zw::OpenPointList(p, path("wide.csv"), samplesAndCodes(), 1000, [] { return true; }),
              0);
    ASSERT_EQ(p.count(), 3);
    EXPECT_EQ(p.x(0), 0);
    EXPECT_EQ(p.y(0), 1);
    EXPECT_EQ(p.y(1), -32768);
    EXPECT_EQ(p.x(2), 1000);
    ControlPoints high;
    write("high.csv", "10,40000\r\n");
    ASSERT_EQ(zw::OpenPointList(high, path("high.csv"), samplesAndCodes(), 1000, {}), 0);
    EXPECT_EQ(high.y(0), 32767);
}

TEST_F(PointListFiles, OpeningReplacesTheListInOrder) {
    write("order.csv", "300,3\r\n100,1\r\n300,4\r\n");
    ControlPoints p = twoPoints();
    ASSERT_EQ(zw::OpenPointList(p, path("order.csv"), samplesAndCodes(), 1000, {}), 0);
    EXPECT_EQ(p.count(), 2);
    EXPECT_EQ(p.x(0), 100);
    EXPECT_EQ(p.y(1), 4);
}

TEST_F(PointListFiles, BadFilesLeaveTheListAsItWas) {
    ControlPoints p = twoPoints();
    EXPECT_EQ(zw::OpenPointList(p, path("absent.csv"), samplesAndCodes(), 1000, {}), 71);
    write("junk.csv", "X,Y\r\n1,2\r\n");
    EXPECT_EQ(zw::OpenPointList(p, path("junk.csv"), samplesAndCodes(), 1000, {}), 71);
    write("wave.txt", "1,2\r\n");
    EXPECT_EQ(zw::OpenPointList(p, path("wave.txt"), samplesAndCodes(), 1000, {}), 7);
    write("a.b.csv", "1,2\r\n"); // the extension is everything after the first dot
    EXPECT_EQ(zw::OpenPointList(p, path("a.b.csv"), samplesAndCodes(), 1000, {}), 7);
    EXPECT_EQ(p.count(), 2);
    EXPECT_EQ(p.x(0), 100);
}

TEST_F(PointListFiles, AMillionLinesKeepTheFirst2000Points) {
    QByteArray text;
    for (int i = 0; i < 1000000; ++i)
        text += QByteArray::number(i) + ",1\r\n";
    write("big.csv", text);
    ControlPoints p;
    EXPECT_EQ(zw::OpenPointList(p, path("big.csv"), samplesAndCodes(65536), 65536, {}),
              zw::kPointListFull);
    EXPECT_EQ(p.count(), 2000);
    EXPECT_EQ(p.x(1999), 1999);
}

TEST_F(PointListFiles, TheEndLinkIsAskedWhileReading) {
    write("ends.csv", "0,5\r\n1000,6\r\n");
    ControlPoints p;
    int asked = 0;
    auto no = [&asked] {
        ++asked;
        return false;
    };
    ASSERT_EQ(zw::OpenPointList(p, path("ends.csv"), samplesAndCodes(), 1000, no), 0);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(p.count(), 1);
}

TEST(PointListNames, DialogsProposeTheTextFileName) {
    const auto open = zw::PointListOpenProposal("Untitled", "/docs");
    EXPECT_EQ(open.path, "/docs/Untitled");
    EXPECT_EQ(open.defaultExtension, "prn");
    const auto save = zw::PointListSaveProposal("/w/points.CSV", "/docs");
    EXPECT_EQ(save.path, "/w/points");
    EXPECT_EQ(save.defaultExtension, "csv");
    EXPECT_EQ(save.filterIndex, 2);
    EXPECT_EQ(zw::PointListSaveProposal("/w/wave", "/docs").filterIndex, 0);
    EXPECT_EQ(zw::PointListSaveFilter(zw::Language::English).split(";;").size(), 3);
    EXPECT_EQ(zw::PointListOpenFilter(zw::Language::Japanese).split(";;").size(), 2);
}

} // namespace
