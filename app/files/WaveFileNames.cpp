#include "WaveFileNames.h"

#include "DocumentNames.h"
#include "TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <dirent.h>
#include <sys/stat.h>

namespace zw {

namespace {

// True when the name ends in a dot and three characters (none of them a
// folder separator).
bool hasThreeLetterExtension(const QString& name) {
    if (name.size() < 4 || name.at(name.size() - 4) != '.')
        return false;
    return !name.right(3).contains('/');
}

QString untitledIn(const QString& folder) {
    return folder.isEmpty() ? QString(kUntitled) : folder + "/" + kUntitled;
}

// The entry of `folder` that a dialog would show as `shown`, when exactly one
// does; else the name as it stands.
QByteArray entryShownAs(const QByteArray& folder, const QString& shown) {
    QByteArray found;
    int matches = 0;
    if (DIR* dir = ::opendir(folder.constData())) {
        while (const dirent* entry = ::readdir(dir)) {
            if (QFile::decodeName(entry->d_name) == shown && ++matches == 1)
                found = entry->d_name;
        }
        ::closedir(dir);
    }
    return matches == 1 ? found : NativeFileName(shown);
}

} // namespace

QByteArray NativeWavePath(const QString& path) {
    const QByteArray native = NativeFileName(path);
    struct stat info {};
    if (!path.contains(QChar::ReplacementCharacter) || ::lstat(native.constData(), &info) == 0)
        return native;
    const QStringList parts = path.split(u'/');
    QByteArray resolved;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        const QByteArray folder = !resolved.isEmpty()     ? resolved
                                  : path.startsWith(u'/') ? QByteArray("/")
                                                          : QByteArray(".");
        if (i > 0)
            resolved += '/';
        resolved += part.contains(QChar::ReplacementCharacter) ? entryShownAs(folder, part)
                                                               : NativeFileName(part);
    }
    return resolved;
}

QString WaveFileExtension(const QString& path) {
    const QString leaf = path.mid(path.lastIndexOf('/') + 1);
    const qsizetype dot = leaf.indexOf('.');
    if (dot < 0)
        return {};
    return leaf.mid(dot + 1).toLower();
}

WaveFileKind WaveFileKindOf(const QString& path) {
    const QString ext = WaveFileExtension(path);
    if (ext == "wdb")
        return WaveFileKind::Binary;
    if (ext == "txt")
        return WaveFileKind::Text;
    return WaveFileKind::Unknown;
}

FileDialogProposal OpenProposal(const QString& waveFileName, const QString& documentsFolder) {
    FileDialogProposal p;
    if (waveFileName == kUntitled || waveFileName.isEmpty()) {
        p.path = untitledIn(documentsFolder);
    } else if (hasThreeLetterExtension(waveFileName)) {
        p.path = waveFileName.left(waveFileName.size() - 4);
        p.defaultExtension = waveFileName.right(3);
    } else {
        p.path = waveFileName;
    }
    p.filterIndex = p.defaultExtension.compare("wdb", Qt::CaseInsensitive) == 0 ? 0 : 1;
    return p;
}

FileDialogProposal SaveProposal(const QString& waveFileName, const QString& extension,
                                const QString& documentsFolder) {
    FileDialogProposal p;
    p.defaultExtension = extension;
    if (waveFileName == kUntitled || waveFileName.isEmpty())
        p.path = untitledIn(documentsFolder);
    else if (hasThreeLetterExtension(waveFileName))
        p.path = waveFileName.left(waveFileName.size() - 3) + extension;
    else
        p.path = waveFileName;
    return p;
}

QString OpenFileFilter(Language language) {
    if (language == Language::English)
        return "Binary files(*.wdb);;Text files(*.txt);;All files(*.*)";
    return QString::fromUtf8("ﾊﾞｲﾅﾘ独自形式(*.wdb);;ﾃｷｽﾄ形式(*.txt);;全てのﾌｧｲﾙ(*.*)");
}

QString SaveFileFilter(bool binary, Language language) {
    if (language == Language::English)
        return binary ? "Binary files(*.wdb)" : "Text files(*.txt)";
    return QString::fromUtf8(binary ? "ﾊﾞｲﾅﾘ独自形式(*.wdb)" : "ﾃｷｽﾄ形式(*.txt)");
}

QString ProposalFolder(const QString& documentsFolder, const QString& homeFolder) {
    if (!documentsFolder.isEmpty() && QFileInfo(documentsFolder).isDir())
        return documentsFolder;
    return homeFolder;
}

} // namespace zw
