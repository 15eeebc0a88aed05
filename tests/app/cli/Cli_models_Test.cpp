// `models`: every model of the model files, as JSON a script can parse.
#include "CliProcess.h"
#include "modspec32.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <filesystem>
#include <gtest/gtest.h>
#include <set>

using namespace zw::test;

namespace {

// The models' names as the database reads them in this process.
std::vector<std::string> DatabaseModelNames() {
    const auto here = std::filesystem::current_path();
    std::filesystem::current_path(ZW_MODELS_DIR);
    const bool loaded = SysInitDeviceInfo() == SYS_LOAD_OK;
    std::filesystem::current_path(here);
    std::vector<std::string> names;
    for (int m = 0; loaded && m < SysGetDeviceCnt(); ++m) {
        char name[64] = {};
        SysGetDeviceName(m, name);
        names.emplace_back(name);
    }
    return names;
}

} // namespace

TEST(CliModels, JsonListsEveryBundledModelWithItsLists) {
    const CliFolder folder("models");
    const CliResult r = folder.run({"models", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(r.out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out;
    ASSERT_TRUE(doc.isArray());

    std::vector<std::string> listed;
    for (const auto& value : doc.array()) {
        const QJsonObject m = value.toObject();
        listed.push_back(m["name"].toString().toStdString());
        EXPECT_FALSE(m["memorySizes"].toArray().isEmpty()) << listed.back();
        EXPECT_EQ(m["channels"].toArray().size(), m["ranges"].toArray().size());
        std::set<int> types;
        for (const auto& i : m["interfaces"].toArray())
            types.insert(i.toObject()["type"].toInt());
        EXPECT_TRUE(types.count(7)) << listed.back() << " offers no LAN(Socket)";
        EXPECT_LT(m["frequency"].toObject()["min"].toDouble(),
                  m["frequency"].toObject()["max"].toDouble());
    }
    EXPECT_EQ(listed, DatabaseModelNames());
    EXPECT_TRUE(r.err.empty()) << r.err;
}

TEST(CliModels, MemorySizesAreSampleCounts) {
    const CliResult r = CliFolder("models-sizes").run({"models", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const QJsonArray models = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).array();
    for (const auto& value : models) {
        const QJsonObject m = value.toObject();
        if (m["name"].toString() == "ZWG-216") {
            EXPECT_EQ(m["memorySizes"].toArray(), (QJsonArray{1024, 4096, 16384, 65536}));
            return;
        }
    }
    ADD_FAILURE() << "ZWG-216 not listed";
}

TEST(CliModels, MissingModelFolderFailsWithTheFolderNamed) {
    const CliResult r = CliFolder("models-missing").run({"--models", "/nonexistent/zw", "models"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("/nonexistent/zw"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
}

TEST(CliModels, UsageErrorsAndHelp) {
    const CliFolder folder("models-usage");
    EXPECT_EQ(folder.run({"models", "--bogus"}).exitCode, 2);
    EXPECT_EQ(folder.run({}).exitCode, 2);
    const CliResult help = folder.run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("send"), std::string::npos);
    const CliResult version = folder.run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("zw4410-cli ", 0), 0u) << version.out;
}
