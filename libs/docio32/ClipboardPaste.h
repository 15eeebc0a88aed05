// Pasting numbers over a stretch of a waveform while its used length stays
// the same: the samples after the stretch move up or down to follow the
// pasted codes.
#ifndef DOCIO32_CLIPBOARD_PASTE_H
#define DOCIO32_CLIPBOARD_PASTE_H

#include "ClipboardTokenizer.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace docio32 {

// Replaces the stretch start .. start + length - 1 of the first `usedLength`
// samples of `samples` by the codes of `tokens` and returns how many codes
// were written. Needs usedLength <= samples.size(); a stretch reaching past
// the used length is cut there, codes that would land beyond it are ignored.
// When fewer codes than the stretch's length arrive, the following samples
// move down and the freed end of the used length becomes 0; when more
// arrive, they move up and those pushed past the used length are lost.
std::size_t pasteCodes(std::span<int16_t> samples, std::size_t start, std::size_t length,
                       std::size_t usedLength, ClipboardTokenizer& tokens);

} // namespace docio32

#endif
