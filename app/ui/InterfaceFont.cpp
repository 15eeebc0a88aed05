#include "InterfaceFont.h"

namespace zw {

QStringList InterfaceFontFamilies(Language language) {
    if (language == Language::English)
        return {DisplayFontName(language), QStringLiteral("Liberation Sans"),
                QStringLiteral("DejaVu Sans")};
    // Noto Sans CJK JP (fonts-noto-cjk) and IPAGothic (fonts-ipafont-gothic)
    // draw the half-width forms whole and of even width.
    return {DisplayFontName(language), QStringLiteral("Noto Sans CJK JP"),
            QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic")};
}

QFont InterfaceFont(Language language) {
    QFont font;
    font.setFamilies(InterfaceFontFamilies(language));
    font.setPointSize(kDisplayFontSize);
    font.setBold(false);
    return font;
}

} // namespace zw
