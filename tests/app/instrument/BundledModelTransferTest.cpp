// Transfers with the bundled model files, read by the model database, to the
// simulator answering as each model: the models' own scripts must produce
// one valid IEEE 488.2 upload message and the codes after their mask.
#include "BlockCheck.h"
#include "BusSettings.h"
#include "FakeServices.h"
#include "SampleConversion.h"
#include "SimulatorProcess.h"
#include "WaveformTransfer.h"
#include "bus/BackendFactory.h"
#include "modspec32.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <sstream>
#include <unistd.h>

using namespace zw;
using namespace zw::test;
namespace fs = std::filesystem;

namespace {

// The model database reads the model files of the current folder once per
// process; every test of this file runs in a process of its own.
int LoadedModel(const std::string& shortName) {
    static const bool loaded = [] {
        const fs::path dir =
            fs::path(::testing::TempDir()) / ("models-" + std::to_string(getpid()));
        fs::create_directories(dir);
        for (const auto& entry : fs::directory_iterator(ZW_MODELS_DIR))
            fs::copy_file(entry.path(), dir / entry.path().filename(),
                          fs::copy_options::overwrite_existing);
        const fs::path here = fs::current_path();
        fs::current_path(dir);
        const bool ok = SysInitDeviceInfo() == 0;
        fs::current_path(here);
        return ok;
    }();
    if (!loaded)
        return -1;
    for (int model = 0; model < SysGetDeviceCnt(); ++model) {
        char name[32] = {};
        SysGetDeviceName(model, name);
        if (shortName == name)
            return model;
    }
    return -1;
}

struct ModelCase {
    const char* name;
    int divisor;
    const char* byteOrder;
    const char* uploadHead; // the upload string up to the block
};

class BundledModelTransfer : public ::testing::TestWithParam<ModelCase> {};

} // namespace

TEST_P(BundledModelTransfer, WaveformArrivesAsOneBlockMessage) {
    const ModelCase c = GetParam();
    const int model = LoadedModel(c.name);
    ASSERT_GE(model, 0) << c.name;

    TransferJob job;
    job.interfaceType = bus::kLanSocket;
    SysGetDeviceInfo(model, &job.setting);
    SetField(job.setting.ModelName, c.name);
    SetField(job.setting.MemoryName, "WAVE1");
    job.setting.OutputState = ZW_OUTPUT_ON;
    job.scripts = LoadScriptTables(SysGetGPIBInfo, model);
    std::vector<int16_t> wave(static_cast<size_t>(job.setting.MemorySize));
    std::mt19937 random(5);
    for (auto& s : wave)
        s = static_cast<int16_t>(std::uniform_int_distribution<int>(-32767, 32767)(random));
    job.samples = wave;

    const std::string dir =
        ::testing::TempDir() + "/bundled-" + c.name + "-" + std::to_string(getpid());
    fs::create_directories(dir);
    SimulatorProcess sim(dir, {"--model", c.name});
    MemorySettings settings;
    SetLanAddress(settings, c.name, "127.0.0.1", sim.Port());
    RecordingMessages messages;
    FakeWindow window;
    bus::InterfaceLibrary bus(messages, bus::DefaultBackendFactory(messages));
    WaveformTransfer transfer(bus, settings, messages, window);
    bus.SetSetupTimeoutCode(12); // 3 s: a loaded test machine may answer slowly

    EXPECT_EQ(transfer.TransferWaveform(job), TransferOutcome::Done);
    const std::string record = sim.WaitForRecord();
    for (const Box& box : messages.boxes)
        ADD_FAILURE() << box.title << ": " << box.text;
    EXPECT_EQ(record.find("ERROR"), std::string::npos) << record;
    std::vector<int> expected;
    for (int16_t s : wave)
        expected.push_back(ScaleSample(s, c.divisor));
    EXPECT_EQ(SimulatorProcess::Codes(record), expected);

    const CheckedBlock python = CheckBlockWithPyvisa(sim.WirePath(), c.byteOrder);
    EXPECT_EQ(python.head, c.uploadHead);
    EXPECT_EQ(python.values, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Models, BundledModelTransfer,
    ::testing::Values(
        ModelCase{"ZWG-114", 4, "big",
                  ":TRAC:POIN 1024;:TRAC:BANK 0;:TRAC:STAR 0;:FORM:BORD NORM;"
                  ":TRAC:DATA:DAC VOLATILE,"},
        ModelCase{"ZWG-216", 1, "little",
                  ":INST:NSEL 1;:TRAC:POIN 1024;:TRAC:SEL 1;:TRAC:NAME WAVE1;:FORM:BORD SWAP;"
                  ":TRAC:DATA:DAC WAVE1,"},
        ModelCase{"ZWG-316U", 1, "big",
                  ":TRAC:DEL:ALL;:TRAC:POIN 16384;:FORM:BORD NORM;:TRAC:DATA:DAC VOLATILE,"}),
    [](const auto& info) {
        std::string name = info.param.name;
        name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
        return name;
    });
