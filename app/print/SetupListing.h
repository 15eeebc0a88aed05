// The system setup listing: the current instrument setting under
// "<System Setup>" and the axis units under "<Unit Setup>", with the labels
// of the catalogue's "PrintListing" rows in the interface language.
#ifndef ZW_PRINT_SETUPLISTING_H
#define ZW_PRINT_SETUPLISTING_H

#include "Listing.h"
#include "deviceinfo.h"

#include <QString>

namespace zw {

class CaptionCatalog;
class CurrentSetting;

// What the listing prints of the current setting: the record, and the texts
// the setup window shows for its list choices.
struct SetupListingSource {
    DeviceInfo info{};
    int interfaceType = 3;
    QString serialNumber;
    QString modelName;
    QString memorySizeName;
    QString channelName;
    QString rangeName;

    static SetupListingSource From(const CurrentSetting& setting);
};

// The name the setup window lists an interface type under.
QString InterfaceText(int interfaceType);

Listing BuildSetupListing(const SetupListingSource& source, const CaptionCatalog& catalog);

} // namespace zw

#endif // ZW_PRINT_SETUPLISTING_H
