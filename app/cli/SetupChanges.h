// The setting options of `setup` and `send`, applied one by one in the order
// given, each through the setup window's edit (the model database's change
// operations). A value the model refuses stops with exit status 2 and a text
// that names the limit.
#ifndef ZW_CLI_SETUPCHANGES_H
#define ZW_CLI_SETUPCHANGES_H

#include "CurrentSetting.h"
#include "Language.h"

#include <QString>

#include <optional>
#include <vector>

namespace zw::cli {

struct SetupChange {
    QString option; // "--model", "--frequency", ...
    QString value;
};

// The options that name setting values (without "--from", "--host", "--port").
const std::vector<QString>& SettingOptionNames();

// The interface type of a name (usbtmc, ni-gpib, ki-gpib, usb488, sim, lan)
// or a type number; nothing for anything else.
std::optional<int> InterfaceTypeOf(const QString& text);
QString InterfaceName(int interfaceType);

// Applies one change; throws CommandError(2). Warnings the model gives for
// an accepted value (a frequency it may not reach) are added to `warnings`.
void ApplySetupChange(CurrentSetting& setting, const SetupChange& change, Language language,
                      QStringList& warnings);

// The LAN(Socket) address given by --host and --port (checked as the setup
// window checks them); throws CommandError(2).
QString CheckedLanHost(const QString& text, Language language);
int CheckedLanPort(const QString& text, Language language);

} // namespace zw::cli

#endif // ZW_CLI_SETUPCHANGES_H
