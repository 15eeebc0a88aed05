// The system setup file: its bytes at the fixed offsets, round trips through
// the current setting, and files that must change nothing.
#include "SetupFile.h"
#include "SettingEditor.h"
#include "SetupFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace zw;
using zwtest::SetupFixture;

namespace {

constexpr int kBlock = 326;

int16_t Word(const QByteArray& b, int at) {
    return static_cast<int16_t>(static_cast<uint8_t>(b[at]) |
                                (static_cast<uint8_t>(b[at + 1]) << 8));
}
double Real(const QByteArray& b, int at) {
    double v;
    std::memcpy(&v, b.constData() + at, 8); // the build machine is little-endian
    return v;
}
void PutWord(QByteArray& b, int at, int16_t v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
void PutReal(QByteArray& b, int at, double v) {
    std::memcpy(b.data() + at, &v, 8);
}
void PutText(QByteArray& b, int at, int size, const char* text) {
    for (int i = 0; i < size; ++i)
        b[at + i] = '\0';
    std::memcpy(b.data() + at, text, std::strlen(text));
}

class SetupFileTest : public SetupFixture {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QByteArray bytesOf(const QString& file) const {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const QString& file, const QByteArray& bytes) const {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    // A valid block of the dual-channel model, made by saving.
    QByteArray savedBlock(int interfaceType = 0) {
        SettingEditor editor(setting, Language::English);
        EXPECT_TRUE(editor.selectModel(dual));
        setting.setInterfaceType(interfaceType);
        const QString file = path("base.ocb");
        EXPECT_EQ(SaveSetupFile(file, setting), 0);
        return bytesOf(file);
    }
    // Reading `bytes` must fail and leave the setting exactly as it was.
    void expectRefused(const QByteArray& bytes) {
        const DeviceInfo before = setting.info();
        const int typeBefore = setting.interfaceType();
        write(path("bad.ocb"), bytes);
        EXPECT_EQ(ReadSetupFile(path("bad.ocb"), setting), kSetupFileReadError);
        EXPECT_TRUE(SameRecord(before, setting.info()));
        EXPECT_EQ(setting.interfaceType(), typeBefore);
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(SetupFileTest, FirstWordAndOutputStateAsStored) {
    setting.setInterfaceType(1);
    ASSERT_TRUE(setting.selectModel(usbOnly));
    ASSERT_EQ(usbOnly, 2);
    setting.info().OutputState = ZW_OUTPUT_NO_CHANGE;
    ASSERT_EQ(SaveSetupFile(path("a.ocb"), setting), 0);
    QByteArray bytes = bytesOf(path("a.ocb"));
    ASSERT_EQ(bytes.size(), kBlock);
    EXPECT_EQ(Word(bytes, 0), 258);
    EXPECT_EQ(Word(bytes, 136), 2);
    EXPECT_EQ(QByteArray(bytes.constData() + 2, 8), "ZWG-316U");

    setting.info().OutputState = ZW_OUTPUT_ON;
    ASSERT_EQ(SaveSetupFile(path("b.ocb"), setting), 0);
    EXPECT_EQ(Word(bytesOf(path("b.ocb")), 136), -1);
    setting.info().OutputState = ZW_OUTPUT_OFF;
    ASSERT_EQ(SaveSetupFile(path("c.ocb"), setting), 0);
    EXPECT_EQ(Word(bytesOf(path("c.ocb")), 136), 0);

    // Read back: no change, on and off as they were.
    ASSERT_EQ(ReadSetupFile(path("a.ocb"), setting), 0);
    EXPECT_EQ(setting.info().OutputState, ZW_OUTPUT_NO_CHANGE);
    ASSERT_EQ(ReadSetupFile(path("b.ocb"), setting), 0);
    EXPECT_EQ(setting.info().OutputState, ZW_OUTPUT_ON);
}

TEST_F(SetupFileTest, EditedSettingRoundTrips) {
    SettingEditor editor(setting, Language::English);
    ASSERT_TRUE(editor.selectModel(dual));
    ASSERT_TRUE(editor.selectInterface(1));
    ASSERT_EQ(editor.typeAddress("17", std::nullopt, {}).result, EditResult::Kept);
    ASSERT_TRUE(editor.selectMemorySize(2));
    ASSERT_TRUE(editor.setMemoryNumber(3));
    editor.setMemoryName("WAVE 7");
    ASSERT_TRUE(editor.selectChannel(1));
    ASSERT_TRUE(editor.selectRange(1));
    ASSERT_EQ(editor.typeOscillator(OscillatorField::Frequency, "123.456k"), EditResult::Kept);
    ASSERT_EQ(editor.typeOscillator(OscillatorField::Amplitude, "0.25"), EditResult::Kept);
    ASSERT_EQ(editor.typeOscillator(OscillatorField::Offset, "-0.125"), EditResult::Kept);
    editor.setOffsetSwitch(true);
    editor.setOutputState(ZW_OUTPUT_OFF);
    editor.setUnitKind(Axis::X, 1);
    editor.setUnitKind(Axis::Y, 2);
    ASSERT_EQ(editor.typeUnitLimit(UnitLimit::YMax, "7.5"), EditResult::Kept);
    editor.setUnitName(Axis::Y, "mA");
    const DeviceInfo saved = setting.info();
    ASSERT_EQ(SaveSetupFile(path("round.ocb"), setting), 0);

    const QByteArray bytes = bytesOf(path("round.ocb"));
    EXPECT_EQ(Word(bytes, 0), 1 * 256 + dual);
    EXPECT_EQ(Word(bytes, 18), 17);
    EXPECT_EQ(Word(bytes, 108), 3);
    EXPECT_EQ(QByteArray(bytes.constData() + 116, 6), "WAVE 7");
    EXPECT_EQ(Word(bytes, 134), 1);
    EXPECT_DOUBLE_EQ(Real(bytes, 138), 123456.0);
    EXPECT_EQ(Word(bytes, 202), 1);
    EXPECT_DOUBLE_EQ(Real(bytes, 206), 0.25);
    EXPECT_DOUBLE_EQ(Real(bytes, 240), -0.125);
    EXPECT_EQ(Word(bytes, 272), 1);
    EXPECT_EQ(Word(bytes, 292), 2);
    EXPECT_DOUBLE_EQ(Real(bytes, 302), 7.5);

    ASSERT_TRUE(setting.selectModel(single));
    setting.setInterfaceType(3);
    ASSERT_EQ(ReadSetupFile(path("round.ocb"), setting), 0);
    const DeviceInfo& read = setting.info();
    EXPECT_EQ(setting.interfaceType(), 1);
    EXPECT_EQ(read.ModelIndex, dual);
    EXPECT_EQ(read.Address, 17);
    EXPECT_EQ(read.MemorySize, 16384);
    EXPECT_EQ(read.MemoryNumber, 3);
    EXPECT_EQ(read.ChannelIndex, 1);
    EXPECT_EQ(read.RangeIndex, 1);
    EXPECT_DOUBLE_EQ(read.Frequency, 123456.0);
    EXPECT_DOUBLE_EQ(read.FrequencyReso, saved.FrequencyReso);
    EXPECT_DOUBLE_EQ(read.Amplitude, 0.25);
    EXPECT_DOUBLE_EQ(read.Offset, -0.125);
    EXPECT_EQ(read.OffsetSwitchState, 1);
    EXPECT_EQ(read.OutputState, ZW_OUTPUT_OFF);
    EXPECT_EQ(read.XUnit, 1);
    EXPECT_EQ(read.YUnit, 2);
    EXPECT_DOUBLE_EQ(read.YUserMax, 7.5);
    EXPECT_EQ(editor.unitName(Axis::Y), "mA");
    EXPECT_EQ(QString::fromLatin1(read.ModelName), "ZWG-216");
}

TEST_F(SetupFileTest, SmallFirstWordKeepsTheInterface) {
    QByteArray bytes = savedBlock(7);
    PutWord(bytes, 0, static_cast<int16_t>(dual));
    write(path("word.ocb"), bytes);
    setting.setInterfaceType(1);
    ASSERT_EQ(ReadSetupFile(path("word.ocb"), setting), 0);
    EXPECT_EQ(setting.interfaceType(), 1);
    EXPECT_EQ(setting.info().ModelIndex, dual);
}

TEST_F(SetupFileTest, ValuesOutsideTheModelsLimitsAreBroughtBack) {
    QByteArray bytes = savedBlock();
    PutWord(bytes, 18, 99);   // address: GPIB 1 .. 30, factory 10
    PutWord(bytes, 20, -500); // address limits as stored are not trusted
    PutWord(bytes, 22, 500);
    PutWord(bytes, 88, 9);      // memory size index past the list
    PutWord(bytes, 108, 40);    // memory number past the size's maximum
    PutWord(bytes, 134, 5);     // channel past the list
    PutReal(bytes, 138, 1e9);   // frequency above 10 MHz
    PutReal(bytes, 154, 1e12);  // its stored maximum is not trusted
    PutWord(bytes, 202, -3);    // range index negative
    PutReal(bytes, 206, 100.0); // amplitude above the range's 10
    PutReal(bytes, 222, 1000.0);
    PutReal(bytes, 240, -50.0); // offset below -5
    write(path("wild.ocb"), bytes);
    ASSERT_EQ(ReadSetupFile(path("wild.ocb"), setting), 0);
    const DeviceInfo& r = setting.info();
    EXPECT_EQ(r.Address, 10);
    EXPECT_EQ(r.AddressMin, 1);
    EXPECT_EQ(r.AddressMax, 30);
    EXPECT_EQ(r.MemorySizeIndex, 0);
    EXPECT_EQ(r.MemorySize, 1024);
    EXPECT_EQ(r.MemoryNumber, 16);
    EXPECT_EQ(r.ChannelIndex, 0);
    EXPECT_EQ(r.RangeIndex, 0);
    EXPECT_DOUBLE_EQ(r.FrequencyMax, 10e6);
    EXPECT_GE(r.Frequency, r.FrequencyMin);
    EXPECT_LE(r.Frequency, r.FrequencyMax);
    EXPECT_DOUBLE_EQ(r.AmplitudeMax, 10.0);
    EXPECT_LE(r.Amplitude, 10.0);
    EXPECT_GE(r.Offset, -5.0);
}

TEST_F(SetupFileTest, AModelNamedInTheFileIsFoundByItsName) {
    QByteArray bytes = savedBlock();
    PutWord(bytes, 0, static_cast<int16_t>(single)); // index of another model
    write(path("named.ocb"), bytes);
    ASSERT_EQ(ReadSetupFile(path("named.ocb"), setting), 0);
    EXPECT_EQ(setting.info().ModelIndex, dual);
}

TEST_F(SetupFileTest, FilesThatChangeNothing) {
    const QByteArray good = savedBlock();
    ASSERT_TRUE(setting.selectModel(single));
    setting.setInterfaceType(0);

    expectRefused(good.left(kBlock - 1)); // short
    expectRefused(QByteArray());          // empty

    QByteArray unknownIndex = good;
    PutWord(unknownIndex, 0, 200);
    PutText(unknownIndex, 2, 16, "");
    expectRefused(unknownIndex);

    QByteArray unknownName = good;
    PutText(unknownName, 2, 16, "ZWG-999");
    expectRefused(unknownName);

    QByteArray unknownInterface = good;
    PutWord(unknownInterface, 0, static_cast<int16_t>(5 * 256 + dual));
    expectRefused(unknownInterface);

    QByteArray negativeWord = good;
    PutWord(negativeWord, 0, -1);
    expectRefused(negativeWord);

    QByteArray badOutput = good;
    PutWord(badOutput, 136, 1);
    expectRefused(badOutput);

    QByteArray badUnit = good;
    PutWord(badUnit, 274, 3);
    expectRefused(badUnit);

    QByteArray notFinite = good;
    PutReal(notFinite, 138, std::numeric_limits<double>::quiet_NaN());
    expectRefused(notFinite);
    PutReal(notFinite, 138, 1000.0);
    PutReal(notFinite, 302, std::numeric_limits<double>::infinity());
    expectRefused(notFinite);

    const DeviceInfo before = setting.info();
    EXPECT_EQ(ReadSetupFile(path("missing.ocb"), setting), kSetupFileReadError);
    EXPECT_EQ(ReadSetupFile(dir.path(), setting), kSetupFileReadError);
    EXPECT_TRUE(SameRecord(before, setting.info()));
}

TEST_F(SetupFileTest, AFailedSaveKeepsTheOldFile) {
    ASSERT_EQ(SaveSetupFile(path("keep.ocb"), setting), 0);
    const QByteArray before = bytesOf(path("keep.ocb"));
    EXPECT_EQ(SaveSetupFile(path("no/such/folder/x.ocb"), setting), kSetupFileWriteError);
    setting.info().OutputState = 9; // the codec refuses it
    EXPECT_EQ(SaveSetupFile(path("keep.ocb"), setting), kSetupFileWriteError);
    EXPECT_EQ(bytesOf(path("keep.ocb")), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.ocb"});
}
