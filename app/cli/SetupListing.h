// A setup as the printed system-setup listing shows it (its labels in the
// chosen language), and the same values as JSON for scripts.
#ifndef ZW_CLI_SETUPLISTING_H
#define ZW_CLI_SETUPLISTING_H

#include "CurrentSetting.h"
#include "Language.h"

#include <QJsonObject>
#include <QString>

namespace zw::cli {

QString SetupListingText(const CurrentSetting& setting, Language language);
QJsonObject SetupJson(const CurrentSetting& setting);

} // namespace zw::cli

#endif // ZW_CLI_SETUPLISTING_H
