// The model-folder and language rules of start-up.
#include "StartupChoices.h"

#include <QDir>
#include <QStandardPaths>

namespace zw {

bool HoldsModelFiles(const QString& folder) {
    if (folder.isEmpty())
        return false;
    const QDir dir(folder);
    // The name filter is case-sensitive on Linux, so test the suffix ourselves.
    const QStringList files = dir.entryList(QDir::Files | QDir::Readable);
    for (const QString& name : files) {
        if (name.endsWith(QStringLiteral(".SYS"), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

ModelSource ChooseModelSource(const ModelCandidates& candidates,
                              const std::function<bool(const QString&)>& holdsModels) {
    if (holdsModels(candidates.startFolder))
        return {candidates.startFolder, ModelOrigin::StartFolder};
    if (holdsModels(candidates.userFolder))
        return {candidates.userFolder, ModelOrigin::UserFolder};
    if (holdsModels(candidates.installedFolder))
        return {candidates.installedFolder, ModelOrigin::InstalledFolder};
    return {candidates.startFolder, ModelOrigin::StartFolder};
}

Language ChooseLanguage(std::optional<Language> commandLine, ModelOrigin origin, bool markerPresent,
                        QStringView localeName) {
    if (commandLine)
        return *commandLine;
    if (markerPresent)
        return Language::English;
    if (origin == ModelOrigin::StartFolder)
        return Language::Japanese;
    return localeName.startsWith(u"ja", Qt::CaseInsensitive) ? Language::Japanese
                                                             : Language::English;
}

QString UserModelFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/ZW4410/models");
}

} // namespace zw
