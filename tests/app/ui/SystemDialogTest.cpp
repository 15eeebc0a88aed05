// The system setup window and the progress window, offscreen, driven by
// their control names: captions in both languages, lists that follow the
// model, values kept within the model's limits, Cancel, the setup file, and
// transfers over LAN to the instrument simulator with progress and abort.
#include "SystemDialog.h"
#include "CaptionCatalog.h"
#include "CaptionCoverage.h"
#include "CurrentSetting.h"
#include "DocumentNames.h"
#include "EditSession.h"
#include "EditorContext.h"
#include "EditorFixture.h"
#include "FrmGPIBExit.h"
#include "GuiDriver.h"
#include "MainWindow.h"
#include "MessageCatalog.h"
#include "Messages.h"
#include "ModelsFixture.h"
#include "ScriptedFileDialogService.h"
#include "ScriptedMessageService.h"
#include "SimulatorProcess.h"
#include "ToolWindowHost.h"
#include "WaveDocument.h"
#include "clsRegistry.h"
#include "zwplatform.hpp"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <unistd.h>

namespace {

using zw::test::SimulatorProcess;

QApplication& app() {
    static int argc = 1;
    static char name[] = "system_dialog_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = new QApplication(argc, argv);
    return *instance;
}

int ModelNamed(const char* name) {
    for (int m = 0; m < SysGetDeviceCnt(); ++m) {
        char buffer[SYS_NAME_BUFFER + 1] = {};
        SysGetDeviceName(m, buffer);
        if (std::strcmp(name, buffer) == 0)
            return m;
    }
    return -1;
}

// Counts the times a window is shown.
class ShowCounter : public QObject {
public:
    int shows = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show)
            ++shows;
        return false;
    }
};

class SystemDialogTest : public ::testing::Test, protected zwtest::EditorFixture {
public:
    // Opening again keeps the document's memory.
    SystemDialogTest() { keepsMemory = true; }

protected:
    static void SetUpTestSuite() {
        app();
        zwtest::loadBundledModels();
    }

    void SetUp() override { open(zw::Language::English); }
    void TearDown() override {
        dialog.reset();
        releaseEditor();
    }

    void open(zw::Language language) {
        dialog.reset();
        zw::StoredSetting stored;
        stored.interfaceType = 0; // NI GPIB
        makeContext(language, dir.path(), stored);
        if (HasFatalFailure())
            return;
        QObject::connect(session.get(), &zw::EditSession::changed, [this](zw::EditChanges what) {
            if (what & zw::EditChange::Document)
                ++documentRestarts;
        });
        dialog = std::make_unique<zw::SystemDialog>(*context);
        dialog->bus().SetSetupTimeoutCode(12); // 3 s: a loaded machine may answer slowly
        dialog->show();
        QApplication::processEvents();
    }

    template <typename T> T* find(const QString& name) {
        T* w = dialog->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QComboBox* combo(const char* name) { return find<QComboBox>(name); }
    QString text(const char* name) { return find<QLineEdit>(name)->text(); }
    void type(const char* name, const QString& value) {
        QLineEdit* box = find<QLineEdit>(name);
        box->setText(value);
        emit box->editingFinished();
    }
    void choose(const char* name, int index) {
        QComboBox* c = combo(name);
        c->setCurrentIndex(index);
        emit c->activated(index);
    }
    void chooseText(const char* name, const QString& item) {
        const int index = combo(name)->findText(item);
        ASSERT_GE(index, 0) << item.toStdString();
        choose(name, index);
    }
    QStringList items(const char* name) {
        QStringList list;
        for (int i = 0; i < combo(name)->count(); ++i)
            list << combo(name)->itemText(i);
        return list;
    }
    void fillRamp() {
        zw::LockedBlock<int16_t> block(doc.current());
        for (long i = 0; i < doc.WaveLength(); ++i)
            block[static_cast<size_t>(i)] = static_cast<int16_t>(i * 37 - 20000);
    }
    std::vector<int> expectedCodes(int divisor) {
        zw::LockedBlock<int16_t> block(doc.current());
        std::vector<int> codes;
        for (long i = 0; i < doc.WaveLength(); ++i) {
            // halves to even, independently of the conversion code
            const double q = static_cast<double>(block[static_cast<size_t>(i)]) / divisor;
            codes.push_back(static_cast<int>(std::nearbyint(q)));
        }
        return codes;
    }
    // The LAN interface to the simulator on its port.
    void useSimulator(const SimulatorProcess& sim) {
        chooseText("Comb_Intfc", "LAN(Socket)");
        type("Txt_LanHost", "127.0.0.1");
        type("Txt_LanPort", QString::number(sim.Port()));
    }
    std::string simDir() {
        const QString path = dir.path() + "/sim";
        QDir().mkpath(path);
        return path.toStdString();
    }
    // The records equal but for the padding of texts, which reading normalises.
    static bool SameSetting(DeviceInfo a, DeviceInfo b) {
        for (DeviceInfo* d : {&a, &b}) {
            std::memset(d->XUnitName, 0, sizeof d->XUnitName);
            std::memset(d->YUnitName, 0, sizeof d->YUnitName);
        }
        return std::memcmp(&a, &b, sizeof a) == 0;
    }

    std::unique_ptr<zw::SystemDialog> dialog;
    int documentRestarts = 0;
};

} // namespace

TEST_F(SystemDialogTest, CaptionsInBothLanguagesAndEveryRowHasItsControl) {
    EXPECT_EQ(dialog->windowTitle(), "ZW4410 - System Setup");
    auto* tabs = find<QTabWidget>("Tab_Setup");
    EXPECT_EQ(tabs->tabText(0), "&System Setup");
    EXPECT_EQ(tabs->tabText(1), "&Unit Setup");
    EXPECT_EQ(find<QGroupBox>("Frame_Basic")->title(), "[Basic Setup]");
    EXPECT_EQ(find<QPushButton>("Btn_Trans_1")->text(), "&Waveform Data");
    EXPECT_TRUE(find<QAction>("Menu_Print")->isEnabled());
    EXPECT_EQ(items("Comb_Unit_0"), (QStringList{"Address", "Time", "User Unit"}));
    const zw::CaptionCatalog english(zw::Language::English);
    EXPECT_EQ(zwtest::captionRowsWithoutControl(*dialog, english, "SystemDialog"), QStringList());
    EXPECT_EQ(zwtest::captionRowsWithoutControl(dialog->progressWindow(), english, "FrmGPIBExit"),
              QStringList());
    EXPECT_EQ(dialog->progressWindow().windowTitle(), "Copy wave data");

    open(zw::Language::Japanese);
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("ZW4410 - ｼｽﾃﾑ設定"));
    EXPECT_EQ(find<QTabWidget>("Tab_Setup")->tabText(1), QString::fromUtf8("単位設定(&U)"));
    EXPECT_EQ(find<QPushButton>("Btn_Cancel")->text(), QString::fromUtf8("ｷｬﾝｾﾙ"));
    EXPECT_EQ(dialog->progressWindow().windowTitle(), QString::fromUtf8("波形データ転送"));
}

TEST_F(SystemDialogTest, ChangingTheModelRefillsTheLists) {
    EXPECT_EQ(items("Comb_System"), (QStringList{"ZWG-114", "ZWG-216", "ZWG-316U"}));
    EXPECT_EQ(items("Comb_Channel"), QStringList{"CH1"});
    EXPECT_FALSE(combo("Comb_Channel")->isEnabled());
    chooseText("Comb_System", "ZWG-216");
    EXPECT_EQ(items("Comb_Channel"), (QStringList{"CH1", "CH2"}));
    EXPECT_EQ(items("Comb_MSize").size(), 4);
    EXPECT_TRUE(find<QLineEdit>("Txt_MName")->isEnabled());
    EXPECT_TRUE(find<QGroupBox>("Frame_Offs")->isEnabled());
    chooseText("Comb_System", "ZWG-316U");
    EXPECT_EQ(items("Comb_Intfc"), (QStringList{"USB(TMC)", "LAN(Socket)"}));
    EXPECT_EQ(combo("Comb_Intfc")->currentText(), "USB(TMC)");
    EXPECT_TRUE(find<QLineEdit>("txtSerialNo")->isVisible());
    EXPECT_EQ(find<QLabel>("Label_GPIB_0")->text(), "USB I&D");
    EXPECT_EQ(items("Comb_MSize"), QStringList{"16384"});
    EXPECT_EQ(doc.WaveLength(), 16384);
    EXPECT_GE(documentRestarts, 1); // the main window's view follows the new length
}

TEST_F(SystemDialogTest, BoxesShowTheValueKept) {
    type("Txt_Oscil_0", "2.5k");
    EXPECT_EQ(text("Txt_Oscil_0"), "2.5k");
    EXPECT_EQ(text("Txt_Oscil_1"), "400u");
    type("Txt_Oscil_0", "20M"); // above 10 MHz
    EXPECT_EQ(text("Txt_Oscil_0"), "2.5k");
    type("Txt_Oscil_0", "fast");
    EXPECT_EQ(text("Txt_Oscil_0"), "2.5k");
    EXPECT_DOUBLE_EQ(setting.info().Frequency, 2500.0);
    type("Txt_Oscil_1", "1m");
    EXPECT_EQ(text("Txt_Oscil_0"), "1000"); // a power of 1000 stays in the group below
    type("Txt_Oscil_2", "0.5");
    type("Txt_Oscil_2", "12");
    EXPECT_EQ(text("Txt_Oscil_2"), "500m");
    type("Txt_GPIB_0", "31");
    EXPECT_EQ(text("Txt_GPIB_0"), "10");
    type("Txt_GPIB_1", "3");
    EXPECT_EQ(text("Txt_GPIB_1"), "3");
    type("Txt_GPIB_1", "9");
    EXPECT_EQ(text("Txt_GPIB_1"), "3");
    EXPECT_TRUE(boxes.empty());

    // The model's warning above 1 MHz: No keeps the frequency.
    boxes.answerNext(zw::MessageAnswer::No);
    type("Txt_Oscil_0", "2M");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.last().title, "Warning Message");
    EXPECT_EQ(text("Txt_Oscil_0"), "1000");
    boxes.answerNext(zw::MessageAnswer::Yes);
    type("Txt_Oscil_0", "2M");
    EXPECT_EQ(text("Txt_Oscil_0"), "2M");
}

TEST_F(SystemDialogTest, SerialNumberAndPortChecksShowTheirMessages) {
    chooseText("Comb_Intfc", "USB(TMC)");
    type("txtSerialNo", "SN123");
    type("txtSerialNo", "sn999");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.last().text, "Please Input SN and Serial Numbers!(SNXXXXXX)");
    EXPECT_EQ(boxes.last().icon, zw::MessageIcon::Critical);
    EXPECT_EQ(text("txtSerialNo"), "SN123");

    chooseText("Comb_Intfc", "LAN(Socket)");
    EXPECT_TRUE(find<QLineEdit>("Txt_LanHost")->isVisible());
    EXPECT_FALSE(find<QLineEdit>("Txt_GPIB_0")->isVisible());
    EXPECT_EQ(text("Txt_LanHost"), "127.0.0.1");
    EXPECT_EQ(text("Txt_LanPort"), "5025");
    type("Txt_LanPort", "70000");
    EXPECT_EQ(boxes.last().text, "Please input a port number from 1 to 65535.");
    EXPECT_EQ(text("Txt_LanPort"), "5025");
    type("Txt_LanPort", "5026");
    EXPECT_EQ(registry->Setting("LanSocket", "ZWG-114.Port"), "5026");
}

TEST_F(SystemDialogTest, CancelPutsEverythingBack) {
    const DeviceInfo opened = setting.info();
    chooseText("Comb_System", "ZWG-216");
    choose("Comb_MSize", 3);
    EXPECT_EQ(doc.WaveLength(), 65536);
    type("Txt_Oscil_0", "123k");
    choose("Comb_Unit_1", 2);
    type("Txt_Unit_3", "7");
    find<QRadioButton>("Opt_Output_0")->click();
    find<QPushButton>("Btn_Cancel")->click();
    EXPECT_EQ(std::memcmp(&opened, &setting.info(), sizeof opened), 0);
    EXPECT_EQ(setting.interfaceType(), 3); // from "GpibBoard" (none stored: USB)
    EXPECT_EQ(doc.WaveLength(), opened.MemorySize);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted); // the host releases the tool either way
}

TEST_F(SystemDialogTest, OkKeepsTheEditsAndClosingStoresThem) {
    chooseText("Comb_System", "ZWG-216");
    type("Txt_GPIB_0", "17");
    find<QPushButton>("Btn_OK")->click();
    EXPECT_EQ(setting.info().Address, 17);
    EXPECT_EQ(registry->SettingNumber("Sysinfo", "sys_no"), ModelNamed("ZWG-216"));
    EXPECT_EQ(registry->SettingNumber("Sysinfo", "Gpib_Address"), 17);
    EXPECT_EQ(registry->GpibBoard(), 0);
}

TEST_F(SystemDialogTest, SaveThenOpenRoundTrips) {
    chooseText("Comb_System", "ZWG-216");
    choose("Comb_Channel", 1);
    type("Txt_Oscil_0", "4.5k");
    type("Txt_MName", "SHAPE");
    const QString file = dir.filePath("bench.ocb");
    fileDialogs.answerSave(file);
    find<QAction>("Menu_FileSave")->trigger();
    ASSERT_EQ(fileDialogs.saved.size(), 1u);
    EXPECT_TRUE(fileDialogs.saved[0].proposedPath.endsWith("Untitled.ocb"));
    EXPECT_EQ(fileDialogs.saved[0].defaultExtension, "ocb");
    EXPECT_EQ(session->names().SystemFileName, dir.filePath("bench"));
    const DeviceInfo saved = setting.info();

    chooseText("Comb_System", "ZWG-114");
    type("Txt_Oscil_0", "10");
    fileDialogs.answerOpen(file);
    find<QAction>("Menu_FileOpen")->trigger();
    ASSERT_EQ(fileDialogs.opened.size(), 1u);
    EXPECT_EQ(fileDialogs.opened[0].proposedPath, dir.filePath("bench.ocb"));
    EXPECT_EQ(combo("Comb_System")->currentText(), "ZWG-216");
    EXPECT_EQ(combo("Comb_Channel")->currentIndex(), 1);
    EXPECT_EQ(text("Txt_Oscil_0"), "4.5k");
    EXPECT_EQ(text("Txt_MName"), "SHAPE");
    EXPECT_TRUE(SameSetting(saved, setting.info()));

    // A short file: the read error, nothing changed.
    QFile shortFile(dir.filePath("short.ocb"));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray(100, '\1'));
    shortFile.close();
    ASSERT_FALSE(dialog->openSetupFile(shortFile.fileName()));
    EXPECT_EQ(boxes.last().text, "File Read error.\r");
    EXPECT_TRUE(SameSetting(saved, setting.info()));
}

TEST_F(SystemDialogTest, WaveformDataOverLanReachesTheSimulator) {
    SimulatorProcess sim(simDir(), {"--model", "ZWG-114"});
    useSimulator(sim);
    fillRamp();
    ShowCounter counter;
    dialog->progressWindow().installEventFilter(&counter);
    find<QPushButton>("Btn_Trans_1")->click();
    const std::string record = sim.WaitForRecord();
    for (const auto& box : boxes.shown)
        ADD_FAILURE() << box.title.toStdString() << ": " << box.text.toStdString();
    EXPECT_EQ(SimulatorProcess::Codes(record), expectedCodes(4)); // mask FFFC
    EXPECT_EQ(counter.shows, 1);
    EXPECT_FALSE(dialog->progressWindow().isVisible());
    EXPECT_TRUE(find<QPushButton>("Btn_Trans_1")->isEnabled());
    EXPECT_FALSE(registry->GpibBusy(7));
}

TEST_F(SystemDialogTest, AbortWhileSendingLeavesTheBusyMarkClear) {
    chooseText("Comb_System", "ZWG-216");
    choose("Comb_MSize", 3); // 65536 points: many pieces to send
    SimulatorProcess sim(simDir(), {"--model", "ZWG-216"});
    useSimulator(sim);
    fillRamp();
    auto* phase = dialog->progressWindow().findChild<QLabel*>("Label_Phase");
    bool sawSending = false;
    bool busyWhileSending = false;
    QTimer presser;
    QObject::connect(&presser, &QTimer::timeout, [&] {
        if (phase->text() == "Send data" && !sawSending) {
            sawSending = true;
            busyWhileSending = registry->GpibBusy(7);
            EXPECT_FALSE(find<QPushButton>("Btn_Trans_0")->isEnabled());
            dialog->progressWindow().findChild<QPushButton*>("Btn_Cancel")->click();
        }
    });
    presser.start(0);
    find<QPushButton>("Btn_Trans_1")->click();
    presser.stop();
    EXPECT_FALSE(dialog->bus().Initialised()); // the connection is closed
    const std::string record = sim.WaitForRecord();
    EXPECT_EQ(record.find("CODES"), std::string::npos); // the block never ended
    EXPECT_TRUE(sawSending);
    EXPECT_TRUE(busyWhileSending);
    EXPECT_FALSE(registry->GpibBusy(7));
    EXPECT_FALSE(dialog->progressWindow().isVisible());
    EXPECT_TRUE(find<QPushButton>("Btn_Trans_1")->isEnabled());
    EXPECT_TRUE(boxes.empty()); // an abort ends quietly
}

TEST_F(SystemDialogTest, DroppedConnectionShowsTheBusMessage) {
    chooseText("Comb_System", "ZWG-216");
    choose("Comb_MSize", 3);
    SimulatorProcess sim(simDir(), {"--model", "ZWG-216", "--drop-after", "1000"});
    useSimulator(sim);
    fillRamp();
    find<QPushButton>("Btn_Trans_1")->click();
    EXPECT_NE(sim.WaitForRecord().find("DROPPED"), std::string::npos);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.shown.front().title, "Interface Error");
    EXPECT_FALSE(registry->GpibBusy(7));
    EXPECT_TRUE(find<QPushButton>("Btn_Trans_1")->isEnabled());
    EXPECT_FALSE(dialog->progressWindow().isVisible());
}

TEST_F(SystemDialogTest, OpensFromTheSetupMenuAsToolModeFour) {
    dialog.reset();
    zw::MainWindow window(*context);
    window.load(QString());
    window.show();
    QAction* item = window.findChild<QAction*>("Menu_System");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled());
    item->trigger();
    QApplication::processEvents();
    EXPECT_EQ(session->toolMode(), zw::ToolMode::SystemSetup);
    auto* opened = window.findChild<zw::SystemDialog*>("SystemDialog");
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(opened->isVisible());
    // A memory size chosen in the window is the document's length at once.
    zwtest::typeInto(*opened, "Txt_GPIB_1", "2");
    auto* sizes = opened->findChild<QComboBox*>("Comb_MSize");
    sizes->setCurrentIndex(1);
    emit sizes->activated(1);
    EXPECT_EQ(doc.WaveLength(), 4096);
    opened->findChild<QPushButton*>("Btn_OK")->click();
    QApplication::processEvents();
    EXPECT_EQ(session->toolMode(), zw::ToolMode::None);
    EXPECT_EQ(doc.WaveLength(), 4096);
}

TEST_F(SystemDialogTest, ClosingTheProgramDuringATransferIsRefused) {
    dialog.reset();
    zw::MainWindow window(*context);
    window.load(QString());
    window.show();
    window.findChild<QAction*>("Menu_System")->trigger();
    auto* setup = window.findChild<zw::SystemDialog*>("SystemDialog");
    ASSERT_NE(setup, nullptr);
    setup->bus().SetSetupTimeoutCode(12);
    SimulatorProcess sim(simDir(), {"--model", "ZWG-114"});
    auto* interfaces = zwtest::findControl<QComboBox>(*setup, "Comb_Intfc");
    const int lan = interfaces->findText("LAN(Socket)");
    interfaces->setCurrentIndex(lan);
    emit interfaces->activated(lan);
    zwtest::typeInto(*setup, "Txt_LanPort", QString::number(sim.Port()));
    fillRamp();

    auto* phase = setup->progressWindow().findChild<QLabel*>("Label_Phase");
    bool tried = false;
    bool stayedOpen = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (!tried && phase->text() == "Send data") {
            tried = true;
            window.close();
            stayedOpen = window.isVisible();
        }
    });
    closer.start(0);
    zwtest::findControl<QPushButton>(*setup, "Btn_Trans_1")->click();
    closer.stop();
    sim.WaitForRecord();
    ASSERT_TRUE(tried);
    EXPECT_TRUE(stayedOpen);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.shown.front().title, "Caution Message");
    EXPECT_EQ(boxes.shown.front().text, catalog->MessageText(226));
    EXPECT_FALSE(registry->IsTransferring());
}

TEST_F(SystemDialogTest, UnreachableHostShowsTheBusMessageAndStaysUsable) {
    chooseText("Comb_Intfc", "LAN(Socket)");
    type("Txt_LanPort", "1"); // nothing listens there
    find<QPushButton>("Btn_Trans_0")->click();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.shown.front().title, "Interface Error");
    EXPECT_NE(boxes.shown.front().text.indexOf("Cannot connect to 127.0.0.1:1"), -1)
        << boxes.shown.front().text.toStdString();
    EXPECT_FALSE(registry->GpibBusy(7));
    EXPECT_TRUE(find<QPushButton>("Btn_Trans_0")->isEnabled());
    EXPECT_TRUE(find<QTabWidget>("Tab_Setup")->isEnabled());
}

TEST_F(SystemDialogTest, LoopTestRunsUntilTheProgressWindowsCancel) {
    registry->SetLoopTest(true);
    SimulatorProcess sim(simDir(), {"--model", "ZWG-114"}, 100);
    useSimulator(sim);
    fillRamp();
    auto* count = dialog->progressWindow().findChild<QLabel*>("Label_Count");
    bool pressed = false;
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        if (!pressed && count->isVisible() && count->text().toInt() >= 2) {
            pressed = true;
            dialog->progressWindow().findChild<QPushButton*>("Btn_Cancel")->click();
        }
    });
    stopper.start(0);
    find<QPushButton>("Btn_Trans_1")->click(); // returns when the loop has ended
    stopper.stop();
    ASSERT_TRUE(pressed);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.last().title, "LoopTest");
    EXPECT_FALSE(dialog->transferRunning());
    EXPECT_FALSE(dialog->progressWindow().isVisible());
    EXPECT_FALSE(registry->GpibBusy(7));
    EXPECT_TRUE(find<QPushButton>("Btn_Trans_1")->isEnabled());
}
