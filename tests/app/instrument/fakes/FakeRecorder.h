// Shared part of the fake bus libraries the tests build: each fake records
// the calls it gets as text lines and takes its answers from keys the test
// sets. Every fake is its own shared library, so each has its own record.
#ifndef ZW_TESTS_FAKE_RECORDER_H
#define ZW_TESTS_FAKE_RECORDER_H

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

namespace fake {

inline std::string& Log() {
    static std::string log;
    return log;
}

inline std::map<std::string, std::string>& Config() {
    static std::map<std::string, std::string> config;
    return config;
}

inline std::string Get(const std::string& key, const std::string& fallback = "") {
    auto it = Config().find(key);
    return it == Config().end() ? fallback : it->second;
}

inline int GetInt(const std::string& key, int fallback = 0) {
    auto it = Config().find(key);
    return it == Config().end() ? fallback : std::stoi(it->second);
}

// Bytes as text, control and high characters as <xx>.
inline std::string Escaped(const void* data, long size) {
    std::string out;
    const auto* p = static_cast<const unsigned char*>(data);
    for (long i = 0; i < size; ++i) {
        if (p[i] >= 0x20 && p[i] < 0x7f) {
            out += static_cast<char>(p[i]);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "<%02X>", p[i]);
            out += hex;
        }
    }
    return out;
}

inline void Note(const std::string& line) {
    Log() += line + "\n";
}

} // namespace fake

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

// Every fake exports these three for the tests.
#define FAKE_CONTROL_FUNCTIONS                                                                     \
    FAKE_EXPORT const char* fake_log() {                                                           \
        return fake::Log().c_str();                                                                \
    }                                                                                              \
    FAKE_EXPORT void fake_reset() {                                                                \
        fake::Log().clear();                                                                       \
        fake::Config().clear();                                                                    \
    }                                                                                              \
    FAKE_EXPORT void fake_set(const char* key, const char* value) {                                \
        fake::Config()[key] = value;                                                               \
    }

#endif // ZW_TESTS_FAKE_RECORDER_H
