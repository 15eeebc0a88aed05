#include "SetupListing.h"

#include "NumberFormat.h"
#include "SettingEditor.h"
#include "SetupChanges.h"
#include "TextCodec.h"
#include "bus/BusTypes.h"

#include <QJsonArray>

namespace zw::cli {

namespace {

struct Label {
    const char* japanese;
    const char* english;
};

QString L(const Label& label, Language language) {
    return QString::fromUtf8(language == Language::Japanese ? label.japanese : label.english);
}

// clang-format off
constexpr Label kSystemSetup{"<ｼｽﾃﾑ設定>", "<System Setup>"};
constexpr Label kBasicSetup{"[機種設定]", "[Basic Setup]"};
constexpr Label kModel{"機種", "Model"};
constexpr Label kInterface{"ｲﾝﾀﾌｪｰｽ", "Interface"};
constexpr Label kGpibAddress{"GPIBｱﾄﾞﾚｽ", "GPIB Address"};
constexpr Label kUsbId{"USB ID", "USB ID"};
constexpr Label kWaveMemory{"[波形ﾒﾓﾘ設定]", "[Wave Memory Setup]"};
constexpr Label kMemorySize{"波形ﾒﾓﾘｻｲｽﾞ", "Memory Size"};
constexpr Label kMemoryName{"波形ﾒﾓﾘ名", "Memory Name"};
constexpr Label kMemoryNumber{"波形ﾒﾓﾘ番号", "Memory Number"};
constexpr Label kOscillator{"[発振器設定]", "[Oscillator Setup]"};
constexpr Label kChannel{"ﾁｬﾈﾙ", "Channel"};
constexpr Label kOutput{"出力ON/OFF", "Output ON/OFF"};
constexpr Label kFrequency{"周波数", "Frequency"};
constexpr Label kPeriod{"周期", "Period"};
constexpr Label kRange{"電圧ﾚﾝｼﾞ", "Range"};
constexpr Label kAmplitude{"振幅", "Amplitude"};
constexpr Label kOffset{"ｵﾌｾｯﾄ", "DC Offset"};
constexpr Label kOffsetSwitch{"ｵﾌｾｯﾄON/OFF", "Output ON/OFF"};
constexpr Label kUnitSetup{"<単位設定>", "<Unit Setup>"};
constexpr Label kXAxis{"[X軸単位]", "[X-Axis Unit]"};
constexpr Label kXUnit{"単位", "X-Axis Unit"};
constexpr Label kYAxis{"[Y軸単位]", "[Y-Axis Unit]"};
constexpr Label kYUnit{"単位", "Y-Axis Unit"};
constexpr Label kUserName{"ﾕｰｻﾞ単位名称", "Name"};
constexpr Label kMinToMax{"最小値～最大値", "Min to Max"};
// clang-format on

const char* const kXUnits[] = {"Word", "sec", "User"};
const char* const kYUnits[] = {"Code", "V", "User"};

QString OutputText(int state) {
    switch (state) {
    case ZW_OUTPUT_ON:
        return QStringLiteral("ON");
    case ZW_OUTPUT_OFF:
        return QStringLiteral("OFF");
    default:
        return QStringLiteral("NO CHANGE");
    }
}

QString Field(const char* field, size_t size) {
    return DecodeField(field, size).trimmed();
}

QString ListItem(const QStringList& list, int index) {
    return index >= 0 && index < list.size() ? list[index] : QString();
}

// The interface as the setup window lists it.
QString InterfaceText(const SettingEditor& editor, int interfaceType) {
    for (const InterfaceChoice& c : editor.interfaceChoices())
        if (c.interfaceType == interfaceType)
            return QString::fromStdString(c.text);
    return InterfaceName(interfaceType);
}

QString Line(const Label& label, Language language, const QString& value) {
    return QLatin1String("  ") + L(label, language) + QLatin1String(" : ") + value + '\n';
}

} // namespace

QString SetupListingText(const CurrentSetting& setting, Language language) {
    CurrentSetting copy = setting;
    const SettingEditor editor(copy, language);
    const DeviceInfo& info = setting.info();
    const bool usb = setting.interfaceType() == bus::kUsbTmc;
    QString text;
    text += L(kSystemSetup, language) + '\n';
    text += L(kBasicSetup, language) + '\n';
    text += Line(kModel, language, setting.modelName());
    text += Line(kInterface, language, InterfaceText(editor, setting.interfaceType()));
    if (usb)
        text += Line(kUsbId, language, setting.serialNumber());
    else if (setting.interfaceType() != bus::kLanSocket)
        text += Line(kGpibAddress, language, QString::number(info.Address));
    text += L(kWaveMemory, language) + '\n';
    text += Line(kMemorySize, language, QString::number(info.MemorySize));
    if (info.MemoryNameFlag)
        text += Line(kMemoryName, language, Field(info.MemoryName, sizeof info.MemoryName));
    if (info.MemoryNumberSelectable)
        text += Line(kMemoryNumber, language, QString::number(info.MemoryNumber));
    text += L(kOscillator, language) + '\n';
    text += Line(kChannel, language, ListItem(editor.channelNames(), info.ChannelIndex));
    text += Line(kOutput, language, OutputText(info.OutputState));
    text +=
        Line(kFrequency, language, NumberFormat::Format(info.Frequency, u".#############") + " Hz");
    text += Line(kPeriod, language, NumberFormat::Format(info.Cycle, u".#############") + " sec");
    text += Line(kRange, language, ListItem(editor.rangeNames(), info.RangeIndex));
    text += Line(kAmplitude, language, NumberFormat::Format(info.Amplitude, u".######") + " Vp-p");
    text += Line(kOffset, language, NumberFormat::Format(info.Offset, u".######") + " V");
    if (info.OffsetSwitchAvailable)
        text += Line(kOffsetSwitch, language, info.OffsetSwitchState ? "ON" : "OFF");
    text += L(kUnitSetup, language) + '\n';
    text += L(kXAxis, language) + '\n';
    text += Line(kXUnit, language, QLatin1String(kXUnits[std::clamp<int>(info.XUnit, 0, 2)]));
    if (info.XUnit == 2) {
        text += Line(kUserName, language, Field(info.XUnitName, sizeof info.XUnitName));
        text += Line(kMinToMax, language,
                     NumberFormat::Format(info.XUserStart, u".######") + ',' +
                         NumberFormat::Format(info.XUserEnd, u".######"));
    }
    text += L(kYAxis, language) + '\n';
    text += Line(kYUnit, language, QLatin1String(kYUnits[std::clamp<int>(info.YUnit, 0, 2)]));
    if (info.YUnit == 2) {
        text += Line(kUserName, language, Field(info.YUnitName, sizeof info.YUnitName));
        text += Line(kMinToMax, language,
                     NumberFormat::Format(info.YUserMin, u".######") + ',' +
                         NumberFormat::Format(info.YUserMax, u".######"));
    }
    return text;
}

QJsonObject SetupJson(const CurrentSetting& setting) {
    CurrentSetting copy = setting;
    const SettingEditor editor(copy, Language::English);
    const DeviceInfo& info = setting.info();
    const char* const outputs[] = {"on", "off", "nochange"};
    const char* const xUnits[] = {"samples", "time", "user"};
    const char* const yUnits[] = {"codes", "volts", "user"};
    QJsonObject o{
        {"model", setting.modelName()},
        {"modelIndex", info.ModelIndex},
        {"interface", InterfaceName(setting.interfaceType())},
        {"interfaceType", setting.interfaceType()},
        {"address", info.Address},
        {"serial", setting.serialNumber()},
        {"memorySize", static_cast<qint64>(info.MemorySize)},
        {"memorySizeIndex", info.MemorySizeIndex},
        {"memoryName", Field(info.MemoryName, sizeof info.MemoryName)},
        {"channel", info.ChannelIndex},
        {"channelName", ListItem(editor.channelNames(), info.ChannelIndex)},
        {"output", QLatin1String(outputs[std::clamp<int>(info.OutputState, 0, 2)])},
        {"frequency", info.Frequency},
        {"period", info.Cycle},
        {"range", info.RangeIndex},
        {"rangeName", ListItem(editor.rangeNames(), info.RangeIndex)},
        {"amplitude", info.Amplitude},
        {"offset", info.Offset},
        {"xUnit", QLatin1String(xUnits[std::clamp<int>(info.XUnit, 0, 2)])},
        {"yUnit", QLatin1String(yUnits[std::clamp<int>(info.YUnit, 0, 2)])},
        {"xUser",
         QJsonArray{info.XUserStart, info.XUserEnd, Field(info.XUnitName, sizeof info.XUnitName)}},
        {"yUser",
         QJsonArray{info.YUserMin, info.YUserMax, Field(info.YUnitName, sizeof info.YUnitName)}},
    };
    if (info.MemoryNumberSelectable)
        o.insert("memoryNumber", info.MemoryNumber);
    if (info.OffsetSwitchAvailable)
        o.insert("offsetSwitch", info.OffsetSwitchState != 0);
    return o;
}

} // namespace zw::cli
