// Everything a window of the editor works on, owned by the program's entry
// (or a test) and handed to every window: the language and its catalogues,
// the message boxes, the settings store, the document and the current
// setting, the editing session with the document names, the file dialogs,
// the program's folder and the "USBTMC.ID" table.
#ifndef ZW_EDITOR_EDITORCONTEXT_H
#define ZW_EDITOR_EDITORCONTEXT_H

#include "EditSession.h"
#include "Language.h"

#include <QString>

namespace zw {

class CurrentSetting;
class FileDialogService;
class MessageCatalog;
class Messages;
class UsbTmcTable;
class WaveDocument;
class clsRegistry;

struct EditorContext {
    Language language = Language::Japanese;
    const MessageCatalog& catalog;
    Messages& messages;
    clsRegistry& registry;
    WaveDocument& document;
    CurrentSetting& setting;
    EditSession& session;
    FileDialogService& fileDialogs;
    QString programFolder; // where the program, its help files and models are
    // The pairs of "USBTMC.ID", for the USB interface of the setup window.
    const UsbTmcTable* usbTable = nullptr;

    // The document names: the wave file, setup file, point list and page file.
    DocumentNames& names() { return session.names(); }
    const DocumentNames& names() const { return session.names(); }
};

} // namespace zw

#endif // ZW_EDITOR_EDITORCONTEXT_H
