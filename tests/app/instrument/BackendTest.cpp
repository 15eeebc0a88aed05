// The back-ends over fake bus libraries that record their calls, the
// usbtmc device search over a fake sysfs tree, and the INI bus simulator.
#include "FakeServices.h"
#include "ScriptText.h"
#include "WaveformTransfer.h"
#include "bus/BackendFactory.h"
#include "bus/KiGpibBackend.h"
#include "bus/NiGpibBackend.h"
#include "bus/ProfileFile.h"
#include "bus/SimulatorBackend.h"
#include "bus/Usb488Backend.h"
#include "bus/UsbTmcBackend.h"

#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include <sstream>
#include <sys/stat.h>

using namespace zw;
using namespace zw::bus;
using namespace zw::test;
namespace fs = std::filesystem;

namespace {

// The test's own handle on a fake library: the back-end opens the same file,
// so both see one record.
class FakeLibrary {
public:
    explicit FakeLibrary(const char* path) : path_(path), handle_(dlopen(path, RTLD_NOW)) {
        reset_ = reinterpret_cast<void (*)()>(dlsym(handle_, "fake_reset"));
        set_ = reinterpret_cast<void (*)(const char*, const char*)>(dlsym(handle_, "fake_set"));
        log_ = reinterpret_cast<const char* (*)()>(dlsym(handle_, "fake_log"));
        reset_();
    }
    ~FakeLibrary() { dlclose(handle_); }
    void Set(const std::string& key, const std::string& value) { set_(key.c_str(), value.c_str()); }
    std::string Log() const { return log_(); }
    void ClearLog() {
        const std::string kept = log_();
        (void)kept;
        reset_();
    }
    // The log lines that start with one of the prefixes.
    std::vector<std::string> Lines(std::initializer_list<std::string_view> prefixes) const {
        std::vector<std::string> out;
        std::istringstream in(Log());
        std::string line;
        while (std::getline(in, line))
            for (std::string_view p : prefixes)
                if (line.rfind(p, 0) == 0)
                    out.push_back(line);
        return out;
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    void* handle_;
    void (*reset_)() = nullptr;
    void (*set_)(const char*, const char*) = nullptr;
    const char* (*log_)() = nullptr;
};

BusConfig Config(const std::string& text) {
    return BusConfig::Parse(text);
}

std::string TempDir(const std::string& name) {
    const std::string dir = ::testing::TempDir() + "/backend-" + name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

void WriteFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(NiGpibBackend, SetUpFindsTheBoardAndEachAddressGetsADevice) {
    FakeLibrary fake(ZW_FAKE_GPIB);
    NiGpibBackend backend;
    ASSERT_EQ(backend.Init(Config("MYADRS = 0, BOARD_NAME = GPIB0, LIBRARY = " + fake.Path())),
              kBusOk);
    EXPECT_EQ(fake.Log(), "ibfind gpib0\nibpad 3 0\nibsic 3\nibsre 3 1\nibtmo 3 10\n");
    fake.ClearLog();
    EXPECT_EQ(backend.SendStr(5, "FREQ 1"), kBusOk);
    fake.Set("reply", "+0\n");
    std::string reply;
    EXPECT_EQ(backend.ReceiveStr(5, reply), kBusOk);
    EXPECT_EQ(reply, "+0");
    int own = -1;
    EXPECT_EQ(backend.BoardAddress(own), kBusOk);
    EXPECT_EQ(own, 0);
    EXPECT_EQ(backend.DeviceClear(5), kBusOk);
    EXPECT_EQ(backend.GoToLocal(5), kBusOk);
    EXPECT_EQ(backend.LocalLockout(), kBusOk);
    EXPECT_EQ(backend.End(), kBusOk);
    EXPECT_EQ(fake.Log(), "ibdev 0 5 0 10 1 0\n"
                          "ibeot 15 1\n"
                          "ibwrt 15 7 FREQ 1<0A>\n"
                          "ibeos 15 1034\n"
                          "ibrd 15 65536\n"
                          "ibask 3 1\n"
                          "ibclr 15\n"
                          "ibloc 15\n"
                          "ibcmd 3 <11>\n"
                          "ibonl 15 0\n");
}

TEST(NiGpibBackend, MissingLibraryOrBoardIsANonexistentBoard) {
    NiGpibBackend backend;
    EXPECT_EQ(backend.Init(Config("LIBRARY = /nonexistent/libgpib.so.0")), kBusNoBoard);
    EXPECT_NE(backend.Detail().find("The GPIB library is not installed"), std::string::npos);
    FakeLibrary fake(ZW_FAKE_GPIB);
    EXPECT_EQ(backend.Init(Config("BOARD_NAME = gpib1, LIBRARY = " + fake.Path())), kBusNoBoard);
    EXPECT_EQ(backend.Init(Config("BOARD_NAME = gpib7, LIBRARY = " + fake.Path())), kBusError);
    std::string reply;
    EXPECT_EQ(backend.ReceiveStr(1, reply), kBusError); // nothing is open
}

TEST(NiGpibBackend, TimeoutAndOtherErrorsAreTold) {
    FakeLibrary fake(ZW_FAKE_GPIB);
    NiGpibBackend backend;
    ASSERT_EQ(backend.Init(Config("LIBRARY = " + fake.Path())), kBusOk);
    fake.Set("fail", "ibrd");
    fake.Set("iberr", "6");
    std::string reply;
    EXPECT_EQ(backend.ReceiveStr(2, reply), kBusTimeout);
    fake.Set("iberr", "2");
    EXPECT_EQ(backend.ReceiveStr(2, reply), kBusError);
    EXPECT_EQ(backend.Detail(), "ibrd failed, iberr 2");
}

TEST(NiGpibBackend, WaveformEndsItsMessageOnlyWithTheLastSample) {
    FakeLibrary fake(ZW_FAKE_GPIB);
    MemorySettings settings;
    settings.SetSetting("System", "NiGpibLibrary", fake.Path());
    RecordingMessages messages;
    FakeWindow window;
    InterfaceLibrary bus(messages, DefaultBackendFactory(messages));
    WaveformTransfer transfer(bus, settings, messages, window);
    std::vector<int16_t> wave(600, 0x0102);
    TransferJob job;
    job.interfaceType = kNiGpib;
    job.samples = wave;
    job.setting.MemorySize = 600;
    job.setting.MemoryNumber = 1;
    job.scripts.scripts[kGpibInit] = Script("preset = *RST");
    job.scripts.scripts[kWaveTransfer] =
        Script("arbmask = 0xFFFF\narbsend = DATA:DAC VOLATILE 0x2C _$Block");

    job.setting.Address = 0; // the board's own address
    EXPECT_EQ(transfer.TransferWaveform(job), TransferOutcome::Failed);
    EXPECT_EQ(messages.Texts("Error Message"),
              (std::vector<std::string>{"Interface address error. Check Address.\rAddress:0"}));
    EXPECT_EQ(settings.ownAddresses[kNiGpib], 0);
    EXPECT_TRUE(settings.busy.empty());

    fake.ClearLog();
    messages.boxes.clear();
    job.setting.Address = 5;
    EXPECT_EQ(transfer.TransferWaveform(job), TransferOutcome::Done);
    EXPECT_TRUE(messages.boxes.empty());
    std::vector<std::string> writes;
    for (const std::string& line : fake.Lines({"ibeot 15", "ibwrt 15"}))
        writes.push_back(line.substr(0, line.find(' ', 9)));
    EXPECT_EQ(writes, (std::vector<std::string>{"ibeot 15 1", "ibwrt 15 5",   // *RST
                                                "ibeot 15 0", "ibwrt 15 24",  // upload + header
                                                "ibeot 15 0", "ibwrt 15 512", //
                                                "ibeot 15 0", "ibwrt 15 512", //
                                                "ibeot 15 0", "ibwrt 15 174", //
                                                "ibeot 15 1", "ibwrt 15 2",   // last sample
                                                "ibeot 15 1", "ibwrt 15 13"}));
    EXPECT_NE(fake.Log().find("ibwrt 15 24 DATA:DAC VOLATILE,#41200\n"), std::string::npos);
    EXPECT_NE(fake.Log().find("ibwrt 15 13 :FUNC USER1<0D><0A>\n"), std::string::npos);
}

TEST(UsbTmcBackend, VisaOpensTheResourceAndEndsMessagesAsAsked) {
    FakeLibrary fake(ZW_FAKE_VISA);
    fake.Set("resource", "USB0::0x0D4A::0x000E::SN1234::INSTR");
    UsbTmcBackend backend;
    ASSERT_EQ(backend.Init(Config("USBTMC_ID = USB0::0x0D4A::0x000E::SN1234, VISA_LIBRARY = " +
                                  fake.Path())),
              kBusOk)
        << backend.Detail();
    EXPECT_EQ(backend.Route(), "VISA");
    fake.ClearLog();
    EXPECT_EQ(backend.SendStr(0, "*IDN?"), kBusOk);
    EXPECT_EQ(backend.Eoi(false), kBusOk);
    const std::vector<uint8_t> piece = {1, 2}, last = {3, 4};
    EXPECT_EQ(backend.SendBinary(0, piece), kBusOk);
    EXPECT_EQ(backend.Eoi(true), kBusOk);
    EXPECT_EQ(backend.SendBinary(0, last), kBusOk);
    fake.Set("reply", "ZW,X\n");
    std::string reply;
    EXPECT_EQ(backend.ReceiveStr(0, reply), kBusOk);
    EXPECT_EQ(reply, "ZW,X");
    EXPECT_EQ(fake.Lines({"viWrite"}),
              (std::vector<std::string>{"viWrite *IDN?<0A> END", "viWrite <01><02>",
                                        "viWrite <03><04><0A> END"}));
    fake.Set("reply", "");
    EXPECT_EQ(backend.ReceiveStr(0, reply), kBusTimeout);
}

TEST(UsbTmcBackend, UnknownInstrumentIsANonexistentBoard) {
    FakeLibrary fake(ZW_FAKE_VISA);
    fake.Set("resource", "USB0::1::2::SN1::INSTR");
    UsbTmcBackend backend;
    EXPECT_EQ(
        backend.Init(Config("USBTMC_ID = USB0::1::2::SN9::INSTR, VISA_LIBRARY = " + fake.Path())),
        kBusNoBoard);
    EXPECT_EQ(backend.Detail(), "VISA cannot open USB0::1::2::SN9::INSTR.");
    EXPECT_EQ(backend.Init(Config("VISA_LIBRARY = " + fake.Path())), kBusNoBoard);
}

TEST(UsbTmcDevice, ResourceNamesAreParsed) {
    auto r = ParseUsbResource("USB0::0x0D4A::0x000E::SN1234::INSTR");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->vendor, 0x0D4A);
    EXPECT_EQ(r->product, 0x000E);
    EXPECT_EQ(r->serial, "SN1234");
    r = ParseUsbResource("usb::3402::14::77::0::INSTR");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->vendor, 3402);
    EXPECT_EQ(r->serial, "77");
    EXPECT_FALSE(ParseUsbResource("GPIB0::5::INSTR"));
    EXPECT_FALSE(ParseUsbResource("USB0::0xZZ::1::S::INSTR"));
    EXPECT_FALSE(ParseUsbResource("USB0::0x10000::1::S"));
    EXPECT_EQ(VisaResourceName(" USB0::1::2::S "), "USB0::1::2::S::INSTR");
    EXPECT_EQ(VisaResourceName("USB0::1::2::S::instr"), "USB0::1::2::S::instr");
}

namespace {

// sysfs as the kernel lays it out: the class entry's "device" link leads
// to the USB interface, whose parent folder describes the USB device.
std::string FakeSysfs(const std::string& dir) {
    auto device = [&](const std::string& tmc, const std::string& usb, const std::string& vendor,
                      const std::string& product, const std::string& serial) {
        const fs::path usbDevice = fs::path(dir) / "sys/devices/pci0/usb1" / usb;
        WriteFile(usbDevice / "idVendor", vendor + "\n");
        WriteFile(usbDevice / "idProduct", product + "\n");
        WriteFile(usbDevice / "serial", serial + "\n");
        fs::create_directories(usbDevice / (usb + ":1.0"));
        const fs::path entry = fs::path(dir) / "sys/class/usbmisc" / tmc;
        fs::create_directories(entry);
        fs::create_directory_symlink(usbDevice / (usb + ":1.0"), entry / "device");
        WriteFile(fs::path(dir) / "dev" / tmc, "");
    };
    device("usbtmc0", "1-1", "0d4a", "000e", "1234");
    device("usbtmc1", "1-2", "0d4a", "000e", "9999");
    device("usbtmc2", "1-3", "1ab1", "0642", "1234");
    fs::create_directories(fs::path(dir) / "sys/class/usbmisc/hiddev0");
    return dir;
}

} // namespace

TEST(UsbTmcDevice, DeviceIsFoundByVendorProductAndSerial) {
    const std::string dir = FakeSysfs(TempDir("sysfs"));
    const std::string sys = dir + "/sys", dev = dir + "/dev";
    auto find = [&](uint16_t vendor, uint16_t product, const std::string& serial) {
        return FindUsbTmcDevice({0, vendor, product, serial}, sys, dev).value_or("none");
    };
    EXPECT_EQ(find(0x0D4A, 0x000E, "SN1234"), dev + "/usbtmc0");
    EXPECT_EQ(find(0x0D4A, 0x000E, "1234"), dev + "/usbtmc0");
    EXPECT_EQ(find(0x0D4A, 0x000E, "SN9999"), dev + "/usbtmc1");
    EXPECT_EQ(find(0x1AB1, 0x0642, "SN1234"), dev + "/usbtmc2");
    EXPECT_EQ(find(0x0D4A, 0x000E, "sn1234"), "none"); // serial numbers keep their case
    EXPECT_EQ(find(0x0D4A, 0x000F, "SN1234"), "none");
    EXPECT_EQ(FindUsbTmcDevice({0, 1, 2, "x"}, dir + "/missing", dev), std::nullopt);
}

TEST(UsbTmcBackend, WithoutVisaTheKernelDriversDeviceIsUsed) {
    const std::string dir = FakeSysfs(TempDir("kernel"));
    UsbTmcBackend backend(dir + "/sys", dir + "/dev");
    ASSERT_EQ(backend.Init(Config("USBTMC_ID = USB0::0x0D4A::0x000E::SN9999, "
                                  "VISA_LIBRARY = /nonexistent/libvisa.so")),
              kBusOk)
        << backend.Detail();
    EXPECT_EQ(backend.Route(), "usbtmc");
    EXPECT_EQ(backend.SendStr(0, "*RST"), kBusOk);
    EXPECT_EQ(backend.Eoi(false), kBusOk);
    const std::vector<uint8_t> bytes = {'A', 'B'};
    EXPECT_EQ(backend.SendBinary(0, bytes), kBusOk);
    EXPECT_EQ(backend.End(), kBusOk);
    EXPECT_EQ(ReadFile(dir + "/dev/usbtmc1"), "*RST\nAB");

    UsbTmcBackend none(dir + "/sys", dir + "/dev");
    EXPECT_EQ(none.Init(Config("USBTMC_ID = USB0::0x0D4A::0x000E::SN5555, "
                               "VISA_LIBRARY = /nonexistent/libvisa.so")),
              kBusNoBoard);
    EXPECT_NE(none.Detail().find("no usbtmc device matches"), std::string::npos);
}

TEST(Usb488Backend, OpensTheDeviceOfItsIdAndSendsWithOrWithoutEnd) {
    FakeLibrary fake(ZW_FAKE_USB488);
    fake.Set("id", "3");
    Usb488Backend backend;
    ASSERT_EQ(backend.Init(Config("USB488ID = 3, LIBRARY = " + fake.Path())), kBusOk);
    EXPECT_EQ(backend.SendStr(3, "FREQ 1"), kBusOk);
    backend.Eoi(false);
    const std::vector<uint8_t> bytes = {0x12, 0x34};
    EXPECT_EQ(backend.SendBinary(3, bytes), kBusOk);
    fake.Set("reply", "+0\n");
    std::string reply;
    EXPECT_EQ(backend.ReceiveStr(3, reply), kBusOk);
    EXPECT_EQ(reply, "+0");
    EXPECT_EQ(backend.DeviceClear(3), kBusOk);
    fake.Set("reply", "");
    EXPECT_EQ(backend.ReceiveStr(3, reply), kBusTimeout);
    backend.End();
    EXPECT_EQ(fake.Log(), "UsbInitialize\nUsbOpenDevice 3\nUsbSetTimeout 300\n"
                          "UsbSendTextData FREQ 1<0A> 1\nUsbSendBinary 2 0 <12>4\n"
                          "UsbReceiveTextData\nUsbDevClear\nUsbCloseDevice 7\nUsbFinalize\n");
    EXPECT_EQ(backend.Init(Config("USB488ID = 4, LIBRARY = " + fake.Path())), kBusNoBoard);
    EXPECT_EQ(backend.Detail(), "No USB488 device with the ID 4.");
    EXPECT_EQ(backend.Init(Config("USB488ID = 3")), kBusNoBoard);
}

TEST(KiGpibBackend, DrivesTheLibraryWithCommandTexts) {
    FakeLibrary fake(ZW_FAKE_KI);
    KiGpibBackend backend;
    ASSERT_EQ(backend.Init(Config("MYADRS = 0, LIBRARY = " + fake.Path())), kBusOk);
    EXPECT_EQ(backend.SendStr(5, "FREQ 1"), kBusOk);
    EXPECT_EQ(backend.SendStr(5, "NAME 'A'"), kBusOk);
    fake.Set("reply", "0\n");
    std::string reply;
    EXPECT_EQ(backend.ReceiveStr(5, reply), kBusOk);
    EXPECT_EQ(reply, "0");
    EXPECT_EQ(backend.DeviceClear(5), kBusOk);
    EXPECT_EQ(backend.GoToLocal(5), kBusOk);
    EXPECT_EQ(backend.TimeOut(12), kBusOk);
    EXPECT_EQ(backend.TimeoutLogName(3), "55ms");
    EXPECT_EQ(fake.Log(), "initialize 0 0\nsettimeout 330\n"
                          "transmit UNL LISTEN 5 DATA 'FREQ 1<0A>' EOI\n"
                          "transmit UNL TALK MTA LISTEN 5\ntarray 9 1 NAME\ntransmit UNT UNL\n"
                          "transmit UNL LISTEN MLA TALK 5\nreceive\ntransmit UNT UNL\n"
                          "transmit UNL LISTEN 5 SDC\ntransmit UNL LISTEN 5 GTL\n"
                          "settimeout 3025\n");
    fake.Set("absent", "1");
    EXPECT_EQ(backend.Init(Config("LIBRARY = " + fake.Path())), kBusNoBoard);
    EXPECT_EQ(backend.Init(Config("MYADRS = 0")), kBusNoBoard);
}

TEST(ProfileFile, ReadsLikeTheDesktopProfileFunction) {
    const std::string path = TempDir("profile") + "/sim.ini";
    WriteFile(path, "; replies of the simulated instruments\n"
                    "[ADRS5]\n"
                    "*IDN? = \"ZW,SIM-ARB,0,1.00\"\n"
                    "  *esr?=0  \n"
                    "*ESR?=first wins only once\n"
                    "[ adrs6 ]\n"
                    "*IDN?=six\n");
    EXPECT_EQ(ReadProfileString(path, "ADRS5", "*IDN?", 100), "ZW,SIM-ARB,0,1.00");
    EXPECT_EQ(ReadProfileString(path, "adrs5", "*ESR?", 100), "0");
    EXPECT_EQ(ReadProfileString(path, "ADRS6", "*idn?", 100), "six");
    EXPECT_EQ(ReadProfileString(path, "ADRS6", "*idn?", 3), "si");
    EXPECT_EQ(ReadProfileString(path, "ADRS7", "*IDN?", 100), std::nullopt);
    EXPECT_EQ(ReadProfileString(path + ".none", "ADRS5", "*IDN?", 100), std::nullopt);
    // A FIFO without a writer would block a plain open; it is no profile.
    ASSERT_EQ(::mkfifo((path + ".fifo").c_str(), 0644), 0);
    EXPECT_EQ(ReadProfileString(path + ".fifo", "ADRS5", "*IDN?", 100), std::nullopt);
}

TEST(SimulatorBackend, AnswersTheLastCommandFromTheIniFile) {
    const std::string path = TempDir("simulator") + "/sim.ini";
    WriteFile(path, "[ADRS5]\n*IDN?=ZW,SIM-ARB,0,1.00\nLONG=" + std::string(99, 'x') +
                        "\nFITS=" + std::string(98, 'y') + "\n");
    RecordingMessages messages;
    SimulatorBackend backend(messages);
    ASSERT_EQ(backend.Init(Config("MYADRS = 0, INI_FILE = " + path)), kBusOk);
    std::string reply;
    backend.SendStr(5, "*IDN?");
    EXPECT_EQ(backend.ReceiveStr(5, reply), kBusOk);
    EXPECT_EQ(reply, "ZW,SIM-ARB,0,1.00");
    backend.SendStr(5, "LONG");
    backend.ReceiveStr(5, reply);
    EXPECT_EQ(reply, "Buffer Over");
    backend.SendStr(5, "FITS");
    backend.ReceiveStr(5, reply);
    EXPECT_EQ(reply, std::string(98, 'y'));
    backend.SendStr(5, "UNKNOWN?");
    backend.ReceiveStr(5, reply);
    EXPECT_EQ(reply, "");
    backend.ReceiveStr(6, reply);
    EXPECT_EQ(reply, "");
    EXPECT_TRUE(messages.inputs.empty());
}

TEST(SimulatorBackend, ResponseDialogAsksTheUser) {
    RecordingMessages messages;
    messages.inputReply = "typed";
    SimulatorBackend backend(messages);
    ASSERT_EQ(backend.Init(Config("RESPONSE_DIALOG = true")), kBusOk);
    backend.SendStr(5, "*IDN?");
    std::string reply;
    EXPECT_EQ(backend.ReceiveStr(5, reply), kBusOk);
    EXPECT_EQ(reply, "typed");
    ASSERT_EQ(messages.inputs.size(), 1u);
    EXPECT_EQ(messages.inputs[0].title, "Receive Data");
    EXPECT_EQ(messages.inputs[0].text, "5の応答メッセージを入力してください");
    messages.inputReply.reset();
    backend.ReceiveStr(5, reply);
    EXPECT_EQ(reply, "");
}

TEST(SimulatorBackend, SettingTransferOverTheSimulatorChecksTheIdentity) {
    const std::string path = TempDir("simulated-transfer") + "/sim.ini";
    WriteFile(path, "[ADRS2]\n*IDN?=ZW,SIM-ARB,0,1.00\n*ESR?=+0\n");
    MemorySettings settings;
    settings.SetSetting("System", "SimIniFile", path);
    RecordingMessages messages;
    FakeWindow window;
    InterfaceLibrary bus(messages, DefaultBackendFactory(messages));
    WaveformTransfer transfer(bus, settings, messages, window);
    TransferJob job;
    job.interfaceType = kSimulator;
    job.setting.Address = 2;
    job.setting.Frequency = 50;
    job.scripts.scripts[kGpibInit] =
        Script("getsts = *ESR?\nerrmask = 0xFF\nmodel = *IDN?,4,7,SIM-ARB");
    job.scripts.scripts[kSystemTransfer] = Script("freq = FREQ,0.0");
    EXPECT_EQ(transfer.TransferSetting(job), TransferOutcome::Done);
    EXPECT_TRUE(messages.boxes.empty());
    job.scripts.scripts[kGpibInit] = Script("model = *IDN?,4,7,OTHER");
    EXPECT_EQ(transfer.TransferSetting(job), TransferOutcome::Failed);
    EXPECT_EQ(messages.Texts("Error Message"),
              (std::vector<std::string>{"Interface command error. Check Model.\r"}));
}

TEST(BackendFactory, EveryInterfaceTypeHasItsBackEnd) {
    RecordingMessages messages;
    EXPECT_EQ(MakeBackend(kNiGpib, messages)->Name(), "NI GPIB");
    EXPECT_EQ(MakeBackend(kKiGpib, messages)->Name(), "KI GPIB");
    EXPECT_EQ(MakeBackend(kUsbTmc, messages)->Name(), "USB(TMC)");
    EXPECT_EQ(MakeBackend(kSimulator, messages)->Name(), "Simulator");
    EXPECT_EQ(MakeBackend(kUsb488, messages)->Name(), "USB488");
    EXPECT_EQ(MakeBackend(kLanSocket, messages)->Name(), "LAN(Socket)");
    EXPECT_EQ(MakeBackend(2, messages), nullptr);
    EXPECT_EQ(MakeBackend(5, messages), nullptr);
}

TEST(BackendFactory, MissingLibraryBoxSaysWhatIsMissing) {
    RecordingMessages messages;
    InterfaceLibrary bus(messages, DefaultBackendFactory(messages));
    bus.SetInterfaceType(kKiGpib);
    EXPECT_EQ(bus.GpSetup(), kBusNoBoard);
    EXPECT_EQ(
        messages.Texts("Interface Error"),
        (std::vector<std::string>{"Nonexistent interface board\rModule IntfcLib : Function Setup\r"
                                  "No KI GPIB library is set (setting System/KiGpibLibrary)."}));
}
