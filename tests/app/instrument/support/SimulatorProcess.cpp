#include "SimulatorProcess.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zw::test {

SimulatorProcess::SimulatorProcess(const std::string& directory, std::vector<std::string> options,
                                   int sessions, bool record)
    : recordPath_(directory + "/sim-record.txt"), wirePath_(directory + "/sim-wire.bin") {
    std::vector<std::string> args = {ZW_INSTSIM_PATH, "--port", "0", "--sessions",
                                     std::to_string(sessions)};
    std::remove(recordPath_.c_str()); // the wire file is appended to: start afresh
    std::remove(wirePath_.c_str());
    if (record) {
        args.insert(args.end(), {"--output", recordPath_, "--wire", wirePath_});
    } else {
        args.insert(args.end(), {"--output", "/dev/null"});
    }
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 2);
    const int spawned = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned != 0) {
        ::close(pipeFds[0]);
        throw std::runtime_error("cannot start the simulator");
    }
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (text.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
        pollfd p{pipeFds[0], POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0)
            continue;
        char buffer[256];
        const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        text.append(buffer, static_cast<size_t>(n));
    }
    ::close(pipeFds[0]);
    if (text.rfind("PORT ", 0) != 0)
        throw std::runtime_error("the simulator did not listen: " + text);
    port_ = std::stoi(text.substr(5));
}

SimulatorProcess::~SimulatorProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
}

std::string SimulatorProcess::WaitForRecord() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (pid_ > 0 && std::chrono::steady_clock::now() < deadline) {
        if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
            pid_ = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    std::ifstream in(recordPath_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<int> SimulatorProcess::Codes(const std::string& record) {
    const size_t at = record.rfind("CODES ");
    std::vector<int> codes;
    if (at == std::string::npos)
        return codes;
    std::istringstream line(record.substr(at + 6, record.find('\n', at) - at - 6));
    size_t count = 0;
    line >> count;
    int code = 0;
    while (line >> code)
        codes.push_back(code);
    return codes;
}

} // namespace zw::test
