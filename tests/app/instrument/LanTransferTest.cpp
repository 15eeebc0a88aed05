// Whole transfers over the LAN back-end to the instrument simulator on a
// loopback port: what arrives, how the checks fail, aborts, dropped
// connections and busy marks.
#include "BlockCheck.h"
#include "BusSettings.h"
#include "FakeServices.h"
#include "SampleConversion.h"
#include "ScriptText.h"
#include "SimulatorProcess.h"
#include "WaveformTransfer.h"
#include "bus/BackendFactory.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <sstream>

using namespace zw;
using namespace zw::test;

namespace {

const char* const kInit = "preset = *RST\n"
                          "getsts = *ESR?\n"
                          "errmask = 0x3C\n"
                          "geterr = SYST:ERR?\n"
                          "model = *IDN?,4,7,SIM-ARB\n";
const char* const kWave = "arbmask = 0xFFFC\n"
                          "arbfmt = FORM:BORD NORM\n"
                          "arbsend = DATA:DAC VOLATILE 0x2C _$Block\n";
const char* const kSystem = "freq = FREQ,0.000E+00\n"
                            "amp = VOLT,0.000\n"
                            "offset = VOLT:OFFS,0.000\n";
const char* const kEnd = "freq = FREQ,0.000E+00\n"
                         "amp = VOLT,0.000\n"
                         "offset = VOLT:OFFS,0.000\n"
                         "outon = OUTP ON\n"
                         "outoff = OUTP OFF\n"
                         "getsts = *ESR?\n"
                         "errmask = 0x3C\n";

std::vector<int16_t> RandomWave(size_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> code(-32768, 32767);
    std::vector<int16_t> wave(n);
    for (auto& s : wave)
        s = static_cast<int16_t>(code(random));
    wave[0] = -32768;
    wave[1] = 32767;
    wave[2] = 2; // a half that rounds to even
    return wave;
}

std::vector<int> Expected(const std::vector<int16_t>& wave, int divisor) {
    std::vector<int> codes;
    for (int16_t s : wave)
        codes.push_back(ScaleSample(s, divisor));
    return codes;
}

// One copy of the program: its settings, boxes, window, bus and transfer.
struct Instance {
    // Replies get 3 s rather than 300 ms, so that a loaded test machine
    // does not turn a slow reply into a failure.
    explicit Instance(InstrumentSettings& store) : settings(store) { bus.SetSetupTimeoutCode(12); }
    InstrumentSettings& settings;
    RecordingMessages messages;
    FakeWindow window;
    bus::InterfaceLibrary bus{messages, bus::DefaultBackendFactory(messages)};
    WaveformTransfer transfer{bus, settings, messages, window};
};

class LanTransfer : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = ::testing::TempDir() + "/lan-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        job.interfaceType = bus::kLanSocket;
        SetField(job.setting.ModelName, "SIM-ARB");
        SetField(job.setting.MemoryName, "WAVE1");
        job.setting.Address = 1;
        job.setting.MemoryNumber = 1;
        job.setting.Frequency = 1000;
        job.setting.Amplitude = 2;
        job.setting.Offset = 0.5;
        job.setting.OutputState = ZW_OUTPUT_ON;
        Scripts(kInit, kWave);
    }

    void Scripts(const std::string& init, const std::string& wave) {
        job.scripts.scripts[kGpibInit] = Script(init);
        job.scripts.scripts[kGpibEnd] = Script(kEnd);
        job.scripts.scripts[kSystemTransfer] = Script(kSystem);
        job.scripts.scripts[kWaveTransfer] = Script(wave);
    }

    void UseWave(std::vector<int16_t> wave) {
        wave_ = std::move(wave);
        job.samples = wave_;
        job.setting.MemorySize = static_cast<int32_t>(wave_.size());
    }

    SimulatorProcess& Start(std::vector<std::string> options = {}, int sessions = 1) {
        sim_ = std::make_unique<SimulatorProcess>(dir_, std::move(options), sessions);
        SetLanAddress(settings, "SIM-ARB", "127.0.0.1", sim_->Port());
        return *sim_;
    }

    std::string dir_;
    TransferJob job;
    std::vector<int16_t> wave_;
    MemorySettings settings;
    Instance app{settings};
    std::unique_ptr<SimulatorProcess> sim_;
};

} // namespace

TEST_F(LanTransfer, WaveformArrivesAsTheCodesAfterMaskDivision) {
    UseWave(RandomWave(4000, 1));
    SimulatorProcess& sim = Start();
    EXPECT_EQ(app.transfer.TransferWaveform(job), TransferOutcome::Done);
    const std::string record = sim.WaitForRecord();
    EXPECT_TRUE(app.messages.boxes.empty()) << app.messages.boxes[0].text;
    EXPECT_EQ(SimulatorProcess::Codes(record), Expected(wave_, 4));
    EXPECT_NE(record.find("WAVE DATA:DAC VOLATILE 8000 bytes"), std::string::npos);
    // Settings before the data, the user waveform and end settings after it.
    const size_t reset = record.find("SETTING *RST");
    const size_t data = record.find("WAVE DATA:DAC");
    const size_t func = record.find("SETTING FUNC USER1");
    const size_t freq = record.find("SETTING FREQ 1.000E+03");
    const size_t out = record.find("SETTING OUTP ON");
    EXPECT_LT(reset, data);
    EXPECT_LT(data, func);
    EXPECT_LT(func, freq);
    EXPECT_LT(freq, out);
    EXPECT_NE(record.find("SETTING VOLT 2.000 VPP"), std::string::npos);
    EXPECT_EQ(record.find("ERROR"), std::string::npos) << record;
    EXPECT_TRUE(settings.busy.empty());
    EXPECT_TRUE(app.window.dialogEnabled);
    EXPECT_FALSE(app.window.shown);
    EXPECT_EQ(app.window.phases, (std::vector<std::string>{"Data convert", "Send data"}));
    EXPECT_EQ(app.window.positions.back(), 1000);

    // An independent IEEE 488.2 block parser agrees on the bytes on the wire.
    const CheckedBlock python = CheckBlockWithPyvisa(sim.WirePath(), "big");
    EXPECT_EQ(python.head, "FORM:BORD NORM;DATA:DAC VOLATILE,");
    EXPECT_EQ(python.values, Expected(wave_, 4));
}

TEST_F(LanTransfer, SwappedByteOrderArrivesLowByteFirst) {
    Scripts(kInit, "arbmask = 65535\n"
                   "arbbswap = TRUE\n"
                   "arbfmt = FORM:BORD SWAP\n"
                   "arbsend = DATA:DAC VOLATILE 0x2C _$Block\n");
    UseWave(RandomWave(1500, 2));
    SimulatorProcess& sim = Start();
    EXPECT_EQ(app.transfer.TransferWaveform(job), TransferOutcome::Done);
    EXPECT_EQ(SimulatorProcess::Codes(sim.WaitForRecord()), Expected(wave_, 1));
    EXPECT_EQ(CheckBlockWithPyvisa(sim.WirePath(), "little").values, Expected(wave_, 1));
}

TEST_F(LanTransfer, FullMemoryOfOnePieceAndOfOneSample) {
    for (size_t points : {size_t{1}, size_t{257}}) {
        UseWave(RandomWave(std::max<size_t>(points, 3), 3));
        job.setting.MemorySize = static_cast<int32_t>(points);
        SimulatorProcess& sim = Start();
        EXPECT_EQ(app.transfer.TransferWaveform(job), TransferOutcome::Done);
        const std::vector<int> expected = Expected(wave_, 4);
        EXPECT_EQ(SimulatorProcess::Codes(sim.WaitForRecord()),
                  std::vector<int>(expected.begin(), expected.begin() + points));
    }
}

TEST_F(LanTransfer, StatusErrorShowsTheInstrumentsErrorText) {
    UseWave(RandomWave(100, 4));
    SimulatorProcess& sim = Start({"--status", "16"});
    EXPECT_EQ(app.transfer.TransferWaveform(job), TransferOutcome::Failed);
    const std::string record = sim.WaitForRecord();
    EXPECT_EQ(app.messages.Texts("Error Message"),
              (std::vector<std::string>{
                  "Interface command error. Check Model.\r-222,\"Data out of range\""}));
    EXPECT_EQ(record.find("WAVE"), std::string::npos);
    EXPECT_TRUE(settings.busy.empty());
    EXPECT_TRUE(app.window.dialogEnabled);
}

TEST_F(LanTransfer, StatusErrorWithoutErrorQueryShowsTheCommandError) {
    Scripts("preset = *RST\ngetsts = *ESR?\nerrmask = 0x3C\n", kWave);
    UseWave(RandomWave(100, 5));
    SimulatorProcess& sim = Start({"--status", "32"});
    EXPECT_EQ(app.transfer.TransferWaveform(job), TransferOutcome::Failed);
    sim.WaitForRecord();
    EXPECT_EQ(app.messages.Texts("Error Message"),
              (std::vector<std::string>{"Interface command error. Check Model.\r"}));
}

TEST_F(LanTransfer, StatusBitsOutsideTheMaskAreNoError) {
    UseWave(RandomWave(100, 6));
    SimulatorProcess& sim = Start({"--status", "1"}); // operation complete only
    EXPECT_EQ(app.transfer.TransferWaveform(job), TransferOutcome::Done);
    EXPECT_EQ(SimulatorProcess::Codes(sim.WaitForRecord()), Expected(wave_, 4));
}

TEST_F(LanTransfer, IdentityMismatchStopsBeforeTheUpload) {
    settings.debug = true;
    UseWave(RandomWave(100, 7));
    SimulatorProcess& sim = Start({"--idn", "ZW,OTHER-9,0,1.00"});
    EXPECT_EQ(app.transfer.TransferWaveform(job), TransferOutcome::Failed);
    const std::string record = sim.WaitForRecord();
    EXPECT_EQ(record.find("WAVE"), std::string::npos);
    EXPECT_EQ(app.messages.Texts("Error Message"),
              (std::vector<std::string>{"Interface command error. Check Model.\r"}));
    EXPECT_EQ(
        app.messages.Texts("ModelCheck"),
        (std::vector<std::string>{"System Setting Model:SIM-ARB\rReturn ID:'ZW,OTHER-9,0,1.00'"}));
    EXPECT_EQ(app.messages.Texts("GpibPuts"), (std::vector<std::string>{"'*RST'"}));
}

TEST_F(LanTransfer, IdentityIsComparedWithoutCase) {
    UseWave(RandomWave(100, 8));
    SimulatorProcess& sim = Start({"--idn", "zw,sim-arb,0,1.00"});
    EXPECT_EQ(app.transfer.TransferWaveform(job), TransferOutcome::Done);
    sim.WaitForRecord();
}

TEST_F(LanTransfer, AbortDuringConversionSendsNothing) {
    UseWave(RandomWave(5000, 9));
    app.window.abortAtPoll = 3;
    SimulatorProcess& sim = Start();
    EXPECT_EQ(app.transfer.TransferWaveform(job), TransferOutcome::Aborted);
    const std::string record = sim.WaitForRecord();
    EXPECT_EQ(record, "SESSION BEGIN\nSESSION END\n");
    EXPECT_TRUE(app.messages.boxes.empty());
    EXPECT_TRUE(settings.busy.empty());
    EXPECT_FALSE(app.window.shown);
    EXPECT_TRUE(app.window.dialogEnabled);
}

TEST_F(LanTransfer, AnEditDuringTheTransferLeavesTheSentCodesUnchanged) {
    UseWave(RandomWave(5000, 5));
    const std::vector<int16_t> atStart = wave_;
    // The window events processed while converting run an edit of the
    // document: every sample of the waveform the job was made from changes.
    app.window.onPoll = [this](FakeWindow&) { std::fill(wave_.begin(), wave_.end(), int16_t{7}); };
    SimulatorProcess& sim = Start();
    EXPECT_EQ(app.transfer.TransferWaveform(job), TransferOutcome::Done);
    const std::string record = sim.WaitForRecord();
    ASSERT_GT(app.window.polls, 1);
    EXPECT_EQ(wave_.front(), 7);
    EXPECT_EQ(SimulatorProcess::Codes(record), Expected(atStart, 4));
}

TEST_F(LanTransfer, AbortWhileSendingEndsQuietly) {
    UseWave(RandomWave(5000, 10));
    SimulatorProcess& sim = Start();
    app.window.onPoll = [](FakeWindow& w) {
        if (w.phases.back() == "Send data" && w.abortAtPoll < 0)
            w.abortAtPoll = w.polls + 3;
    };
    EXPECT_EQ(app.transfer.TransferWaveform(job), TransferOutcome::Aborted);
    const std::string record = sim.WaitForRecord();
    EXPECT_EQ(record.find("CODES"), std::string::npos);
    EXPECT_EQ(record.find("FUNC"), std::string::npos);
    EXPECT_TRUE(app.messages.boxes.empty());
    EXPECT_TRUE(settings.busy.empty());
}

TEST_F(LanTransfer, DroppedConnectionEndsWithTheBusMessageAndClearsTheMark) {
    UseWave(RandomWave(65536, 11));
    SimulatorProcess& sim = Start({"--drop-after", "1000"});
    EXPECT_EQ(app.transfer.TransferWaveform(job), TransferOutcome::Failed);
    EXPECT_NE(sim.WaitForRecord().find("DROPPED"), std::string::npos);
    const auto boxes = app.messages.Texts("Interface Error");
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes[0].rfind("Interface error\rModule IntfcLib : Function ", 0), 0u) << boxes[0];
    EXPECT_TRUE(settings.busy.empty());
    EXPECT_TRUE(app.window.dialogEnabled);
    EXPECT_FALSE(app.bus.Initialised());
}

TEST_F(LanTransfer, SlowInstrumentGivesTheTimeoutMessage) {
    UseWave(RandomWave(100, 12));
    app.bus.SetSetupTimeoutCode(10); // 300 ms, as the program sets up the bus
    SimulatorProcess& sim = Start({"--delay-ms", "700"});
    EXPECT_EQ(app.transfer.TransferWaveform(job), TransferOutcome::Failed);
    sim.WaitForRecord();
    const auto boxes = app.messages.Texts("Interface Error");
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes[0],
              "I/O operation aborted(timeout)\rModule IntfcLib : Function Gets\rAddress 1");
    EXPECT_TRUE(settings.busy.empty());
}

TEST_F(LanTransfer, NoInstrumentListeningGivesTheBusMessage) {
    UseWave(RandomWave(100, 13));
    int port = 0;
    {
        SimulatorProcess& sim = Start({}, 0); // serves no connection and exits
        sim.WaitForRecord();
        port = sim.Port();
    }
    EXPECT_EQ(app.transfer.TransferWaveform(job), TransferOutcome::Failed);
    EXPECT_EQ(app.messages.Texts("Interface Error"),
              (std::vector<std::string>{"Interface error\rModule IntfcLib : Function Setup\r"
                                        "Cannot connect to 127.0.0.1:" +
                                        std::to_string(port) + "."}));
    EXPECT_TRUE(settings.busy.empty());
}

TEST_F(LanTransfer, BusyInterfaceIsRefusedAndNothingChanges) {
    UseWave(RandomWave(100, 14));
    settings.busy.insert(bus::kLanSocket);
    Start();
    EXPECT_EQ(app.transfer.TransferWaveform(job), TransferOutcome::Busy);
    EXPECT_EQ(app.messages.Texts("Error Message"), (std::vector<std::string>{"Interface Busy!\r"}));
    EXPECT_EQ(settings.busy, std::set<int>{bus::kLanSocket});
    EXPECT_FALSE(app.bus.Initialised());
    EXPECT_TRUE(app.window.dialogEnabled);
    EXPECT_TRUE(app.window.phases.empty());
}

TEST_F(LanTransfer, MaskWithoutDivisorIsACommandErrorAndSendsNothing) {
    Scripts(kInit, "arbsend = DATA:DAC VOLATILE 0x2C _$Block\n"); // no arbmask
    UseWave(RandomWave(100, 16));
    SimulatorProcess& sim = Start();
    EXPECT_EQ(app.transfer.TransferWaveform(job), TransferOutcome::Failed);
    EXPECT_EQ(sim.WaitForRecord(), "SESSION BEGIN\nSESSION END\n");
    EXPECT_EQ(app.messages.Texts("Error Message"),
              (std::vector<std::string>{"Interface command error. Check Model.\rarbmask"}));
    EXPECT_TRUE(settings.busy.empty());
}

TEST_F(LanTransfer, SettingTransferSendsTheThreeSettingStrings) {
    settings.debug = true;
    UseWave({});
    SimulatorProcess& sim = Start();
    EXPECT_EQ(app.transfer.TransferSetting(job), TransferOutcome::Done);
    const std::string record = sim.WaitForRecord();
    EXPECT_EQ(record.find("WAVE"), std::string::npos);
    EXPECT_EQ(
        app.messages.Texts("GpibPuts"),
        (std::vector<std::string>{"'*RST'", "'FREQ 1.000E+03;VOLT 2.000 VPP;VOLT:OFFS 0.500'",
                                  "'FREQ 1.000E+03;VOLT 2.000 VPP;VOLT:OFFS 0.500;OUTP ON'"}));
    EXPECT_NE(record.find("QUERY *IDN?"), std::string::npos);
    EXPECT_NE(record.find("SETTING OUTP ON"), std::string::npos);
    EXPECT_TRUE(settings.busy.empty());
}

TEST_F(LanTransfer, DebugModeShowsTheUploadString) {
    settings.debug = true;
    UseWave(RandomWave(10, 17));
    SimulatorProcess& sim = Start();
    EXPECT_EQ(app.transfer.TransferWaveform(job), TransferOutcome::Done);
    sim.WaitForRecord();
    EXPECT_EQ(app.messages.Texts("GpPuts"),
              (std::vector<std::string>{"'FORM:BORD NORM;DATA:DAC VOLATILE,#220'"}));
    const auto puts = app.messages.Texts("GpibPuts");
    ASSERT_EQ(puts.size(), 3u);
    EXPECT_EQ(puts[1], "':FUNC USER1'");
}

TEST_F(LanTransfer, LoopTestRepeatsUntilTheSecondRequest) {
    UseWave(RandomWave(300, 18));
    SimulatorProcess& sim = Start({}, 3);
    auto next = [this] { return job; };
    app.window.onPoll = [&](FakeWindow& w) {
        // Asked during the third transfer: that one still completes.
        if (!w.loopCounts.empty() && w.loopCounts.back() == 2 && w.phases.back() == "Send data" &&
            app.messages.Texts("LoopTest").empty())
            app.transfer.PressWaveformButton(next);
    };
    settings.loop = true;
    app.transfer.PressWaveformButton(next);
    EXPECT_FALSE(app.transfer.LoopRunning());
    EXPECT_EQ(app.transfer.LoopCount(), 3);
    EXPECT_EQ(app.messages.Texts("LoopTest"),
              (std::vector<std::string>{"次の転送完了後テストを終了します"}));
    sim.WaitForRecord();
    EXPECT_FALSE(app.window.shown);
}
