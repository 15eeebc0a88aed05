// Test helpers: a temporary folder of model files, loaded either straight
// through the parser or through the exported loader as the editor does.
#pragma once

#include "ModelDatabase.h"
#include "ModelDirectory.h"
#include "modspec32.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace modspec32::test {

class TempFolder {
public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "modspec32-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a temporary folder");
        }
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    void write(const std::string& name, std::string_view content) const {
        std::ofstream out(path_ / name, std::ios::binary);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
    }

private:
    std::filesystem::path path_;
};

struct Loaded {
    LoadOutcome outcome;
    std::vector<ModelEntry> models;
};

// Parses the files of a fresh folder holding `files` (name, content).
inline Loaded loadFiles(const std::vector<std::pair<std::string, std::string>>& files) {
    TempFolder folder;
    for (const auto& [name, content] : files) {
        folder.write(name, content);
    }
    Loaded loaded;
    loaded.outcome = loadModelFolder(folder.path(), loaded.models);
    return loaded;
}

inline Loaded loadText(const std::string& content) {
    return loadFiles({{"TEST.SYS", content}});
}

// Runs the exported loader in `folder` after forgetting any earlier load.
inline int32_t initIn(const std::filesystem::path& folder) {
    const std::filesystem::path previous = std::filesystem::current_path();
    modelDatabase().reset();
    std::filesystem::current_path(folder);
    const int32_t code = SysInitDeviceInfo();
    std::filesystem::current_path(previous);
    return code;
}

inline std::string errorFileName() {
    char name[SYS_FILENAME_BUFFER] = {};
    SysGetSysErrorFileName(name);
    return name;
}

} // namespace modspec32::test
