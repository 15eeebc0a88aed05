// Edits of the current instrument setting as the system setup window makes
// them: every change goes through the model database's change operations,
// so a value outside the model's limits is never kept, and every value the
// window shows comes back from the record as it was kept. Typed texts are
// read in engineering notation; a rejected text leaves the record as it was
// and the caller shows the kept value again.
#ifndef ZW_SETUP_SETTINGEDITOR_H
#define ZW_SETUP_SETTINGEDITOR_H

#include "CurrentSetting.h"
#include "Language.h"
#include "SetupRules.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace zw {

// The four value boxes of the oscillator frame, in their control order.
enum class OscillatorField { Frequency = 0, Period = 1, Amplitude = 2, Offset = 3 };
// The user unit limits of the unit frame.
enum class UnitLimit { XStart, XEnd, YMin, YMax };
enum class Axis { X, Y };

// What became of a typed value.
enum class EditResult {
    Kept, // stored in the record
    NotANumber,
    Rejected, // outside the model's limits: the record is unchanged
};

// A typed address or memory number.
struct AddressEdit {
    EditResult result = EditResult::Kept;
    // Set when the address equals the interface board's own address: the
    // text of the error box (message 228, "   Address: " and the address).
    QString controllerMessage;
};

// Formats of the settings fields.
inline constexpr char kFrequencyFormat[] = ".#############";
inline constexpr char kLevelFormat[] = ".###";
inline constexpr char kXLimitFormat[] = ".000000";
inline constexpr char kYLimitFormat[] = ".000";
inline constexpr char kControllerAddressLead[] = "   Address: ";
inline constexpr int kControllerAddressMessage = 228;

class SettingEditor {
public:
    // `setting` (with its model lists loaded) must outlive the editor.
    SettingEditor(CurrentSetting& setting, Language language)
        : setting_(setting), language_(language) {}

    const DeviceInfo& info() const { return setting_.info(); }
    int model() const { return setting_.info().ModelIndex; }
    bool hasModel() const;

    // Lists of the current model.
    QStringList modelNames() const;
    QStringList memorySizeNames() const;
    QStringList channelNames() const;
    QStringList rangeNames() const;
    // The interfaces the model offers; a current type the bus layer knows
    // but the list does not offer (the simulator, USB488) is added so that
    // the list can show it.
    std::vector<InterfaceChoice> interfaceChoices() const;
    int interfaceIndex() const; // of the current type in interfaceChoices()

    // Choosing from the lists. Each returns false, with nothing changed,
    // for an index that names nothing.
    bool selectModel(int model);
    bool selectInterface(int interfaceType);
    bool selectMemorySize(int index);
    bool selectChannel(int channel);
    bool selectRange(int range);
    void setOutputState(int state); // ZW_OUTPUT_ON, _OFF, _NO_CHANGE
    void setOffsetSwitch(bool on);
    void setMemoryName(const QString& name);

    // Address and memory number boxes: outside the limits the previous value
    // stays; an address equal to `controllerAddress` (the board's own, where
    // the interface has one) is refused with message 228.
    AddressEdit typeAddress(const QString& text, std::optional<int> controllerAddress,
                            const QString& message228);
    EditResult typeMemoryNumber(const QString& text);
    bool setMemoryNumber(int number);

    // Serial number box: empty or beginning with "SN" (case-sensitive).
    bool typeSerialNumber(const QString& text);

    // Oscillator values. A frequency may first need the model's warning
    // (asked Yes/No by the window), only for a value inside the limits; a
    // period p is the frequency 1 / p.
    std::optional<QString> frequencyWarning(double frequency) const;
    std::optional<double> frequencyOfTyped(OscillatorField field, const QString& text) const;
    EditResult applyFrequency(double frequency);
    EditResult typeOscillator(OscillatorField field, const QString& text);
    QString oscillatorText(OscillatorField field) const;

    // Unit settings.
    void setUnitKind(Axis axis, int kind); // 0, 1, 2
    EditResult typeUnitLimit(UnitLimit limit, const QString& text);
    QString unitLimitText(UnitLimit limit) const;
    void setUnitName(Axis axis, const QString& name); // at most 8 bytes
    QString unitName(Axis axis) const;

private:
    DeviceInfo& record() { return setting_.info(); }
    void keepInterfaceOffered();
    void applyInterfaceLimits();

    CurrentSetting& setting_;
    Language language_;
};

// A typed number in engineering notation; nothing for anything else.
std::optional<double> ReadTypedNumber(const QString& text);

} // namespace zw

#endif // ZW_SETUP_SETTINGEDITOR_H
