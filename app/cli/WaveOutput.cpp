#include "WaveOutput.h"

#include "CliTexts.h"
#include "ImportHostLibrary.h"
#include "InstallLayout.h"
#include "MessageCatalog.h"
#include "PlugInImport.h"
#include "WaveFileCommands.h"
#include "WaveFileNames.h"
#include "zwplatform.hpp"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace zw::cli {

namespace {

constexpr int kInvalidExtension = 7;

// "<folder>/<name>~part<pid>.<ext>": the same folder (so the rename is
// atomic) and the same extension (the commands choose the format by the
// part after the first dot, so the temporary name has no other dot).
QString TemporaryBeside(const QString& path) {
    const QFileInfo info(path);
    const QString name = info.fileName();
    return info.dir().filePath(QStringLiteral("%1~part%2.%3")
                                   .arg(name.section(QLatin1Char('.'), 0, 0))
                                   .arg(::getpid())
                                   .arg(name.section(QLatin1Char('.'), 1)));
}

} // namespace

QString FileMessage(int code, const QString& path, Language language) {
    const QString text = MessageCatalog(language).text(code, language).trimmed();
    return text + QLatin1String(": ") + QDir::toNativeSeparators(path);
}

WaveWorkspace::WaveWorkspace(CurrentSetting& setting, Language language)
    : setting_(setting), language_(language) {
    if (!document_.allocate())
        throw CommandError(kExitFailed, MessageCatalog(language).text(10, language));
    document_.setWaveLength(setting_.waveLength());
}

void WaveWorkspace::checkType(const QString& path) const {
    if (WaveFileKindOf(path) == WaveFileKind::Unknown)
        throw CommandError(kExitUsage, Text(CliText::UnknownWaveType, language_).arg(path));
}

void WaveWorkspace::open(const QString& path) {
    checkType(path);
    WaveFileCommands commands(document_, setting_, names_);
    const int code = commands.open(path);
    if (code != 0)
        throw CommandError(kExitFailed, FileMessage(code, path, language_));
    document_.setWaveLength(setting_.waveLength());
}

void WaveWorkspace::import(const QString& path, const QString& programFolder, QStringList& notes) {
    const QString extension = WaveFileExtension(path);
    ImportHostLibrary host(ImportHostLibrary::DefaultCandidates(programFolder));
    PlugInImport importer(host, document_, names_);
    QStringList offered = {QStringLiteral(".wdb"), QStringLiteral(".txt")};
    bool chosen = false;
    const ImportOutcome outcome =
        importer.run(LocateInstallLayout(programFolder).pluginFolder,
                     [&](const std::vector<ImportFileType>& types) -> std::optional<ImportChoice> {
                         for (const ImportFileType& t : types)
                             offered << QLatin1Char('.') + t.extension;
                         for (size_t i = 0; i < types.size(); ++i)
                             if (types[i].extension == extension) {
                                 chosen = true;
                                 return ImportChoice{static_cast<int>(i), path};
                             }
                         return std::nullopt;
                     });
    if (!chosen) {
        offered.removeDuplicates();
        throw CommandError(
            kExitUsage,
            Text(CliText::NoReader, language_).arg(path, offered.join(QLatin1String(", "))));
    }
    if (outcome.message == kImportCutMessage)
        notes << MessageCatalog(language_).text(kImportCutMessage, language_).trimmed();
    else if (outcome.message != 0 || !outcome.imported)
        throw CommandError(
            kExitFailed, FileMessage(outcome.message != 0 ? outcome.message : 71, path, language_));
}

void WaveWorkspace::save(const QString& path) {
    checkType(path);
    const QString part = TemporaryBeside(path);
    WaveFileCommands commands(document_, setting_, names_);
    const int code = commands.save(part);
    if (code != 0 ||
        std::rename(NativeWavePath(part).constData(), NativeWavePath(path).constData()) != 0) {
        std::remove(NativeWavePath(part).constData());
        throw CommandError(kExitFailed,
                           FileMessage(code == kInvalidExtension ? code : 72, path, language_));
    }
}

std::vector<int16_t> WaveWorkspace::samples() const {
    const LockedBlock<int16_t> block(document_.current());
    const size_t length =
        std::min<size_t>(block.size(), static_cast<size_t>(document_.WaveLength()));
    return block ? std::vector<int16_t>(block.data(), block.data() + length)
                 : std::vector<int16_t>();
}

} // namespace zw::cli
