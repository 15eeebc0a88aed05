// One opening of the setup window: Cancel puts everything back, closing
// writes what the settings store keeps; LAN addresses per model.
#include "SetupSession.h"
#include "FakeServices.h"
#include "LanAddress.h"
#include "SettingEditor.h"
#include "SetupFixture.h"
#include "TransferRequest.h"
#include "UsbTmcTable.h"

#include <gtest/gtest.h>

using namespace zw;
using zw::test::MemorySettings;
using zwtest::SetupFixture;

namespace {

class SetupSessionTest : public SetupFixture {
protected:
    MemorySettings store;
    SetupSession session{setting, store};
    SettingEditor editor{setting, Language::English};
};

} // namespace

TEST_F(SetupSessionTest, CancelPutsBackTheWholeSetting) {
    store.SetSetting("System", "GpibBoard", "1");
    setting.setSerialNumber("SN1");
    const DeviceInfo opened = setting.info();
    session.open();

    ASSERT_TRUE(editor.selectModel(dual));
    ASSERT_TRUE(editor.selectMemorySize(3));
    ASSERT_TRUE(editor.selectInterface(7));
    ASSERT_EQ(editor.typeOscillator(OscillatorField::Frequency, "3M"), EditResult::Kept);
    ASSERT_TRUE(editor.typeSerialNumber("SN2"));
    session.setLanAddress("ZWG-216", {"192.0.2.7", 5555});
    session.setLanAddress("ZWG-216", {"192.0.2.8", 6000});

    EXPECT_TRUE(session.cancel()); // 65536 points back to 1024
    EXPECT_TRUE(SameRecord(opened, setting.info()));
    EXPECT_EQ(setting.serialNumber(), "SN1");
    EXPECT_EQ(setting.interfaceType(), 1); // from "GpibBoard"
    const LanAddress lan = ReadLanAddress(store, "ZWG-216");
    EXPECT_EQ(lan.host, "127.0.0.1");
    EXPECT_EQ(lan.port, 5025);
    EXPECT_FALSE(session.cancel()); // nothing changed since
}

TEST_F(SetupSessionTest, MissingOrDamagedInterfaceSettingMeansUsb) {
    EXPECT_EQ(StoredInterfaceType(store), 3);
    store.SetSetting("System", "GpibBoard", "7x");
    EXPECT_EQ(StoredInterfaceType(store), 3);
    store.SetSetting("System", "GpibBoard", " 7 ");
    EXPECT_EQ(StoredInterfaceType(store), 7);
}

TEST_F(SetupSessionTest, ClosingWritesTheKeptKeys) {
    session.open();
    ASSERT_TRUE(editor.selectModel(dual));
    ASSERT_TRUE(editor.selectMemorySize(2));
    ASSERT_EQ(editor.typeAddress("22", std::nullopt, {}).result, EditResult::Kept);
    ASSERT_TRUE(editor.typeSerialNumber("SN42"));
    session.close();
    EXPECT_EQ(store.values["Sysinfo/sys_no"], std::to_string(dual));
    EXPECT_EQ(store.values["Sysinfo/memory_width_no"], "2");
    EXPECT_EQ(store.values["Sysinfo/Gpib_Address"], "22");
    EXPECT_EQ(store.values["System/GpibBoard"], "0");
    EXPECT_EQ(store.values["System/SerialNum"], "SN42");
}

TEST(LanAddress, PerModelWithDefaultsAndChecks) {
    MemorySettings store;
    EXPECT_EQ(ReadLanAddress(store, "ZWG-114").host, "127.0.0.1");
    EXPECT_EQ(ReadLanAddress(store, "ZWG-114").port, 5025);
    WriteLanAddress(store, "ZWG-114 ", {"gen-1.lab.example", 5026});
    EXPECT_EQ(store.values["LanSocket/ZWG-114.Host"], "gen-1.lab.example");
    EXPECT_EQ(store.values["LanSocket/ZWG-114.Port"], "5026");
    EXPECT_EQ(ReadLanAddress(store, "ZWG-114").port, 5026);
    EXPECT_EQ(ReadLanAddress(store, "ZWG-216").host, "127.0.0.1");
    // A damaged stored port reads as the default.
    store.SetSetting("LanSocket", "ZWG-114.Port", "70000");
    EXPECT_EQ(ReadLanAddress(store, "ZWG-114").port, 5025);

    EXPECT_EQ(ReadLanPort(" 1 "), 1);
    EXPECT_EQ(ReadLanPort("65535"), 65535);
    for (const char* bad : {"0", "65536", "-1", "80a", "", "5025.5"})
        EXPECT_FALSE(ReadLanPort(bad).has_value()) << bad;
    EXPECT_EQ(ReadLanHost(" 10.0.0.5 "), "10.0.0.5");
    EXPECT_EQ(ReadLanHost("fe80::1"), "fe80::1");
    for (const char* bad : {"", "   ", "a b", "host\tname"})
        EXPECT_FALSE(ReadLanHost(bad).has_value()) << bad;
}

TEST_F(SetupSessionTest, TransferJobIsTheSettingAsEdited) {
    ASSERT_TRUE(editor.selectModel(usbOnly));
    ASSERT_TRUE(editor.typeSerialNumber("SN0042"));
    const auto table = UsbTmcTable::Parse("ZWG-114,USB0::1::\nZWG-316U,USB0::0x1234::0x0316::\n");
    ASSERT_TRUE(table.has_value());
    const std::vector<int16_t> samples(20000, 7); // more than the memory holds
    const TransferJob job = MakeTransferJob(setting, &*table, samples);
    EXPECT_EQ(job.interfaceType, 3);
    EXPECT_EQ(job.setting.ModelIndex, usbOnly);
    EXPECT_EQ(job.samples.size(), 16384u);
    EXPECT_EQ(WaveformTransfer::UsbTmcIdentification(job), "USB0::0x1234::0x0316::SN0042");
    EXPECT_FALSE(job.scripts.scripts[kWaveTransfer].empty());
    // Without the table there is no prefix.
    EXPECT_EQ(MakeTransferJob(setting, nullptr, samples).usbIdPrefix, "");
}
