// Opening and saving wave files into and from the document: the format by
// the file name, the document memory, the setup block of binary files and
// the document's file names. Results are 0 or the catalogue message to show
// (7 invalid extension, 71 read error, 72 write error); a failed open or
// save changes neither the document nor its names. Paths are names as
// FileNameFromNative keeps them; the libraries get their bytes.
#ifndef ZW_FILES_WAVEFILECOMMANDS_H
#define ZW_FILES_WAVEFILECOMMANDS_H

#include <QByteArray>
#include <QString>

namespace zw {

class CurrentSetting;
class WaveDocument;
struct DocumentNames;

class WaveFileCommands {
public:
    WaveFileCommands(WaveDocument& document, CurrentSetting& setting, DocumentNames& names)
        : document_(document), setting_(setting), names_(names) {}

    // A binary file replaces the whole memory and the setting (its model,
    // memory size and so the used length) and resets undo; a text file
    // replaces the samples it holds (undo backup first), the setting stays.
    int open(const QString& path);
    int save(const QString& path);
    // After a failed open or save: the system's reason ("No such file or
    // directory"), empty when the file was readable but not a wave file.
    const QString& failureReason() const { return failureReason_; }

private:
    int failed(int message);

    int openBinary(const QByteArray& path);
    int openText(const QByteArray& path);

    WaveDocument& document_;
    CurrentSetting& setting_;
    DocumentNames& names_;
    QString failureReason_;
};

} // namespace zw

#endif // ZW_FILES_WAVEFILECOMMANDS_H
