// Feeds arbitrary bytes to the model database as a model file, then runs
// every query and change over whatever models it produced.
#include "ModelDatabase.h"
#include "modspec32.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// A fresh folder per input, removed again at once: libFuzzer may end the
// process without running exit handlers.
class FuzzFolder {
public:
    FuzzFolder() {
        std::string pattern = (fs::temp_directory_path() / "fuzz-modspec32-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        path_ = pattern;
    }
    ~FuzzFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    FuzzFolder(const FuzzFolder&) = delete;
    FuzzFolder& operator=(const FuzzFolder&) = delete;

    // Writes the bytes as the folder's only model file and loads the folder
    // as the editor does at start-up; the database is forgotten first
    // because only the first load of a process reads files.
    int32_t load(const uint8_t* data, size_t size) const {
        {
            std::ofstream out(path_ / "FUZZ.SYS", std::ios::binary);
            out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        }
        const fs::path previous = fs::current_path();
        modspec32::modelDatabase().reset();
        fs::current_path(path_);
        const int32_t code = SysInitDeviceInfo();
        fs::current_path(previous);
        return code;
    }

private:
    fs::path path_;
};

void exerciseChannel(int32_t model, int32_t channel, DeviceInfo& info) {
    char name[SYS_NAME_BUFFER];
    char warning[SYS_WARNING_BUFFER];
    SysGetChannelName(model, channel, name);
    SysChangeChannel(model, channel, &info);
    const double frequencies[] = {info.FrequencyMin, info.FrequencyMax, info.Frequency * 3.0, -1.0,
                                  1e300};
    for (const double frequency : frequencies) {
        SysCheckFrequency(model, channel, 0, frequency, warning);
        SysCheckFrequency(model, channel, 1, frequency, warning);
        SysChangeFrequency(model, channel, frequency, &info);
    }
    const int32_t ranges = SysGetRangeCnt(model, channel);
    for (int32_t range = -1; range <= ranges && range < 8; ++range) {
        SysGetRangeName(model, channel, range, name);
        SysChangeRange(model, channel, range, &info);
        SysChangeAmplitude(model, channel, range, info.AmplitudeMax, &info);
        SysChangeAmplitude(model, channel, range, info.AmplitudeMin * 0.5, &info);
        SysChangeOffset(model, channel, range, info.OffsetMin, &info);
        SysChangeOffset(model, channel, range, info.OffsetMax * 2.0, &info);
        SysChangeCycle(model, channel, range, info.CycleOfFrequencyMin, &info);
        SysChangeCycle(model, channel, range, info.Cycle, &info);
    }
}

void exerciseModel(int32_t model) {
    DeviceInfo info{};
    char name[SYS_NAME_BUFFER];
    static char script[SYS_SCRIPT_BUFFER];
    SysGetDeviceName(model, name);
    SysGetInitDeviceInfo(model, &info);
    SysGetDeviceInfo(model, &info);
    for (int32_t interfaceType = -1; interfaceType <= 4; ++interfaceType) {
        SysChangeInterface(model, interfaceType, &info);
    }
    SysGetInterfaceInfo(model);
    const int32_t sizes = SysGetMemorySizeCnt(model);
    for (int32_t size = -1; size <= sizes && size < 8; ++size) {
        SysGetMemorySizeName(model, size, name);
        SysChangeMemorySize(model, size, &info);
    }
    const int32_t channels = SysGetChannelCnt(model);
    for (int32_t channel = -1; channel <= channels && channel < 8; ++channel) {
        exerciseChannel(model, channel, info);
    }
    for (int32_t number = -1; number <= 4; ++number) {
        SysGetGPIBInfo(model, number, script);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzFolder().load(data, size);
    char fileName[SYS_FILENAME_BUFFER];
    SysGetSysErrorFileName(fileName);
    SysGetSysErrorLineNo();
    const int32_t models = SysGetDeviceCnt();
    for (int32_t model = -1; model <= models && model < 32; ++model) {
        exerciseModel(model);
    }
    return 0;
}
