// `send`: the waveform transfer over the LAN(Socket) interface to the
// instrument simulator — delivered codes, a dropped connection, Ctrl-C.
#include "CliProcess.h"
#include "SimulatorProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

using namespace zw::test;

namespace {

// A ZWG-216 setup on the LAN interface and a ramp to send.
struct Bench {
    explicit Bench(const std::string& name, int memorySize = 4096) : folder(name) {
        EXPECT_EQ(
            folder
                .run({"setup", "--model", "ZWG-216", "--interface", "lan", "--memory-size",
                      std::to_string(memorySize), "--output", "on", "-o", folder.file("lan.ocb")})
                .exitCode,
            0);
        EXPECT_EQ(folder
                      .run({"eval", "8*x-16000", "--setup", folder.file("lan.ocb"), "-o",
                            folder.file("ramp.wdb")})
                      .exitCode,
                  0);
        const std::vector<int16_t> samples = WdbSamples(folder.file("ramp.wdb"));
        ramp.assign(samples.begin(), samples.begin() + memorySize);
    }
    std::vector<std::string> send(int port) const {
        return {"send",    folder.file("ramp.wdb"), "--port", std::to_string(port),
                "--quiet", "--timeout-ms",          "3000"};
    }
    bool busyMarkSet() const {
        const std::string ini = ReadFile(folder.settingsFile());
        return ini.find("[7GPIB]\nBusy=True") != std::string::npos;
    }

    CliFolder folder;
    std::vector<int> ramp;
};

} // namespace

TEST(CliSend, LanDeliversTheCodes) {
    const Bench bench("send-lan");
    SimulatorProcess sim(bench.folder.path(), {"--model", "ZWG-216"});
    const CliResult r = bench.folder.run(bench.send(sim.Port()));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_TRUE(r.err.empty()) << r.err; // no terminal: no progress line
    const std::string record = sim.WaitForRecord();
    EXPECT_EQ(SimulatorProcess::Codes(record), bench.ramp);
    EXPECT_NE(record.find("OUTP ON"), std::string::npos) << record;
    EXPECT_FALSE(bench.busyMarkSet());
}

TEST(CliSend, SettingsOnlySendsNoWaveform) {
    const Bench bench("send-settings");
    SimulatorProcess sim(bench.folder.path(), {"--model", "ZWG-216"});
    std::vector<std::string> args = bench.send(sim.Port());
    args.insert(args.end(), {"--settings-only", "--frequency", "2k"});
    const CliResult r = bench.folder.run(args);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string record = sim.WaitForRecord();
    EXPECT_EQ(record.find("CODES"), std::string::npos) << record;
    EXPECT_NE(record.find("FREQ 2.000000E+03"), std::string::npos) << record;
}

TEST(CliSend, DroppedConnectionFailsWithTheBusMessageAndNoBusyMark) {
    const Bench bench("send-drop");
    SimulatorProcess sim(bench.folder.path(), {"--model", "ZWG-216", "--drop-after", "100"});
    const CliResult r = bench.folder.run(bench.send(sim.Port()));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Interface"), std::string::npos) << r.err;
    EXPECT_FALSE(bench.busyMarkSet()) << ReadFile(bench.folder.settingsFile());
}

TEST(CliSend, InterruptAbortsThenTheNextSendWorks) {
    const Bench bench("send-interrupt", 65536);
    SimulatorProcess sim(bench.folder.path(), {"--model", "ZWG-216", "--delay-ms", "300"}, 2);
    const pid_t pid = bench.folder.start(bench.send(sim.Port()));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ::kill(pid, SIGINT);
    const CliResult aborted = bench.folder.finish(pid);
    EXPECT_EQ(aborted.exitCode, 130) << aborted.err;
    EXPECT_FALSE(bench.busyMarkSet()) << ReadFile(bench.folder.settingsFile());

    const CliResult next = bench.folder.run(bench.send(sim.Port()));
    ASSERT_EQ(next.exitCode, 0) << next.err;
    const std::string record = sim.WaitForRecord();
    EXPECT_EQ(SimulatorProcess::Codes(record), bench.ramp);
    // The aborted session sent no complete waveform.
    EXPECT_EQ(record.find("WAVE"), record.rfind("WAVE")) << record;
}

TEST(CliSend, RefusedOptionsAndMissingFiles) {
    const Bench bench("send-usage");
    CliResult r = bench.folder.run({"send", bench.folder.file("ramp.wdb"), "--amplitude", "99"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("--amplitude 99"), std::string::npos) << r.err;
    r = bench.folder.run({"send", bench.folder.file("absent.wdb")});
    EXPECT_EQ(r.exitCode, 1);
    r = bench.folder.run({"send", bench.folder.file("ramp.wdb"), "--port", "70000"});
    EXPECT_EQ(r.exitCode, 2);
}
