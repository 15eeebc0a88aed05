#include "SystemStartup.h"

#include "MessageCatalog.h"
#include "Messages.h"
#include "WaveDocument.h"
#include "modspec32.h"

#include <QDir>

namespace zw {

namespace {

constexpr int kSystemExit = 0;
constexpr int kNoModelFile = 2;
constexpr int kModelReadError = 3;
constexpr int kMemoryAllocationFailed = 10;
constexpr int kModelFormatError = 11;
constexpr int kModelParameterError = 12;

MessageBoxRequest errorBox(const QString& text) {
    MessageBoxRequest box;
    box.title = kErrorTitle;
    box.text = text;
    return box;
}

} // namespace

QString ModelLoadFailureText(const MessageCatalog& catalog, int result, const QString& fileName,
                             int line) {
    const Language lang = catalog.language();
    QString text;
    switch (result) {
    case SYS_ERR_READ:
        text = catalog.text(kModelReadError, lang) + "(" + fileName + ")";
        break;
    case SYS_ERR_MEMORY:
        text = catalog.text(kMemoryAllocationFailed, lang);
        break;
    case SYS_ERR_SYNTAX:
        text = catalog.text(kModelFormatError, lang) + "(" + fileName + ") Line[" +
               QString::number(line) + "]";
        break;
    case SYS_ERR_STRUCTURE:
        text = catalog.text(kModelParameterError, lang) + "(" + fileName + ") Line[" +
               QString::number(line) + "]";
        break;
    default: // no model file, and any result the database may add later
        text = catalog.text(kNoModelFile, lang);
        break;
    }
    return text + "\r" + catalog.MessageText(kSystemExit);
}

std::optional<StartupFailure> InitialiseSystem(const MessageCatalog& catalog,
                                               const QString& directory,
                                               const StoredSetting& stored, CurrentSetting& setting,
                                               WaveDocument& document, UsbTmcTable& usbTable) {
    // The model database reads the model files of the current directory.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(directory);
    const int32_t loaded = SysInitDeviceInfo();
    QDir::setCurrent(previous);
    if (loaded != SYS_LOAD_OK) {
        char name[SYS_FILENAME_BUFFER + 1] = {};
        SysGetSysErrorFileName(name);
        name[SYS_FILENAME_BUFFER] = '\0';
        return StartupFailure{errorBox(ModelLoadFailureText(
            catalog, loaded, QString::fromLocal8Bit(name), SysGetSysErrorLineNo()))};
    }
    setting.loadModelLists();
    // A database without a single model cannot give the waveform a length.
    if (setting.models().empty())
        return StartupFailure{
            errorBox(ModelLoadFailureText(catalog, SYS_ERR_NO_FILE, QString(), 0))};

    if (!document.allocate())
        return StartupFailure{errorBox(catalog.MessageText(kMemoryAllocationFailed) +
                                       catalog.MessageText(kSystemExit))};

    setting.restore(stored);
    document.setWaveLength(setting.waveLength());

    auto table = UsbTmcTable::Read(QDir(directory).filePath(kUsbTmcFileName));
    if (!table) {
        MessageBoxRequest box;
        box.text = "Lost the file of USBTMC.ID";
        box.icon = MessageIcon::Critical;
        return StartupFailure{box};
    }
    usbTable = std::move(*table);
    return std::nullopt;
}

} // namespace zw
