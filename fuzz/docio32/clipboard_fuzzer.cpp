// The clipboard tokenizer against a plain reference, then the whole paste on
// a small memory: codes never land at or past the used length, samples past
// it never change, and the count is what the tokenizer found, cut to fit.
#include "docio32.h"

#include "ClipboardTokenizer.h"
#include "MemoryClipboard.h"
#include "zwplatform.hpp"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Written from the description, one character at a time.
std::vector<int16_t> referenceCodes(const std::string& text) {
    std::vector<int16_t> codes;
    std::string token;
    auto finish = [&] {
        if (token.empty())
            return;
        std::size_t i = 0;
        bool negative = false;
        if (token[0] == '+' || token[0] == '-') {
            negative = token[0] == '-';
            i = 1;
        }
        long long value = 0;
        for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i)
            value = std::min(value * 10 + (token[i] - '0'), 10000000000LL);
        value = negative ? -value : value;
        value = std::max<long long>(INT32_MIN, std::min<long long>(INT32_MAX, value));
        codes.push_back(static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFF)));
        token.clear();
    };
    bool dropNext = false;
    for (const char c : text) {
        if (c == '\0')
            break;
        const bool tokenChar = (c >= '0' && c <= '9') || c == '+' || c == '-';
        if (!tokenChar) {
            finish();
            dropNext = false;
            continue;
        }
        if (dropNext) {
            dropNext = false;
            continue;
        }
        token += c;
        if (token.size() == 19) {
            finish();
            dropNext = true;
        }
    }
    finish();
    return codes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4)
        return 0;
    const std::size_t samples = 1 + data[0] % 32;
    const int32_t a = static_cast<int32_t>(data[1] % 40) - 1;
    const int32_t b = static_cast<int32_t>(data[2] % 40) - 1;
    const int32_t n = static_cast<int32_t>(data[3] % 40) - 1;
    const std::string text(reinterpret_cast<const char*>(data + 4), size - 4);

    const std::vector<int16_t> codes = docio32::clipboardCodes(text);
    if (codes != referenceCodes(text))
        std::abort();

    zwtest::MemoryClipboard clipboard;
    clipboard.text = text;
    const ZwMemHandle memory = ZwGlobalAlloc(2 * samples);
    {
        const zw::LockedBlock<int16_t> block(memory);
        for (std::size_t i = 0; i < samples; ++i)
            block[i] = static_cast<int16_t>(0x4000 + i);
    }
    int32_t pasted = -1;
    const int32_t result = GetClipBoard(clipboard.get(), memory, a, b, n, &pasted);
    if (clipboard.isOpen)
        std::abort();
    if (b >= 0 && n > 0 && a >= 0) {
        const int64_t used = std::min<int64_t>(n, static_cast<int64_t>(samples));
        const int64_t room = std::max<int64_t>(0, used - a);
        const int64_t expected = std::min<int64_t>(room, static_cast<int64_t>(codes.size()));
        if (result != 0 || pasted != expected)
            std::abort();
        const zw::LockedBlock<int16_t> block(memory);
        for (std::size_t i = static_cast<std::size_t>(used); i < samples; ++i)
            if (block[i] != static_cast<int16_t>(0x4000 + i))
                std::abort();
    }
    ZwGlobalFree(memory);
    return 0;
}
