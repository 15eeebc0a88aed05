// Runs zw4410-instsim as a child process on an ephemeral loopback port for
// one test, and reads back what it recorded.
#ifndef ZW_TESTS_SIMULATOR_PROCESS_H
#define ZW_TESTS_SIMULATOR_PROCESS_H

#include <string>
#include <sys/types.h>
#include <vector>

namespace zw::test {

class SimulatorProcess {
public:
    // Starts the simulator with the extra options; it serves `sessions`
    // connections and then exits. Throws when it does not start listening.
    // Without `record` it writes nothing (for benchmarks).
    SimulatorProcess(const std::string& directory, std::vector<std::string> options,
                     int sessions = 1, bool record = true);
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    int Port() const { return port_; }
    // Waits (bounded) for the simulator to end and returns what it recorded.
    std::string WaitForRecord();
    const std::string& WirePath() const { return wirePath_; }
    const std::string& RecordPath() const { return recordPath_; }

    // The codes of the last "CODES" line of a record.
    static std::vector<int> Codes(const std::string& record);

private:
    pid_t pid_ = -1;
    int port_ = 0;
    std::string recordPath_;
    std::string wirePath_;
};

} // namespace zw::test

#endif // ZW_TESTS_SIMULATOR_PROCESS_H
