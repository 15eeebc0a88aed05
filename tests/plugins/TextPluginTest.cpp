// The delimited-text plug-in as the host sees it: its table, and files on
// disk read through it in blocks.
#include "LoadedTable.h"
#include "TestPluginFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using zwtest::LoadedTable;
using Codes = std::vector<int16_t>;

class TextPlugin : public ::testing::Test {
protected:
    LoadedTable plugin{ZW_TEXT_PLUGIN};
    zwtest::TestPluginFolder folder;
};

TEST_F(TextPlugin, DescribesItself) {
    ASSERT_TRUE(plugin);
    EXPECT_EQ(plugin->version, static_cast<uint32_t>(ZW_IMPORT_PLUGIN_VERSION));
    EXPECT_STREQ(plugin->name, "Delimited text");
    std::vector<std::string> types;
    for (const char* const* type = plugin->types; *type; ++type)
        types.emplace_back(*type);
    EXPECT_EQ(types, (std::vector<std::string>{"csv", "tsv", "txt", "prn"}));
}

TEST_F(TextPlugin, ReadsASpreadsheetCsvInBlocks) {
    // 1200 rows "n;n/1000" with a decimal comma: the first numeric column
    // is the row number, whole and within the code range.
    std::string text = "Row;Volts\r\n";
    for (int i = 0; i < 1200; ++i)
        text += std::to_string(i - 600) + ";" + std::to_string(i / 1000) + "," +
                std::to_string(i % 1000) + "\r\n";
    const LoadedTable::FileRead read = plugin.readAll(folder.write("scope.csv", text));
    ASSERT_EQ(read.result, ZW_IMPORT_OK);
    EXPECT_EQ(read.reported, 1200);
    EXPECT_EQ(read.offset, 0);
    ASSERT_EQ(read.codes.size(), 1200u);
    for (int i = 0; i < 1200; ++i)
        ASSERT_EQ(read.codes[static_cast<std::size_t>(i)], i - 600);
}

TEST_F(TextPlugin, ReadsATsvOfCodesAndSeeks) {
    const std::string path = folder.write("codes.tsv", "-32768\t1\n32767\t2\n0\t3\n");
    ZwImportReader* reader = nullptr;
    int64_t count = 0;
    int64_t offset = -1;
    ASSERT_EQ(plugin->open(path.c_str(), &reader, &count, &offset), ZW_IMPORT_OK);
    EXPECT_EQ(count, 3);
    ASSERT_EQ(plugin->seek(reader, 1), ZW_IMPORT_OK);
    int16_t codes[4] = {};
    int32_t delivered = -1;
    ASSERT_EQ(plugin->read(reader, codes, 4, &delivered), ZW_IMPORT_OK);
    ASSERT_EQ(delivered, 2);
    EXPECT_EQ(codes[0], 32767);
    EXPECT_EQ(codes[1], 0);
    EXPECT_EQ(plugin->seek(reader, 4), ZW_IMPORT_BAD_ARGUMENT);
    ASSERT_EQ(plugin->seek(reader, 0), ZW_IMPORT_OK);
    ASSERT_EQ(plugin->read(reader, codes, 1, &delivered), ZW_IMPORT_OK);
    EXPECT_EQ(codes[0], -32768);
    plugin->close(reader);
}

TEST_F(TextPlugin, RefusesWhatItCannotRead) {
    EXPECT_EQ(plugin.readAll(folder.folder() + "missing.csv").result, ZW_IMPORT_CANNOT_OPEN);
    EXPECT_EQ(plugin.readAll(folder.folder()).result, ZW_IMPORT_CANNOT_OPEN);
    EXPECT_EQ(plugin.readAll(folder.write("empty.csv", "")).result, ZW_IMPORT_NO_SAMPLES);
    EXPECT_EQ(plugin.readAll(folder.write("words.txt", "no numbers here\n")).result,
              ZW_IMPORT_BAD_FORMAT);
    // A short row is fine when it still holds the chosen column.
    EXPECT_EQ(plugin.readAll(folder.write("short_row.csv", "1,2\n3,4\n5\n")).result, ZW_IMPORT_OK);
    EXPECT_EQ(plugin.readAll(folder.write("stops.csv", "a,1\nb,2\nc\n")).result,
              ZW_IMPORT_BAD_FORMAT);
    ZwImportReader* reader = nullptr;
    int64_t count = 0;
    int64_t offset = 0;
    EXPECT_EQ(plugin->open(nullptr, &reader, &count, &offset), ZW_IMPORT_BAD_ARGUMENT);
}

} // namespace
