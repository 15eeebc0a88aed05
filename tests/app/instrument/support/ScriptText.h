// Builds script tables the way the model database hands them over, from
// "key = command" lines, so tests can describe a model's scripts in text.
#ifndef ZW_TESTS_SCRIPT_TEXT_H
#define ZW_TESTS_SCRIPT_TEXT_H

#include "ScriptTables.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <sstream>
#include <string>

namespace zw::test {

// Each line "key = command"; the key and the command (quoted as the model
// database stores it) are cut to their field sizes like the real buffer.
inline ScriptTable Script(const std::string& lines) {
    std::array<char, kScriptBufferSize> buffer{};
    std::istringstream in(lines);
    std::string line;
    int count = 0;
    while (std::getline(in, line) && count < kScriptEntries) {
        const size_t eq = line.find(" = ");
        if (eq == std::string::npos)
            continue;
        std::string key = line.substr(0, eq);
        key.erase(0, key.find_first_not_of(" \t"));
        std::string command = line.substr(eq + 3);
        if (command.empty() || command.front() != '"')
            command = "\"" + command;
        command += "\"";
        const auto n = static_cast<size_t>(count);
        std::memcpy(buffer.data() + kScriptKeySize * n, key.data(),
                    std::min(key.size(), kScriptKeySize));
        std::memcpy(buffer.data() + kScriptCommandOffset + kScriptCommandSize * n, command.data(),
                    std::min(command.size(), kScriptCommandSize));
        ++count;
    }
    return ScriptTableFromBuffer(buffer.data(), count);
}

} // namespace zw::test

#endif // ZW_TESTS_SCRIPT_TEXT_H
