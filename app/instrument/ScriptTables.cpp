#include "ScriptTables.h"

#include "TextUtil.h"

namespace zw {

ScriptTable ScriptTableFromBuffer(const char* buffer, int count) {
    ScriptTable table;
    if (!buffer || count <= 0 || count > kScriptEntries)
        return table;
    table.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const auto n = static_cast<size_t>(i);
        table.push_back(
            {std::string(FieldText(buffer + kScriptKeySize * n, kScriptKeySize)),
             std::string(FieldText(buffer + kScriptCommandOffset + kScriptCommandSize * n,
                                   kScriptCommandSize))});
    }
    return table;
}

ScriptTables LoadScriptTables(GetGpibInfoFunction getInfo, int model) {
    ScriptTables tables;
    if (!getInfo)
        return tables;
    for (int script = kGpibInit; script <= kWaveTransfer; ++script) {
        std::array<char, kScriptBufferSize> buffer{};
        const int count = getInfo(model, script, buffer.data());
        tables.scripts[static_cast<size_t>(script)] = ScriptTableFromBuffer(buffer.data(), count);
    }
    return tables;
}

} // namespace zw
