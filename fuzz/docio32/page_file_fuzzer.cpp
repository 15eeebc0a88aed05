// The page-file readers on arbitrary text, with text buffers of exactly the
// documented sizes so that any overrun is caught.
#include "docio32.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    std::vector<char> text(data, data + size);
    std::FILE* file = fmemopen(text.data(), text.size(), "r");
    if (file == nullptr)
        return 0;
    double ranges[4] = {1, 2, 3, 4};
    ReadWaveListHeader(file, &ranges[0], &ranges[1], &ranges[2], &ranges[3]);

    std::vector<char> constants(DOCIO32_PAGE_CONSTANTS_SIZE);
    std::vector<char> expression(DOCIO32_PAGE_EXPRESSION_SIZE);
    int16_t page = 0, type = 0;
    double start = 0, end = 0, parameters[8] = {};
    for (int pages = 0; pages < 100000; ++pages) {
        const int32_t result = ReadOneWaveList(file, &page, &type, &start, &end, parameters,
                                               constants.data(), expression.data());
        if (result != 1) {
            if (result != -1)
                std::abort();
            break;
        }
        if (page < 0 || type < 0 || !std::memchr(constants.data(), 0, constants.size()) ||
            !std::memchr(expression.data(), 0, expression.size()))
            std::abort();
    }
    std::fclose(file);
    return 0;
}
