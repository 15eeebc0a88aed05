// The exported expression functions: one value, an array by direct
// evaluation, an array by compiled code, and the library's persistent state.
#include "formula32.h"

#include "Compiler.h"
#include "ConstantBlock.h"
#include "DirectEvaluator.h"
#include "ExportSupport.h"
#include "LibraryState.h"
#include "SampleCode.h"
#include "SampleStretch.h"
#include "StackMachine.h"

#include "zwplatform.hpp"

#include <cmath>

namespace formula32 {
namespace {

// Empties the variable table, registers "x" when asked, and reads the
// constant block; `position` then points at the expression proper.
bool beginCall(LibraryState& st, const char* text, std::size_t& position, bool withSampleIndex) {
    st.variables.clear();
    if (withSampleIndex) {
        st.sampleIndex = 0;
        st.variables.add("x", &st.sampleIndex);
    }
    position = 0;
    return readConstantBlock(text, position, st.constants, st.variables, st.random);
}

// Samples one by one through the stack machine: the engine for code that the
// block engine refuses, which fails on its first sample anyway.
ErrorCode runPerSample(LibraryState& st, std::size_t bytes, const SampleStretch& s,
                       std::int16_t* samples) {
    for (std::int64_t i = s.first; i < s.end; ++i) {
        st.sampleIndex = static_cast<double>(i);
        double v = 0;
        if (const ErrorCode e = runCode(st.code.data(), bytes, st.variables, st.random, v);
            e != kOk)
            return e;
        samples[i] = toSampleCode(v);
    }
    return kOk;
}

ErrorCode evalOne(const char* text, std::int32_t* value, std::int16_t* position) {
    LibraryState& st = libraryState();
    std::size_t pos = 0;
    if (!beginCall(st, text, pos, false))
        return kConstantBlockFailed;
    const Evaluation e = evaluateDirectly(text, pos, {st.variables, st.constants, st.random});
    reportPosition(position, e.position);
    if (value)
        *value = e.error == kOk ? toSampleCode(e.value) : 0;
    return e.error;
}

ErrorCode evalArray(std::int32_t start, std::int32_t count, ZwMemHandle memory,
                    std::int16_t* position, const char* text) {
    const zw::LockedBlock<std::int16_t> block(memory);
    if (!block)
        return kInsufficientMemory;
    LibraryState& st = libraryState();
    std::size_t pos = 0;
    if (!beginCall(st, text, pos, true))
        return kConstantBlockFailed;
    const double first = start;
    const SampleStretch s = clipStretch(first, first + count, block.size());
    const EvaluationContext context{st.variables, st.constants, st.random};
    for (std::int64_t i = s.first; i < s.end; ++i) {
        st.sampleIndex = static_cast<double>(i);
        const Evaluation e = evaluateDirectly(text, pos, context);
        reportPosition(position, e.position);
        if (e.error != kOk)
            return e.error;
        block[static_cast<std::size_t>(i)] = toSampleCode(e.value);
    }
    return s.clipped ? kInsufficientMemory : kOk;
}

ErrorCode evalArray1(double start, double count, ZwMemHandle memory, std::int16_t* position,
                     const char* text) {
    const zw::LockedBlock<std::int16_t> block(memory);
    if (!block)
        return kInsufficientMemory;
    LibraryState& st = libraryState();
    std::size_t pos = 0;
    if (!beginCall(st, text, pos, true))
        return kConstantBlockFailed;
    const Compilation c = compile(text, pos, st.code.data(), kLibraryCodeBytes,
                                  {st.variables, st.constants, st.random});
    reportPosition(position, c.position);
    if (c.error != kOk)
        return c.error;
    const SampleStretch s = clipStretch(std::ceil(start), std::ceil(start + count), block.size());
    ErrorCode e = kOk;
    if (s.size() > 0 && st.engine.prepare(st.code.data(), c.bytes, st.variables, &st.sampleIndex))
        e = st.engine.run(s.first, s.size(), block.data() + s.first, st.random);
    else
        e = runPerSample(st, c.bytes, s, block.data());
    if (e != kOk)
        return e;
    return s.clipped ? kInsufficientMemory : kOk;
}

} // namespace
} // namespace formula32

using namespace formula32;

extern "C" {

FORMULA32_API int16_t EvalOne(const char* text, int32_t* value, int16_t* position) {
    return zw::GuardedExport(kInsufficientMemory,
                             [&] { return evalOne(textOrEmpty(text), value, position); });
}

FORMULA32_API int16_t EvalArray(int32_t start, int32_t count, ZwMemHandle memory, int16_t* position,
                                const char* text) {
    return zw::GuardedExport(kInsufficientMemory, [&] {
        return evalArray(start, count, memory, position, textOrEmpty(text));
    });
}

FORMULA32_API int16_t EvalArray1(double start, double count, ZwMemHandle memory, int16_t* position,
                                 const char* text) {
    return zw::GuardedExport(kInsufficientMemory, [&] {
        return evalArray1(start, count, memory, position, textOrEmpty(text));
    });
}

FORMULA32_API int16_t ClearConstant(void) {
    libraryState().constants.clear();
    return 0;
}

FORMULA32_API void EvalInitRandom(int32_t seed) {
    libraryState().random.seed(static_cast<std::uint32_t>(seed));
}

} // extern "C"
