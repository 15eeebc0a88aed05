// Speed of the upload path: converting 65536 samples, and a whole waveform
// transfer over loopback to the simulator (connect, convert, send in 512-byte
// pieces with a progress poll after each, select the waveform, wait for the
// simulator to confirm with *OPC?) beside a baseline that connects, writes
// the same upload message in one call and waits for the same confirmation.
#include "BusSettings.h"
#include "CommandStrings.h"
#include "FakeServices.h"
#include "SampleConversion.h"
#include "ScriptText.h"
#include "SimulatorProcess.h"
#include "WaveformTransfer.h"
#include "bus/BackendFactory.h"
#include "bus/LanSocketBackend.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <random>

using namespace zw;
using namespace zw::test;

namespace {

constexpr size_t kPoints = 65536;

std::vector<int16_t> Wave() {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> code(-32768, 32767);
    std::vector<int16_t> wave(kPoints);
    for (auto& s : wave)
        s = static_cast<int16_t>(code(random));
    return wave;
}

SimulatorProcess& Simulator() {
    static const std::string dir = [] {
        const std::string d = std::filesystem::temp_directory_path() / "zw-bench-instrument";
        std::filesystem::create_directories(d);
        return d;
    }();
    static SimulatorProcess sim(dir, {}, 1 << 30, false);
    return sim;
}

void BM_ConvertSamples(benchmark::State& state) {
    const std::vector<int16_t> wave = Wave();
    std::vector<uint8_t> bytes(kPoints * 2);
    FakeWindow window;
    for (auto _ : state) {
        ConvertSamples(wave, 4, false, bytes, [&](int position) {
            window.SetPosition(position);
            return window.ProcessEventsAndCheckAbort();
        });
        benchmark::DoNotOptimize(bytes.data());
        window.positions.clear();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kPoints));
}
BENCHMARK(BM_ConvertSamples);

void BM_TransferToSimulator(benchmark::State& state) {
    SimulatorProcess& sim = Simulator();
    MemorySettings settings;
    SetLanAddress(settings, "SIM-ARB", "127.0.0.1", sim.Port());
    RecordingMessages messages;
    FakeWindow window;
    bus::InterfaceLibrary bus(messages, bus::DefaultBackendFactory(messages));
    WaveformTransfer transfer(bus, settings, messages, window);
    const std::vector<int16_t> wave = Wave();
    TransferJob job;
    job.interfaceType = bus::kLanSocket;
    SetField(job.setting.ModelName, "SIM-ARB");
    job.setting.Address = 1;
    job.setting.MemoryNumber = 1;
    job.setting.MemorySize = kPoints;
    job.samples = wave;
    job.scripts.scripts[kWaveTransfer] =
        Script("arbmask = 0xFFFC\narbsend = DATA:DAC VOLATILE 0x2C _$Block");
    job.scripts.scripts[kGpibEnd] = Script("getsts = *OPC?\nerrmask = 0");
    for (auto _ : state) {
        if (transfer.TransferWaveform(job) != TransferOutcome::Done) {
            state.SkipWithError("transfer failed");
            break;
        }
        window.positions.clear();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kPoints * 2));
}
BENCHMARK(BM_TransferToSimulator)->Unit(benchmark::kMillisecond);

void BM_BaselineOneWrite(benchmark::State& state) {
    SimulatorProcess& sim = Simulator();
    const std::vector<int16_t> wave = Wave();
    std::vector<uint8_t> message;
    const std::string head = "DATA:DAC VOLATILE," + BlockHeader(kPoints * 2);
    message.insert(message.end(), head.begin(), head.end());
    std::vector<uint8_t> bytes(kPoints * 2);
    ConvertSamples(wave, 4, false, bytes, {});
    message.insert(message.end(), bytes.begin(), bytes.end());
    for (const char c : std::string("\n:FUNC USER1\n*OPC?"))
        message.push_back(static_cast<uint8_t>(c));
    const bus::BusConfig config =
        bus::BusConfig::Parse("LAN_HOST = 127.0.0.1, LAN_PORT = " + std::to_string(sim.Port()));
    for (auto _ : state) {
        bus::LanSocketBackend socket;
        std::string reply;
        if (socket.Init(config) != bus::kBusOk || socket.SendBinary(1, message) != bus::kBusOk ||
            socket.ReceiveStr(1, reply) != bus::kBusOk) {
            state.SkipWithError("baseline failed");
            break;
        }
        socket.End();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kPoints * 2));
}
BENCHMARK(BM_BaselineOneWrite)->Unit(benchmark::kMillisecond);

} // namespace
