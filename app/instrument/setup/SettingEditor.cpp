#include "SettingEditor.h"

#include "NumberFormat.h"
#include "TextCodec.h"
#include "bus/BusTypes.h"
#include "modspec32.h"

#include <algorithm>
#include <cmath>

namespace zw {

namespace {

// The address block an interface type takes its limits from: the USB ID
// block for USB(TMC), the GPIB address block for the GPIB boards and the
// interfaces that address instruments as GPIB does; none for the socket.
std::optional<int> AddressBlockOf(int interfaceType) {
    switch (interfaceType) {
    case bus::kNiGpib:
    case bus::kKiGpib:
        return interfaceType;
    case bus::kUsbTmc:
        return 3;
    case bus::kSimulator:
    case bus::kUsb488:
        return 0;
    default:
        return std::nullopt;
    }
}

// Interfaces that a model's list does not offer but the bus layer knows:
// chosen through the settings store, shown so that the list tells the truth.
std::optional<InterfaceChoice> UnlistedChoice(int interfaceType) {
    switch (interfaceType) {
    case bus::kSimulator:
        return InterfaceChoice{"Simulator", bus::kSimulator};
    case bus::kUsb488:
        return InterfaceChoice{"USB488", bus::kUsb488};
    default:
        return std::nullopt;
    }
}

std::optional<int> ReadWholeNumber(const QString& text) {
    const auto value = ReadTypedNumber(text);
    if (!value || *value != std::floor(*value) || std::fabs(*value) > 32767.0)
        return std::nullopt;
    return static_cast<int>(*value);
}

double& LimitField(DeviceInfo& info, UnitLimit limit) {
    switch (limit) {
    case UnitLimit::XStart:
        return info.XUserStart;
    case UnitLimit::XEnd:
        return info.XUserEnd;
    case UnitLimit::YMin:
        return info.YUserMin;
    case UnitLimit::YMax:
        break;
    }
    return info.YUserMax;
}

} // namespace

std::optional<double> ReadTypedNumber(const QString& text) {
    const auto value = NumberFormat::ReadEngineering(text);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

bool SettingEditor::hasModel() const {
    const int m = model();
    return m >= 0 && m < static_cast<int>(setting_.models().size());
}

QStringList SettingEditor::modelNames() const {
    QStringList names;
    for (const ModelLists& m : setting_.models())
        names << m.name;
    return names;
}

QStringList SettingEditor::memorySizeNames() const {
    return hasModel() ? setting_.models()[model()].memorySizes : QStringList{};
}

QStringList SettingEditor::channelNames() const {
    return hasModel() ? setting_.models()[model()].channels : QStringList{};
}

QStringList SettingEditor::rangeNames() const {
    if (!hasModel())
        return {};
    const auto& ranges = setting_.models()[model()].ranges;
    const int channel = info().ChannelIndex;
    return channel >= 0 && channel < static_cast<int>(ranges.size()) ? ranges[channel]
                                                                     : QStringList{};
}

std::vector<InterfaceChoice> SettingEditor::interfaceChoices() const {
    auto choices = InterfaceChoices(hasModel() ? SysGetInterfaceInfo(model()) : 0);
    if (auto extra = UnlistedChoice(setting_.interfaceType()))
        choices.push_back(*extra);
    return choices;
}

int SettingEditor::interfaceIndex() const {
    const auto choices = interfaceChoices();
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i].interfaceType == setting_.interfaceType())
            return static_cast<int>(i);
    return -1;
}

bool SettingEditor::selectModel(int m) {
    if (!setting_.selectModel(m))
        return false;
    keepInterfaceOffered();
    applyInterfaceLimits();
    return true;
}

// A model without the chosen interface gets the first one it offers.
void SettingEditor::keepInterfaceOffered() {
    if (interfaceIndex() < 0)
        setting_.setInterfaceType(interfaceChoices().front().interfaceType);
}

void SettingEditor::applyInterfaceLimits() {
    if (auto block = AddressBlockOf(setting_.interfaceType()))
        SysChangeInterface(model(), *block, &record());
}

bool SettingEditor::selectInterface(int interfaceType) {
    const auto choices = interfaceChoices();
    const bool offered = std::any_of(choices.begin(), choices.end(), [&](const auto& c) {
        return c.interfaceType == interfaceType;
    });
    if (!offered || !hasModel())
        return false;
    setting_.setInterfaceType(interfaceType);
    applyInterfaceLimits();
    return true;
}

bool SettingEditor::selectMemorySize(int index) {
    if (index < 0 || index >= memorySizeNames().size())
        return false;
    return setting_.selectMemorySize(index);
}

bool SettingEditor::selectChannel(int channel) {
    if (!hasModel() || channel < 0 || channel >= channelNames().size())
        return false;
    return SysChangeChannel(model(), channel, &record()) == 1;
}

bool SettingEditor::selectRange(int range) {
    if (!hasModel() || range < 0 || range >= rangeNames().size())
        return false;
    return SysChangeRange(model(), info().ChannelIndex, range, &record()) == 1;
}

void SettingEditor::setOutputState(int state) {
    if (state == ZW_OUTPUT_ON || state == ZW_OUTPUT_OFF || state == ZW_OUTPUT_NO_CHANGE)
        record().OutputState = static_cast<int16_t>(state);
}

void SettingEditor::setOffsetSwitch(bool on) {
    record().OffsetSwitchState = on ? 1 : 0;
}

void SettingEditor::setMemoryName(const QString& name) {
    EncodeField(record().MemoryName, sizeof record().MemoryName, name, '\0');
}

AddressEdit SettingEditor::typeAddress(const QString& text, std::optional<int> controllerAddress,
                                       const QString& message228) {
    const auto typed = ReadWholeNumber(text);
    if (!typed)
        return {EditResult::NotANumber, {}};
    switch (CheckTypedAddress(*typed, info().AddressMin, info().AddressMax,
                              controllerAddress.value_or(-1))) {
    case AddressCheck::OutOfRange:
        return {EditResult::Rejected, {}};
    case AddressCheck::ControllerAddress:
        return {EditResult::Rejected,
                message228 + QString::fromLatin1(kControllerAddressLead) + QString::number(*typed)};
    case AddressCheck::Accepted:
        break;
    }
    record().Address = static_cast<int16_t>(*typed);
    return {EditResult::Kept, {}};
}

EditResult SettingEditor::typeMemoryNumber(const QString& text) {
    const auto typed = ReadWholeNumber(text);
    if (!typed)
        return EditResult::NotANumber;
    return setMemoryNumber(*typed) ? EditResult::Kept : EditResult::Rejected;
}

bool SettingEditor::setMemoryNumber(int number) {
    if (number < info().MemoryNumberMin || number > info().MemoryNumberMax)
        return false;
    record().MemoryNumber = static_cast<int16_t>(number);
    return true;
}

bool SettingEditor::typeSerialNumber(const QString& text) {
    if (!IsAcceptableSerialNumber(text.toStdString()))
        return false;
    setting_.setSerialNumber(text);
    return true;
}

std::optional<QString> SettingEditor::frequencyWarning(double frequency) const {
    // A value the limits refuse anyway needs no question first.
    if (!hasModel() || !(frequency >= info().FrequencyMin && frequency <= info().FrequencyMax))
        return std::nullopt;
    char text[SYS_WARNING_BUFFER + 1] = {};
    const int32_t english = language_ == Language::English ? 1 : 0;
    if (SysCheckFrequency(model(), info().ChannelIndex, english, frequency, text) != 1)
        return std::nullopt;
    text[SYS_WARNING_BUFFER] = '\0';
    return DecodeFileText(QByteArray(text));
}

std::optional<double> SettingEditor::frequencyOfTyped(OscillatorField field,
                                                      const QString& text) const {
    const auto value = ReadTypedNumber(text);
    if (!value)
        return std::nullopt;
    if (field == OscillatorField::Period) {
        if (*value == 0.0)
            return std::nullopt;
        return 1.0 / *value;
    }
    return value;
}

EditResult SettingEditor::applyFrequency(double frequency) {
    if (!hasModel() || !std::isfinite(frequency))
        return EditResult::NotANumber;
    if (SysChangeFrequency(model(), info().ChannelIndex, frequency, &record()) != 1)
        return EditResult::Rejected;
    // The database leaves the period to its next full update; the window
    // shows both, so keep them consistent now.
    record().Cycle = info().Frequency != 0.0 ? 1.0 / info().Frequency : 0.0;
    return EditResult::Kept;
}

EditResult SettingEditor::typeOscillator(OscillatorField field, const QString& text) {
    if (field == OscillatorField::Frequency || field == OscillatorField::Period) {
        const auto frequency = frequencyOfTyped(field, text);
        return frequency ? applyFrequency(*frequency) : EditResult::NotANumber;
    }
    const auto value = ReadTypedNumber(text);
    if (!value || !hasModel())
        return EditResult::NotANumber;
    const int channel = info().ChannelIndex;
    const int range = info().RangeIndex;
    const int32_t kept = field == OscillatorField::Amplitude
                             ? SysChangeAmplitude(model(), channel, range, *value, &record())
                             : SysChangeOffset(model(), channel, range, *value, &record());
    return kept == 1 ? EditResult::Kept : EditResult::Rejected;
}

QString SettingEditor::oscillatorText(OscillatorField field) const {
    switch (field) {
    case OscillatorField::Frequency:
        return NumberFormat::FormatEngineering(info().Frequency,
                                               QString::fromLatin1(kFrequencyFormat));
    case OscillatorField::Period: {
        const double period = info().Frequency != 0.0 ? 1.0 / info().Frequency : 0.0;
        return NumberFormat::FormatEngineering(period, QString::fromLatin1(kFrequencyFormat));
    }
    case OscillatorField::Amplitude:
        return NumberFormat::FormatEngineering(info().Amplitude, QString::fromLatin1(kLevelFormat));
    case OscillatorField::Offset:
        break;
    }
    return NumberFormat::FormatEngineering(info().Offset, QString::fromLatin1(kLevelFormat));
}

void SettingEditor::setUnitKind(Axis axis, int kind) {
    if (kind < 0 || kind > 2)
        return;
    (axis == Axis::X ? record().XUnit : record().YUnit) = static_cast<int16_t>(kind);
}

EditResult SettingEditor::typeUnitLimit(UnitLimit limit, const QString& text) {
    const auto value = ReadTypedNumber(text);
    if (!value)
        return EditResult::NotANumber;
    LimitField(record(), limit) = *value;
    return EditResult::Kept;
}

QString SettingEditor::unitLimitText(UnitLimit limit) const {
    const bool x = limit == UnitLimit::XStart || limit == UnitLimit::XEnd;
    DeviceInfo copy = info();
    return NumberFormat::FormatEngineering(LimitField(copy, limit),
                                           QString::fromLatin1(x ? kXLimitFormat : kYLimitFormat));
}

void SettingEditor::setUnitName(Axis axis, const QString& name) {
    char* field = axis == Axis::X ? record().XUnitName : record().YUnitName;
    EncodeField(field, sizeof record().XUnitName, name);
}

QString SettingEditor::unitName(Axis axis) const {
    const char* field = axis == Axis::X ? info().XUnitName : info().YUnitName;
    return DecodeField(field, sizeof info().XUnitName).trimmed();
}

} // namespace zw
