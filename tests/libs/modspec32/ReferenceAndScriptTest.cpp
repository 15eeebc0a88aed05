// Global blocks with their references, and command scripts.
#include "ModelFileParser.h"
#include "ModelFolder.h"

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

using namespace modspec32;
using namespace modspec32::test;

namespace {

// Lines 1 to 12: two global blocks. The model begins on line 13.
const std::string kGlobals = "beginglobal voltrange \"10 V\"\n" // 1
                             "  range_s = 10 Vpp\n"             // 2
                             "  begin amplitude\n"              // 3
                             "    max_d = 10\n"                 // 4
                             "  end\n"                          // 5
                             "end\n"                            // 6
                             "beginglobal FREQUENCY Wide\n"     // 7
                             "  max_d = 1e6\n"                  // 8
                             "end\n"                            // 9
                             "beginglobal voltrange Bad\n"      // 10
                             "  begin amplitude\n"              // 11
                             "    begin voltrange\n";           // 12 (refused when referenced)

std::string channelWith(const std::string& lines) {
    return "begin system\n"            // 13
           "  begin systemparameter\n" // 14
           "    begin channel\n"       // 15
           + lines +                   // 16...
           "    end\n  end\nend\n";
}

const ChannelEntry& onlyChannel(const Loaded& loaded) {
    return loaded.models.at(0).channels.at(0);
}

} // namespace

TEST(References, ReferencedBlockIsParsedAsIfWrittenInPlace) {
    const Loaded loaded = loadText(kGlobals + channelWith("      reference voltrange \"10 V\"\n"
                                                          "      reference frequency Wide\n"
                                                          "      begin voltrange\n"
                                                          "        range_s = in place\n"
                                                          "      end\n"));
    ASSERT_EQ(loaded.outcome.code, kLoadOk);
    const ChannelEntry& channel = onlyChannel(loaded);
    ASSERT_EQ(channel.ranges.size(), 2u);
    EXPECT_EQ(channel.ranges[0].name.view(), "10 Vpp");
    EXPECT_DOUBLE_EQ(channel.ranges[0].amplitude.first().max, 10.0);
    EXPECT_EQ(channel.ranges[1].name.view(), "in place");
    EXPECT_DOUBLE_EQ(channel.frequency.first().max, 1e6) << "block names match in any case";
}

TEST(References, MissingGlobalFailsWithMinus20AtTheReferenceLine) {
    const char* missing[] = {
        "      reference voltrange \"10 v\"\n", // labels are case-sensitive
        "      reference voltrange Wide\n",     // the name must match too
        "      reference voltrange Nowhere\n",
    };
    for (const char* line : missing) {
        const Loaded loaded = loadText(kGlobals + channelWith(line));
        EXPECT_EQ(loaded.outcome.code, kReadError) << line;
        EXPECT_EQ(loaded.outcome.lineNumber, 16) << line;
        EXPECT_EQ(loaded.outcome.fileName, "TEST.SYS");
    }
}

TEST(References, GlobalBlocksOfOtherFilesAreNotSeen) {
    const Loaded loaded = loadFiles(
        {{"A.SYS", kGlobals}, {"B.SYS", channelWith("      reference frequency Wide\n")}});
    EXPECT_EQ(loaded.outcome.code, kReadError);
    EXPECT_EQ(loaded.outcome.fileName, "B.SYS");
    EXPECT_EQ(loaded.outcome.lineNumber, 4);
}

TEST(References, SyntaxErrorBeforeTheGlobalEndsTheSearch) {
    const Loaded loaded =
        loadText("junk\n" + kGlobals + channelWith("      reference frequency Wide\n"));
    EXPECT_EQ(loaded.outcome.code, kStructureError) << "the top level sees the junk first";

    // Inside the scan the junk only ends the search.
    const Loaded scanned = loadText(channelWith("      reference frequency Wide\n") + "junk\n" +
                                    "beginglobal frequency Wide\nend\n");
    EXPECT_EQ(scanned.outcome.code, kReadError);
    EXPECT_EQ(scanned.outcome.lineNumber, 4);
}

TEST(References, ErrorInsideAGlobalReportsItsOwnLineAndCountingResumesAfter) {
    const Loaded inside = loadText(kGlobals + channelWith("      reference voltrange Bad\n"));
    EXPECT_EQ(inside.outcome.code, kStructureError);
    EXPECT_EQ(inside.outcome.lineNumber, 12);

    const Loaded after = loadText(kGlobals + channelWith("      reference voltrange \"10 V\"\n"
                                                         "      name_s\n"));
    EXPECT_EQ(after.outcome.code, kSyntaxError);
    EXPECT_EQ(after.outcome.lineNumber, 17);
}

TEST(References, NestedReferencesAndReferencedLists) {
    const Loaded loaded = loadText("beginglobal memorysize Small\n size_i = 1024\n min_i = 1\nend\n"
                                   "beginglobal channel Main\n"
                                   "  name_s = CH1\n"
                                   "  reference frequency Wide\n"
                                   "end\n"
                                   "beginglobal frequency Wide\n max_d = 5\nend\n"
                                   "begin system\n"
                                   "  begin wavememory\n"
                                   "    reference memorysize Small\n"
                                   "    reference memorysize Small\n"
                                   "  end\n"
                                   "  begin systemparameter\n"
                                   "    reference channel Main\n"
                                   "  end\n"
                                   "end\n");
    ASSERT_EQ(loaded.outcome.code, kLoadOk);
    const ModelEntry& entry = loaded.models.at(0);
    ASSERT_EQ(entry.memorySizes.size(), 2u);
    EXPECT_EQ(entry.memorySizes[1].size, 1024);
    EXPECT_EQ(entry.memorySizes[1].min, 1);
    EXPECT_EQ(entry.channels.at(0).name.view(), "CH1");
    EXPECT_DOUBLE_EQ(entry.channels.at(0).frequency.first().max, 5.0);
}

TEST(References, OnlyTheFirstOfRepeatedParameterBlocksCounts) {
    const Loaded loaded = loadText(channelWith("      begin frequency\n max_d = 1\n end\n"
                                               "      begin frequency\n max_d = 2\n end\n"));
    EXPECT_DOUBLE_EQ(onlyChannel(loaded).frequency.first().max, 1.0);
}

namespace {

std::string scripts(const std::string& body) {
    return "begin system\n" + body + "end\n";
}

std::string commandOf(const ScriptEntry& entry) {
    return std::string(entry.command.view());
}

} // namespace

TEST(Scripts, CommandsAreStoredQuotedInTheirScript) {
    const Loaded loaded = loadText(scripts("  beginscript gpib_command WAVE_TRANSFER\n"
                                           "    arbsend = \":TRAC:DATA VOLATILE 0x2C\"\n"
                                           "    freq = FREQ,0.000E+00  ' unquoted\n"
                                           "    Model\t=\t\"*IDN?,8,7,AB-1\"\n"
                                           "\n"
                                           "    ' comment line\n"
                                           "  END\n"
                                           "  beginscript gpib_command gpib_init\n"
                                           "    preset = *CLS\n"
                                           "  end\n"));
    ASSERT_EQ(loaded.outcome.code, kLoadOk);
    const ModelEntry& entry = loaded.models.at(0);
    const auto& wave = entry.scripts[kScriptWaveTransfer].entries;
    ASSERT_EQ(wave.size(), 3u);
    EXPECT_EQ(wave[0].key.view(), "arbsend");
    EXPECT_EQ(commandOf(wave[0]), "\":TRAC:DATA VOLATILE 0x2C\"");
    EXPECT_EQ(commandOf(wave[1]), "\"FREQ,0.000E+00  \"");
    EXPECT_EQ(wave[2].key.view(), "Model") << "script keys keep their case";
    EXPECT_EQ(commandOf(wave[2]), "\"*IDN?,8,7,AB-1\"");
    ASSERT_EQ(entry.scripts[kScriptInit].entries.size(), 1u);
    EXPECT_EQ(commandOf(entry.scripts[kScriptInit].entries[0]), "\"*CLS\"");
    EXPECT_TRUE(entry.scripts[kScriptEnd].entries.empty());
}

TEST(Scripts, KeysAndCommandsAreCutToTheirSlots) {
    const std::string command(70, 'C');
    const Loaded loaded = loadText(scripts("beginscript gpib_command gpib_end\n"
                                           "  thirteenchars = " +
                                           command +
                                           "\n"
                                           "  eightchr = x\n"
                                           "end\n"));
    const auto& entries = loaded.models.at(0).scripts[kScriptEnd].entries;
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].key.view(), "thirteen");
    EXPECT_EQ(commandOf(entries[0]), "\"" + command.substr(0, 63)) << "64 bytes, no terminator";
    EXPECT_EQ(entries[1].key.view(), "eightchr");
}

TEST(Scripts, FiftyEntriesAreKeptAndFurtherOnesIgnored) {
    std::string body = "beginscript gpib_command system_transfer\n";
    for (int i = 1; i <= 52; ++i) {
        body += "  k" + std::to_string(i) + " = c" + std::to_string(i) + "\n";
    }
    const Loaded loaded = loadText(scripts(body + "end\n  sname_s = after\n"));
    ASSERT_EQ(loaded.outcome.code, kLoadOk);
    const auto& entries = loaded.models.at(0).scripts[kScriptSystemTransfer].entries;
    ASSERT_EQ(entries.size(), 50u);
    EXPECT_EQ(entries.back().key.view(), "k50");
    EXPECT_EQ(loaded.models.at(0).shortName.view(), "after");
}

TEST(Scripts, LinesThatAreNeitherCommandNorEndAndUnknownScripts) {
    struct Case {
        std::string body;
        int code;
        int line;
    };
    const Case cases[] = {
        {"beginscript gpib_command gpib_init\n  model\nend\n", kSyntaxError, 3},
        {"beginscript gpib_command gpib_init\n  model := x\nend\n", kSyntaxError, 3},
        {"beginscript gpib_command gpib_init\n  model =\nend\n", kSyntaxError, 3},
        {"beginscript gpib_command gpib_init\n  model=x\nend\n", kSyntaxError, 3},
        {"beginscript gpib_command other\n\n  model = x\nend\n", kStructureError, 4},
        {"beginscript gpib_command other\nend\n", kLoadOk, 0},
        // A label keeps its blanks, so a trailing comment needs the name quoted.
        {"beginscript gpib_command gpib_init ' note\n  model = x\nend\n", kStructureError, 3},
        {"beginscript gpib_command \"gpib_init\" ' note\n  model = x\nend\n", kLoadOk, 0},
    };
    for (const Case& c : cases) {
        const Loaded loaded = loadText(scripts(c.body));
        EXPECT_EQ(loaded.outcome.code, c.code) << c.body;
        EXPECT_EQ(loaded.outcome.lineNumber, c.line) << c.body;
    }
}

TEST(Scripts, EndIsRecognisedInAnyCaseAndWithTrailingWords) {
    const Loaded loaded = loadText(scripts("beginscript gpib_command gpib_init\n"
                                           "  a = 1\n"
                                           "\"End\" of script\n"
                                           "sname_s = S\n"));
    ASSERT_EQ(loaded.outcome.code, kLoadOk);
    EXPECT_EQ(loaded.models.at(0).shortName.view(), "S");
}

TEST(References, EachLoadReadsTheFileAFewTimesWhateverTheNumberOfReferences) {
    constexpr int kReferences = 2000;
    std::string text = kGlobals.substr(0, kGlobals.find("beginglobal voltrange Bad"));
    for (int i = 0; i < 50; ++i)
        text += "beginglobal frequency Other" + std::to_string(i) + "\n  max_d = 1\nend\n";
    text += "begin system\n  begin systemparameter\n    begin channel\n";
    for (int i = 0; i < kReferences; ++i)
        text += i % 2 ? "      reference voltrange \"10 V\"\n" : "      reference frequency Wide\n";
    text += "    end\n  end\nend\n";
    const long fileLines = static_cast<long>(std::count(text.begin(), text.end(), '\n'));

    TempFolder folder;
    folder.write("MANY.SYS", text);
    std::vector<ModelEntry> models;
    ModelFileParser parser(folder.path() / "MANY.SYS", models);
    ASSERT_EQ(parser.parse(), 0);
    ASSERT_EQ(models.size(), 1u);
    const ChannelEntry& channel = models[0].channels.at(0);
    EXPECT_EQ(channel.ranges.size(), std::size_t{kReferences / 2});
    EXPECT_DOUBLE_EQ(channel.frequency.first().max, 1e6);
    // Once through, once to index the global blocks, and each referenced
    // body: before the index, every reference searched the file from the top.
    EXPECT_LE(parser.linesRead(), 2 * fileLines + kReferences * 5);
}
