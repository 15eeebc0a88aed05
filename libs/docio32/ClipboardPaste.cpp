#include "ClipboardPaste.h"

#include <algorithm>
#include <vector>

namespace docio32 {

std::size_t pasteCodes(std::span<int16_t> samples, std::size_t start, std::size_t length,
                       std::size_t usedLength, ClipboardTokenizer& tokens) {
    const std::size_t n = std::min(usedLength, samples.size());
    if (start >= n)
        return 0; // nothing may be written at or past the used length
    const std::size_t b = std::min(length, n - start);
    // The samples that followed the old stretch, before the codes overwrite them.
    const std::vector<int16_t> following(samples.begin() + start + b, samples.begin() + n);

    std::size_t k = 0;
    while (start + k < n) {
        const auto code = tokens.next();
        if (!code)
            break;
        samples[start + k] = *code;
        ++k;
    }

    if (k == b)
        return k;
    // The following samples go right after the pasted codes, as many as fit.
    const std::size_t room = n - (start + k);
    const std::size_t moved = std::min(room, following.size());
    std::copy_n(following.begin(), moved, samples.begin() + start + k);
    std::fill(samples.begin() + start + k + moved, samples.begin() + n, int16_t{0});
    return k;
}

} // namespace docio32
