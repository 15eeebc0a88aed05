// Shared helpers of the docio32 tests: a scratch folder, whole-file reads and
// writes, and wave memories filled from a list of codes.
#ifndef ZW_TESTS_DOCIO_TEST_SUPPORT_H
#define ZW_TESTS_DOCIO_TEST_SUPPORT_H

#include "zwplatform.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace zwtest {

// A fresh folder under the system's temporary folder, removed with all it
// holds when the test ends.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "docio32-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    // Names of everything in the folder, to catch left-over temporary files.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(path_))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path path_;
};

inline std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeWholeFile(const std::string& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
}

// A wave memory owned by the test.
class WaveMemory {
public:
    explicit WaveMemory(std::size_t samples) : handle_(ZwGlobalAlloc(2 * samples)) {}
    explicit WaveMemory(std::initializer_list<int16_t> codes) : WaveMemory(codes.size()) {
        set(std::vector<int16_t>(codes));
    }
    ~WaveMemory() { ZwGlobalFree(handle_); }
    WaveMemory(const WaveMemory&) = delete;
    WaveMemory& operator=(const WaveMemory&) = delete;

    ZwMemHandle handle() const { return handle_; }
    std::vector<int16_t> codes() const {
        const zw::LockedBlock<int16_t> block(handle_);
        return {block.data(), block.data() + block.size()};
    }
    void set(const std::vector<int16_t>& codes) {
        const zw::LockedBlock<int16_t> block(handle_);
        std::copy_n(codes.begin(), std::min(codes.size(), block.size()), block.data());
    }
    void fill(int16_t code) {
        const zw::LockedBlock<int16_t> block(handle_);
        std::fill_n(block.data(), block.size(), code);
    }

private:
    ZwMemHandle handle_;
};

// A handle that was valid once and has been freed.
inline ZwMemHandle freedHandle() {
    const ZwMemHandle h = ZwGlobalAlloc(16);
    ZwGlobalFree(h);
    return h;
}

// Codes 0, 1, 2, ... as a vector, for memories whose every sample must be told apart.
inline std::vector<int16_t> ramp(std::size_t count, int first = 0) {
    std::vector<int16_t> codes(count);
    for (std::size_t i = 0; i < count; ++i)
        codes[i] = static_cast<int16_t>(first + static_cast<int>(i));
    return codes;
}

} // namespace zwtest

#endif
