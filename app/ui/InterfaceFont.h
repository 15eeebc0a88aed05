// The font of the windows' controls and menus. The display font of the
// language comes first; where it is not installed (a Linux desktop has no
// such Japanese font) a Japanese gothic from the distribution takes its
// place, one whose half-width katakana keep the voiced marks with their
// letters, as the interface's captions are written in them. Without it the
// desktop's fallback sets the marks apart from their letters.
#ifndef ZW_UI_INTERFACEFONT_H
#define ZW_UI_INTERFACEFONT_H

#include "Language.h"

#include <QFont>
#include <QStringList>

namespace zw {

// In order of preference; the first installed one is used.
QStringList InterfaceFontFamilies(Language language);
QFont InterfaceFont(Language language);

} // namespace zw

#endif // ZW_UI_INTERFACEFONT_H
