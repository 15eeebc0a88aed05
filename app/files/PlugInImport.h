// File > Import: reads a foreign file through the import plug-ins into the
// document. The order of the host's calls is kept: the plug-ins are listed,
// the caller chooses a file type and a file (the file dialog), the chosen
// type's plug-in opens the file, the reading starts at the file's start
// offset and goes in blocks of 500 samples, and the session is closed
// whatever happens.
//
// Beyond a plain copy of what the plug-in gives:
// - the undo backup is made before the document changes, so Undo brings
//   the previous waveform back;
// - a file longer than the used length imports its first WaveLength
//   samples and says so (message 242) instead of failing unseen;
// - a plug-in that delivers fewer samples than it reported leaves the
//   document as it was, with message 241;
// - without the host library there is no plug-in to offer (message 240).
// Samples beyond a shorter file keep their values, as a text wave file
// leaves them.
#ifndef ZW_FILES_PLUGINIMPORT_H
#define ZW_FILES_PLUGINIMPORT_H

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace zw {

class ImportHostLibrary;
class WaveDocument;
struct DocumentNames;

inline constexpr int kNoPluginMessage = 240;
inline constexpr int kInvalidFormatMessage = 241;
inline constexpr int kImportCutMessage = 242;
// Samples asked of a plug-in at a time.
inline constexpr int32_t kImportBlock = 500;

// One entry of the dialog's filter: a file type of a plug-in.
struct ImportFileType {
    int32_t plugin = 0;
    QString pluginName;
    QString extension; // without the dot, lower case

    bool operator==(const ImportFileType&) const = default;
};

// "Delimited text (*.csv)": the filter entry of each type, in order.
QStringList ImportFilterEntries(const std::vector<ImportFileType>& types);

// What the user chose: an entry of the types offered and a file.
struct ImportChoice {
    int entry = 0;
    QString path;
};
// Shows the file dialog for these types; nothing when it was cancelled.
using ImportFileChooser =
    std::function<std::optional<ImportChoice>(const std::vector<ImportFileType>&)>;

struct ImportOutcome {
    // 0, or the message to show: 240, 241 or 242 (after a cut import).
    int message = 0;
    // The document's samples changed (and the backup was made).
    bool imported = false;
    int64_t fileSamples = 0;
    int64_t importedSamples = 0;
};

class PlugInImport {
public:
    PlugInImport(ImportHostLibrary& host, WaveDocument& document, DocumentNames& names)
        : host_(host), document_(document), names_(names) {}

    // The plug-ins of `pluginFolder` ("*.so"); `choose` runs the dialog.
    ImportOutcome run(const QString& pluginFolder, const ImportFileChooser& choose);

private:
    // Nothing when the session is refused (the command ends silently).
    std::optional<std::vector<ImportFileType>> listTypes(const QString& pluginFolder);
    ImportOutcome importFile(int32_t plugin, const QString& path);
    // The codes of the file, or nothing when the plug-in falls short.
    std::optional<std::vector<int16_t>> readCodes(int32_t plugin, int32_t handle, int64_t count);
    void store(const std::vector<int16_t>& codes);

    ImportHostLibrary& host_;
    WaveDocument& document_;
    DocumentNames& names_;
};

} // namespace zw

#endif // ZW_FILES_PLUGINIMPORT_H
