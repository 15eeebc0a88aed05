#include "CliProcess.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zw::test {

namespace fs = std::filesystem;

CliFolder::CliFolder(const std::string& name)
    : path_(::testing::TempDir() + "/cli-" + name + "-" + std::to_string(::getpid())) {
    fs::remove_all(path_);
    fs::create_directories(path_);
}

pid_t CliFolder::start(const std::vector<std::string>& args) const {
    std::vector<std::string> all = {ZW_CLI_PATH, "--models", ZW_MODELS_DIR};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    std::vector<std::string> env = {"XDG_CONFIG_HOME=" + path_ + "/config", "LANG=C.UTF-8"};
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "XDG_CONFIG_HOME=", 16) != 0 && std::strncmp(*e, "LANG=", 5) != 0)
            env.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, path_.c_str());
    posix_spawn_file_actions_addopen(&actions, 1, (path_ + "/.stdout").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, (path_ + "/.stderr").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(spawned, 0) << std::strerror(spawned);
    return pid;
}

CliResult CliFolder::finish(pid_t pid) const {
    CliResult result;
    int status = 0;
    if (::waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    result.out = ReadFile(path_ + "/.stdout");
    result.err = ReadFile(path_ + "/.stderr");
    return result;
}

CliResult CliFolder::run(const std::vector<std::string>& args) const {
    return finish(start(args));
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool FileExists(const std::string& path) {
    return fs::exists(path);
}

std::vector<int16_t> WdbSamples(const std::string& path) {
    const std::string bytes = ReadFile(path);
    std::vector<int16_t> samples;
    for (size_t at = 326; at + 1 < bytes.size(); at += 2)
        samples.push_back(static_cast<int16_t>(static_cast<uint8_t>(bytes[at]) |
                                               (static_cast<uint8_t>(bytes[at + 1]) << 8)));
    return samples;
}

} // namespace zw::test
