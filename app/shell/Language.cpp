// Language choice, fonts and help file names.
#include "Language.h"

#include <QDir>
#include <QFileInfo>

namespace zw {

Language LanguageFromMarker(const QString& directory) {
    // Its presence is what counts; it is never opened (a FIFO would block).
    const QString marker = QDir(directory).filePath(QString::fromLatin1(kEnglishMarkerFile));
    return QFileInfo::exists(marker) ? Language::English : Language::Japanese;
}

std::optional<Language> LanguageFromName(QStringView name) {
    if (name.compare(u"en", Qt::CaseInsensitive) == 0)
        return Language::English;
    if (name.compare(u"ja", Qt::CaseInsensitive) == 0)
        return Language::Japanese;
    return std::nullopt;
}

QString DisplayFontName(Language language) {
    return language == Language::English ? QStringLiteral("Arial")
                                         : QStringLiteral("ＭＳ ゴシック");
}

QString SymbolFontName(Language language) {
    return language == Language::English ? QStringLiteral("Arial") : QStringLiteral("Symbol");
}

QString HelpFileName(int topic, Language language) {
    static const char* const stems[kHelpTopicCount] = {"8832CRT", "8832ELS", "8832SPN",
                                                       "8832CAL", "8832SYS", "8832"};
    if (topic < 0 || topic >= kHelpTopicCount)
        return QString();
    return QString::fromLatin1(stems[topic]) + (language == Language::English ? u'E' : u'J') +
           QStringLiteral(".html");
}

} // namespace zw
