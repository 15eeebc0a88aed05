// The simulator's protocol side without a socket: what a controller's bytes
// make it answer and record.
#include "sim/SimulatedInstrument.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(SimulatedInstrument, TheErrorQueueIsBoundedAndItsLastEntryTellsOfTheOverflow) {
    Simulator s;
    for (int i = 0; i < 100; ++i)
        s.Feed("NOSUCH?\n");
    const size_t depth = zw::sim::SimulatedInstrument::kErrorQueueDepth;
    std::vector<std::string> errors;
    for (size_t i = 0; i <= depth; ++i)
        errors.push_back(s.Feed("SYST:ERR?\n").at(0));
    EXPECT_EQ(errors[0], "-113,\"Undefined header\"");
    EXPECT_EQ(errors[depth - 2], "-113,\"Undefined header\"");
    EXPECT_EQ(errors[depth - 1], "-350,\"Queue overflow\"");
    EXPECT_EQ(errors[depth], "+0,\"No error\"");
}

TEST(SimulatedInstrument, ANewConnectionStartsWithNoErrorsButKeepsTheSettings) {
    Simulator s;
    s.Feed("VOLT 2.5\nNOSUCH?\n");
    s.sim.Reset();
    EXPECT_EQ(s.Feed("SYST:ERR?;VOLT?\n"), (std::vector<std::string>{"+0,\"No error\"", "2.5"}));
}

TEST(SimulatedInstrument, AMessageThatNeverEndsIsCutOffAtTheLimit) {
    Simulator s;
    const std::string chunk(1 << 20, 'A');
    std::vector<std::string> replies;
    size_t fed = 0;
    bool kept = true;
    while (kept && fed < 2 * zw::sim::SimulatedInstrument::kMaxMessageBytes) {
        kept = s.sim.Feed(chunk.data(), chunk.size(), replies);
        fed += chunk.size();
    }
    EXPECT_FALSE(kept) << "the connection is dropped";
    EXPECT_LE(fed, zw::sim::SimulatedInstrument::kMaxMessageBytes + chunk.size());
    ASSERT_GE(s.records.size(), 2u);
    EXPECT_EQ(s.records[s.records.size() - 2], "ERROR -223,\"Too much data\"");
    // A block far larger than any model's memory still fits in one message.
    Simulator block;
    const size_t bytes = size_t{3} << 20;
    const std::string message = "DATA:DAC VOLATILE, #7" + std::to_string(bytes);
    EXPECT_TRUE(block.sim.Feed(message.data(), message.size(), replies));
    for (size_t done = 0; done < bytes; done += chunk.size())
        ASSERT_TRUE(block.sim.Feed(chunk.data(), std::min(chunk.size(), bytes - done), replies));
    EXPECT_TRUE(block.sim.Feed("\n", 1, replies));
    EXPECT_EQ(block.records.at(0), "WAVE DATA:DAC VOLATILE " + std::to_string(bytes) + " bytes");
}

} // namespace
