// Unit conversions, read-out formats and limits; decoding of file texts.
#include "Units.h"
#include "TextCodec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

using namespace zw;

namespace {

UnitSetting timeAndVolts() {
    UnitSetting s;
    s.XUnit = 1;
    s.YUnit = 1;
    s.WaveLength = 1000;
    s.Cycle = 0.001;
    s.Amplitude = 10;
    s.AmplitudeMin = 0.01;
    s.AmplitudeMax = 10;
    return s;
}

UnitSetting userUnits() {
    UnitSetting s;
    s.XUnit = 2;
    s.YUnit = 2;
    s.WaveLength = 1000;
    s.XUserStart = 10;
    s.XUserEnd = 20;
    s.YUserMin = -1;
    s.YUserMax = 1;
    s.XUnitName = "deg";
    s.YUnitName = "%";
    return s;
}

} // namespace

TEST(Units, TimeAndVolts) {
    const Units u(timeAndVolts());
    EXPECT_DOUBLE_EQ(u.XPositionToUnit(500), 0.0005);
    EXPECT_EQ(u.FormatXPosition(500), "500.000u");
    EXPECT_EQ(u.FormatXPositionLong(500), "500.000000u");
    EXPECT_DOUBLE_EQ(u.XUnitToPosition(0.0005), 500);
    EXPECT_DOUBLE_EQ(u.XUnitToDistance(0.0001), 100);
    EXPECT_EQ(u.FormatXDistance(100), "100.000u");
    EXPECT_EQ(u.YCodeToUnit(32767), 5.0);
    EXPECT_EQ(u.FormatYValue(32767), "5.000000 ");
    EXPECT_DOUBLE_EQ(u.YUnitToCode(5), 32767);
    EXPECT_DOUBLE_EQ(u.YDifferenceToUnit(65534), 10);
    EXPECT_DOUBLE_EQ(u.YUnitToDifference(10), 65534);
    EXPECT_EQ(u.UnitTextX(), "sec");
    EXPECT_EQ(u.UnitTextY(), "V");
}

TEST(Units, TheOffsetCountsUnlessTheSwitchIsOff) {
    UnitSetting s = timeAndVolts();
    s.Offset = 1;
    s.OffsetSwitchAvailable = true;
    s.OffsetSwitchOn = false;
    EXPECT_EQ(Units(s).YCodeToUnit(0), 0);
    s.OffsetSwitchOn = true;
    EXPECT_EQ(Units(s).YCodeToUnit(0), 1);
    EXPECT_DOUBLE_EQ(Units(s).YUnitToCode(1), 0);
    s.OffsetSwitchAvailable = false;
    s.OffsetSwitchOn = false;
    EXPECT_EQ(Units(s).YCodeToUnit(0), 1);
    EXPECT_DOUBLE_EQ(Units(s).YDifferenceToUnit(65534), 10); // differences have no offset
}

TEST(Units, SamplesAndCodes) {
    UnitSetting s;
    s.WaveLength = 65536;
    const Units u(s);
    EXPECT_EQ(u.FormatXPosition(500), "500.0000");
    EXPECT_EQ(u.FormatXPosition(65536), "65536.00");
    EXPECT_EQ(u.FormatXPositionLong(10.5), "10.50000000");
    EXPECT_EQ(u.FormatYValue(-32768), "-32768.0");
    EXPECT_EQ(u.FormatYDifference(65534), "65534.00");
    EXPECT_EQ(u.XUnitToPosition(12.5), 12.5);
    EXPECT_EQ(u.YUnitToCode(-7), -7);
    EXPECT_EQ(u.UnitTextX(), "Word");
    EXPECT_EQ(u.UnitTextY(), "");
}

TEST(Units, UserUnits) {
    const Units u(userUnits());
    EXPECT_DOUBLE_EQ(u.XPositionToUnit(500), 15);
    EXPECT_DOUBLE_EQ(u.XUnitToPosition(15), 500);
    EXPECT_DOUBLE_EQ(u.XDistanceToUnit(100), 1);
    EXPECT_DOUBLE_EQ(u.XUnitToDistance(1), 100);
    EXPECT_EQ(u.FormatXPosition(500), "15.00000 ");
    EXPECT_DOUBLE_EQ(u.YCodeToUnit(32767), 1);
    EXPECT_DOUBLE_EQ(u.YCodeToUnit(-32767), -1);
    EXPECT_DOUBLE_EQ(u.YUnitToCode(0.5), 16383.5);
    EXPECT_EQ(u.UnitTextX(), "deg");
    EXPECT_EQ(u.UnitTextY(), "%");
}

TEST(Units, ConversionsReadBack) {
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> sample(0, 65536), code(-32768, 32767);
    for (UnitSetting s : {timeAndVolts(), userUnits(), UnitSetting{}}) {
        s.WaveLength = 65536;
        s.Offset = 0.25;
        const Units u(s);
        for (int i = 0; i < 500; ++i) {
            const double x = sample(rng), c = code(rng);
            EXPECT_NEAR(u.XUnitToPosition(u.XPositionToUnit(x)), x, 1e-9);
            EXPECT_NEAR(u.XUnitToDistance(u.XDistanceToUnit(x)), x, 1e-9);
            EXPECT_NEAR(u.YUnitToCode(u.YCodeToUnit(c)), c, 1e-9);
            EXPECT_NEAR(u.YUnitToDifference(u.YDifferenceToUnit(c)), c, 1e-9);
        }
    }
}

TEST(Units, ZeroScalesGiveFixedResultsInsteadOfDividingByZero) {
    UnitSetting s = timeAndVolts();
    s.Amplitude = 0;
    s.Cycle = 0;
    EXPECT_EQ(Units(s).YUnitToCode(1), 65534);
    EXPECT_EQ(Units(s).YUnitToDifference(1), 65534);
    EXPECT_EQ(Units(s).XUnitToPosition(0.5), 0);
    EXPECT_EQ(Units(s).XUnitToDistance(0.5), 0);
    s = userUnits();
    s.WaveLength = 0;
    EXPECT_EQ(Units(s).XPositionToUnit(300), 10);
    EXPECT_EQ(Units(s).XDistanceToUnit(300), 0);
    EXPECT_EQ(Units(s).XUnitToPosition(15), 0);
    EXPECT_FALSE(Units(s).FormatXPosition(300).contains("NaN"));
}

TEST(Units, UnknownUnitKindsShowSamplesAndCodes) {
    UnitSetting s = timeAndVolts();
    s.XUnit = 7;
    s.YUnit = -1;
    const Units u(s);
    EXPECT_EQ(u.XPositionToUnit(500), 500);
    EXPECT_EQ(u.YCodeToUnit(100), 100);
    EXPECT_EQ(u.UnitTextX(), "Word");
}

TEST(Units, LimitsOfTypedValues) {
    UnitSetting s;
    s.WaveLength = 1000;
    Units samples(s);
    EXPECT_EQ(samples.LimitX(-5).value, 0);
    EXPECT_FALSE(samples.LimitX(-5).inside);
    EXPECT_EQ(samples.LimitX(2000).value, 1000);
    EXPECT_TRUE(samples.LimitX(1000).inside);
    EXPECT_EQ(samples.LimitY(40000).value, 32767);
    EXPECT_EQ(samples.LimitY(-40000).value, -32768);
    EXPECT_TRUE(samples.LimitY(-32768).inside);
    EXPECT_EQ(samples.LimitYDifference(-1).value, 0);
    EXPECT_EQ(samples.LimitYDifference(70000).value, 65534);
    EXPECT_FALSE(samples.LimitX(std::nan("")).inside);
    EXPECT_EQ(samples.LimitX(std::nan("")).value, 0);

    UnitSetting v = timeAndVolts();
    v.Offset = 1;
    const Units volts(v);
    EXPECT_EQ(volts.LimitX(0.002).value, 0.001);
    EXPECT_DOUBLE_EQ(volts.LimitY(7).value, 6);
    EXPECT_DOUBLE_EQ(volts.LimitY(-7).value, -4);
    EXPECT_TRUE(volts.LimitY(5.5).inside);
    EXPECT_EQ(volts.LimitYDifference(20).value, 10);
    EXPECT_EQ(volts.LimitYDifference(0.001).value, 0.01);

    UnitSetting r = userUnits();
    std::swap(r.XUserStart, r.XUserEnd); // a falling axis
    const Units user(r);
    EXPECT_EQ(user.LimitX(25).value, 20);
    EXPECT_EQ(user.LimitX(5).value, 10);
    EXPECT_EQ(user.LimitY(3).value, 1);
    EXPECT_TRUE(user.LimitYDifference(2).inside); // full scale of -1..1
    EXPECT_EQ(user.LimitYDifference(3).value, 2);
}

TEST(Units, FromTheSettingRecord) {
    DeviceInfo info{};
    SetStartupUserUnits(info);
    EXPECT_EQ(info.XUserEnd, 1);
    EXPECT_EQ(info.YUserMin, -1);
    EXPECT_EQ(std::string(info.XUnitName, 8), "        ");
    info.XUnit = 2;
    info.YUnit = 1;
    info.MemorySize = 2000;
    info.Cycle = 0.5;
    info.Amplitude = 2;
    info.OffsetSwitchAvailable = 1;
    info.OffsetSwitchState = 1;
    info.Offset = 0.5;
    std::memcpy(info.XUnitName, "\xCE\xDE\xD9\xC4    ", 8); // half-width katakana in CP932
    const Units u(info);
    EXPECT_EQ(u.UnitTextX(), "ﾎﾞﾙﾄ");
    EXPECT_EQ(u.setting().WaveLength, 2000);
    EXPECT_DOUBLE_EQ(u.XPositionToUnit(1000), 0.5);
    EXPECT_DOUBLE_EQ(u.YCodeToUnit(0), 0.5);
}

TEST(TextCodec, Utf8OrElseCp932) {
    EXPECT_EQ(DecodeFileText("ASCII only"), "ASCII only");
    EXPECT_EQ(DecodeFileText("ボルト"), "ボルト");
    EXPECT_EQ(DecodeFileText("\xEF\xBB\xBF"
                             "abc"),
              "abc");
    EXPECT_EQ(DecodeFileText("\x83\x7B\x83\x8B\x83\x67"), "ボルト");
    EXPECT_EQ(DecodeFileText("\xCE\xDE\xD9\xC4"), "ﾎﾞﾙﾄ");
    EXPECT_EQ(DecodeFileText("\x81\x60"), QString(QChar(0xFF5E))); // the code page's own tilde
    EXPECT_EQ(DecodeFileText("\x87\x40"), "①");                    // a vendor extension
    EXPECT_EQ(DecodeFileText("A\x81"), QString("A") + QChar(0xFFFD));
    EXPECT_EQ(DecodeFileText(""), "");
}

TEST(TextCodec, FileNamesKeepTheirBytesWhateverTheyAre) {
    // Every byte sequence comes back exactly, valid UTF-8 or not.
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes(1 + round % 12, '\0');
        for (char& b : bytes)
            b = static_cast<char>(random() % 4 == 0 ? 0xC0 + random() % 0x40 : random() % 256);
        ASSERT_EQ(NativeFileName(FileNameFromNative(bytes)), bytes) << bytes.toHex().toStdString();
    }
    // Valid UTF-8 stays plain text, surrogate pairs included.
    EXPECT_EQ(FileNameFromNative("波形 \xF0\x9F\x8E\xB5.txt"), QString::fromUtf8("波形 🎵.txt"));
    EXPECT_EQ(NativeFileName(QString::fromUtf8("波形 🎵.txt")), "波形 \xF0\x9F\x8E\xB5.txt");
    // Overlong forms and encoded surrogates are not UTF-8: kept as bytes.
    for (const QByteArray& bytes : {QByteArray("\xC0\xAF"), QByteArray("\xED\xA0\x80"),
                                    QByteArray("\xF4\x90\x80\x80"), QByteArray("\xE6\xB3")})
        EXPECT_EQ(NativeFileName(FileNameFromNative(bytes)), bytes);
    // Shown decoded: UTF-8 as is, else CP932, else Latin-1.
    EXPECT_EQ(DisplayFileName(FileNameFromNative("/d/\x94\x67\x8c\x60.txt")),
              QString::fromUtf8("/d/波形.txt"));
    EXPECT_EQ(DisplayFileName(FileNameFromNative("caf\xe9.txt")), QString::fromUtf8("café.txt"));
    EXPECT_EQ(DisplayFileName(u"plain.txt"), "plain.txt");
}

TEST(TextCodec, FixedFields) {
    const char field[8] = {'S', 'N', '1', '\0', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(DecodeField(field, sizeof field), "SN1");
    const char full[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(DecodeField(full, sizeof full), "abcd");

    char out[8];
    EncodeField(out, sizeof out, u"V");
    EXPECT_EQ(std::string(out, 8), "V       ");
    EncodeField(out, sizeof out, u"ボルト"); // 9 bytes of UTF-8: cut before the last character
    EXPECT_EQ(QString::fromUtf8(out, 6), "ボル");
    EXPECT_EQ(std::string(out + 6, 2), "  ");
    EXPECT_EQ(DecodeField(out, sizeof out).trimmed(), "ボル");
    EncodeField(out, sizeof out, u"12345678", '\0');
    EXPECT_EQ(std::string(out, 8), "12345678");
}
