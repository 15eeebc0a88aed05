// Helpers for the evaluator's tests: a wave memory owned by the test, and a
// private evaluation context in which an expression can be computed directly
// or compiled and run, so that tests compare the two.
#ifndef FORMULA32_TESTSUPPORT_H
#define FORMULA32_TESTSUPPORT_H

#include "Compiler.h"
#include "DirectEvaluator.h"
#include "RandomGenerator.h"
#include "StackMachine.h"
#include "UserConstants.h"
#include "VariableTable.h"

#include "formula32.h"
#include "zwplatform.hpp"

#include <array>
#include <cstdint>
#include <vector>

namespace formula32::test {

class WaveMemory {
public:
    explicit WaveMemory(std::size_t samples, std::int16_t fill = 0)
        : handle_(ZwGlobalAlloc(samples * 2)) {
        zw::LockedBlock<std::int16_t> block(handle_);
        for (auto& s : block.span())
            s = fill;
    }
    ~WaveMemory() { ZwGlobalFree(handle_); }
    WaveMemory(const WaveMemory&) = delete;
    WaveMemory& operator=(const WaveMemory&) = delete;

    ZwMemHandle handle() const { return handle_; }
    std::vector<std::int16_t> samples() const {
        zw::LockedBlock<std::int16_t> block(handle_);
        return {block.data(), block.data() + block.size()};
    }
    void set(const std::vector<std::int16_t>& codes) {
        zw::LockedBlock<std::int16_t> block(handle_);
        for (std::size_t i = 0; i < codes.size() && i < block.size(); ++i)
            block[i] = codes[i];
    }

private:
    ZwMemHandle handle_;
};

struct Outcome {
    ErrorCode error;
    double value;
    std::size_t position;
};

// Tables of its own, so tests of the front ends do not touch the library's.
class Sandbox {
public:
    Sandbox() { variables.add("x", &x); }

    Outcome direct(const char* text) {
        const Evaluation e = evaluateDirectly(text, 0, context());
        return {e.error, e.value, e.position};
    }

    Outcome compiled(const char* text) {
        const Compilation c = compile(text, 0, code.data(), sizeof code, context());
        if (c.error != kOk)
            return {c.error, 0, c.position};
        double v = 0;
        const ErrorCode e = runCode(code.data(), c.bytes, variables, random, v);
        return {e, v, c.position};
    }

    EvaluationContext context() { return {variables, constants, random}; }

    UserConstants constants;
    VariableTable variables;
    RandomGenerator random;
    double x = 0;
    std::array<CodeSlot, kLibraryCodeSlots> code{};
};

} // namespace formula32::test

#endif
