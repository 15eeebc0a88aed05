// The settings store: defaults, window positions, instance counting and busy
// marks shared by several instances (in this process and in helper processes).
#include "SettingsStore.h"
#include "clsRegistry.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using zw::clsRegistry;

namespace {

class Registry : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file() const { return dir.filePath("ZW4410/ZW4410.ini"); }

    // The stored text, read afresh from the file as another program would.
    QString stored(const QString& key) const {
        QSettings s(file(), QSettings::IniFormat);
        return s.value(key, QStringLiteral("<missing>")).toString();
    }
    void storeRaw(const QString& key, const QString& value) const {
        zw::SettingsStore s(file());
        const auto slash = key.indexOf('/');
        s.write(key.left(slash), key.mid(slash + 1), value);
    }
    void appendRawLines(const QByteArray& text) const {
        QFile f(file());
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write(text);
    }
};

// A helper process running the settings side of another instance.
class HelperInstance {
public:
    explicit HelperInstance(const QStringList& args) {
        process_.setProgram(QStringLiteral(ZW_REGISTRY_HELPER));
        process_.setArguments(args);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start();
    }
    ~HelperInstance() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    QString readLine() {
        while (!process_.canReadLine() && process_.waitForReadyRead(20000)) {
        }
        return QString::fromLocal8Bit(process_.readLine()).trimmed();
    }
    bool finish() {
        process_.closeWriteChannel();
        return process_.waitForFinished(60000) && process_.exitCode() == 0;
    }
    void crash() {
        process_.kill(); // SIGKILL: no chance to clean up
        process_.waitForFinished();
    }

private:
    QProcess process_;
};

} // namespace

TEST_F(Registry, FirstStartRegistersAndTheEndUnregisters) {
    storeRaw("1GPIB/Busy", "True");
    storeRaw("System/WinCount", "5"); // left by instances that crashed
    {
        clsRegistry reg(file());
        EXPECT_FALSE(reg.PreviousInstance());
        EXPECT_EQ(reg.WinH(), 1);
        EXPECT_EQ(stored("System/WinHandle"), "1");
        EXPECT_EQ(stored("System/WinCount"), "1");
        EXPECT_EQ(reg.WinCount(), 1);
        for (int b = 0; b < 4; ++b)
            EXPECT_EQ(stored(QString::number(b) + "GPIB/Busy"), "False") << b;
        EXPECT_FALSE(reg.GpibBusy(1));
    }
    EXPECT_EQ(stored("System/WinCount"), "0");
    EXPECT_EQ(stored("System/WinHandle"), "1");
}

TEST_F(Registry, DefaultsWhenNothingIsStored) {
    clsRegistry reg(file());
    EXPECT_EQ(reg.Setting("Sysinfo", "sys_no"), "False");
    EXPECT_EQ(reg.SettingNumber("Sysinfo", "sys_no"), 0);
    EXPECT_EQ(reg.GpibBoard(), 3);
    EXPECT_EQ(reg.GpibAddress(0), -1);
    EXPECT_EQ(reg.SerialNum(), "");
    EXPECT_FALSE(reg.DebugMode());
    EXPECT_FALSE(reg.LoopTest());
    EXPECT_FALSE(reg.GpibHost());
    EXPECT_EQ(reg.FormTop("MainWindow"), 0);
    EXPECT_EQ(reg.FormLeft("MainWindow"), 0);
}

TEST_F(Registry, SettingsPersistBetweenRuns) {
    {
        clsRegistry reg(file());
        clsRegistry::Batch batch(reg);
        reg.SetSetting("Sysinfo", "sys_no", "2");
        reg.SetSetting("Sysinfo", "memory_width_no", "1");
        reg.SetGpibBoard(0);
        reg.SetGpibAddress(2, 7);
        reg.SetSerialNum("SN123456");
    }
    clsRegistry reg(file());
    EXPECT_EQ(reg.SettingNumber("Sysinfo", "sys_no"), 2);
    EXPECT_EQ(reg.SettingNumber("Sysinfo", "memory_width_no"), 1);
    EXPECT_EQ(reg.GpibBoard(), 0);
    EXPECT_EQ(reg.GpibAddress(2), 7);
    EXPECT_EQ(reg.SerialNum(), "SN123456");
    EXPECT_EQ(stored("2GPIB/Address"), "7");
}

TEST_F(Registry, DebugModeAndLoopTestAcceptTrueInAnyCase) {
    storeRaw("System/DebugMode", "TRUE");
    storeRaw("System/LoopTest", "yes");
    {
        clsRegistry reg(file());
        EXPECT_TRUE(reg.DebugMode());
        EXPECT_FALSE(reg.LoopTest());
        reg.SetLoopTest(true); // kept in the object only
        EXPECT_TRUE(reg.LoopTest());
    }
    EXPECT_EQ(stored("System/LoopTest"), "yes");
}

TEST_F(Registry, BadStoredNumbersReadAsTheirLeadingNumber) {
    storeRaw("System/GpibBoard", "abc");
    storeRaw("0GPIB/Address", "99999999");
    storeRaw("Sysinfo/sys_no", "1e999");
    clsRegistry reg(file());
    EXPECT_EQ(reg.GpibBoard(), 0);
    EXPECT_EQ(reg.GpibAddress(0), 32767);
    EXPECT_EQ(reg.SettingNumber("Sysinfo", "sys_no"), std::numeric_limits<int>::max());
    EXPECT_FALSE(reg.GpibBusy(-1));
    EXPECT_FALSE(reg.TryClaimGpibBusy(16));
    EXPECT_EQ(reg.GpibAddress(99), -1);
}

TEST_F(Registry, WindowPositionsAreKeptInTwipsAndCheckedAgainstTheScreen) {
    {
        clsRegistry reg(file());
        reg.SetScreenSizeTwips({1024 * 15, 768 * 15});
        reg.SetFormTop("MainWindow", 20000);
        reg.SetFormLeft("MainWindow", 3000);
        reg.SetFormTop("SystemDialog", 1500);
        reg.SetFormLeft("SystemDialog", 14000);
        reg.SetFormLeft("PrintDialog", 14500);
    }
    EXPECT_EQ(stored("FormProperty/MainWindow"), "20000,3000,0,0");
    clsRegistry reg(file());
    reg.SetScreenSizeTwips({1024 * 15, 768 * 15}); // 15360 twips wide, 11520 high
    EXPECT_EQ(reg.FormTop("MainWindow"), 0);       // 20000 + 1000 is off the screen
    EXPECT_EQ(reg.FormLeft("MainWindow"), 3000);
    EXPECT_EQ(reg.FormTop("SystemDialog"), 1500);
    EXPECT_EQ(reg.FormLeft("SystemDialog"), 14000);
    EXPECT_EQ(reg.FormLeft("PrintDialog"), 0);
}

TEST_F(Registry, FurtherNumbersOfAWindowPositionAreKeptAsRead) {
    storeRaw("FormProperty/CreateDialog", "1200,2400,7,-3");
    appendRawLines("\n[FormProperty]\nHandEdited=100,200\n");
    {
        clsRegistry reg(file());
        reg.SetScreenSizeTwips({100000, 100000});
        EXPECT_EQ(reg.FormTop("CreateDialog"), 1200);
        EXPECT_EQ(reg.FormLeft("HandEdited"), 200);
        reg.SetFormTop("CreateDialog", 600);
    }
    EXPECT_EQ(stored("FormProperty/CreateDialog"), "600,2400,7,-3");
    EXPECT_EQ(stored("FormProperty/HandEdited"), "100,200,0,0");
}

TEST_F(Registry, EveryWindowKeepsItsOwnKeyAndOneMoreNameTakesTheSpareSlot) {
    // Twelve windows (main, ten dialogs, progress) each under its own key;
    // a thirteenth and fourteenth name share the spare slot, never written.
    {
        clsRegistry reg(file());
        reg.SetScreenSizeTwips({100000, 100000});
        for (int i = 0; i < 14; ++i)
            reg.SetFormTop(QString("Form%1").arg(i, 2, 10, QChar('0')), 100 + i);
        EXPECT_EQ(reg.FormTop("Form13"), 113); // took the spare slot from Form12
        EXPECT_EQ(reg.FormTop("Form00"), 100);
        EXPECT_EQ(reg.FormTop("Form11"), 111);
    }
    QSettings s(file(), QSettings::IniFormat);
    s.beginGroup("FormProperty");
    QStringList expected;
    for (int i = 0; i < 12; ++i)
        expected << QString("Form%1").arg(i, 2, 10, QChar('0'));
    EXPECT_EQ(s.childKeys(), expected);
    EXPECT_EQ(s.value("Form11").toString(), "111,0,0,0");
}

TEST_F(Registry, ASecondInstanceSharesTheStore) {
    clsRegistry first(file());
    EXPECT_TRUE(first.TryClaimGpibBusy(1));
    EXPECT_TRUE(first.GpibHost());
    EXPECT_TRUE(first.IsTransferring());

    auto second = std::make_unique<clsRegistry>(file());
    EXPECT_TRUE(second->PreviousInstance());
    EXPECT_EQ(second->WinH(), 2);
    EXPECT_EQ(stored("System/WinCount"), "2");
    EXPECT_TRUE(second->GpibBusy(1)); // not reset: its instance still runs
    EXPECT_FALSE(second->TryClaimGpibBusy(1));
    EXPECT_FALSE(second->GpibHost());
    EXPECT_FALSE(second->IsTransferring());

    first.SetGpibBusy(1, false);
    EXPECT_FALSE(first.GpibHost());
    EXPECT_TRUE(second->TryClaimGpibBusy(1));
    EXPECT_TRUE(first.GpibBusy(1));

    second.reset(); // its end clears the mark it holds
    EXPECT_FALSE(first.GpibBusy(1));
    EXPECT_EQ(first.WinCount(), 1);
}

TEST_F(Registry, BusyMarksOfOtherInstancesSurviveTheEnd) {
    clsRegistry first(file());
    {
        clsRegistry second(file());
        second.SetGpibBusy(0, true);
        EXPECT_TRUE(first.TryClaimGpibBusy(2));
        first.SetGpibBusy(0, false); // someone may clear a mark it does not hold
    }
    EXPECT_TRUE(first.GpibBusy(2));
    EXPECT_FALSE(first.GpibBusy(0));
}

TEST_F(Registry, TheLivenessTestIgnoresACrashedInstance) {
    {
        HelperInstance crashed({"hold", file(), "2"});
        ASSERT_EQ(crashed.readLine(), "WinH 1 claimed 1");
        crashed.crash();
    }
    EXPECT_EQ(stored("System/WinCount"), "1"); // what the crash left
    EXPECT_EQ(stored("2GPIB/Busy"), "True");
    clsRegistry reg(file());
    EXPECT_FALSE(reg.PreviousInstance());
    EXPECT_EQ(reg.WinH(), 1);
    EXPECT_EQ(reg.WinCount(), 1);
    EXPECT_FALSE(reg.GpibBusy(2));
}

TEST_F(Registry, TheNextStartClearsTheMarksOfACrashedInstanceWhileOthersRun) {
    clsRegistry running(file());
    EXPECT_TRUE(running.TryClaimGpibBusy(0));
    {
        HelperInstance crashed({"hold", file(), "2"});
        ASSERT_EQ(crashed.readLine(), "WinH 2 claimed 1");
        crashed.crash();
    }
    EXPECT_TRUE(running.GpibBusy(2));
    EXPECT_FALSE(running.TryClaimGpibBusy(0)); // its own mark
    clsRegistry next(file());
    EXPECT_TRUE(next.PreviousInstance());
    EXPECT_EQ(next.WinCount(), 2); // the crashed one is not counted
    EXPECT_FALSE(next.GpibBusy(2));
    EXPECT_TRUE(next.GpibBusy(0)); // the running instance's mark stays
}

TEST_F(Registry, AMarkOfACrashedInstanceDoesNotBlockAClaim) {
    clsRegistry running(file());
    {
        HelperInstance crashed({"hold", file(), "1"});
        ASSERT_EQ(crashed.readLine(), "WinH 2 claimed 1");
        EXPECT_FALSE(running.TryClaimGpibBusy(1)); // held while it runs
        crashed.crash();
    }
    EXPECT_TRUE(running.GpibBusy(1));
    EXPECT_TRUE(running.TryClaimGpibBusy(1));
    EXPECT_EQ(stored("1GPIB/Owner"), "1");
}

TEST_F(Registry, InstancesStartingTogetherGetDistinctNumbers) {
    constexpr int kHelpers = 4;
    std::vector<std::unique_ptr<HelperInstance>> helpers;
    for (int i = 0; i < kHelpers; ++i)
        helpers.push_back(std::make_unique<HelperInstance>(QStringList{"hold", file()}));
    QSet<QString> numbers;
    for (auto& h : helpers)
        numbers.insert(h->readLine());
    EXPECT_EQ(numbers.size(), kHelpers) << numbers.values().join(", ").toStdString();
    EXPECT_EQ(stored("System/WinCount"), QString::number(kHelpers));
    for (auto& h : helpers)
        EXPECT_TRUE(h->finish());
    EXPECT_EQ(stored("System/WinCount"), "0");
}

TEST_F(Registry, LockedSequencesOfSeveralProcessesLoseNoUpdate) {
    constexpr int kHelpers = 3;
    constexpr int kEach = 80;
    std::vector<std::unique_ptr<HelperInstance>> helpers;
    for (int i = 0; i < kHelpers; ++i)
        helpers.push_back(std::make_unique<HelperInstance>(
            QStringList{"increment", file(), QString::number(kEach)}));
    for (auto& h : helpers)
        EXPECT_TRUE(h->finish());
    EXPECT_EQ(stored("Test/Counter"), QString::number(kHelpers * kEach));
}

TEST_F(Registry, OfInstancesClaimingABoardAtOnceExactlyOneGetsIt) {
    constexpr int kRounds = 4;
    constexpr int kHelpers = 3;
    for (int round = 0; round < kRounds; ++round) {
        const QString start = QString::number(QDateTime::currentMSecsSinceEpoch() + 400);
        std::vector<std::unique_ptr<HelperInstance>> helpers;
        for (int i = 0; i < kHelpers; ++i)
            helpers.push_back(std::make_unique<HelperInstance>(
                QStringList{"race", dir.filePath(QString("r%1.ini").arg(round)), "1", start}));
        int claimed = 0;
        for (auto& h : helpers)
            claimed += h->readLine() == "claimed 1";
        EXPECT_EQ(claimed, 1) << "round " << round;
        for (auto& h : helpers)
            EXPECT_TRUE(h->finish());
    }
}

TEST(SettingsStore, AnUnwritableLocationGivesDefaultsWithoutWaiting) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    const QString file = dir.filePath("file/ZW4410/ZW4410.ini");
    QElapsedTimer clock;
    clock.start();
    {
        zw::SettingsStore store(file);
        zw::SettingsStore::Sequence sequence(store);
        EXPECT_FALSE(sequence.locked());
    }
    clsRegistry reg(file);
    EXPECT_EQ(reg.Setting("Sysinfo", "sys_no"), "False");
    EXPECT_EQ(reg.GpibBoard(), 3);
    EXPECT_TRUE(reg.TryClaimGpibBusy(0)); // only this object knows, but it works
    EXPECT_LT(clock.elapsed(), zw::SettingsStore::kLockTimeoutMs / 2);
}

TEST(SettingsStore, NestedSequencesShareTheLock) {
    QTemporaryDir dir;
    zw::SettingsStore store(dir.filePath("s.ini"));
    {
        zw::SettingsStore::Sequence outer(store);
        EXPECT_TRUE(outer.locked());
        zw::SettingsStore::Sequence inner(store);
        EXPECT_TRUE(inner.locked());
        store.write("A", "b", "1");
        EXPECT_TRUE(QFile::exists(store.lockPath()));
    }
    EXPECT_FALSE(QFile::exists(store.lockPath()));
    EXPECT_EQ(store.read("A", "b"), "1");
    EXPECT_FALSE(store.read("A", "c").has_value());
}

// ---------------------------------------------------------------------------
// Lock files: only a lock really held by a running process counts.

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

void backdate(const QString& path, int days) {
    const struct timespec old { time(nullptr) - days * 86400, 0 };
    const struct timespec times[2] = {old, old};
    ASSERT_EQ(
        ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW), 0);
}

// Every kind of lock file that no running process holds.
enum class LeftOver { Empty, Junk, ForeignHost, EndedProcess, Unreadable, Fifo, DanglingLink };

void makeLeftOver(const QString& path, LeftOver kind) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray native = QFile::encodeName(path);
    switch (kind) {
    case LeftOver::Empty:
        writeFile(path, {});
        break;
    case LeftOver::Junk:
        writeFile(path, QByteArray("\x01\xff garbage\n\n\n", 14));
        break;
    case LeftOver::ForeignHost:
        writeFile(path, "4242\nZW4410\nsome-other-host.example\n");
        break;
    case LeftOver::EndedProcess: {
        QProcess ended;
        ended.start("true", {});
        ASSERT_TRUE(ended.waitForFinished());
        writeFile(path, QByteArray::number(ended.processId()) + "\nZW4410\n" +
                            QSysInfo::machineHostName().toUtf8() + "\n");
        break;
    }
    case LeftOver::Unreadable:
        writeFile(path, "1\n");
        ASSERT_EQ(::chmod(native.constData(), 0), 0);
        break;
    case LeftOver::Fifo:
        ASSERT_EQ(::mkfifo(native.constData(), 0644), 0);
        break;
    case LeftOver::DanglingLink:
        ASSERT_EQ(::symlink("nowhere/at/all", native.constData()), 0);
        break;
    }
    backdate(path, 2);
}

constexpr LeftOver kLeftOvers[] = {
    LeftOver::Empty,      LeftOver::Junk, LeftOver::ForeignHost, LeftOver::EndedProcess,
    LeftOver::Unreadable, LeftOver::Fifo, LeftOver::DanglingLink};

} // namespace

TEST_F(Registry, AnUpdateLockNoProcessHoldsIsTakenOverAtOnce) {
    for (const LeftOver kind : kLeftOvers) {
        SCOPED_TRACE(static_cast<int>(kind));
        QFile::remove(file());
        {
            const zw::SettingsStore probe(file());
            makeLeftOver(probe.lockPath(), kind);
        }
        // A timeout longer than any test: a lock not taken at once would stall.
        for (int run = 0; run < 2; ++run) {
            clsRegistry reg(file(), 600000);
            EXPECT_FALSE(reg.SettingsLocked());
            EXPECT_EQ(reg.WinH(), 1);
            EXPECT_EQ(stored("System/WinCount"), "1");
        }
        EXPECT_EQ(stored("System/WinCount"), "0");
        zw::SettingsStore store(file(), 600000);
        zw::SettingsStore::Sequence sequence(store);
        EXPECT_TRUE(sequence.locked());
        EXPECT_FALSE(store.timedOut());
    }
}

TEST_F(Registry, AnUpdateLockHeldByARunningProcessIsWaitedForThenReported) {
    storeRaw("Sysinfo/sys_no", "3");
    zw::SettingsStore holder(file());
    auto held = std::make_unique<zw::SettingsStore::Sequence>(holder);
    ASSERT_TRUE(held->locked());
    {
        clsRegistry blocked(file(), 200);
        EXPECT_TRUE(blocked.SettingsLocked());
        EXPECT_EQ(blocked.SettingsLockHolder(), QString("process %1 on %2")
                                                    .arg(QCoreApplication::applicationPid())
                                                    .arg(QSysInfo::machineHostName()));
        // Reads still work; nothing was registered or written.
        EXPECT_EQ(blocked.Setting("Sysinfo", "sys_no"), "3");
        EXPECT_FALSE(blocked.TryClaimGpibBusy(1));
        blocked.SetSetting("Sysinfo", "sys_no", "5");
    }
    held.reset();
    EXPECT_EQ(stored("Sysinfo/sys_no"), "3");
    EXPECT_EQ(stored("System/WinCount"), "<missing>");
    EXPECT_EQ(stored("1GPIB/Busy"), "<missing>");
    // Once the holder lets go, the next start runs normally.
    clsRegistry next(file(), 200);
    EXPECT_FALSE(next.SettingsLocked());
    EXPECT_EQ(stored("System/WinCount"), "1");
}

TEST_F(Registry, InstanceLockFilesNoProcessHoldsAreNotRunningInstances) {
    const QString instances = zw::SettingsStore(file()).instanceDirectory();
    int number = 7;
    for (const LeftOver kind : kLeftOvers)
        makeLeftOver(instances + QString("/%1.lock").arg(number++), kind);
    storeRaw("0GPIB/Busy", "True");
    storeRaw("0GPIB/Owner", "7");
    storeRaw("System/WinCount", "1");
    for (int run = 0; run < 2; ++run) {
        clsRegistry reg(file());
        EXPECT_FALSE(reg.PreviousInstance());
        EXPECT_EQ(reg.WinCount(), 1);
        EXPECT_FALSE(reg.GpibBusy(0));
        EXPECT_TRUE(reg.TryClaimGpibBusy(0));
    }
    EXPECT_EQ(stored("System/WinCount"), "0");

    // The same junk appearing while an instance runs blocks no claim either.
    clsRegistry running(file());
    makeLeftOver(instances + "/7.lock", LeftOver::Empty);
    storeRaw("1GPIB/Busy", "True");
    storeRaw("1GPIB/Owner", "7");
    EXPECT_TRUE(running.TryClaimGpibBusy(1));
    EXPECT_EQ(stored("1GPIB/Owner"), QString::number(running.WinH()));
}

TEST(ProcessLock, IsHeldExactlyWhileItsHolderKeepsIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath("x.lock");
    zw::ProcessLock first(path);
    zw::ProcessLock second(path);
    EXPECT_FALSE(zw::ProcessLock::isHeld(path));
    EXPECT_EQ(first.tryLock(), zw::ProcessLock::Attempt::Locked);
    EXPECT_TRUE(zw::ProcessLock::isHeld(path));
    EXPECT_EQ(second.tryLock(), zw::ProcessLock::Attempt::Busy);
    // Removing the file does not free a held lock for anyone who finds the
    // name again: the holder's lock is on what it opened.
    first.unlock();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(zw::ProcessLock::isHeld(path));
    EXPECT_EQ(second.tryLock(), zw::ProcessLock::Attempt::Locked);
    EXPECT_EQ(first.tryLock(), zw::ProcessLock::Attempt::Busy);
    EXPECT_EQ(zw::ProcessLock(dir.filePath("no/folder.lock")).tryLock(),
              zw::ProcessLock::Attempt::Failed);
}
