// `setup`: building a setup file through the model's change operations, the
// refused values, and showing a setup file.
#include "CliProcess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace zw::test;

TEST(CliSetup, RefusedValueExitsTwoAndNamesTheLimit) {
    const CliFolder folder("setup-refused");
    const std::string out = folder.file("refused.ocb");
    CliResult r = folder.run({"setup", "--model", "ZWG-216", "--frequency", "50M", "-o", out});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("--frequency 50M"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("10000000"), std::string::npos) << r.err; // the model's maximum
    EXPECT_FALSE(FileExists(out));

    r = folder.run({"setup", "--model", "ZWG-216", "--memory-size", "3000", "-o", out});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("1024, 4096, 16384, 65536"), std::string::npos) << r.err;

    r = folder.run({"setup", "--model", "ZWG-114", "--channel", "1", "-o", out});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("0 to 0"), std::string::npos) << r.err;

    r = folder.run({"--lang", "ja", "setup", "--model", "NOPE", "-o", out});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("機種 \"NOPE\""), std::string::npos) << r.err;

    r = folder.run({"setup", "--interface", "carrier-pigeon", "-o", out});
    EXPECT_EQ(r.exitCode, 2);
    r = folder.run({"setup", "--frequency", "1k", "--period", "1m", "-o", out});
    EXPECT_EQ(r.exitCode, 2); // one or the other
    EXPECT_FALSE(FileExists(out));
}

TEST(CliSetup, WrittenFileShowsWhatWasSet) {
    const CliFolder folder("setup-roundtrip");
    const std::string ocb = folder.file("bench.ocb");
    const CliResult made =
        folder.run({"setup",   "--model",       "ZWG-216", "--interface", "lan",   "--memory-size",
                    "4096",    "--channel",     "1",       "--range",     "1",     "--frequency",
                    "1.5k",    "--amplitude",   "0.5",     "--offset",    "-0.25", "--output",
                    "on",      "--memory-name", "RAMP",    "--x-unit",    "time",  "--y-user",
                    "-2,2,mA", "--y-unit",      "user",    "-o",          ocb});
    ASSERT_EQ(made.exitCode, 0) << made.err;

    const CliResult shown = folder.run({"setup", "--show", ocb, "--json"});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    const QJsonObject s = QJsonDocument::fromJson(QByteArray::fromStdString(shown.out)).object();
    EXPECT_EQ(s["model"].toString(), "ZWG-216");
    EXPECT_EQ(s["interface"].toString(), "lan");
    EXPECT_EQ(s["memorySize"].toInt(), 4096);
    EXPECT_EQ(s["channel"].toInt(), 1);
    EXPECT_EQ(s["range"].toInt(), 1);
    EXPECT_DOUBLE_EQ(s["frequency"].toDouble(), 1500.0);
    EXPECT_NEAR(s["period"].toDouble(), 1.0 / 1500.0, 1e-15);
    EXPECT_DOUBLE_EQ(s["amplitude"].toDouble(), 0.5);
    EXPECT_DOUBLE_EQ(s["offset"].toDouble(), -0.25);
    EXPECT_EQ(s["output"].toString(), "on");
    EXPECT_EQ(s["memoryName"].toString(), "RAMP");
    EXPECT_EQ(s["xUnit"].toString(), "time");
    EXPECT_EQ(s["yUnit"].toString(), "user");
    EXPECT_EQ(s["yUser"].toArray()[2].toString(), "mA");

    // Starting from the file and changing one value keeps the rest.
    const std::string second = folder.file("second.ocb");
    ASSERT_EQ(folder.run({"setup", "--from", ocb, "--amplitude", "1", "-o", second}).exitCode, 0);
    const QJsonObject t =
        QJsonDocument::fromJson(
            QByteArray::fromStdString(folder.run({"setup", "--show", second, "--json"}).out))
            .object();
    EXPECT_DOUBLE_EQ(t["amplitude"].toDouble(), 1.0);
    EXPECT_DOUBLE_EQ(t["frequency"].toDouble(), 1500.0);
    EXPECT_EQ(t["channel"].toInt(), 1);
}

TEST(CliSetup, ListingUsesThePrintedLabelsInEitherLanguage) {
    const CliFolder folder("setup-listing");
    const std::string ocb = folder.file("l.ocb");
    ASSERT_EQ(folder.run({"setup", "--model", "ZWG-114", "--frequency", "2k", "-o", ocb}).exitCode,
              0);
    const CliResult en = folder.run({"setup", "--show", ocb});
    ASSERT_EQ(en.exitCode, 0) << en.err;
    for (const char* label :
         {"<System Setup>", "[Basic Setup]", "Model : ZWG-114", "[Wave Memory Setup]",
          "Memory Size : 1024", "Frequency : 2000. Hz", "Period : .0005 sec", "<Unit Setup>"})
        EXPECT_NE(en.out.find(label), std::string::npos) << label << "\n" << en.out;
    const CliResult ja = folder.run({"--lang", "ja", "setup", "--show", ocb});
    EXPECT_NE(ja.out.find("<ｼｽﾃﾑ設定>"), std::string::npos) << ja.out;
    EXPECT_NE(ja.out.find("波形ﾒﾓﾘｻｲｽﾞ : 1024"), std::string::npos) << ja.out;
}

TEST(CliSetup, OptionsApplyInTheOrderGiven) {
    const CliFolder folder("setup-order");
    // A memory size of ZWG-216 given before choosing ZWG-216 is refused by
    // the first model; given after, it is taken.
    EXPECT_EQ(folder
                  .run({"setup", "--memory-size", "65536", "--model", "ZWG-216", "-o",
                        folder.file("a.ocb")})
                  .exitCode,
              2);
    EXPECT_EQ(folder
                  .run({"setup", "--model", "ZWG-216", "--memory-size", "65536", "-o",
                        folder.file("b.ocb")})
                  .exitCode,
              0);
}

TEST(CliSetup, UnreadableSetupFileFailsWithItsName) {
    const CliFolder folder("setup-unreadable");
    const std::string junk = folder.file("junk.ocb");
    FILE* f = std::fopen(junk.c_str(), "w");
    std::fputs("not a setup", f);
    std::fclose(f);
    const CliResult r = folder.run({"setup", "--show", junk});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("junk.ocb"), std::string::npos) << r.err;
}
