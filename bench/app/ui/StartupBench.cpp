// Start-up: the program as a process, from its start with the bundled model
// files to its main window shown (it ends right after with
// --exit-when-shown), under the offscreen platform.
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_StartupToShownWindow(benchmark::State& state) {
    const QString program = ZW_PROGRAM;
    QTemporaryDir config;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", config.path());
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(env);
        // The program reads the models from its start-up folder, where the
        // build put them.
        process.setWorkingDirectory(QFileInfo(program).absolutePath());
        process.start(program, {"--lang=en", "--exit-when-shown"});
        if (!process.waitForFinished(10000) || process.exitCode() != 0) {
            state.SkipWithError("the program did not start and end cleanly");
            return;
        }
    }
}
BENCHMARK(BM_StartupToShownWindow)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace
