// Model files: finding them, the block grammar, values, errors and where
// they are reported.
#include "ModelFileParser.h"
#include "ModelFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace modspec32;
using namespace modspec32::test;

namespace {

std::string model(const std::string& shortName, const std::string& body = "") {
    return "begin system\n  sname_s = " + shortName + "\n" + body + "end\n";
}

} // namespace

TEST(ModelFiles, FolderWithoutModelFileGivesMinus30AndNoFileName) {
    TempFolder folder;
    folder.write("README.txt", model("X"));
    folder.write("SYS", model("X"));
    std::filesystem::create_directory(folder.path() / "DIR.SYS");
    std::vector<ModelEntry> models;
    const LoadOutcome outcome = loadModelFolder(folder.path(), models);
    EXPECT_EQ(outcome.code, kNoModelFile);
    EXPECT_EQ(outcome.lineNumber, 0);
    EXPECT_EQ(outcome.fileName, "");

    EXPECT_EQ(initIn(folder.path()), SYS_ERR_NO_FILE);
    EXPECT_EQ(SysGetSysErrorLineNo(), 0);
    EXPECT_EQ(errorFileName(), "");
    EXPECT_EQ(SysGetDeviceCnt(), 0);
}

TEST(ModelFiles, ExtensionInAnyCaseAndFilesInByteOrderOfNames) {
    const Loaded loaded = loadFiles({{"b.sys", model("third")},
                                     {"a.Sys", model("second")},
                                     {"A.SYS", model("first") + model("first-b")},
                                     {"c.sys.bak", model("ignored")}});
    ASSERT_EQ(loaded.outcome.code, kLoadOk);
    ASSERT_EQ(loaded.models.size(), 4u);
    EXPECT_EQ(loaded.models[0].shortName.view(), "first");
    EXPECT_EQ(loaded.models[1].shortName.view(), "first-b");
    EXPECT_EQ(loaded.models[2].shortName.view(), "second");
    EXPECT_EQ(loaded.models[3].shortName.view(), "third");
    for (std::size_t i = 0; i < loaded.models.size(); ++i) {
        EXPECT_EQ(loaded.models[i].index, static_cast<int32_t>(i));
    }
}

TEST(ModelFiles, KeysAndBlockNamesInAnyCaseValuesAsWritten) {
    const Loaded loaded = loadText("BEGIN SYSTEM label\n"
                                   "  NAME_S = Mixed Case Name\n"
                                   "  SName_S\t=\tShort\n"
                                   "  Begin GPIB_ADDRESS\n"
                                   "    MIN_I = 1\n"
                                   "  END\n"
                                   "End\n");
    ASSERT_EQ(loaded.outcome.code, kLoadOk);
    ASSERT_EQ(loaded.models.size(), 1u);
    EXPECT_EQ(loaded.models[0].name.view(), "Mixed Case Name");
    EXPECT_EQ(loaded.models[0].shortName.view(), "Short");
    EXPECT_EQ(loaded.models[0].gpibAddress.min, 1);
}

TEST(ModelFiles, CommentsQuotesAndValueBoundaries) {
    const Loaded loaded = loadText("' a comment line\n"
                                   "begin system ' comment after a block line\n"
                                   "  name_s = \"It's quoted\" ' but this is a comment\n"
                                   "  sname_s =  two  words ' note the spaces\n"
                                   "  begin systemparameter\n"
                                   "    begin channel\n"
                                   "      name_s = \"CH\"1\n"
                                   "    end\n"
                                   "  end\n"
                                   "end\n");
    ASSERT_EQ(loaded.outcome.code, kLoadOk);
    const ModelEntry& entry = loaded.models.at(0);
    EXPECT_EQ(entry.name.view(), "It's quoted");
    EXPECT_EQ(entry.shortName.view(), " two  words ") << "one separator after '=' is consumed";
    EXPECT_EQ(entry.channels.at(0).name.view(), "CH") << "a value ends at a double quote";
}

TEST(ModelFiles, ValueConversionsOfEachKeyKind) {
    const Loaded loaded = loadText("begin system\n"
                                   "  slot_b = TRUE\n"
                                   "  data_bit = 0x3fff\n"
                                   "  sp_bit = 40zz\n"
                                   "  status_bit = 12abc\n"
                                   "  begin wavememory\n"
                                   "    mem_name_b = yes\n"
                                   "    sel_s = SELECT\n"
                                   "    sel_s = unknown-word\n"
                                   "  end\n"
                                   "  begin systemparameter\n"
                                   "    channel_b = True\n"
                                   "    begin channel\n"
                                   "      x_exp_i = -3\n"
                                   "      begin frequency\n"
                                   "        min_d = 1.5e-3\n"
                                   "        max_d = 2E6 Hz\n"
                                   "        init_d = none\n"
                                   "      end\n"
                                   "    end\n"
                                   "  end\n"
                                   "end\n");
    ASSERT_EQ(loaded.outcome.code, kLoadOk);
    const ModelEntry& entry = loaded.models.at(0);
    EXPECT_EQ(entry.slotFlag, 1);
    EXPECT_EQ(entry.dataBitMask, 0x3FFFu);
    EXPECT_EQ(entry.maxCode(), 16383);
    EXPECT_EQ(entry.spBitMask, 0x40u);
    EXPECT_EQ(entry.statusBit, 12);
    EXPECT_EQ(entry.memoryNameFlag, 0) << "only \"true\" is true";
    EXPECT_EQ(entry.memoryMode, kMemorySelect) << "an unknown word leaves the mode";
    EXPECT_EQ(entry.channelFlag, 1);
    const ChannelEntry& channel = entry.channels.at(0);
    EXPECT_EQ(channel.xMode, -3);
    EXPECT_DOUBLE_EQ(channel.frequency.first().min, 1.5e-3);
    EXPECT_DOUBLE_EQ(channel.frequency.first().max, 2e6);
    EXPECT_DOUBLE_EQ(channel.frequency.first().init, 0.0);
}

TEST(ModelFiles, MaxCodeCountsTheLowSixteenMaskBits) {
    const auto maxCodeOf = [](const std::string& mask) {
        return loadText("begin system\n data_bit = " + mask + "\nend\n").models.at(0).maxCode();
    };
    EXPECT_EQ(maxCodeOf("3FFF"), 16383);
    EXPECT_EQ(maxCodeOf("FFF"), 4095);
    EXPECT_EQ(maxCodeOf("FFFC"), 16383) << "set bits count, wherever they are";
    EXPECT_EQ(maxCodeOf("FFFFFFFF"), 65535) << "bits above 15 do not count";
    EXPECT_EQ(maxCodeOf("0"), 0);
}

TEST(ModelFiles, InterfacesWithoutBlockStayUnavailableAndBlocksStartAtZero) {
    const Loaded loaded = loadText("begin system\n"
                                   "  begin usb_id\n"
                                   "    max_i = 9\n"
                                   "  end\n"
                                   "end\n");
    const ModelEntry& entry = loaded.models.at(0);
    EXPECT_EQ(entry.gpibAddress.min, -1);
    EXPECT_EQ(entry.gpibAddress.max, -1);
    EXPECT_EQ(entry.gpibAddress.init, -1);
    EXPECT_EQ(entry.usbId.min, 0);
    EXPECT_EQ(entry.usbId.max, 9);
    EXPECT_EQ(entry.usbId.init, 0);
}

TEST(ModelFiles, MemorySizeIsNamedByItsSize) {
    const Loaded loaded = loadText("begin system\n"
                                   "  begin wavememory\n"
                                   "    begin memorysize 64K\n"
                                   "      s_val = sixty-four k\n"
                                   "      size_i = 65536 points\n"
                                   "      s_opt_val = :DATA:DAC VOLATILE, #\n"
                                   "    end\n"
                                   "  end\n"
                                   "  begin usb_id USB label\n"
                                   "  end\n"
                                   "end\n");
    const ModelEntry& entry = loaded.models.at(0);
    ASSERT_EQ(entry.memorySizes.size(), 1u);
    EXPECT_EQ(entry.memorySizes[0].text.view(), "65536");
    EXPECT_EQ(entry.memorySizes[0].size, 65536);
    EXPECT_EQ(entry.memorySizes[0].optionText.view(), ":DATA:DAC VOLATILE, #");
    EXPECT_EQ(entry.usbId.text.view(), "USB label");
}

TEST(ModelFiles, TooLongValuesAreCutToTheirFields) {
    const std::string longText(700, 'n');
    const Loaded loaded = loadText("begin system\n"
                                   "name_s = " +
                                   longText.substr(0, 300) +
                                   "\n"
                                   "sname_s = " +
                                   longText.substr(0, 40) +
                                   "\n"
                                   "begin systemparameter\n begin channel\n begin frequency\n"
                                   "begin conditionwarning\n"
                                   "warn_e_s = " +
                                   longText.substr(0, 500) +
                                   "\n"
                                   "cond_s = " +
                                   longText.substr(0, 200) +
                                   "\n"
                                   "end\nend\nend\nend\nend\n");
    ASSERT_EQ(loaded.outcome.code, kLoadOk);
    const ModelEntry& entry = loaded.models.at(0);
    EXPECT_EQ(entry.name.view().size(), 127u);
    EXPECT_EQ(entry.shortName.view().size(), 31u);
    const ConditionWarning& warning = entry.channels.at(0).frequency.first().warnings.at(0);
    EXPECT_EQ(warning.warningEnglish.view().size(), 500u);
    EXPECT_EQ(warning.condition.view().size(), 127u);
}

TEST(ModelFiles, ShiftJisBytesPassThroughUnchanged) {
    // "周波数が高すぎます" and a name whose second bytes are '\\' and '|' (表, 埼).
    const std::string japanese = "\x8e\xfc\x94\x67\x90\x94\x82\xaa\x8d\x82\x82\xb7\x82\xac\x82\xdc"
                                 "\x82\xb7";
    const std::string name = "\x95\x5c\x8d\xe9\x8f\x7c";
    const Loaded loaded = loadText("begin system\r\n"
                                   "  sname_s = " +
                                   name +
                                   "\r\n"
                                   "  ' \x83\x52\x83\x81\x83\x93\x83\x67 comment\r\n"
                                   "  begin systemparameter\r\n  begin channel\r\n"
                                   "  begin frequency\r\n  begin conditionwarning\r\n"
                                   "    cond_s = x > 1\r\n"
                                   "    warn_j_s = \"" +
                                   japanese +
                                   "\"\r\n"
                                   "  end\r\n  end\r\n  end\r\n  end\r\n"
                                   "end\r\n");
    ASSERT_EQ(loaded.outcome.code, kLoadOk);
    EXPECT_EQ(loaded.models.at(0).shortName.view(), name);
    EXPECT_EQ(
        loaded.models.at(0).channels.at(0).frequency.first().warnings.at(0).warningJapanese.view(),
        japanese);
}

TEST(ModelFiles, SyntaxErrorsInBlocksGiveMinus2WithFileAndLine) {
    struct Case {
        const char* body;
        int line;
    };
    const Case cases[] = {
        {"begin system\n  name_s\nend\n", 2},                              // key alone
        {"begin system\n  name_s =\nend\n", 2},                            // no value
        {"begin system\n  name_s \"=\" x\nend\n", 2},                      // no '='
        {"begin system\n\n  begin\nend\n", 3},                             // no block name
        {"begin system\n begin systemparameter\n reference channel\n", 3}, // no label
        {"begin system\n  beginscript gpib_command\nend\n", 2},            // script without name
        {"begin system\n  beginscript commands gpib_init\nend\n", 2},      // not gpib_command
        {"begin system\n beginscript gpib_command gpib_init\n model *IDN?\n", 3},
    };
    for (const Case& c : cases) {
        const Loaded loaded = loadFiles({{"Bad.sys", c.body}});
        EXPECT_EQ(loaded.outcome.code, kSyntaxError) << c.body;
        EXPECT_EQ(loaded.outcome.lineNumber, c.line) << c.body;
        EXPECT_EQ(loaded.outcome.fileName, "Bad.sys") << c.body;
        EXPECT_TRUE(loaded.models.empty());
    }
}

TEST(ModelFiles, StructureErrorsGiveMinus1) {
    struct Case {
        const char* body;
        int line;
    };
    const Case cases[] = {
        {"begin system\n  begin channel\n  end\nend\n", 2},      // channel outside systemparameter
        {"begin system\n  beginglobal usb_id A\nend\n", 2},      // global inside a block
        {"begin system\n begin usb_id\n begin memorysize\n", 3}, // any block in an IntParam
        {"begin system\n begin systemparameter\n begin channel\n begin frequency\n"
         " reference condition C\n",
         5}, // reference in a RealParam
        {"begin system\n begin systemparameter\n begin channel\n begin frequency\n"
         " begin voltrange\n",
         5}, // unknown block in a RealParam
        {"begin system\n begin systemparameter\n begin channel\n begin frequency\n"
         " begin condition\n begin x\n",
         6}, // any block in a condition
        {"begin system\n reference system S\nend\n", 2},
        {"\n\nname_s\n", 3},            // top-level syntax error
        {"beginglobal frequency\n", 1}, // global without label
    };
    for (const Case& c : cases) {
        const Loaded loaded = loadText(c.body);
        EXPECT_EQ(loaded.outcome.code, kStructureError) << c.body;
        EXPECT_EQ(loaded.outcome.lineNumber, c.line) << c.body;
    }
}

TEST(ModelFiles, TopLevelSkipsEverythingButSystemBlocks) {
    const Loaded loaded = loadText("name_s = outside\n"
                                   "begin channel\n"
                                   "  begin frequency\n"
                                   "    begin voltrange\n" // would be refused inside a frequency
                                   "  end\n"
                                   "end\n"
                                   "beginglobal usb_id U\n"
                                   "  begin memorysize\n" // would be refused inside usb_id
                                   "end\n"
                                   "reference system S\n"
                                   "end\n" +
                                   model("real"));
    ASSERT_EQ(loaded.outcome.code, kLoadOk);
    ASSERT_EQ(loaded.models.size(), 1u);
    EXPECT_EQ(loaded.models[0].shortName.view(), "real");
}

TEST(ModelFiles, ListBlocksReadUnknownBlocksAsTheirOwnLines) {
    // The "end" of the unknown block closes wavememory itself; sel_s after
    // it belongs to the system block, where it is ignored.
    const Loaded loaded = loadText("begin system\n"
                                   "  begin wavememory\n"
                                   "    begin notes\n"
                                   "      sel_s = fix\n"
                                   "    end\n"
                                   "    sel_s = select\n"
                                   "  beginscript whatever x\n"
                                   "end\n");
    ASSERT_EQ(loaded.outcome.code, kSyntaxError) << "the stray beginscript is back in system";
    EXPECT_EQ(loaded.outcome.lineNumber, 7);

    const Loaded accepted = loadText("begin system\n"
                                     "  begin wavememory\n"
                                     "    begin notes\n"
                                     "      sel_s = fix\n"
                                     "    end\n"
                                     "    sel_s = select\n"
                                     "end\n");
    ASSERT_EQ(accepted.outcome.code, kLoadOk);
    EXPECT_EQ(accepted.models.at(0).memoryMode, kMemoryFix);
}

TEST(ModelFiles, EndOfFileClosesOpenBlocksAndCountsTheModel) {
    const Loaded loaded = loadText("begin system\n sname_s = open\n begin systemparameter\n"
                                   " begin channel\n name_s = CH1");
    ASSERT_EQ(loaded.outcome.code, kLoadOk);
    ASSERT_EQ(loaded.models.size(), 1u);
    EXPECT_EQ(loaded.models[0].channels.at(0).name.view(), "CH1");
}

TEST(ModelFiles, ModelsBeforeAFailureStayAndTheFailingOneIsNotCounted) {
    const Loaded loaded = loadFiles({{"1.SYS", model("one")},
                                     {"2.SYS", model("two") + model("broken", "  begin x\n")},
                                     {"3.SYS", model("never read")}});
    EXPECT_EQ(loaded.outcome.code, kStructureError);
    EXPECT_EQ(loaded.outcome.fileName, "2.SYS");
    EXPECT_EQ(loaded.outcome.lineNumber, 6);
    ASSERT_EQ(loaded.models.size(), 2u);
    EXPECT_EQ(loaded.models[1].shortName.view(), "two");
}

TEST(ModelFiles, ExportedLoaderReportsFailureOnceAndLoadsOnlyOnce) {
    const std::filesystem::path previous = std::filesystem::current_path();
    TempFolder folder;
    folder.write("GOOD.SYS", model("good"));
    folder.write("WORSE.SYS", "begin system\n  name_s\nend\n");
    EXPECT_EQ(initIn(folder.path()), SYS_ERR_SYNTAX);
    EXPECT_EQ(SysGetSysErrorLineNo(), 2);
    EXPECT_EQ(errorFileName(), "WORSE.SYS");
    char name[SYS_FILENAME_BUFFER];
    EXPECT_EQ(SysGetSysErrorFileName(name), 10) << "9 characters and the terminator";
    EXPECT_EQ(SysGetSysErrorFileName(nullptr), 0);
    EXPECT_EQ(SysGetDeviceCnt(), 1);

    // A second call loads nothing and keeps what the first reported.
    folder.write("WORSE.SYS", model("fixed"));
    std::filesystem::current_path(folder.path());
    EXPECT_EQ(SysInitDeviceInfo(), 0);
    EXPECT_EQ(SysGetDeviceCnt(), 1);
    EXPECT_EQ(SysGetSysErrorLineNo(), 2);
    EXPECT_EQ(SysFinishDeviceInfo(), 0);
    EXPECT_EQ(SysGetDeviceCnt(), 1) << "finishing releases nothing";

    EXPECT_EQ(initIn(folder.path()), 0);
    EXPECT_EQ(SysGetSysErrorLineNo(), 0);
    EXPECT_EQ(SysGetDeviceCnt(), 2);
    modelDatabase().reset();
    std::filesystem::current_path(previous);
}

TEST(ModelFiles, FileThatCannotBeOpenedGivesMinus20) {
    TempFolder folder;
    std::vector<ModelEntry> models;
    ModelFileParser vanished(folder.path() / "GONE.SYS", models);
    EXPECT_EQ(vanished.parse(), kReadError);
    EXPECT_EQ(vanished.errorLine(), 0);
}

TEST(ModelFiles, UnreadableFileGivesMinus20WithItsName) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads files without read permission";
    }
    TempFolder folder;
    folder.write("LOCKED.SYS", model("x"));
    std::vector<ModelEntry> models;
    std::filesystem::permissions(folder.path() / "LOCKED.SYS", std::filesystem::perms::none);
    const LoadOutcome outcome = loadModelFolder(folder.path(), models);
    EXPECT_EQ(outcome.code, kReadError);
    EXPECT_EQ(outcome.fileName, "LOCKED.SYS");
}
