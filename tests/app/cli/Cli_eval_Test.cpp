// `eval`: one expression page computed as the Create window computes it.
#include "CliProcess.h"
#include "sigcore32.h"
#include "zwplatform.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace zw::test;

TEST(CliEval, FullScaleSineMatchesTheSineGenerator) {
    const CliFolder folder("eval-sine");
    const CliResult r = folder.run({"eval", "32767*sin(2*pi*x/1000)", "-o", folder.file("s.wdb")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::vector<int16_t> made = WdbSamples(folder.file("s.wdb"));
    ASSERT_GE(made.size(), 1024u); // the default setup: the first model's first size

    const ZwMemHandle memory = W_AllocMemory(65536);
    ASSERT_EQ(W_MakeSin(memory, 0, 1000, 0, 65534, 1, 0), 1);
    const zw::LockedBlock<int16_t> block(memory);
    for (size_t i = 0; i < 1000; ++i)
        EXPECT_LE(std::abs(made[i] - block.data()[i]), 1) << "sample " << i;
    W_FreeMemory(memory);
}

TEST(CliEval, ConstantsAndStretchInTheSetupsUnits) {
    const CliFolder folder("eval-stretch");
    const CliResult r = folder.run(
        {"eval", "[a=3;] a*x", "--from", "10", "--to", "20", "-o", folder.file("r.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string text = ReadFile(folder.file("r.txt"));
    std::vector<int> codes;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find('\n', at);
        codes.push_back(std::atoi(text.substr(at, end - at).c_str()));
        at = end == std::string::npos ? text.size() : end + 1;
    }
    ASSERT_EQ(codes.size(), 1024u);
    for (size_t i = 0; i < codes.size(); ++i) {
        const int expected = i >= 10 && i < 20 ? 3 * static_cast<int>(i) : 0;
        EXPECT_EQ(codes[i], expected) << "sample " << i;
    }
}

TEST(CliEval, EvaluationErrorsAndEmptyStretches) {
    const CliFolder folder("eval-errors");
    CliResult r = folder.run({"eval", "sin(", "-o", folder.file("e.txt")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.empty());
    r = folder.run({"--lang", "ja", "eval", "sin(", "-o", folder.file("e.txt")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("\xe3"), std::string::npos) << r.err; // Japanese text
    r = folder.run({"eval", "x", "--from", "20", "--to", "10", "-o", folder.file("e.txt")});
    EXPECT_EQ(r.exitCode, 2);
    r = folder.run({"eval", "  ", "-o", folder.file("e.txt")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_FALSE(FileExists(folder.file("e.txt")));
}
