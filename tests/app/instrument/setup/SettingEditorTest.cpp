// Setting edits as the setup window makes them, on the bundled models: every
// value passes the model's limits or the record stays as it was, and the
// boxes show what was kept.
#include "SettingEditor.h"
#include "SetupFixture.h"

#include <gtest/gtest.h>

using namespace zw;
using zwtest::SetupFixture;

namespace {

class SettingEditorTest : public SetupFixture {
protected:
    SettingEditor editor{setting, Language::English};
};

std::vector<int> Types(const std::vector<InterfaceChoice>& choices) {
    std::vector<int> types;
    for (const auto& c : choices)
        types.push_back(c.interfaceType);
    return types;
}

} // namespace

TEST_F(SettingEditorTest, FrequencyAndPeriodStayConsistent) {
    EXPECT_EQ(editor.typeOscillator(OscillatorField::Frequency, "2.5k"), EditResult::Kept);
    EXPECT_DOUBLE_EQ(editor.info().Frequency, 2500.0);
    EXPECT_DOUBLE_EQ(editor.info().Cycle, 0.0004);
    EXPECT_EQ(editor.oscillatorText(OscillatorField::Frequency), "2.5k");
    EXPECT_EQ(editor.oscillatorText(OscillatorField::Period), "400u");

    // A period of 2 ms is the frequency 500 Hz.
    EXPECT_EQ(editor.typeOscillator(OscillatorField::Period, "2m"), EditResult::Kept);
    EXPECT_DOUBLE_EQ(editor.info().Frequency, 500.0);
    EXPECT_EQ(editor.oscillatorText(OscillatorField::Frequency), "500");
    EXPECT_EQ(editor.oscillatorText(OscillatorField::Period), "2m");
}

TEST_F(SettingEditorTest, RejectedValuesLeaveTheRecordAsItWas) {
    ASSERT_EQ(editor.typeOscillator(OscillatorField::Frequency, "1.2k"), EditResult::Kept);
    const DeviceInfo before = editor.info();
    // Above 10 MHz, below 1 mHz, a period of 0, letters, a unit letter twice.
    EXPECT_EQ(editor.typeOscillator(OscillatorField::Frequency, "20M"), EditResult::Rejected);
    EXPECT_EQ(editor.typeOscillator(OscillatorField::Frequency, "0.0001"), EditResult::Rejected);
    EXPECT_EQ(editor.typeOscillator(OscillatorField::Period, "0"), EditResult::NotANumber);
    EXPECT_EQ(editor.typeOscillator(OscillatorField::Frequency, "abc"), EditResult::NotANumber);
    EXPECT_EQ(editor.typeOscillator(OscillatorField::Amplitude, "1kk"), EditResult::NotANumber);
    EXPECT_EQ(editor.typeOscillator(OscillatorField::Frequency, "nan"), EditResult::NotANumber);
    // The 10 Vpp range: amplitude 0.01 .. 10, offset -5 .. 5.
    EXPECT_EQ(editor.typeOscillator(OscillatorField::Amplitude, "11"), EditResult::Rejected);
    EXPECT_EQ(editor.typeOscillator(OscillatorField::Offset, "-5.5"), EditResult::Rejected);
    EXPECT_TRUE(SameRecord(before, editor.info()));
    EXPECT_EQ(editor.oscillatorText(OscillatorField::Frequency), "1.2k");
}

TEST_F(SettingEditorTest, LimitsAreInclusiveAndLevelsUseThreeDecimals) {
    EXPECT_EQ(editor.typeOscillator(OscillatorField::Frequency, "10M"), EditResult::Kept);
    EXPECT_EQ(editor.typeOscillator(OscillatorField::Frequency, "1m"), EditResult::Kept);
    EXPECT_EQ(editor.typeOscillator(OscillatorField::Amplitude, "10"), EditResult::Kept);
    EXPECT_EQ(editor.typeOscillator(OscillatorField::Amplitude, "0.12345"), EditResult::Kept);
    EXPECT_EQ(editor.oscillatorText(OscillatorField::Amplitude), "123.45m");
    EXPECT_EQ(editor.typeOscillator(OscillatorField::Offset, "-5"), EditResult::Kept);
    EXPECT_EQ(editor.oscillatorText(OscillatorField::Offset), "-5");
}

TEST_F(SettingEditorTest, RangeChangeBringsTheLevelsIntoTheNewLimits) {
    ASSERT_EQ(editor.typeOscillator(OscillatorField::Amplitude, "5"), EditResult::Kept);
    ASSERT_TRUE(editor.selectRange(1)); // 1 Vpp: amplitude at most 1
    EXPECT_DOUBLE_EQ(editor.info().Amplitude, 1.0);
    EXPECT_EQ(editor.info().RangeIndex, 1);
    EXPECT_FALSE(editor.selectRange(2));
    EXPECT_FALSE(editor.selectRange(-1));
    EXPECT_EQ(editor.info().RangeIndex, 1);
}

TEST_F(SettingEditorTest, FrequencyWarningInTheWindowsLanguage) {
    const auto warning = editor.frequencyWarning(2e6);
    ASSERT_TRUE(warning.has_value());
    EXPECT_EQ(*warning, "Above 1 MHz the generator skips waveform points. Set this frequency?");
    EXPECT_FALSE(editor.frequencyWarning(1e6).has_value());
    EXPECT_FALSE(editor.frequencyWarning(20e6).has_value()); // refused anyway
    SettingEditor japanese(setting, Language::Japanese);
    const auto jp = japanese.frequencyWarning(2e6);
    ASSERT_TRUE(jp.has_value());
    EXPECT_TRUE(jp->startsWith(QString::fromUtf8("1MHz")));
}

TEST_F(SettingEditorTest, AddressRulesAndTheControllersAddress) {
    // The GPIB block of the model: 1 .. 30.
    const QString m228 = "This Address is Controller Address.\r";
    ASSERT_TRUE(editor.selectInterface(0));
    const int before = editor.info().Address;
    EXPECT_EQ(editor.typeAddress("31", 0, m228).result, EditResult::Rejected);
    EXPECT_EQ(editor.typeAddress("0", std::nullopt, m228).result, EditResult::Rejected);
    EXPECT_EQ(editor.typeAddress("x", 0, m228).result, EditResult::NotANumber);
    EXPECT_EQ(editor.typeAddress("2.5", 0, m228).result, EditResult::NotANumber);
    const AddressEdit own = editor.typeAddress("21", 21, m228);
    EXPECT_EQ(own.result, EditResult::Rejected);
    EXPECT_EQ(own.controllerMessage, "This Address is Controller Address.\r   Address: 21");
    EXPECT_EQ(editor.info().Address, before);
    EXPECT_EQ(editor.typeAddress(" 12 ", 0, m228).result, EditResult::Kept);
    EXPECT_EQ(editor.info().Address, 12);
}

TEST_F(SettingEditorTest, MemoryNumberFollowsTheMemorySize) {
    // 1K: memories 1 .. 8; 16K: 1 .. 2.
    EXPECT_EQ(editor.typeMemoryNumber("8"), EditResult::Kept);
    EXPECT_EQ(editor.typeMemoryNumber("9"), EditResult::Rejected);
    EXPECT_EQ(editor.info().MemoryNumber, 8);
    ASSERT_TRUE(editor.selectMemorySize(2));
    EXPECT_EQ(editor.info().MemorySize, 16384);
    EXPECT_EQ(editor.info().MemoryNumber, 2);
    EXPECT_FALSE(editor.selectMemorySize(3));
}

TEST_F(SettingEditorTest, SerialNumberMustBeginWithCapitalSN) {
    EXPECT_TRUE(editor.typeSerialNumber("SN123"));
    EXPECT_FALSE(editor.typeSerialNumber("sn456"));
    EXPECT_FALSE(editor.typeSerialNumber("123"));
    EXPECT_EQ(setting.serialNumber(), "SN123");
    EXPECT_TRUE(editor.typeSerialNumber(""));
}

TEST_F(SettingEditorTest, ModelChangeRefillsTheListsAndKeepsAnOfferedInterface) {
    ASSERT_TRUE(editor.selectModel(dual));
    EXPECT_EQ(editor.channelNames(), (QStringList{"CH1", "CH2"}));
    EXPECT_EQ(editor.memorySizeNames().size(), 4);
    EXPECT_EQ(Types(editor.interfaceChoices()), (std::vector<int>{3, 0, 1, 7}));
    EXPECT_EQ(setting.interfaceType(), 0);

    // No GPIB on the USB-only model: its first interface is taken.
    ASSERT_TRUE(editor.selectModel(usbOnly));
    EXPECT_EQ(Types(editor.interfaceChoices()), (std::vector<int>{3, 7}));
    EXPECT_EQ(setting.interfaceType(), 3);
    EXPECT_EQ(editor.interfaceIndex(), 0);
    EXPECT_FALSE(editor.selectInterface(0));
    EXPECT_TRUE(editor.selectInterface(7));
    EXPECT_EQ(editor.interfaceIndex(), 1);
    EXPECT_EQ(QString::fromLatin1(editor.info().ModelName), "ZWG-316U");
    EXPECT_FALSE(editor.selectModel(99));
}

TEST_F(SettingEditorTest, AnInterfaceChosenInTheSettingsStoreIsShown) {
    setting.setInterfaceType(4);
    const auto choices = editor.interfaceChoices();
    ASSERT_EQ(choices.back().interfaceType, 4);
    EXPECT_EQ(choices.back().text, "Simulator");
    EXPECT_EQ(editor.interfaceIndex(), static_cast<int>(choices.size()) - 1);
}

TEST_F(SettingEditorTest, UnitsAndNames) {
    editor.setUnitKind(Axis::X, 2);
    editor.setUnitKind(Axis::Y, 7); // no such kind: ignored
    EXPECT_EQ(editor.info().XUnit, 2);
    EXPECT_EQ(editor.info().YUnit, 0);
    EXPECT_EQ(editor.typeUnitLimit(UnitLimit::XEnd, "2.5m"), EditResult::Kept);
    EXPECT_EQ(editor.unitLimitText(UnitLimit::XEnd), "2.500000m");
    EXPECT_EQ(editor.typeUnitLimit(UnitLimit::YMin, "-3"), EditResult::Kept);
    EXPECT_EQ(editor.unitLimitText(UnitLimit::YMin), "-3.000");
    EXPECT_EQ(editor.typeUnitLimit(UnitLimit::YMax, "x"), EditResult::NotANumber);
    editor.setUnitName(Axis::X, "deg");
    editor.setUnitName(Axis::Y, QString::fromUtf8("ミリボルト")); // 15 bytes: cut
    EXPECT_EQ(editor.unitName(Axis::X), "deg");
    EXPECT_EQ(editor.unitName(Axis::Y), QString::fromUtf8("ミリ"));
}
