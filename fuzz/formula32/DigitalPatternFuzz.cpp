// DigitalPattern on hostile patterns and stretches: it must return one of its
// codes, finish in bounded time, and never change a sample outside the
// stretch it was given.
//
// Input: byte 0 start offset, byte 1 count, byte 2 memory size, then the text.
#include "formula32.h"
#include "zwplatform.hpp"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

bool knownResult(int r) {
    return r == 0 || r == -1 || r == 107 || r == 110 || (r >= 112 && r <= 118);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3)
        return 0;
    const int start = static_cast<int>(data[0]) - 16;
    const int count = static_cast<int>(data[1]) * 2 - 4;
    const std::size_t memory = data[2] + 1u;
    const std::string text(reinterpret_cast<const char*>(data + 3), size - 3);

    ClearConstant();
    const ZwMemHandle h = ZwGlobalAlloc(memory * 2);
    std::vector<std::int16_t> before(memory);
    {
        zw::LockedBlock<std::int16_t> b(h);
        for (std::size_t i = 0; i < memory; ++i)
            b[i] = before[i] = static_cast<std::int16_t>(i * 40503u);
    }
    std::int16_t pos = -1;
    const int r = DigitalPattern(text.c_str(), start, h, count, &pos);
    check(knownResult(r));
    {
        zw::LockedBlock<std::int16_t> b(h);
        for (std::size_t i = 0; i < memory; ++i) {
            const auto index = static_cast<long>(i);
            if (index < start || index >= static_cast<long>(start) + count)
                check(b[i] == before[i]);
        }
    }
    ZwGlobalFree(h);
    return 0;
}
