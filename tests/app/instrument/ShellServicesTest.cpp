// Instrument control over the shell's real classes: two copies of the
// program, each with its own clsRegistry on one settings file, and the
// catalogue's message boxes.
#include "BusSettings.h"
#include "FakeServices.h"
#include "ScriptText.h"
#include "ScriptedMessageService.h"
#include "SimulatorProcess.h"
#include "WaveformTransfer.h"
#include "adapters/ShellInstrumentServices.h"
#include "bus/BackendFactory.h"

#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zw;
using namespace zw::test;

namespace {

struct Copy {
    explicit Copy(const QString& file) : registry(file) { bus.SetSetupTimeoutCode(12); }
    clsRegistry registry;
    RegistryInstrumentSettings settings{registry};
    MessageCatalog catalog{Language::English};
    zwtest::ScriptedMessageService service;
    Messages shellMessages{catalog, service};
    ShellInstrumentMessages messages{shellMessages};
    FakeWindow window;
    bus::InterfaceLibrary bus{messages, bus::DefaultBackendFactory(messages)};
    WaveformTransfer transfer{bus, settings, messages, window};
};

} // namespace

TEST(ShellServices, SecondCopyIsRefusedWithTheCataloguesBusyMessage) {
    QTemporaryDir dir;
    const QString file = dir.filePath("ZW4410.ini");
    Copy first(file), second(file);
    SimulatorProcess sim(dir.path().toStdString(), {}, 2);
    SetLanAddress(first.settings, "SIM-ARB", "127.0.0.1", sim.Port());

    std::vector<int16_t> wave(20000, 400);
    TransferJob job;
    job.interfaceType = bus::kLanSocket;
    SetField(job.setting.ModelName, "SIM-ARB");
    job.setting.MemorySize = static_cast<int32_t>(wave.size());
    job.setting.MemoryNumber = 1;
    job.samples = wave;
    job.scripts.scripts[kWaveTransfer] =
        Script("arbmask = 0xFFFC\narbsend = DATA:DAC VOLATILE 0x2C _$Block");

    TransferOutcome secondOutcome = TransferOutcome::Done;
    bool markSeenBySecond = false;
    first.window.onPoll = [&](FakeWindow& w) {
        if (w.polls == 5) {
            markSeenBySecond = second.settings.IsBusy(bus::kLanSocket);
            secondOutcome = second.transfer.TransferWaveform(job);
        }
    };
    EXPECT_EQ(first.transfer.TransferWaveform(job), TransferOutcome::Done);
    EXPECT_TRUE(markSeenBySecond);
    EXPECT_EQ(secondOutcome, TransferOutcome::Busy);
    ASSERT_EQ(second.service.shown.size(), 1u);
    EXPECT_EQ(second.service.shown[0].title, "Error Message");
    EXPECT_EQ(second.service.shown[0].text, "Interface Busy!\r");
    EXPECT_TRUE(first.service.empty());
    EXPECT_FALSE(first.registry.GpibHost());
    EXPECT_FALSE(second.settings.IsBusy(bus::kLanSocket));

    EXPECT_EQ(second.transfer.TransferWaveform(job), TransferOutcome::Done);
    const std::vector<int> codes = SimulatorProcess::Codes(sim.WaitForRecord());
    EXPECT_EQ(codes, std::vector<int>(wave.size(), 100));
}

TEST(ShellServices, CatalogueTextsAndPatternsComeFromTheShell) {
    MessageCatalog catalog(Language::English);
    zwtest::ScriptedMessageService service;
    Messages shellMessages(catalog, service);
    ShellInstrumentMessages messages(shellMessages, [](std::string_view title, std::string_view) {
        return std::optional<std::string>(std::string(title) + " typed");
    });
    EXPECT_EQ(messages.MessageText(230), "Interface command error. Check Model.\r");
    EXPECT_EQ(messages.MessageText(224), "Interface address error. Check Address.\r");
    messages.ShowBox("LoopTest", "次の転送完了後テストを終了します");
    ASSERT_EQ(service.shown.size(), 1u);
    EXPECT_EQ(service.shown[0].text, QString::fromUtf8("次の転送完了後テストを終了します"));
    EXPECT_EQ(messages.InputBox("Receive Data", "?"), "Receive Data typed");
}

TEST(ShellServices, MarkOfAKilledCopyIsFreedAtTheNextStart) {
    QTemporaryDir dir;
    const QString file = dir.filePath("ZW4410.ini");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A copy that is killed in the middle of a transfer.
        clsRegistry registry(file);
        RegistryInstrumentSettings settings(registry);
        if (!settings.TryMarkBusy(bus::kLanSocket))
            _exit(3);
        raise(SIGKILL);
        _exit(4);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the copy did not take the mark";

    clsRegistry next(file);
    RegistryInstrumentSettings settings(next);
    EXPECT_FALSE(settings.IsBusy(bus::kLanSocket));
    EXPECT_TRUE(settings.TryMarkBusy(bus::kLanSocket));
    settings.ClearBusy(bus::kLanSocket);
}
