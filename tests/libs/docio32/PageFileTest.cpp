// Reading creation-page files through a FILE* the caller opened.
#include "docio32.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File fileWith(const std::string& text) {
    File f(std::tmpfile());
    std::fwrite(text.data(), 1, text.size(), f.get());
    std::rewind(f.get());
    return f;
}

const std::string kHeader = "'+++++++++++++++\r\n"
                            "'<Unit Setup>\r\n"
                            "'[X-Axis Unit]\r\n"
                            "'X-Axis Unit\tsec\r\n"
                            "'Name\t\r\n"
                            "'Min to Max\t0,1\r\n"
                            "'XX\t0,1.6384E-03\r\n"
                            "'[Y-Axis Unit]\r\n"
                            "'Y-Axis Unit\tV\r\n"
                            "'Name\t\r\n"
                            "'Min to Max\t-1,1\r\n"
                            "'YY\t-5,5\r\n"
                            "'+++++++++++++++\r\n";

// One page block as the editor writes it.
std::string pageBlock(int page, int type, const std::string& typeName, const std::string& start,
                      const std::string& end, const std::string& expression,
                      const std::string& constants) {
    std::string s = "StartPage\r\n";
    s += " " + std::to_string(page) + "\t\t'Page\r\n";
    s += " " + std::to_string(type) + "\t\t'Type  " + typeName + "\r\n";
    s += start + "\t\t'Start\r\n";
    s += end + "\t\t'End\r\n";
    const char* keys[] = {"Offset", "Size", "Ampl", "Cycle", "Phase", "Symm", "Duty", "Transition"};
    for (int i = 0; i < 8; ++i)
        s += " " + std::to_string(i + 1) + ".5\t\t'" + keys[i] + "\r\n";
    s += "\t\t'Y=\r\n" + expression + "\r\n";
    s += "\t\t'Const\r\n" + constants + "\r\n";
    s += "EndPage\r\n'----------------\r\n";
    return s;
}

// The outputs of one ReadOneWaveList call, preset to recognisable values.
struct Page {
    int32_t result = 0;
    int16_t number = -1;
    int16_t type = -1;
    double start = -1;
    double end = -1;
    std::array<double, 8> parameters{-1, -1, -1, -1, -1, -1, -1, -1};
    char constants[DOCIO32_PAGE_CONSTANTS_SIZE] = "preset constants";
    char expression[DOCIO32_PAGE_EXPRESSION_SIZE] = "preset expression";
};

Page readPage(std::FILE* f) {
    Page p;
    p.result = ReadOneWaveList(f, &p.number, &p.type, &p.start, &p.end, p.parameters.data(),
                               p.constants, p.expression);
    return p;
}

} // namespace

TEST(PageFile, ReadsTheHeaderAndEveryPageAsTheEditorWritesThem) {
    const File f = fileWith(kHeader +
                            pageBlock(1, 5, "Expression", " 0", " 1.5E-04", "  sin(x) * 2  ",
                                      "  a = 1\r\n\r\n\tb = 2 \r\n") +
                            pageBlock(7, 0, "Sin", " 1.6E-04", " 1.6384E-03", "None", "None"));
    double x0 = 111, x1 = 222, y0 = 333, y1 = 444;
    ASSERT_EQ(ReadWaveListHeader(f.get(), &x0, &x1, &y0, &y1), 0);
    EXPECT_EQ(x0, 0.0);
    EXPECT_EQ(x1, 1.6384E-03);
    EXPECT_EQ(y0, -5.0);
    EXPECT_EQ(y1, 5.0);

    const Page first = readPage(f.get());
    ASSERT_EQ(first.result, 1);
    EXPECT_EQ(first.number, 1);
    EXPECT_EQ(first.type, 5);
    EXPECT_EQ(first.start, 0.0);
    EXPECT_EQ(first.end, 1.5E-04);
    EXPECT_EQ(first.parameters, (std::array<double, 8>{1.5, 2.5, 3.5, 4.5, 5.5, 6.5, 7.5, 8.5}));
    EXPECT_STREQ(first.expression, "sin(x) * 2");
    EXPECT_STREQ(first.constants, "a = 1\r\nb = 2") << "trimmed, empty lines left out";

    const Page second = readPage(f.get());
    ASSERT_EQ(second.result, 1);
    EXPECT_EQ(second.number, 7);
    EXPECT_EQ(second.type, 0);
    EXPECT_EQ(second.start, 1.6E-04);
    EXPECT_STREQ(second.expression, "");
    EXPECT_STREQ(second.constants, "");

    EXPECT_EQ(readPage(f.get()).result, -1) << "end of file";
    EXPECT_EQ(readPage(f.get()).result, -1);
}

TEST(PageFile, HeaderValuesNotFoundKeepThePresetsAndPagesStillRead) {
    const File f =
        fileWith("'just a comment\n" + pageBlock(2, 4, "DC Volts", " 0", " 9", "None", "None"));
    double x0 = 1, x1 = 2, y0 = 3, y1 = 4;
    ASSERT_EQ(ReadWaveListHeader(f.get(), &x0, &x1, &y0, &y1), 0);
    EXPECT_EQ(x0, 1.0);
    EXPECT_EQ(x1, 2.0);
    EXPECT_EQ(y0, 3.0);
    EXPECT_EQ(y1, 4.0);
    const Page p = readPage(f.get());
    EXPECT_EQ(p.result, 1) << "the header reader gives the file back where it found it";
    EXPECT_EQ(p.number, 2);

    // Reading stops after 'YY; an 'XX below it belongs to no header.
    const File g = fileWith("'YY\t-1, 1\n'XX\t7,8\n");
    ASSERT_EQ(ReadWaveListHeader(g.get(), &x0, &x1, &y0, &y1), 0);
    EXPECT_EQ(y0, -1.0);
    EXPECT_EQ(y1, 1.0);
    EXPECT_EQ(x0, 1.0);
    char rest[32] = {};
    ASSERT_NE(std::fgets(rest, sizeof rest, g.get()), nullptr);
    EXPECT_STREQ(rest, "'XX\t7,8\n");

    EXPECT_EQ(ReadWaveListHeader(nullptr, &x0, &x1, &y0, &y1), -1);
    EXPECT_EQ(readPage(nullptr).result, -1);
}

TEST(PageFile, KeysAreFoundAnywhereInTheLineAndTheFirstTokenIsTheValue) {
    const File f = fileWith("some text\nStartPage trailing words\n"
                            "3 'Page\n"
                            "ignored line without a key\n"
                            "12.5 and then 'Ampl\n"
                            "2e3 'End but also 'Start\n" // 'Start is looked for before 'End
                            "\t'Cycle\n"                 // the first token is the key: atof gives 0
                            "'Const\n"
                            "x=1\n"
                            "EndPage\n");
    const Page p = readPage(f.get());
    ASSERT_EQ(p.result, 1);
    EXPECT_EQ(p.number, 3);
    EXPECT_EQ(p.type, -1) << "a key the page lacks leaves the caller's value";
    EXPECT_EQ(p.parameters[2], 12.5);
    EXPECT_EQ(p.start, 2000.0);
    EXPECT_EQ(p.end, -1.0);
    EXPECT_EQ(p.parameters[3], 0.0);
    EXPECT_STREQ(p.expression, "preset expression");
    EXPECT_STREQ(p.constants, "x=1");
}

TEST(PageFile, MalformedPagesEndTheReadingAndWriteNothing) {
    const std::string badPage[] = {
        "StartPage\n-1\t\t'Page\n'Const\nEndPage\n", // page value must begin with a digit
        "StartPage\n\t\t'Page\n'Const\nEndPage\n",   // no value at all
        "StartPage\n1 'Page\nx 'Type\n'Const\nEndPage\n",
        "StartPage\n1 'Page\n'Y=",         // no line after 'Y=
        "StartPage\n1 'Page\n'Const\na=1", // no EndPage after the constants
        "StartPage\n1 'Page\n",            // the file ends inside the page
        "no page at all\n",
        "",
    };
    for (const auto& text : badPage) {
        const File f = fileWith(text);
        const Page p = readPage(f.get());
        EXPECT_EQ(p.result, -1) << text;
        EXPECT_EQ(p.number, -1) << text;
        EXPECT_STREQ(p.constants, "preset constants") << text;
    }
}

TEST(PageFile, EndPageWithoutConstantsEndsThatPageOnly) {
    const File f = fileWith("StartPage\n4 'Page\n1 'Type\n\t\t'Y=\nx\nEndPage\n" +
                            pageBlock(5, 2, "Square", " 0", " 8", "None", "c=2"));
    const Page first = readPage(f.get());
    ASSERT_EQ(first.result, 1);
    EXPECT_EQ(first.number, 4);
    EXPECT_EQ(first.type, 1);
    EXPECT_STREQ(first.constants, "") << "a page without 'Const has no constants";
    const Page second = readPage(f.get());
    ASSERT_EQ(second.result, 1);
    EXPECT_EQ(second.number, 5);
    EXPECT_STREQ(second.constants, "c=2");
}

TEST(PageFile, OversizedNumbersAndTextsNeverOverrunTheirPlace) {
    const File numbers = fileWith("StartPage\n65539 'Page\n99999999999 'Type\n'Const\nEndPage\n");
    const Page p = readPage(numbers.get());
    ASSERT_EQ(p.result, 1);
    EXPECT_EQ(p.number, 32767) << "too large stays too large instead of wrapping to page 3";
    EXPECT_EQ(p.type, 32767);

    // Texts that just fit, then one character more.
    const std::string longestExpression(DOCIO32_PAGE_EXPRESSION_SIZE - 1, 'x');
    const std::string longestConstants =
        std::string(400, 'a') + "\r\n" + std::string(DOCIO32_PAGE_CONSTANTS_SIZE - 403, 'b');
    const File fits = fileWith(pageBlock(1, 5, "", "0", "1", longestExpression, longestConstants));
    const Page full = readPage(fits.get());
    ASSERT_EQ(full.result, 1);
    EXPECT_EQ(full.expression, longestExpression);
    EXPECT_EQ(full.constants, longestConstants);

    const File tooLongExpression =
        fileWith(pageBlock(1, 5, "", "0", "1", longestExpression + "x", "None"));
    const Page e = readPage(tooLongExpression.get());
    EXPECT_EQ(e.result, -1);
    EXPECT_STREQ(e.expression, "preset expression");
    const File tooLongConstants =
        fileWith(pageBlock(1, 5, "", "0", "1", "None", longestConstants + "b"));
    const Page c = readPage(tooLongConstants.get());
    EXPECT_EQ(c.result, -1);
    EXPECT_STREQ(c.constants, "preset constants");

    // A long text that begins with None is simply empty.
    const File none = fileWith(pageBlock(1, 5, "", "0", "1", "None" + std::string(3000, 'y'),
                                         "None\n" + std::string(3000, 'z')));
    const Page n = readPage(none.get());
    ASSERT_EQ(n.result, 1);
    EXPECT_STREQ(n.expression, "");
    EXPECT_STREQ(n.constants, "");
}

TEST(PageFile, OutputsThatAreNotWantedMayBeNull) {
    const File f = fileWith(pageBlock(9, 3, "Noise", "0", "1", "None", "k=1"));
    char constants[DOCIO32_PAGE_CONSTANTS_SIZE] = {};
    EXPECT_EQ(
        ReadOneWaveList(f.get(), nullptr, nullptr, nullptr, nullptr, nullptr, constants, nullptr),
        1);
    EXPECT_STREQ(constants, "k=1");
}
