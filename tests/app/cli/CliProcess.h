// Runs the built zw4410-cli as a child process in a folder of its own, with
// its own settings store ($XDG_CONFIG_HOME), and collects its exit status,
// stdout and stderr.
#ifndef ZW_TESTS_CLIPROCESS_H
#define ZW_TESTS_CLIPROCESS_H

#include <string>
#include <sys/types.h>
#include <vector>

namespace zw::test {

struct CliResult {
    int exitCode = -1; // -1: ended by a signal
    std::string out;
    std::string err;
};

class CliFolder {
public:
    // A fresh folder under the test temp folder, named after `name`.
    explicit CliFolder(const std::string& name);

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    std::string settingsFile() const { return path_ + "/config/ZW4410/ZW4410.ini"; }

    // Runs the tool with the bundled models (--models) and waits for it.
    CliResult run(const std::vector<std::string>& args) const;
    // Starts it without waiting; finish() waits and collects.
    pid_t start(const std::vector<std::string>& args) const;
    CliResult finish(pid_t pid) const;

private:
    std::string path_;
};

std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
// The samples of a .wdb file (the bytes after its 326-byte setup block).
std::vector<int16_t> WdbSamples(const std::string& path);

} // namespace zw::test

#endif // ZW_TESTS_CLIPROCESS_H
