// The life of one opening of the system setup window: the copy of the whole
// setting taken on opening (Cancel puts it back, the interface type from the
// stored "GpibBoard" and the LAN addresses changed meanwhile as they were),
// and what closing writes to the settings store ("Sysinfo" keys, interface
// type, serial number).
#ifndef ZW_SETUP_SETUPSESSION_H
#define ZW_SETUP_SETUPSESSION_H

#include "CurrentSetting.h"
#include "InstrumentServices.h"
#include "LanAddress.h"

#include <map>
#include <string>

namespace zw {

inline constexpr int kDefaultInterfaceType = 3;

// The interface type kept under "System"/"GpibBoard" (3 when missing).
int StoredInterfaceType(const InstrumentSettings& settings);
// Writes the values the settings store keeps for the setting.
void StoreSetting(InstrumentSettings& settings, const CurrentSetting& setting);

class SetupSession {
public:
    SetupSession(CurrentSetting& setting, InstrumentSettings& settings)
        : setting_(setting), settings_(settings) {}

    // Takes the copy; the window calls it each time it opens.
    void open();
    // Puts the copy back. True when the memory size differs from the one
    // just before, so the document's length must follow.
    bool cancel();
    // Writes what closing keeps.
    void close();

    // The LAN address of a model, changed for the window's lifetime (and
    // kept unless Cancel is pressed). The first change of a model notes the
    // stored address, so Cancel can put it back.
    void setLanAddress(const std::string& modelName, const LanAddress& address);

    const DeviceInfo& opened() const { return copy_; }

private:
    CurrentSetting& setting_;
    InstrumentSettings& settings_;
    DeviceInfo copy_{};
    QString serialCopy_;
    std::map<std::string, LanAddress> lanBefore_;
};

} // namespace zw

#endif // ZW_SETUP_SETUPSESSION_H
