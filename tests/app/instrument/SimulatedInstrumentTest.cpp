// The simulator's protocol side without a socket: what a controller's bytes
// make it answer and record.
#include "sim/SimulatedInstrument.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Simulator {
    std::vector<std::string> records;
    zw::sim::SimulatedInstrument sim{
        {}, [this](const std::string& line) { records.push_back(line); }, nullptr};

    std::vector<std::string> Feed(const std::string& bytes) {
        std::vector<std::string> replies;
        EXPECT_TRUE(sim.Feed(bytes.data(), bytes.size(), replies));
        return replies;
    }
};

TEST(SimulatedInstrument, AHeaderlessUnitIsASyntaxErrorNotACrash) {
    Simulator s;
    EXPECT_TRUE(s.Feed(":\n: 5\n").empty());
    const std::vector<std::string> replies = s.Feed("*ESR?;SYST:ERR?;SYST:ERR?;SYST:ERR?\n");
    EXPECT_EQ(replies, (std::vector<std::string>{"32", "-102,\"Syntax error\"",
                                                 "-102,\"Syntax error\"", "+0,\"No error\""}));
}

TEST(SimulatedInstrument, ABlockSplitAcrossReadsIsOneWaveform) {
    Simulator s;
    const std::string message =
        std::string(":DATA:DAC VOLATILE, #14") + '\x01' + '\x02' + '\xff' + '\xfe' + "\n";
    for (const char c : message)
        s.Feed(std::string(1, c));
    ASSERT_GE(s.records.size(), 2u);
    EXPECT_EQ(s.records[s.records.size() - 2], "WAVE DATA:DAC VOLATILE 4 bytes");
    EXPECT_EQ(s.records.back(), "CODES 2 258 -2");
}

TEST(SimulatedInstrument, ASemicolonInsideQuotesDoesNotEndTheUnit) {
    Simulator s;
    s.Feed("SOUR:FUNC 'a;b'\n");
    EXPECT_EQ(s.Feed("SOUR:FUNC?\n"), (std::vector<std::string>{"'a;b'"}));
}

} // namespace
