// The host library through its exports: which plug-ins a folder gives and
// in what order, what it passes over, and the results of every call.
#include "importhost.h"
#include "TestPluginFolder.h"
#include "importplugin.h"

#include <dlfcn.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using zwtest::FixturePlugin;
using zwtest::TestPluginFolder;

int32_t Open(const TestPluginFolder& folder, int32_t& count) {
    return OpenPlugin(folder.folder().c_str(), "*.so", IMPORTHOST_APP_NAME,
                      IMPORTHOST_FILE_NAME_SIZE, &count);
}

std::string Name(int32_t plugin) {
    char name[IMPORTHOST_NAME_SIZE];
    std::memset(name, 'x', sizeof name);
    int32_t length = -1;
    if (GetPluginName(plugin, name, &length) != IMPORTHOST_OK)
        return "<none>";
    EXPECT_EQ(length, static_cast<int32_t>(std::strlen(name)));
    return name;
}

std::vector<std::string> Types(int32_t plugin) {
    std::vector<std::string> types;
    char type[IMPORTHOST_TYPE_SIZE];
    int32_t index = 0;
    while (GetPluginType(plugin, index++, type) == IMPORTHOST_OK)
        types.emplace_back(type);
    return types;
}

ImportFileInfo InfoFor(const std::string& path) {
    ImportFileInfo info{};
    std::strncpy(info.FileName, path.c_str(), sizeof info.FileName - 1);
    return info;
}

std::vector<int16_t> Expected(int from, int count) {
    std::vector<int16_t> codes;
    for (int i = from; i < from + count; ++i)
        codes.push_back(static_cast<int16_t>(i % 30000));
    return codes;
}

class ImportHost : public ::testing::Test {
protected:
    void TearDown() override { ClosePlugin(); }
    TestPluginFolder folder;
};

TEST_F(ImportHost, LoadsPluginsInNameOrderAndPassesOverWhatIsNoPlugin) {
    folder.add(FixturePlugin("scripted"), "b_scripted.so");
    folder.add(ZW_TEXT_PLUGIN, "a_text.so");
    folder.add(FixturePlugin("no_entry"), "c_no_entry.so");
    folder.add(FixturePlugin("old_version"), "d_old.so");
    folder.add(FixturePlugin("bad_type"), "e_bad_type.so");
    folder.write("f_garbage.so", "this is no shared library");
    folder.add(ZW_EXAMPLE_PLUGIN, "g_example.so");
    folder.add(FixturePlugin("scripted"), "h_scripted.so.txt");
    std::filesystem::create_directory(folder.path() / "i_folder.so");

    int32_t count = -1;
    ASSERT_EQ(Open(folder, count), IMPORTHOST_OK);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(Name(0), "Delimited text");
    EXPECT_EQ(Name(1), "Scripted");
    EXPECT_EQ(Name(2), "Raw 16-bit codes");
    EXPECT_EQ(Types(0), (std::vector<std::string>{"csv", "tsv", "txt", "prn"}));
    EXPECT_EQ(Types(1), (std::vector<std::string>{"scr"}));
    EXPECT_EQ(Types(2), (std::vector<std::string>{"raw"}));
}

TEST_F(ImportHost, AnEmptyOrMissingFolderHasNoPlugin) {
    int32_t count = -1;
    ASSERT_EQ(Open(folder, count), IMPORTHOST_OK);
    EXPECT_EQ(count, 0);
    count = -1;
    EXPECT_EQ(OpenPlugin((folder.folder() + "missing/").c_str(), "*.so", IMPORTHOST_APP_NAME, 256,
                         &count),
              IMPORTHOST_OK);
    EXPECT_EQ(count, 0);
}

TEST_F(ImportHost, RefusesBadSessionArguments) {
    int32_t count = 7;
    const std::string folderName = folder.folder();
    const char* dir = folderName.c_str();
    EXPECT_EQ(OpenPlugin(dir, "*.so", "9999", 256, &count), IMPORTHOST_WRONG_APP);
    EXPECT_EQ(OpenPlugin(dir, "*.so", IMPORTHOST_APP_NAME, 1, &count), IMPORTHOST_BAD_ARGUMENT);
    EXPECT_EQ(OpenPlugin(dir, "*.so", IMPORTHOST_APP_NAME, IMPORTHOST_FILE_NAME_SIZE + 1, &count),
              IMPORTHOST_BAD_ARGUMENT);
    EXPECT_EQ(OpenPlugin(nullptr, "*.so", IMPORTHOST_APP_NAME, 256, &count),
              IMPORTHOST_BAD_ARGUMENT);
    EXPECT_EQ(OpenPlugin(dir, "*.so", IMPORTHOST_APP_NAME, 256, nullptr), IMPORTHOST_BAD_ARGUMENT);
    EXPECT_EQ(count, 7);

    // No session: every call says so.
    char text[IMPORTHOST_NAME_SIZE];
    int32_t length = 0;
    int32_t handle = 0;
    ImportFileInfo info = InfoFor("/dev/null");
    int16_t codes[4];
    int32_t n = 4;
    EXPECT_EQ(GetPluginName(0, text, &length), IMPORTHOST_NOT_OPEN);
    EXPECT_EQ(GetPluginType(0, 0, text), IMPORTHOST_NOT_OPEN);
    EXPECT_EQ(BeginPlugin(0, &handle, &info), IMPORTHOST_NOT_OPEN);
    EXPECT_EQ(SeekPlugin(0, 1, 0), IMPORTHOST_NOT_OPEN);
    EXPECT_EQ(ExecutePlugin(0, 1, codes, &n, 0), -1);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(EndPlugin(0, 1), IMPORTHOST_NOT_OPEN);
    EXPECT_EQ(ClosePlugin(), IMPORTHOST_OK);
}

TEST_F(ImportHost, ReadsThroughAPluginWithStartOffsetAndBlocks) {
    folder.add(FixturePlugin("scripted"), "scripted.so");
    const std::string file = folder.write("data.scr", "1000 5 2000");
    int32_t count = 0;
    ASSERT_EQ(Open(folder, count), IMPORTHOST_OK);
    ASSERT_EQ(count, 1);

    int32_t handle = 0;
    ImportFileInfo info = InfoFor(file);
    ASSERT_EQ(BeginPlugin(0, &handle, &info), IMPORTHOST_OK);
    EXPECT_NE(handle, 0);
    EXPECT_EQ(info.SampleCount, 1000);
    EXPECT_EQ(info.StartOffset, 5);
    EXPECT_EQ(info.Result, ZW_IMPORT_OK);
    ASSERT_EQ(SeekPlugin(0, handle, 5), IMPORTHOST_OK);

    std::vector<int16_t> codes(500);
    int32_t n = 500;
    EXPECT_EQ(ExecutePlugin(0, handle, codes.data(), &n, 0), 500);
    EXPECT_EQ(n, 500);
    EXPECT_EQ(codes, Expected(5, 500));
    n = 500;
    EXPECT_EQ(ExecutePlugin(0, handle, codes.data(), &n, 0), 500);
    EXPECT_EQ(codes, Expected(505, 500));
    // The file ends: fewer than asked.
    n = 500;
    EXPECT_EQ(ExecutePlugin(0, handle, codes.data(), &n, 0), 0);
    EXPECT_EQ(n, 0);

    // A wrong plug-in index or flag is no way into the file.
    n = 10;
    EXPECT_EQ(ExecutePlugin(0, handle, codes.data(), &n, 1), -1);
    EXPECT_EQ(ExecutePlugin(1, handle, codes.data(), &n, 0), -1);
    EXPECT_EQ(SeekPlugin(0, handle, -1), IMPORTHOST_BAD_ARGUMENT);
    EXPECT_EQ(SeekPlugin(0, handle, 1006), IMPORTHOST_REFUSED);
    EXPECT_EQ(EndPlugin(1, handle), IMPORTHOST_BAD_HANDLE);
    EXPECT_EQ(EndPlugin(0, handle), IMPORTHOST_OK);
    EXPECT_EQ(EndPlugin(0, handle), IMPORTHOST_BAD_HANDLE);
    n = 10;
    EXPECT_EQ(ExecutePlugin(0, handle, codes.data(), &n, 0), -1);
}

TEST_F(ImportHost, APluginThatRefusesAFileGivesItsReason) {
    folder.add(FixturePlugin("scripted"), "scripted.so");
    const std::string file = folder.write("bad.scr", "not numbers");
    int32_t count = 0;
    ASSERT_EQ(Open(folder, count), IMPORTHOST_OK);

    int32_t handle = 0;
    ImportFileInfo info = InfoFor(file);
    EXPECT_EQ(BeginPlugin(0, &handle, &info), IMPORTHOST_REFUSED);
    EXPECT_EQ(info.Result, ZW_IMPORT_BAD_FORMAT);
    EXPECT_EQ(handle, 0);
    info = InfoFor(folder.folder() + "missing.scr");
    EXPECT_EQ(BeginPlugin(0, &handle, &info), IMPORTHOST_REFUSED);
    EXPECT_EQ(info.Result, ZW_IMPORT_CANNOT_OPEN);
    // A plug-in that reports no sample at all is not trusted.
    info = InfoFor(folder.write("empty.scr", "0 0 0"));
    EXPECT_EQ(BeginPlugin(0, &handle, &info), IMPORTHOST_FAILED);

    info = InfoFor("");
    EXPECT_EQ(BeginPlugin(0, &handle, &info), IMPORTHOST_BAD_ARGUMENT);
    EXPECT_EQ(BeginPlugin(1, &handle, &info), IMPORTHOST_NO_PLUGIN);
    EXPECT_EQ(BeginPlugin(0, nullptr, &info), IMPORTHOST_BAD_ARGUMENT);
}

TEST_F(ImportHost, AFileNameMustEndWithinTheBufferSizeOfTheSession) {
    folder.add(FixturePlugin("scripted"), "scripted.so");
    const std::string file = folder.write("data.scr", "10 0 10");
    int32_t count = 0;
    const auto size = static_cast<int32_t>(file.size());
    ASSERT_EQ(OpenPlugin(folder.folder().c_str(), "*.so", IMPORTHOST_APP_NAME, size, &count),
              IMPORTHOST_OK);
    int32_t handle = 0;
    ImportFileInfo info = InfoFor(file);
    EXPECT_EQ(BeginPlugin(0, &handle, &info), IMPORTHOST_BAD_ARGUMENT);
    ASSERT_EQ(OpenPlugin(folder.folder().c_str(), "*.so", IMPORTHOST_APP_NAME, size + 1, &count),
              IMPORTHOST_OK);
    EXPECT_EQ(BeginPlugin(0, &handle, &info), IMPORTHOST_OK);
}

TEST_F(ImportHost, ClosingAndReopeningEndTheOpenFiles) {
    folder.add(FixturePlugin("scripted"), "scripted.so");
    // Our own reference keeps the library loaded to ask it afterwards.
    void* library = dlopen((folder.folder() + "scripted.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr);
    auto live = reinterpret_cast<int (*)()>(dlsym(library, "FixtureLiveReaders"));
    ASSERT_NE(live, nullptr);

    const std::string file = folder.write("data.scr", "10 0 10");
    int32_t count = 0;
    ASSERT_EQ(Open(folder, count), IMPORTHOST_OK);
    int32_t first = 0;
    int32_t second = 0;
    ImportFileInfo info = InfoFor(file);
    ASSERT_EQ(BeginPlugin(0, &first, &info), IMPORTHOST_OK);
    ASSERT_EQ(BeginPlugin(0, &second, &info), IMPORTHOST_OK);
    EXPECT_NE(first, second);
    EXPECT_EQ(live(), 2);
    ASSERT_EQ(Open(folder, count), IMPORTHOST_OK);
    EXPECT_EQ(live(), 0);
    ASSERT_EQ(BeginPlugin(0, &first, &info), IMPORTHOST_OK);
    EXPECT_EQ(live(), 1);
    EXPECT_EQ(ClosePlugin(), IMPORTHOST_OK);
    EXPECT_EQ(live(), 0);
    dlclose(library);
}

TEST_F(ImportHost, NamesAreCutToTheBufferAndCleaned) {
    folder.add(FixturePlugin("long_name"), "long.so");
    int32_t count = 0;
    ASSERT_EQ(Open(folder, count), IMPORTHOST_OK);
    ASSERT_EQ(count, 1);
    const std::string name = Name(0);
    EXPECT_EQ(name.size(), 63u);
    EXPECT_EQ(name.substr(0, 10), "Long name ");
    char type[IMPORTHOST_TYPE_SIZE];
    EXPECT_EQ(GetPluginType(0, 1, type), IMPORTHOST_NO_TYPE);
    EXPECT_EQ(GetPluginType(0, -1, type), IMPORTHOST_NO_TYPE);
    EXPECT_EQ(GetPluginType(1, 0, type), IMPORTHOST_NO_PLUGIN);
    EXPECT_EQ(GetPluginType(0, 0, nullptr), IMPORTHOST_BAD_ARGUMENT);
}

TEST_F(ImportHost, TheExamplePluginReadsRawCodes) {
    folder.add(ZW_EXAMPLE_PLUGIN, "example.so");
    const std::string file =
        folder.write("codes.raw", std::string("\x01\x00\xff\xff\x00\x80\x39", 7));
    int32_t count = 0;
    ASSERT_EQ(Open(folder, count), IMPORTHOST_OK);
    int32_t handle = 0;
    ImportFileInfo info = InfoFor(file);
    ASSERT_EQ(BeginPlugin(0, &handle, &info), IMPORTHOST_OK);
    EXPECT_EQ(info.SampleCount, 3);
    int16_t codes[8] = {};
    int32_t n = 8;
    EXPECT_EQ(ExecutePlugin(0, handle, codes, &n, 0), 3);
    EXPECT_EQ(codes[0], 1);
    EXPECT_EQ(codes[1], -1);
    EXPECT_EQ(codes[2], -32768);
    ASSERT_EQ(SeekPlugin(0, handle, 2), IMPORTHOST_OK);
    n = 8;
    EXPECT_EQ(ExecutePlugin(0, handle, codes, &n, 0), 1);
    EXPECT_EQ(codes[0], -32768);
}

TEST(ImportHostVersion, TellsItsVersionAndApplication) {
    EXPECT_EQ(GetDllVersion(), IMPORTHOST_VERSION);
    char name[8];
    EXPECT_EQ(GetDllSprtAppName(name, sizeof name), 4);
    EXPECT_STREQ(name, "8832");
    EXPECT_EQ(GetDllSprtAppName(name, 3), 4);
    EXPECT_STREQ(name, "88");
    EXPECT_EQ(GetDllSprtAppName(nullptr, 8), -1);
}

} // namespace
