// The text wave file's reading side on an open stream, apart from the export
// so that it can be driven from memory (fuzzing) as well as from a file.
#ifndef DOCIO32_WAVE_TEXT_H
#define DOCIO32_WAVE_TEXT_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

namespace docio32 {

// Pieces of a line longer than this give further samples.
inline constexpr std::size_t kWaveTextPieceLength = 127;

// The codes of the first `maxLines` lines of the stream; nullopt when a read
// error occurs.
std::optional<std::vector<int16_t>> readWaveText(std::FILE* file, std::size_t maxLines);

} // namespace docio32

#endif
