// The bilingual message catalogue: numbered messages 0 to 250, each with a
// Japanese and an English text. Library result codes and the editor's own
// error numbers are catalogue numbers.
#ifndef ZW_SHELL_MESSAGECATALOG_H
#define ZW_SHELL_MESSAGECATALOG_H

#include "Language.h"

#include <QString>

#include <array>

namespace zw {

class MessageCatalog {
public:
    static constexpr int kFirstCode = 0;
    static constexpr int kLastCode = 250;
    // The word that the bus messages 200 to 241 are built with.
    static constexpr char kBusName[] = "Interface";

    explicit MessageCatalog(Language language);

    Language language() const { return language_; }
    bool EnglishMode() const { return language_ == Language::English; }

    // The code's text in the catalogue's language followed by a carriage
    // return ("\r"). An empty entry, and a code outside 0..250, give the
    // carriage return alone. Composite texts are such results joined.
    QString MessageText(int code) const;

    // The code's text in the given language without the carriage return;
    // empty for an empty entry or a code outside 0..250. Texts may hold
    // carriage returns of their own (messages 201, 216, 221, 226).
    QString text(int code, Language language) const;

private:
    Language language_;
    std::array<std::array<QString, 2>, kLastCode + 1> texts_;
};

} // namespace zw

#endif // ZW_SHELL_MESSAGECATALOG_H
