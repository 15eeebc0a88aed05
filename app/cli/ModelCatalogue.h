// The model database as the tool sees it: where the model files are, loading
// them, and the listing of every model (interfaces, memory sizes, channels,
// ranges and the oscillator limits) as text or JSON.
#ifndef ZW_CLI_MODELCATALOGUE_H
#define ZW_CLI_MODELCATALOGUE_H

#include "CurrentSetting.h"
#include "Language.h"

#include <QJsonArray>
#include <QString>

namespace zw::cli {

// --models when given; else the editor's rule: the current folder when it
// holds "*.SYS" files, else the user's model folder, else the installed (or,
// in the build tree, the bundled) models beside the program.
QString ModelsFolder(const QString& option, const QString& currentFolder,
                     const QString& programFolder);

// Loads the model files of `folder` into the model database and the
// setting's lists, selecting the first model. Throws CommandError (1) with
// the database's message and the file name.
void LoadModels(const QString& folder, Language language, CurrentSetting& setting);

// Every loaded model. `setting` is left as it was.
QJsonArray ModelsJson(const CurrentSetting& setting);
QString ModelsText(const CurrentSetting& setting);

// The model index of a listed name (blanks around it and case ignored), or -1.
int FindModel(const CurrentSetting& setting, const QString& name);

// The memory sizes (samples) the current model offers, in list order.
std::vector<long> MemorySizesOf(const CurrentSetting& setting);

} // namespace zw::cli

#endif // ZW_CLI_MODELCATALOGUE_H
