// Qt's own texts (standard buttons, file, font, printer and colour dialogs)
// in the interface language.
#ifndef ZW_SHELL_QTTRANSLATIONS_H
#define ZW_SHELL_QTTRANSLATIONS_H

#include "Language.h"

#include <QString>

namespace zw {

// In Japanese installs Qt's Japanese translation (qtbase_ja.qm from Qt's
// translations folder, or from `folder` when given) into the application;
// in English does nothing, as Qt's own texts are English. Returns true when
// a translation was installed.
bool InstallQtTranslations(Language language, const QString& folder = QString());

} // namespace zw

#endif // ZW_SHELL_QTTRANSLATIONS_H
