// The wave files of the tool: a document (the editor's four memories, its
// used length) under a setting, read and written through the editor's wave
// file commands. Every output goes to a temporary file beside the target
// first and replaces it only when complete.
#ifndef ZW_CLI_WAVEOUTPUT_H
#define ZW_CLI_WAVEOUTPUT_H

#include "CurrentSetting.h"
#include "DocumentNames.h"
#include "Language.h"
#include "WaveDocument.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace zw::cli {

class WaveWorkspace {
public:
    // Allocates the memories; the used length follows the setting.
    // Throws CommandError (1) when the memory cannot be had.
    WaveWorkspace(CurrentSetting& setting, Language language);

    // Reads a .wdb (its setting replaces the workspace's) or a .txt (its
    // samples replace the document's over the used length). Throws
    // CommandError: 2 for an unknown type, 1 for a read error.
    void open(const QString& path);
    // Reads a file of another program through the import plug-ins of
    // the program in `programFolder` (its install layout's plug-in folder and host library), as
    // File > Import does: its samples replace the document's over the used length. Throws
    // CommandError: 2 when no plug-in reads the type, 1 when the file cannot be read. A file longer
    // than the used length is cut, with the catalogue's message in `notes`.
    void import(const QString& path, const QString& programFolder, QStringList& notes);
    // Writes .wdb or .txt atomically; throws CommandError like open.
    void save(const QString& path);

    WaveDocument& document() { return document_; }
    CurrentSetting& setting() { return setting_; }
    // The document's samples over the used length.
    std::vector<int16_t> samples() const;

private:
    void checkType(const QString& path) const;

    CurrentSetting& setting_;
    Language language_;
    WaveDocument document_;
    DocumentNames names_;
};

// The catalogue's message with the file name, for stderr.
QString FileMessage(int code, const QString& path, Language language);

} // namespace zw::cli

#endif // ZW_CLI_WAVEOUTPUT_H
