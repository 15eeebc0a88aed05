// The model files shipped in models/: they load, and every model carries
// what the setup window and the transfers need.
#include "DeviceSettings.h"
#include "LineTokens.h"
#include "ModelFolder.h"
#include "ValueConversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>

using namespace modspec32;
using namespace modspec32::test;

namespace {

const std::filesystem::path kModels = ZW_MODELS_DIR;

// The keys the editor's command objects understand.
const std::set<std::string> kCommandKeys = {
    "maker",   "model",   "version", "serial",  "preset",  "headoff",  "channel",
    "freq",    "amprng",  "amp",     "offset",  "ofson",   "ofsoff",   "outon",
    "outoff",  "arbmask", "arbsend", "arbbank", "arbstt",  "arbbswap", "arbfmt",
    "arbsize", "arbname", "getsts",  "geterr",  "errmask", "gpibcmd"};

struct Command {
    std::string key;
    std::string text; // without its quotes
};

std::vector<Command> commandsOf(const ModelEntry& model, std::size_t script) {
    std::vector<Command> commands;
    for (const ScriptEntry& entry : model.scripts[script].entries) {
        std::string text(entry.command.view());
        EXPECT_TRUE(text.size() >= 2 && text.front() == '"' && text.back() == '"')
            << model.shortName.view() << ": " << text << " was cut";
        commands.push_back({asciiLower(entry.key.view()), text.substr(1, text.size() - 2)});
    }
    return commands;
}

std::string commandFor(const std::vector<Command>& commands, const std::string& key) {
    const auto found = std::find_if(commands.begin(), commands.end(),
                                    [&](const Command& c) { return c.key == key; });
    return found == commands.end() ? std::string() : found->text;
}

class BundledModels : public ::testing::Test {
protected:
    void SetUp() override {
        outcome_ = loadModelFolder(kModels, models_);
        ASSERT_EQ(outcome_.code, kLoadOk) << outcome_.fileName << " line " << outcome_.lineNumber;
    }
    LoadOutcome outcome_;
    std::vector<ModelEntry> models_;
};

} // namespace

TEST_F(BundledModels, LoadThroughTheExportedLoader) {
    EXPECT_GE(modelFileNames(kModels).size(), 2u);
    ASSERT_EQ(initIn(kModels), 0);
    EXPECT_EQ(SysGetDeviceCnt(), static_cast<int32_t>(models_.size()));
    EXPECT_GE(models_.size(), 3u);
    for (int32_t model = 0; model < SysGetDeviceCnt(); ++model) {
        DeviceInfo info{};
        EXPECT_EQ(SysGetInitDeviceInfo(model, &info), 1) << model;
        EXPECT_EQ(SysGetDeviceInfo(model, &info), 1) << model;
        EXPECT_EQ(SysChangeFrequency(model, info.ChannelIndex, info.Frequency, &info), 1);
    }
    modelDatabase().reset();
}

TEST_F(BundledModels, EveryModelHasUsableLimits) {
    for (const ModelEntry& model : models_) {
        SCOPED_TRACE(std::string(model.shortName.view()));
        EXPECT_FALSE(model.name.view().empty());
        EXPECT_FALSE(model.shortName.view().empty());
        EXPECT_LE(model.shortName.view().size(), 15u) << "fits the record's model name";
        EXPECT_NE(interfaceMask(model), 0);
        ASSERT_TRUE(canFillInit(model));
        for (const IntParam& size : model.memorySizes) {
            EXPECT_GE(size.size, 1024);
            EXPECT_LE(size.size, 65536);
            EXPECT_LE(size.min, size.max);
        }
        for (const ChannelEntry& channel : model.channels) {
            const RealParam& frequency = channel.frequency.first();
            EXPECT_GT(frequency.min, 0.0);
            EXPECT_LT(frequency.min, frequency.max);
            EXPECT_GE(frequency.init, frequency.min);
            EXPECT_LE(frequency.init, frequency.max);
            EXPECT_GE(channel.ranges.size(), 2u);
            for (const RangeEntry& range : channel.ranges) {
                EXPECT_FALSE(range.name.view().empty());
                EXPECT_LT(range.amplitude.first().min, range.amplitude.first().max);
                EXPECT_LT(range.offset.first().min, range.offset.first().max);
                EXPECT_GT(range.amplitude.first().resolution, 0.0);
            }
        }
    }
}

TEST_F(BundledModels, TheSetCoversWidthsChannelsSizesAndRules) {
    std::set<uint32_t> masks;
    std::set<int32_t> channelCounts;
    std::set<int32_t> sizes;
    bool selects = false;
    bool conditions = false;
    bool warnings = false;
    for (const ModelEntry& model : models_) {
        masks.insert(model.dataBitMask);
        channelCounts.insert(channelCount(model));
        selects = selects || (model.memoryMode == kMemorySelect && memorySizeCount(model) > 1);
        for (const IntParam& size : model.memorySizes) {
            sizes.insert(size.size);
        }
        for (const ChannelEntry& channel : model.channels) {
            conditions = conditions || !channel.frequency.first().conditions.empty();
            warnings = warnings || !channel.frequency.first().warnings.empty();
        }
    }
    EXPECT_TRUE(masks.count(0x3FFF) && masks.count(0xFFFF)) << "14-bit and 16-bit models";
    EXPECT_TRUE(channelCounts.count(1) && channelCounts.count(2));
    EXPECT_TRUE(sizes.count(1024) && sizes.count(65536));
    EXPECT_TRUE(selects);
    EXPECT_TRUE(conditions);
    EXPECT_TRUE(warnings);
}

TEST_F(BundledModels, ScriptsCarryTheKeysTheTransfersUse) {
    for (const ModelEntry& model : models_) {
        const std::string shortName(model.shortName.view());
        SCOPED_TRACE(shortName);
        for (std::size_t script = 0; script < kScriptCount; ++script) {
            for (const Command& command : commandsOf(model, script)) {
                EXPECT_TRUE(kCommandKeys.count(command.key)) << "unknown key " << command.key;
            }
        }
        const auto init = commandsOf(model, kScriptInit);
        const std::string identify = commandFor(init, "model");
        EXPECT_EQ(identify.substr(identify.rfind(',') + 1), shortName)
            << "the identity check expects the model's own name";
        for (const char* key : {"getsts", "geterr", "errmask"}) {
            EXPECT_FALSE(commandFor(init, key).empty()) << key;
        }
        EXPECT_FALSE(commandFor(commandsOf(model, kScriptEnd), "outon").empty());
        EXPECT_FALSE(commandFor(commandsOf(model, kScriptSystemTransfer), "freq").empty());

        const auto wave = commandsOf(model, kScriptWaveTransfer);
        EXPECT_FALSE(commandFor(wave, "arbsize").empty());
        const std::string upload = commandFor(wave, "arbsend");
        for (const IntParam& size : model.memorySizes) {
            EXPECT_TRUE(!upload.empty() || !size.optionText.view().empty())
                << "an upload command in the script or in every memory size";
        }

        // Sample codes are divided by the two's complement of the mask's low
        // 16 bits; that must map the 16-bit range onto the model's codes.
        const uint32_t mask = parseHex(commandFor(wave, "arbmask"));
        const uint32_t divisor = (0x10000u - (mask & 0xFFFFu)) & 0xFFFFu;
        EXPECT_EQ(divisor * static_cast<uint32_t>(model.maxCode() + 1), 0x10000u)
            << "arbmask " << std::hex << mask << " against data_bit " << model.dataBitMask;
        if (channelCount(model) > 1) {
            EXPECT_FALSE(commandFor(wave, "channel").empty());
        }
    }
}

TEST_F(BundledModels, GlobalBlocksAreReferenced) {
    for (const std::string& name : modelFileNames(kModels)) {
        std::ifstream in(kModels / name);
        const std::string text((std::istreambuf_iterator<char>(in)), {});
        EXPECT_NE(text.find("\nbeginglobal "), std::string::npos) << name;
        EXPECT_NE(text.find(" reference "), std::string::npos) << name;
    }
}

TEST_F(BundledModels, UsbTableHasALinePerModel) {
    std::ifstream in(kModels / "USBTMC.ID");
    ASSERT_TRUE(in.good());
    std::set<std::string> listed;
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t comma = line.find(',');
        ASSERT_NE(comma, std::string::npos) << line;
        const std::string prefix = line.substr(comma + 1);
        EXPECT_EQ(prefix.rfind("USB0::0x", 0), 0u) << line;
        EXPECT_EQ(prefix.substr(prefix.size() - 2), "::") << line;
        listed.insert(line.substr(0, comma));
    }
    std::set<std::string> names;
    for (const ModelEntry& model : models_) {
        names.insert(std::string(model.shortName.view()));
    }
    EXPECT_EQ(listed, names);
}

TEST(ModelsReadme, TheCompleteExampleLoads) {
    std::ifstream in(kModels / "README.md");
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    const std::size_t section = text.find("## A complete example");
    ASSERT_NE(section, std::string::npos);
    const std::size_t start = text.find("```\n", section) + 4;
    const std::size_t end = text.find("```\n", start);
    ASSERT_NE(end, std::string::npos);
    const Loaded loaded = loadFiles({{"MYGEN.SYS", text.substr(start, end - start)}});
    ASSERT_EQ(loaded.outcome.code, kLoadOk) << "line " << loaded.outcome.lineNumber;
    ASSERT_EQ(loaded.models.size(), 1u);
    const ModelEntry& model = loaded.models[0];
    EXPECT_EQ(model.shortName.view(), "MG-12");
    EXPECT_EQ(model.maxCode(), 4095);
    EXPECT_EQ(memorySizeCount(model), 2);
    EXPECT_EQ(interfaceMask(model), 7);
    ASSERT_TRUE(canFillInit(model));
    EXPECT_EQ(model.channels.at(0).ranges.size(), 1u);
    EXPECT_EQ(model.scripts[kScriptWaveTransfer].entries.size(), 4u);
}
