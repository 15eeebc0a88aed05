// The system initialisation of start-up, in its order: the model database,
// the model lists, the four wave memories, the setting restored from the
// settings store (which gives the used length), and "USBTMC.ID". A failure
// gives the box that ends the program.
#ifndef ZW_SHELL_SYSTEMSTARTUP_H
#define ZW_SHELL_SYSTEMSTARTUP_H

#include "CurrentSetting.h"
#include "MessageService.h"
#include "UsbTmcTable.h"

#include <QString>

#include <optional>

namespace zw {

class MessageCatalog;
class WaveDocument;

struct StartupFailure {
    MessageBoxRequest box;
};

// The text of a failed model database load: the message of its result with
// the file name (and line), a line break, and "System Exit.".
QString ModelLoadFailureText(const MessageCatalog& catalog, int result, const QString& fileName,
                             int line);

// Runs the initialisation in `directory` (the start-up directory, where the
// model files and "USBTMC.ID" are). On success the setting, the document's
// memories and used length, and `usbTable` are ready.
std::optional<StartupFailure> InitialiseSystem(const MessageCatalog& catalog,
                                               const QString& directory,
                                               const StoredSetting& stored, CurrentSetting& setting,
                                               WaveDocument& document, UsbTmcTable& usbTable);

} // namespace zw

#endif // ZW_SHELL_SYSTEMSTARTUP_H
