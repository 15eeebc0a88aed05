// The page file: what is written, and reading it back under the same and
// under other units; files from elsewhere.
#include "PageFile.h"
#include "CreateTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace zw;
using namespace zw::create;
using namespace zw::create::test;

namespace {

struct PageFiles : ::testing::Test {
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(name); }
    void write(const QString& file, const QByteArray& bytes) const {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read(const QString& file) const {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

PageRecord sample(int number) {
    PageRecord p;
    p.PageNumber = int16_t(number);
    p.Visited = p.Effective = true;
    p.Type = PageType::Square;
    p.Start = 100;
    p.End = 300;
    p.Size = 200;
    p.Offset = -1234.5;
    p.Amplitude = 30000;
    p.Cycles = 2.5;
    p.Phase = 45;
    p.Symmetry = 25;
    p.Duty = 75;
    p.Transition = 5;
    return p;
}

// A file with the given page blocks after a header in samples and codes.
QByteArray fileWith(const QByteArray& blocks) {
    return "'+++++++++++++++\r\n'XX\t0,1000\r\n'YY\t-32767,32767\r\n" + blocks;
}

QByteArray block(int number, int type, double level) {
    return "StartPage\r\n" + QByteArray::number(number) + "\t\t'Page\r\n" +
           QByteArray::number(type) + "\t\t'Type  x\r\n 0\t\t'Start\r\n 10\t\t'End\r\n" +
           QByteArray::number(level) +
           "\t\t'Offset\r\n\t\t'Y=\r\nNone\r\n\t\t'Const\r\nNone\r\nEndPage\r\n";
}

} // namespace

TEST_F(PageFiles, WritesTheHeaderAndEveryParameterOfEffectivePages) {
    PageTable table(1000);
    table.page(3) = sample(3);
    table.page(3).Constants = "a=1;\r\nb=2;";
    table.page(3).Expression = "sin(x) * 2";
    const QByteArray text = PageFileText(table, Units(SamplesAndCodes()), Language::English);
    const QByteArray expected = "'+++++++++++++++\r\n"
                                "'<Unit Setup>\r\n"
                                "'[X-Axis Unit]\r\n"
                                "'X-Axis Unit\tWord\r\n"
                                "'Name\t\r\n"
                                "'Min to Max\t0,1\r\n"
                                "'XX\t0,1000\r\n"
                                "'[Y-Axis Unit]\r\n"
                                "'Y-Axis Unit\tCode\r\n"
                                "'Name\t\r\n"
                                "'Min to Max\t-1,1\r\n"
                                "'YY\t-32767,32767\r\n"
                                "'+++++++++++++++\r\n"
                                "StartPage\r\n"
                                "3\t\t'Page\r\n"
                                "2\t\t'Type  Square\r\n"
                                " 100\t\t'Start\r\n"
                                " 300\t\t'End\r\n"
                                "-1234.5\t\t'Offset\r\n"
                                " 200\t\t'Size\r\n"
                                " 30000\t\t'Ampl\r\n"
                                " 2.5\t\t'Cycle\r\n"
                                " 45\t\t'Phase\r\n"
                                " 25\t\t'Symm\r\n"
                                " 75\t\t'Duty\r\n"
                                " 5\t\t'Transition\r\n"
                                "\t\t'Y=\r\n"
                                "sin(x) * 2\r\n"
                                "\t\t'Const\r\n"
                                "a=1;\r\n"
                                "b=2;\r\n"
                                "EndPage\r\n"
                                "'----------------\r\n";
    EXPECT_EQ(text, expected);
}

TEST_F(PageFiles, JapaneseLabelsAndTypeNames) {
    PageTable table(1000);
    table.page(1) = sample(1);
    table.page(1).Type = PageType::Sine;
    const QString text =
        QString::fromUtf8(PageFileText(table, Units(SamplesAndCodes()), Language::Japanese));
    EXPECT_TRUE(text.contains(u"'<単位設定>\r\n'[X軸単位]\r\n"));
    EXPECT_TRUE(text.contains(u"'ﾕｰｻﾞ単位名称\t"));
    EXPECT_TRUE(text.contains(u"'最小値～最大値\t"));
    EXPECT_TRUE(text.contains(u"0\t\t'Type  正弦波\r\n"));
    // and it reads back
    PageTable back(1000);
    write(path("ja.wfn"), text.toUtf8());
    EXPECT_EQ(ReadPageFile(path("ja.wfn"), back, Units(SamplesAndCodes())).code, 0);
    EXPECT_TRUE(back.page(1).sameContents(table.page(1)));
}

TEST_F(PageFiles, RoundTripKeepsEveryPageAndItsGaps) {
    PageTable table(1000);
    table.page(2) = sample(2);
    table.page(2).Effective = false; // "No Effect": neither saved nor read
    table.page(5) = sample(5);
    table.page(5).Type = PageType::Expression;
    table.page(5).Expression = "sin(x) * 2";
    table.page(200) = sample(200);
    table.page(200).Constants = "k=3;";
    table.page(201) = sample(201);
    const Units units(SamplesAndCodes());
    ASSERT_EQ(SavePageFile(path("pages.wfn"), table, units, Language::English), 0);
    EXPECT_TRUE(read(path("pages.wfn")).contains("\t\t'Const\r\nNone\r\nEndPage"));

    PageTable back(1000);
    back.page(9).Effective = true; // the table is cleared first
    const PageFileReading r = ReadPageFile(path("pages.wfn"), back, units);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.pagesRead, 3);
    EXPECT_FALSE(back.page(2).Effective);
    EXPECT_FALSE(back.page(9).Effective);
    EXPECT_EQ(back.page(5).Expression, "sin(x) * 2");
    EXPECT_TRUE(back.page(5).Constants.isEmpty());
    EXPECT_EQ(back.page(200).Constants, "k=3;");
    for (int n : {5, 200, 201}) {
        EXPECT_TRUE(back.page(n).sameContents(table.page(n))) << n;
        EXPECT_TRUE(back.page(n).Visited && back.page(n).Effective);
    }
}

TEST_F(PageFiles, TimeUnitsReadBackInSamplesGiveTheSameSamples) {
    PageTable table(1000);
    table.page(1) = sample(1);
    table.page(1).Start = 137;
    table.page(1).End = 911;
    table.page(1).Size = 774;
    table.page(1).Amplitude = 12345;
    ASSERT_EQ(SavePageFile(path("time.wfn"), table, Units(TimeAndVolts()), Language::English), 0);
    const QByteArray text = read(path("time.wfn"));
    EXPECT_TRUE(text.contains("'XX\t0,.001\r\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("'YY\t-1,1\r\n"));

    PageTable back(1000);
    ASSERT_EQ(ReadPageFile(path("time.wfn"), back, Units(SamplesAndCodes())).code, 0);
    EXPECT_EQ(back.page(1).Start, 137);
    EXPECT_EQ(back.page(1).End, 911);
    EXPECT_EQ(back.page(1).Size, 774);
    EXPECT_EQ(back.page(1).Amplitude, 12345);
    EXPECT_EQ(back.page(1).Offset, -1234.5); // taken as written

    // User units too.
    ASSERT_EQ(SavePageFile(path("user.wfn"), table, Units(UserUnits()), Language::English), 0);
    PageTable user(1000);
    ASSERT_EQ(ReadPageFile(path("user.wfn"), user, Units(TimeAndVolts())).code, 0);
    EXPECT_TRUE(user.page(1).sameContents(table.page(1)));
}

TEST_F(PageFiles, AFileWithoutHeaderIsReadWithTheCurrentRanges) {
    write(path("bare.wfn"), block(4, 4, 77));
    PageTable table(1000);
    ASSERT_EQ(ReadPageFile(path("bare.wfn"), table, Units(TimeAndVolts())).code, 0);
    EXPECT_EQ(table.page(4).Type, PageType::DcLevel);
    EXPECT_EQ(table.page(4).End, 10.0 / (0.001 / 1000));
}

TEST_F(PageFiles, TheLaterOfTwoPagesWithOneNumberWins) {
    write(path("twice.wfn"), fileWith(block(4, 4, 11) + block(4, 4, 22)));
    PageTable table(1000);
    ASSERT_EQ(ReadPageFile(path("twice.wfn"), table, Units(SamplesAndCodes())).code, 0);
    EXPECT_EQ(table.page(4).Offset, 22);
}

TEST_F(PageFiles, ReadingStopsAtAPageNumberBeyondTheTable) {
    write(path("big.wfn"), fileWith(block(4, 4, 11) + block(203, 4, 22) + block(6, 4, 33)));
    PageTable table(1000);
    const PageFileReading r = ReadPageFile(path("big.wfn"), table, Units(SamplesAndCodes()));
    EXPECT_EQ(r.code, 71);
    EXPECT_TRUE(r.applied && r.stoppedEarly);
    EXPECT_TRUE(table.page(4).Effective);
    EXPECT_FALSE(table.page(6).Effective);
}

TEST_F(PageFiles, MalformedPagesEndTheReadingAndKeepWhatCameBefore) {
    const Units units(SamplesAndCodes());
    const QByteArray good = block(4, 4, 11);
    const QByteArray cases[] = {
        good + block(5, 4, 22).left(60),                 // the file ends inside a page
        good + "StartPage\r\nx\t\t'Page\r\nEndPage\r\n", // page not a number
        good + block(5, 9, 22),                          // no such type
        good + "StartPage\r\n5\t\t'Page\r\n1\t\t'Type\r\nnan\t\t'Start\r\nEndPage\r\n",
        good + "StartPage\r\n5\t\t'Page\r\n1\t\t'Type\r\n\t\t'Y=\r\n", // no formula line
    };
    for (const QByteArray& bytes : cases) {
        write(path("bad.wfn"), fileWith(bytes));
        PageTable table(1000);
        const PageFileReading r = ReadPageFile(path("bad.wfn"), table, units);
        EXPECT_EQ(r.code, 71) << bytes.toStdString();
        EXPECT_TRUE(table.page(4).Effective);
        EXPECT_EQ(table.page(4).Offset, 11);
        EXPECT_FALSE(table.page(5).Effective);
    }
}

TEST_F(PageFiles, AFileThatIsNoPageFileChangesNothing) {
    PageTable table(1000);
    table.page(8) = sample(8);
    const PageTable before = table;
    const Units units(SamplesAndCodes());

    EXPECT_EQ(ReadPageFile(path("missing.wfn"), table, units).code, 71);
    EXPECT_EQ(ReadPageFile(dir.path(), table, units).code, 71);
    QByteArray binary;
    for (int i = 0; i < 5000; ++i)
        binary += char((i * 7919) % 256);
    write(path("binary.wfn"), binary);
    EXPECT_EQ(ReadPageFile(path("binary.wfn"), table, units).code, 71);
    write(path("empty.wfn"), "");
    EXPECT_EQ(ReadPageFile(path("empty.wfn"), table, units).code, 71);
    // A header whose X range is empty cannot be brought back to samples.
    write(path("flat.wfn"), "'XX\t5,5\r\n'YY\t-1,1\r\n" + block(4, 4, 11));
    EXPECT_EQ(ReadPageFile(path("flat.wfn"), table, units).code, 71);
    EXPECT_TRUE(table.sameContents(before));

    // A header without pages is a file of no effective page.
    write(path("none.wfn"), fileWith(""));
    EXPECT_EQ(ReadPageFile(path("none.wfn"), table, units).code, 0);
    EXPECT_FALSE(table.page(8).Effective);
}

TEST_F(PageFiles, TextsOfWindowsFilesAreReadAsCp932) {
    // "波形" in CP932 inside the expression line.
    write(path("cp932.wfn"), fileWith("StartPage\r\n1\t\t'Page\r\n5\t\t'Type\r\n\t\t'Y=\r\n"
                                      "x \x94\x67\x8c\x60\r\n\t\t'Const\r\nNone\r\nEndPage\r\n"));
    PageTable table(1000);
    ASSERT_EQ(ReadPageFile(path("cp932.wfn"), table, Units(SamplesAndCodes())).code, 0);
    EXPECT_EQ(table.page(1).Expression, QString::fromUtf8("x 波形"));
}

TEST_F(PageFiles, AConstantsLineThatLooksLikeThePageEndSurvives) {
    PageTable table(1000);
    table.page(1) = sample(1);
    table.page(1).Constants = "a=1;\r\nEndPage=2;";
    table.page(2) = sample(2);
    ASSERT_EQ(SavePageFile(path("end.wfn"), table, Units(SamplesAndCodes()), Language::English), 0);
    PageTable back(1000);
    ASSERT_EQ(ReadPageFile(path("end.wfn"), back, Units(SamplesAndCodes())).code, 0);
    EXPECT_EQ(back.page(1).Constants, "a=1;\r\nEndPage=2;");
    EXPECT_TRUE(back.page(2).Effective);
}

TEST_F(PageFiles, AFailedSaveKeepsThePreviousFile) {
    PageTable table(1000);
    table.page(1) = sample(1);
    const Units units(SamplesAndCodes());
    EXPECT_EQ(SavePageFile(path("no/such/folder/x.wfn"), table, units, Language::English), 72);
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    QDir(dir.path()).mkdir("locked");
    const QString file = dir.filePath("locked/p.wfn");
    write(file, "old");
    QFile::setPermissions(dir.filePath("locked"), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(SavePageFile(file, table, units, Language::English), 72);
    EXPECT_EQ(read(file), "old");
    QFile::setPermissions(dir.filePath("locked"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
