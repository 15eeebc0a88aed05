#include "SetupChanges.h"

#include "CliTexts.h"
#include "LanAddress.h"
#include "ModelCatalogue.h"
#include "SettingEditor.h"
#include "bus/BusTypes.h"

#include <QStringList>

#include <array>
#include <cmath>
#include <functional>
#include <map>

namespace zw::cli {

namespace {

struct NamedInterface {
    const char* name;
    int type;
};

constexpr std::array kInterfaces = {
    NamedInterface{"usbtmc", bus::kUsbTmc},  NamedInterface{"ni-gpib", bus::kNiGpib},
    NamedInterface{"ki-gpib", bus::kKiGpib}, NamedInterface{"usb488", bus::kUsb488},
    NamedInterface{"sim", bus::kSimulator},  NamedInterface{"lan", bus::kLanSocket},
};

[[noreturn]] void Refuse(const QString& text) {
    throw CommandError(kExitUsage, text);
}

QString Number(double value) {
    return QString::number(value, 'g', 12);
}

long WholeNumber(const QString& option, const QString& text, Language language) {
    bool ok = false;
    const long value = text.trimmed().toLong(&ok);
    if (!ok)
        Refuse(Text(CliText::NotANumber, language).arg(option, text));
    return value;
}

bool OnOff(const QString& option, const QString& text, Language language) {
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("on"))
        return true;
    if (t == QLatin1String("off"))
        return false;
    Refuse(Text(CliText::NotANumber, language).arg(option, text));
}

void SelectListPosition(const QString& option, const QString& text, int count,
                        const std::function<bool(int)>& select, Language language) {
    const long position = WholeNumber(option, text, language);
    if (position < 0 || position >= count || !select(static_cast<int>(position)))
        Refuse(Text(CliText::ListPosition, language).arg(option, text).arg(std::max(count - 1, 0)));
}

void TypeOscillator(SettingEditor& editor, OscillatorField field, const QString& option,
                    const QString& text, Language language, QStringList& warnings) {
    const DeviceInfo& info = editor.info();
    if (field == OscillatorField::Frequency || field == OscillatorField::Period) {
        const std::optional<double> frequency = editor.frequencyOfTyped(field, text);
        if (!frequency)
            Refuse(Text(CliText::NotANumber, language).arg(option, text));
        // A value outside the limits is refused before the model's warning.
        if (*frequency < info.FrequencyMin || *frequency > info.FrequencyMax) {
            if (field == OscillatorField::Frequency)
                Refuse(Text(CliText::OutOfRange, language)
                           .arg(option, text, Number(info.FrequencyMin) + " Hz",
                                Number(info.FrequencyMax) + " Hz"));
            Refuse(Text(CliText::OutOfRange, language)
                       .arg(option, text, Number(info.CycleOfFrequencyMax) + " s",
                            Number(info.CycleOfFrequencyMin) + " s"));
        }
        if (const auto warning = editor.frequencyWarning(*frequency))
            warnings << Text(CliText::FrequencyWarning, language).arg(*warning);
        if (editor.applyFrequency(*frequency) != EditResult::Kept)
            Refuse(Text(CliText::OutOfRange, language)
                       .arg(option, text, Number(info.FrequencyMin) + " Hz",
                            Number(info.FrequencyMax) + " Hz"));
        return;
    }
    const bool amplitude = field == OscillatorField::Amplitude;
    const double minimum = amplitude ? info.AmplitudeMin : info.OffsetMin;
    const double maximum = amplitude ? info.AmplitudeMax : info.OffsetMax;
    const char* unit = amplitude ? " Vp-p" : " V";
    switch (editor.typeOscillator(field, text)) {
    case EditResult::Kept:
        return;
    case EditResult::NotANumber:
        Refuse(Text(CliText::NotANumber, language).arg(option, text));
    case EditResult::Rejected:
        Refuse(Text(CliText::OutOfRange, language)
                   .arg(option, text, Number(minimum) + unit, Number(maximum) + unit));
    }
}

void TypeUserRange(SettingEditor& editor, Axis axis, const QString& option, const QString& text,
                   Language language) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() < 2 || parts.size() > 3)
        Refuse(Text(CliText::UserRange, language).arg(option));
    const UnitLimit low = axis == Axis::X ? UnitLimit::XStart : UnitLimit::YMin;
    const UnitLimit high = axis == Axis::X ? UnitLimit::XEnd : UnitLimit::YMax;
    for (const auto& [limit, part] : {std::pair{low, parts[0]}, std::pair{high, parts[1]}}) {
        switch (editor.typeUnitLimit(limit, part)) {
        case EditResult::Kept:
            break;
        case EditResult::NotANumber:
            Refuse(Text(CliText::NotANumber, language).arg(option, part));
        case EditResult::Rejected:
            Refuse(Text(CliText::UserRange, language).arg(option));
        }
    }
    if (parts.size() == 3)
        editor.setUnitName(axis, parts[2]);
}

int UnitKind(const QString& option, const QString& text, const std::array<const char*, 3>& names,
             Language language) {
    for (int kind = 0; kind < 3; ++kind)
        if (text.trimmed().compare(QLatin1String(names[static_cast<size_t>(kind)]),
                                   Qt::CaseInsensitive) == 0)
            return kind;
    Refuse(Text(CliText::NotANumber, language).arg(option, text));
}

QString SizesText(const std::vector<long>& sizes) {
    QStringList list;
    for (long s : sizes)
        list << QString::number(s);
    return list.join(QLatin1String(", "));
}

void SelectInterface(CurrentSetting& setting, SettingEditor& editor, const QString& text,
                     Language language) {
    const std::optional<int> type = InterfaceTypeOf(text);
    if (!type)
        Refuse(Text(CliText::UnknownInterface, language).arg(text));
    // The simulator and USB488 are never offered by a model's list, but the
    // bus layer has them: as the current type the editor keeps them too.
    if (*type == bus::kSimulator || *type == bus::kUsb488)
        setting.setInterfaceType(*type);
    if (!editor.selectInterface(*type)) {
        QStringList offered;
        for (const InterfaceChoice& c : editor.interfaceChoices())
            offered << InterfaceName(c.interfaceType);
        Refuse(
            Text(CliText::InterfaceRefused, language).arg(text, offered.join(QLatin1String(", "))));
    }
}

} // namespace

const std::vector<QString>& SettingOptionNames() {
    static const std::vector<QString> names = {
        "--model",         "--interface",   "--address",   "--serial", "--memory-size",
        "--memory-number", "--memory-name", "--channel",   "--output", "--range",
        "--frequency",     "--period",      "--amplitude", "--offset", "--offset-switch",
        "--x-unit",        "--y-unit",      "--x-user",    "--y-user",
    };
    return names;
}

std::optional<int> InterfaceTypeOf(const QString& text) {
    const QString t = text.trimmed().toLower();
    for (const NamedInterface& i : kInterfaces)
        if (t == QLatin1String(i.name))
            return i.type;
    bool ok = false;
    const int number = t.toInt(&ok);
    if (ok)
        for (const NamedInterface& i : kInterfaces)
            if (number == i.type)
                return number;
    return std::nullopt;
}

QString InterfaceName(int interfaceType) {
    for (const NamedInterface& i : kInterfaces)
        if (interfaceType == i.type)
            return QLatin1String(i.name);
    return QString::number(interfaceType);
}

void ApplySetupChange(CurrentSetting& setting, const SetupChange& change, Language language,
                      QStringList& warnings) {
    SettingEditor editor(setting, language);
    const QString& o = change.option;
    const QString& v = change.value;
    if (o == QLatin1String("--model")) {
        const int model = FindModel(setting, v);
        if (model < 0 || !editor.selectModel(model))
            Refuse(Text(CliText::NoSuchModel, language).arg(v, editor.modelNames().join(", ")));
    } else if (o == QLatin1String("--interface")) {
        SelectInterface(setting, editor, v, language);
    } else if (o == QLatin1String("--address")) {
        const long address = WholeNumber(o, v, language);
        if (editor.typeAddress(QString::number(address), std::nullopt, QString()).result !=
            EditResult::Kept)
            Refuse(Text(CliText::AddressRefused, language)
                       .arg(v)
                       .arg(editor.info().AddressMin)
                       .arg(editor.info().AddressMax));
    } else if (o == QLatin1String("--serial")) {
        if (!editor.typeSerialNumber(v))
            Refuse(Text(CliText::SerialRefused, language).arg(v));
    } else if (o == QLatin1String("--memory-size")) {
        const long samples = WholeNumber(o, v, language);
        const std::vector<long> sizes = MemorySizesOf(setting);
        const auto found = std::find(sizes.begin(), sizes.end(), samples);
        if (found == sizes.end() ||
            !editor.selectMemorySize(static_cast<int>(found - sizes.begin())))
            Refuse(Text(CliText::MemorySizeRefused, language).arg(v, SizesText(sizes)));
    } else if (o == QLatin1String("--memory-number")) {
        if (!editor.info().MemoryNumberSelectable)
            Refuse(Text(CliText::NoMemoryNumber, language));
        const long number = WholeNumber(o, v, language);
        if (number < editor.info().MemoryNumberMin || number > editor.info().MemoryNumberMax ||
            !editor.setMemoryNumber(static_cast<int>(number)))
            Refuse(Text(CliText::OutOfRange, language)
                       .arg(o, v)
                       .arg(editor.info().MemoryNumberMin)
                       .arg(editor.info().MemoryNumberMax));
    } else if (o == QLatin1String("--memory-name")) {
        editor.setMemoryName(v);
    } else if (o == QLatin1String("--channel")) {
        SelectListPosition(
            o, v, static_cast<int>(editor.channelNames().size()),
            [&](int c) { return editor.selectChannel(c); }, language);
    } else if (o == QLatin1String("--range")) {
        SelectListPosition(
            o, v, static_cast<int>(editor.rangeNames().size()),
            [&](int r) { return editor.selectRange(r); }, language);
    } else if (o == QLatin1String("--output")) {
        const QString t = v.trimmed().toLower();
        if (t == QLatin1String("on"))
            editor.setOutputState(ZW_OUTPUT_ON);
        else if (t == QLatin1String("off"))
            editor.setOutputState(ZW_OUTPUT_OFF);
        else if (t == QLatin1String("nochange"))
            editor.setOutputState(ZW_OUTPUT_NO_CHANGE);
        else
            Refuse(Text(CliText::NotANumber, language).arg(o, v));
    } else if (o == QLatin1String("--frequency")) {
        TypeOscillator(editor, OscillatorField::Frequency, o, v, language, warnings);
    } else if (o == QLatin1String("--period")) {
        TypeOscillator(editor, OscillatorField::Period, o, v, language, warnings);
    } else if (o == QLatin1String("--amplitude")) {
        TypeOscillator(editor, OscillatorField::Amplitude, o, v, language, warnings);
    } else if (o == QLatin1String("--offset")) {
        TypeOscillator(editor, OscillatorField::Offset, o, v, language, warnings);
    } else if (o == QLatin1String("--offset-switch")) {
        editor.setOffsetSwitch(OnOff(o, v, language));
    } else if (o == QLatin1String("--x-unit")) {
        editor.setUnitKind(Axis::X, UnitKind(o, v, {"samples", "time", "user"}, language));
    } else if (o == QLatin1String("--y-unit")) {
        editor.setUnitKind(Axis::Y, UnitKind(o, v, {"codes", "volts", "user"}, language));
    } else if (o == QLatin1String("--x-user")) {
        TypeUserRange(editor, Axis::X, o, v, language);
    } else if (o == QLatin1String("--y-user")) {
        TypeUserRange(editor, Axis::Y, o, v, language);
    }
}

QString CheckedLanHost(const QString& text, Language language) {
    const std::optional<QString> host = ReadLanHost(text);
    if (!host)
        Refuse(Text(CliText::NotANumber, language).arg(QStringLiteral("--host"), text));
    return *host;
}

int CheckedLanPort(const QString& text, Language language) {
    const std::optional<int> port = ReadLanPort(text);
    if (!port)
        Refuse(
            Text(CliText::OutOfRange, language).arg(QStringLiteral("--port"), text, "1", "65535"));
    return *port;
}

} // namespace zw::cli
