// The exported digital pattern function.
#include "formula32.h"

#include "ConstantBlock.h"
#include "ExportSupport.h"
#include "LibraryState.h"
#include "PatternCompiler.h"
#include "PatternExecutor.h"

#include "zwplatform.hpp"

#include <algorithm>

namespace formula32 {
namespace {

ErrorCode digitalPattern(const char* text, std::int32_t start, ZwMemHandle memory,
                         std::int32_t count, std::int16_t* position) {
    const zw::LockedBlock<std::int16_t> block(memory);
    if (!block)
        return kInsufficientMemory;
    LibraryState& st = libraryState();
    st.variables.clear(); // "x" is unknown in patterns
    std::size_t pos = 0;
    if (!readConstantBlock(text, pos, st.constants, st.variables, st.random))
        return kConstantBlockFailed;
    const PatternCompilation c =
        compilePattern(text, pos, st.pattern, {st.variables, st.constants, st.random});
    reportPosition(position, c.position);
    if (c.error != kOk)
        return c.error;
    // Samples past the memory's end cannot be seen, so the stretch ends there
    // at the latest; one that starts before the memory keeps its alignment.
    // A stretch wholly outside the memory can change nothing: it is not
    // walked at all, however long it is.
    const std::int64_t first = start;
    const std::int64_t wanted = std::max<std::int32_t>(count, 0);
    const auto size = static_cast<std::int64_t>(block.size());
    const std::int64_t end = std::min(first + wanted, size);
    const bool clipped = wanted > 0 && (first < 0 || first + wanted > size);
    if (wanted > 0 && (first + wanted <= 0 || first >= size))
        return kInsufficientMemory;
    const PatternTarget target{block.data(), block.size(), first,
                               std::max<std::int64_t>(end - first, 0)};
    if (const ErrorCode e = executePattern(st.pattern.data(), c.words, target); e != kOk)
        return e;
    return clipped ? kInsufficientMemory : kOk;
}

} // namespace
} // namespace formula32

extern "C" FORMULA32_API int16_t DigitalPattern(const char* text, int32_t start, ZwMemHandle memory,
                                                int32_t count, int16_t* position) {
    return zw::GuardedExport(formula32::kInsufficientMemory, [&] {
        return formula32::digitalPattern(formula32::textOrEmpty(text), start, memory, count,
                                         position);
    });
}
