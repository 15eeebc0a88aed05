// LoadWaveData on arbitrary file contents. The first four bytes choose the
// memory size, start and count; the rest is the file. Samples outside the
// loaded stretch must keep their values.
#include "docio32.h"

#include "zwplatform.hpp"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

int memoryFile() {
    static const int fd = memfd_create("wave-text", 0);
    return fd;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4)
        return 0;
    const std::size_t samples = 1 + data[0] % 64;
    const int32_t start = static_cast<int32_t>(data[1] % 72) - 2;
    const int32_t count = static_cast<int32_t>(data[2]) * (data[3] & 0x80 ? 64 : 1) - 4;
    data += 4;
    size -= 4;

    const int fd = memoryFile();
    if (fd < 0 || ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
        return 0;
    const std::string path = "/proc/self/fd/" + std::to_string(fd);

    const ZwMemHandle memory = ZwGlobalAlloc(2 * samples);
    {
        const zw::LockedBlock<int16_t> block(memory);
        for (std::size_t i = 0; i < samples; ++i)
            block[i] = 0x5A5A;
    }
    const int32_t result = LoadWaveData(path.c_str(), memory, start, count);
    const bool valid = start >= 0 && static_cast<std::size_t>(start) <= samples;
    if (result != (valid ? 0 : 71))
        std::abort();
    {
        const zw::LockedBlock<int16_t> block(memory);
        for (std::size_t i = 0; i < samples; ++i) {
            const bool inStretch = valid && static_cast<int64_t>(i) >= start &&
                                   static_cast<int64_t>(i) < int64_t{start} + count;
            if (!inStretch && block[i] != 0x5A5A)
                std::abort();
        }
    }
    ZwGlobalFree(memory);
    return 0;
}
