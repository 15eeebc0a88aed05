// The four command scripts of the selected model as the model database hands
// them over: per script up to 50 keys of 8 bytes and commands of 64 bytes.
#ifndef ZW_SCRIPT_TABLES_H
#define ZW_SCRIPT_TABLES_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zw {

enum ScriptIndex : int { kGpibInit = 0, kGpibEnd = 1, kSystemTransfer = 2, kWaveTransfer = 3 };

inline constexpr int kScriptEntries = 50;
inline constexpr size_t kScriptKeySize = 8;
inline constexpr size_t kScriptCommandSize = 64;
inline constexpr size_t kScriptCommandOffset = kScriptKeySize * kScriptEntries; // 400
inline constexpr size_t kScriptBufferSize =
    kScriptCommandOffset + kScriptCommandSize * kScriptEntries;

// One entry as stored: the key and the command, each up to its field size
// and cut at a NUL.
struct ScriptEntry {
    std::string key;
    std::string command;
};
using ScriptTable = std::vector<ScriptEntry>;

struct ScriptTables {
    std::array<ScriptTable, 4> scripts;
};

// Reads `count` entries out of a 3600-byte script buffer; a count outside
// 0 .. 50 reads nothing (the model database returns -1 for a bad script).
ScriptTable ScriptTableFromBuffer(const char* buffer, int count);

// The model database's script export: fills the buffer, returns the count.
using GetGpibInfoFunction = int32_t (*)(int32_t model, int32_t script, char* buffer);

// Fetches all four scripts of `model`.
ScriptTables LoadScriptTables(GetGpibInfoFunction getInfo, int model);

} // namespace zw

#endif // ZW_SCRIPT_TABLES_H
