// `convert`: between the binary and the text wave files.
#include "CliProcess.h"

#include <gtest/gtest.h>

using namespace zw::test;

TEST(CliConvert, BinaryToTextAndBackKeepsEverySample) {
    const CliFolder folder("convert-roundtrip");
    const std::string ocb = folder.file("s.ocb");
    ASSERT_EQ(
        folder.run({"setup", "--model", "ZWG-216", "--memory-size", "16384", "-o", ocb}).exitCode,
        0);
    ASSERT_EQ(folder
                  .run({"eval", "[a=32767;] a*sin(2*pi*x/333)", "--setup", ocb, "-o",
                        folder.file("a.wdb")})
                  .exitCode,
              0);
    CliResult r = folder.run({"convert", folder.file("a.wdb"), folder.file("a.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = folder.run({"convert", folder.file("a.txt"), folder.file("b.wdb"), "--setup", ocb});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::vector<int16_t> a = WdbSamples(folder.file("a.wdb"));
    const std::vector<int16_t> b = WdbSamples(folder.file("b.wdb"));
    ASSERT_GE(a.size(), 16384u);
    ASSERT_EQ(a.size(), b.size());
    EXPECT_TRUE(std::equal(a.begin(), a.begin() + 16384, b.begin()));
    // The setup block came from --setup: the same as the original's.
    EXPECT_EQ(ReadFile(folder.file("a.wdb")).substr(0, 326),
              ReadFile(folder.file("b.wdb")).substr(0, 326));
}

TEST(CliConvert, UnknownTypesAndUnreadableInputs) {
    const CliFolder folder("convert-errors");
    ASSERT_EQ(folder.run({"eval", "x", "-o", folder.file("x.wdb")}).exitCode, 0);
    CliResult r = folder.run({"convert", folder.file("x.wdb"), folder.file("x.csv")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("x.csv"), std::string::npos) << r.err;
    EXPECT_FALSE(FileExists(folder.file("x.csv")));

    const std::string out = folder.file("keep.txt");
    FILE* f = std::fopen(out.c_str(), "w");
    std::fputs("old\n", f);
    std::fclose(f);
    r = folder.run({"convert", folder.file("absent.wdb"), out});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("absent.wdb"), std::string::npos) << r.err;
    EXPECT_EQ(ReadFile(out), "old\n");
}

TEST(CliConvert, OtherProgramsFilesComeThroughTheImportPlugins) {
    const CliFolder folder("convert-import");
    const std::string csv = folder.file("scope.csv");
    FILE* f = std::fopen(csv.c_str(), "w");
    std::fputs("volts\n0\n1\n-4\n2.5\n", f);
    std::fclose(f);
    const CliResult r = folder.run({"convert", csv, folder.file("scope.wdb")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::vector<int16_t> samples = WdbSamples(folder.file("scope.wdb"));
    ASSERT_GE(samples.size(), 1024u);
    // Scaled so that the largest magnitude (4) becomes 32767.
    EXPECT_EQ(std::vector<int16_t>(samples.begin(), samples.begin() + 5),
              (std::vector<int16_t>{0, 8192, -32767, 20479, 0}));

    const CliResult unknown = folder.run({"convert", folder.file("x.xyz"), folder.file("x.wdb")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find(".csv"), std::string::npos) << unknown.err; // what is offered
    EXPECT_FALSE(FileExists(folder.file("x.wdb")));
}
