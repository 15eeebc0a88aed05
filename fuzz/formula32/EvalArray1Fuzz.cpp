// EvalArray1 on hostile texts and stretches. Besides surviving, the results
// must agree: block execution with per-sample execution of the same code
// (samples, result and random draws), and, where nothing is folded at random,
// the compiled array with the directly evaluated one.
//
// Input: byte 0 start offset, byte 1 count, byte 2 memory size, byte 3 seed,
// then the text.
#include "BlockEngine.h"
#include "Compiler.h"
#include "ConstantBlock.h"
#include "RandomGenerator.h"
#include "SampleCode.h"
#include "StackMachine.h"
#include "UserConstants.h"
#include "VariableTable.h"

#include "formula32.h"
#include "zwplatform.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace formula32;

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

std::vector<std::int16_t> samplesOf(ZwMemHandle h) {
    const zw::LockedBlock<std::int16_t> b(h);
    return {b.data(), b.data() + b.size()};
}

// Compiles the text with private tables and runs it both ways.
void compareEngines(const std::string& text, std::int64_t first, std::size_t count,
                    std::uint32_t seed) {
    UserConstants constants;
    VariableTable variables;
    RandomGenerator random;
    random.seed(seed);
    double x = 0;
    variables.add("x", &x);
    std::size_t pos = 0;
    if (!readConstantBlock(text.c_str(), pos, constants, variables, random))
        return;
    std::array<CodeSlot, kLibraryCodeSlots> code{};
    const Compilation c =
        compile(text.c_str(), pos, code.data(), sizeof code, {variables, constants, random});
    if (c.error != kOk)
        return;
    RandomGenerator blockRandom = random;
    std::vector<std::int16_t> one(count, 7);
    ErrorCode oneError = kOk;
    for (std::size_t i = 0; i < count; ++i) {
        x = static_cast<double>(first + static_cast<std::int64_t>(i));
        double v = 0;
        oneError = runCode(code.data(), c.bytes, variables, random, v);
        if (oneError != kOk)
            break;
        one[i] = toSampleCode(v);
    }
    BlockEngine engine;
    if (!engine.prepare(code.data(), c.bytes, variables, &x)) {
        check(count == 0 || oneError != kOk);
        return;
    }
    std::vector<std::int16_t> blocks(count, 7);
    const ErrorCode blockError = engine.run(first, count, blocks.data(), blockRandom);
    check(blockError == oneError);
    check(blocks == one);
    check(blockRandom.state() == random.state());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    const int start = static_cast<int>(data[0]) - 16;
    const int count = static_cast<int>(data[1]) * 2 - 8;
    const std::size_t memory = data[2] + 1u;
    const std::uint32_t seed = data[3];
    const std::string text(reinterpret_cast<const char*>(data + 4), size - 4);

    ClearConstant();
    const ZwMemHandle compiled = ZwGlobalAlloc(memory * 2);
    const ZwMemHandle direct = ZwGlobalAlloc(memory * 2);
    std::int16_t pos1 = -1;
    std::int16_t pos2 = -1;
    EvalInitRandom(static_cast<std::int32_t>(seed));
    const std::int16_t r1 = EvalArray1(start, count, compiled, &pos1, text.c_str());
    check(r1 == 0 || r1 == -1 || (r1 >= 100 && r1 <= 108));
    check(pos1 >= -1);

    // Compared where both evaluate the same samples: a folded division by 0
    // fails the compilation even when there is no sample to evaluate.
    const long lo = start < 0 ? 0 : start;
    const long hi = std::min<long>(static_cast<long>(start) + count, static_cast<long>(memory));
    if (text.find("rnd") == std::string::npos && (r1 == 0 || r1 == 104) && lo < hi) {
        ClearConstant();
        const std::int16_t r2 = EvalArray(start, count, direct, &pos2, text.c_str());
        check(r1 == r2);
        check(samplesOf(compiled) == samplesOf(direct));
        if (r1 == 0 && count > 0 && start >= 0 && start + count <= static_cast<int>(memory))
            check(pos1 == pos2);
    }
    ZwGlobalFree(compiled);
    ZwGlobalFree(direct);

    const std::int64_t first = start < 0 ? 0 : start;
    const std::size_t n = count > 0 ? static_cast<std::size_t>(count) : 0;
    compareEngines(text, first, n, seed);
    return 0;
}
