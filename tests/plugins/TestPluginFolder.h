// A plug-in folder made for one test: copies of built plug-ins under the
// names a test needs (the host orders by name), any other file, and the
// whole folder removed at the end.
#ifndef ZW_TESTS_TESTPLUGINFOLDER_H
#define ZW_TESTS_TESTPLUGINFOLDER_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace zwtest {

inline std::string FixturePlugin(const std::string& kind) {
    return std::string(ZW_FIXTURE_PLUGIN_DIR) + "/fixture_" + kind + ".so";
}

class TestPluginFolder {
public:
    TestPluginFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zw-plugins-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~TestPluginFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TestPluginFolder(const TestPluginFolder&) = delete;
    TestPluginFolder& operator=(const TestPluginFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string folder() const { return path_.string() + "/"; }

    // A copy, so that every name is a library of its own for the loader.
    void add(const std::string& source, const std::string& name) const {
        std::filesystem::copy_file(source, path_ / name);
    }
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream file(path_ / name, std::ios::binary);
        file << bytes;
        return (path_ / name).string();
    }

private:
    std::filesystem::path path_;
};

} // namespace zwtest

#endif // ZW_TESTS_TESTPLUGINFOLDER_H
