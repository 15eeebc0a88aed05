// zw4410-cli make of a 4-page page file on a 65536-sample memory, started as
// a script starts it (posix_spawn, wait), beside /bin/true started the same
// way and beside the same work done in this process (read the pages,
// All Page OK, write the .wdb). Start-up and teardown of the tool =
// CliMake - MakeInProcess - True.
#include "CliTexts.h"
#include "CurrentSetting.h"
#include "ModelCatalogue.h"
#include "PageCommands.h"
#include "PageFile.h"
#include "PageTable.h"
#include "SetupChanges.h"
#include "SetupFile.h"
#include "Units.h"
#include "WaveOutput.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Files {
    std::string folder;
    std::string setup;
    std::string pages;
    std::string output;
};

// A ZWG-216 setup of 65536 samples and four pages over the whole memory.
Files PrepareFiles(zw::CurrentSetting& setting) {
    Files f;
    f.folder = (fs::temp_directory_path() / ("bench-cli-" + std::to_string(::getpid()))).string();
    fs::create_directories(f.folder);
    f.setup = f.folder + "/bench.ocb";
    f.pages = f.folder + "/four.wfn";
    f.output = f.folder + "/out.wdb";
    zw::cli::LoadModels(ZW_MODELS_DIR, zw::Language::English, setting);
    QStringList warnings;
    zw::cli::ApplySetupChange(setting, {"--model", "ZWG-216"}, zw::Language::English, warnings);
    zw::cli::ApplySetupChange(setting, {"--memory-size", "65536"}, zw::Language::English, warnings);
    if (zw::SaveSetupFile(QString::fromStdString(f.setup), setting) != 0)
        throw std::runtime_error("cannot write the setup");
    const zw::Units units(setting.info());
    zw::create::PageTable table(65536);
    const zw::create::PageType types[] = {
        zw::create::PageType::Sine, zw::create::PageType::Triangle, zw::create::PageType::Square,
        zw::create::PageType::Expression};
    for (int n = 1; n <= 4; ++n) {
        zw::create::PageRecord& p = table.page(n);
        p.Type = types[n - 1];
        p.Start = (n - 1) * 16384.0;
        p.End = n * 16384.0;
        p.Cycles = 8;
        p.Expression = "20000*sin(2*pi*x/512)*cos(2*pi*x/4096)";
        p.Effective = p.Visited = true;
    }
    if (zw::create::SavePageFile(QString::fromStdString(f.pages), table, units,
                                 zw::Language::English) != 0)
        throw std::runtime_error("cannot write the page file");
    return f;
}

const Files& BenchFiles() {
    static zw::CurrentSetting setting;
    static const Files files = PrepareFiles(setting);
    return files;
}

void RunAndWait(benchmark::State& state, std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = -1;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("cannot start");
            break;
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the program failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}

void True(benchmark::State& state) {
    RunAndWait(state, {"/bin/true"});
}
BENCHMARK(True)->Unit(benchmark::kMillisecond);

void CliVersion(benchmark::State& state) {
    RunAndWait(state, {ZW_CLI_PATH, "--version"});
}
BENCHMARK(CliVersion)->Unit(benchmark::kMillisecond);

void CliMake(benchmark::State& state) {
    const Files& f = BenchFiles();
    RunAndWait(state, {ZW_CLI_PATH, "--models", ZW_MODELS_DIR, "make", f.pages, "--setup", f.setup,
                       "-o", f.output});
}
BENCHMARK(CliMake)->Unit(benchmark::kMillisecond);

void MakeInProcess(benchmark::State& state) {
    const Files& f = BenchFiles();
    zw::CurrentSetting setting;
    setting.loadModelLists();
    for (auto _ : state) {
        if (zw::ReadSetupFile(QString::fromStdString(f.setup), setting) != 0) {
            state.SkipWithError("setup");
            break;
        }
        zw::cli::WaveWorkspace workspace(setting, zw::Language::English);
        zw::cli::MakeFromPageFile(workspace, QString::fromStdString(f.pages),
                                  zw::Language::English);
        workspace.save(QString::fromStdString(f.output));
    }
}
BENCHMARK(MakeInProcess)->Unit(benchmark::kMillisecond);

} // namespace
