// The per-sample stack machine on code that no compiler wrote: every fault
// gets its code, and the machine never reads past the bytes it was given.
#include "Formula32TestSupport.h"

#include "BlockEngine.h"
#include "BuiltinFunctions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

using namespace formula32;
using namespace formula32::test;

namespace {

class StackMachine : public ::testing::Test {
protected:
    // Runs exactly these slots from a heap block of exactly their size, so
    // that the sanitizer build catches any read beyond it.
    ErrorCode run(const std::vector<CodeSlot>& slots, double& result) {
        const auto copy = std::make_unique<CodeSlot[]>(slots.size());
        std::copy(slots.begin(), slots.end(), copy.get());
        return runCode(copy.get(), slots.size() * kSlotBytes, box.variables, box.random, result);
    }
    ErrorCode run(const std::vector<CodeSlot>& slots) {
        double ignored = 0;
        return run(slots, ignored);
    }
    static CodeSlot header() { return CodeSlot::header(0); }
    static CodeSlot c(double v) { return CodeSlot::constant(v); }
    static CodeSlot end() { return CodeSlot::end(); }

    Sandbox box;
};

TEST_F(StackMachine, RunsPostfixCode) {
    double v = 0;
    ASSERT_EQ(run({header(), c(7), c(2), CodeSlot::operation(Operator::Subtract), end()}, v), kOk);
    EXPECT_EQ(v, 5) << "the first value popped is the right-hand operand";
    ASSERT_EQ(run({header(), c(1), c(0.5), c(3),
                   CodeSlot::call(static_cast<int>(FunctionRow::Phase), 2), end()},
                  v),
              kOk);
    EXPECT_EQ(v, std::atan2(0.5, 3.0)) << "arguments in their written order; values below are left";
}

TEST_F(StackMachine, CodeWithoutHeaderIsNotCompiled) {
    EXPECT_EQ(run({c(1), end()}), kNotCompiled);
    EXPECT_EQ(runCode(nullptr, 0, box.variables, box.random, box.x), kNotCompiled);
    const CodeSlot h = header();
    EXPECT_EQ(runCode(&h, 15, box.variables, box.random, box.x), kNotCompiled)
        << "less than one slot";
}

TEST_F(StackMachine, StackUnderflowAndOverflow) {
    EXPECT_EQ(run({header(), end()}), kInsufficientMemory);
    EXPECT_EQ(run({header(), c(1), CodeSlot::operation(Operator::Add), end()}),
              kInsufficientMemory);
    EXPECT_EQ(run({header(), CodeSlot::call(0, 1), end()}), kInsufficientMemory);
    std::vector<CodeSlot> full{header()};
    full.insert(full.end(), kStackCapacity, c(1));
    full.push_back(end());
    EXPECT_EQ(run(full), kOk) << "512 values fit";
    full.insert(full.begin() + 1, c(1));
    EXPECT_EQ(run(full), kInsufficientMemory) << "the 513th does not";
}

TEST_F(StackMachine, SlotsItCannotExecute) {
    EXPECT_EQ(run({header(), c(1), CodeSlot::make(SlotKind(99)), end()}), kUnknownSlot);
    EXPECT_EQ(run({header(), c(1), header(), end()}), kUnknownSlot) << "a second header";
    EXPECT_EQ(run({header(), c(1), c(1), CodeSlot::make(SlotKind::Operator, 15, 2), end()}),
              kUnknownSlot);
    EXPECT_EQ(run({header(), c(1), c(1), CodeSlot::make(SlotKind::Operator, 8, 1), end()}),
              kUnknownSlot)
        << "operand count that does not fit the operator";
    EXPECT_EQ(run({header(), c(1), CodeSlot::make(SlotKind::Call, 16, 1), end()}), kUnknownSlot);
    EXPECT_EQ(run({header(), c(1), CodeSlot::make(SlotKind::Call, -1, 1), end()}), kUnknownSlot);
    EXPECT_EQ(run({header(), c(1), c(1), CodeSlot::make(SlotKind::Call, 0, 2), end()}),
              kUnknownSlot);
    EXPECT_EQ(run({header(), CodeSlot::variable(1), end()}), kUnknownSlot)
        << "only x is registered";
    EXPECT_EQ(run({header(), CodeSlot::variable(-1), end()}), kUnknownSlot);
}

TEST_F(StackMachine, NeverReadsPastTheBufferEnd) {
    EXPECT_EQ(run({header()}), kUnknownSlot);
    EXPECT_EQ(run({header(), c(1), c(2)}), kUnknownSlot);
    std::vector<CodeSlot> code{header(), c(1), end()};
    EXPECT_EQ(runCode(code.data(), 2 * kSlotBytes + 15, box.variables, box.random, box.x),
              kUnknownSlot)
        << "a partial slot is not read";
}

TEST_F(StackMachine, BlockEngineRefusesWhatThePerSampleMachineRejects) {
    BlockEngine engine;
    const std::vector<std::vector<CodeSlot>> faulty = {
        {c(1), end()},
        {header(), end()},
        {header(), c(1)},
        {header(), c(1), CodeSlot::make(SlotKind(42)), end()},
        {header(), CodeSlot::variable(3), end()},
        {header(), c(1), CodeSlot::make(SlotKind::Call, 15, 2), end()},
    };
    for (const auto& code : faulty) {
        EXPECT_FALSE(engine.prepare(code.data(), code.size() * kSlotBytes, box.variables, &box.x));
        EXPECT_NE(run(code), kOk);
    }
    std::vector<CodeSlot> deep{header()};
    deep.insert(deep.end(), kStackCapacity + 1, c(1));
    deep.push_back(end());
    EXPECT_FALSE(engine.prepare(deep.data(), deep.size() * kSlotBytes, box.variables, &box.x));
}

} // namespace
