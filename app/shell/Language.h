// The interface language, chosen once at start-up, and what depends on it
// besides captions and messages: fonts and help file names.
#ifndef ZW_SHELL_LANGUAGE_H
#define ZW_SHELL_LANGUAGE_H

#include <QString>
#include <QStringView>

#include <optional>

namespace zw {

enum class Language { Japanese, English };

// The marker file whose presence in the start-up directory selects English.
inline constexpr char kEnglishMarkerFile[] = "8832_Eng.Env";

// English when the marker file exists in `directory` and can be opened for
// reading, Japanese otherwise.
Language LanguageFromMarker(const QString& directory);

// Parses "en" / "ja" (any case) as given with --lang=; nothing for other text.
std::optional<Language> LanguageFromName(QStringView name);

// The font of the windows ("Arial" / "ＭＳ ゴシック") and of symbols
// ("Arial" / "Symbol"); the point size of both is kDisplayFontSize.
QString DisplayFontName(Language language);
QString SymbolFontName(Language language);
inline constexpr int kDisplayFontSize = 9;

// Help topics in the order of the help file table.
enum class HelpTopic {
    Create = 0,
    Compress = 1,
    Interpolate = 2,
    Operate = 3,
    System = 4,
    Main = 5
};
inline constexpr int kHelpTopicCount = 6;

// The help page of a topic ("8832CRTE.html" / "8832CRTJ.html" ...); empty for a
// topic outside 0..5.
QString HelpFileName(int topic, Language language);

} // namespace zw

#endif // ZW_SHELL_LANGUAGE_H
