// The program opens the wave file named on its command line under the bytes
// the system gave, also when they are not UTF-8. A file that failed to open
// would stop the start at its error box, so a start that ends by itself
// (--exit-when-shown) has opened it.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Runs the program on `file` in `home`; its exit code, or -1 when it did not
// end within the time (it is killed then).
int startWith(const std::string& file, const std::string& home) {
    const std::filesystem::path program(ZW_PROGRAM);
    std::vector<std::string> env = {"HOME=" + home, "XDG_CONFIG_HOME=" + home + "/.config",
                                    "QT_QPA_PLATFORM=offscreen", "LANG=C.UTF-8",
                                    // Under the sanitizers: this is about opening, not
                                    // about the caches the font library never frees.
                                    "ASAN_OPTIONS=detect_leaks=0"};
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string programPath = program.string();
    std::string exitWhenShown = "--exit-when-shown";
    std::string lang = "--lang=en";
    std::string fileArgument = file;
    char* argv[] = {programPath.data(), lang.data(), exitWhenShown.data(), fileArgument.data(),
                    nullptr};
    // The model files are read from the current folder: the program's.
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(program.parent_path());
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv[0], nullptr, nullptr, argv, envp.data());
    std::filesystem::current_path(previous);
    if (spawned != 0)
        return -2;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return -1;
}

} // namespace

TEST(CommandLineFile, ANameThatIsNotUtf8OpensFromTheCommandLine) {
    std::string pattern = (std::filesystem::temp_directory_path() / "zwcmd-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const std::string dir = pattern;
    // "波形.txt" as Windows names it (CP932), and "café.txt" in Latin-1.
    for (const std::string& name :
         {std::string("\x94\x67\x8c\x60.txt"), std::string("caf\xe9.txt")}) {
        const std::string file = dir + "/" + name;
        FILE* f = std::fopen(file.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("100\r\n-100\r\n", f);
        std::fclose(f);
        EXPECT_EQ(startWith(file, dir), 0) << "the start stopped at an error box";
    }
    std::filesystem::remove_all(dir);
}
