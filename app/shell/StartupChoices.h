// Where the model files come from and which language the program speaks.
//
// Model files (*.SYS) and "USBTMC.ID" are read from the first of these that
// holds a *.SYS file: the start-up folder, the user's folder
// ($XDG_DATA_HOME/ZW4410/models, normally ~/.local/share/ZW4410/models), the
// installed share/zw4410/models. The language is --lang when given; else
// English when the marker file "8832_Eng.Env" is in the folder the models
// came from; else Japanese when they came from the start-up folder; else the
// desktop's locale (ja* Japanese, anything else English).
#ifndef ZW_SHELL_STARTUPCHOICES_H
#define ZW_SHELL_STARTUPCHOICES_H

#include "Language.h"

#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

namespace zw {

enum class ModelOrigin { StartFolder, UserFolder, InstalledFolder };

struct ModelSource {
    QString folder;
    ModelOrigin origin = ModelOrigin::StartFolder;
};

struct ModelCandidates {
    QString startFolder;
    QString userFolder;
    QString installedFolder;
};

// True when `folder` holds a file named *.SYS (extension in any case).
bool HoldsModelFiles(const QString& folder);

// The first candidate that holds model files; the start-up folder when none
// does, so the start-up reports the missing models there as it always has.
ModelSource
ChooseModelSource(const ModelCandidates& candidates,
                  const std::function<bool(const QString&)>& holdsModels = HoldsModelFiles);

// The language by the rule above. `markerPresent` tells whether the marker
// file is in the models' folder; `localeName` is the desktop's ("ja_JP").
Language ChooseLanguage(std::optional<Language> commandLine, ModelOrigin origin, bool markerPresent,
                        QStringView localeName);

// The user's model folder: $XDG_DATA_HOME/ZW4410/models.
QString UserModelFolder();

} // namespace zw

#endif // ZW_SHELL_STARTUPCHOICES_H
