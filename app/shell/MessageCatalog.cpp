// Fills the catalogue from the message table.
#include "MessageCatalog.h"

#include "MessageTable.h"

namespace zw {
namespace {

constexpr int kJapanese = 0;
constexpr int kEnglish = 1;

QString fill(const char* raw) {
    QString s = QString::fromUtf8(raw);
    s.replace(QStringLiteral("{Bus}"), QString::fromLatin1(MessageCatalog::kBusName));
    s.replace(QStringLiteral("{bus}"), QString::fromLatin1(MessageCatalog::kBusName).toLower());
    return s;
}

int slot(Language language) {
    return language == Language::English ? kEnglish : kJapanese;
}

} // namespace

MessageCatalog::MessageCatalog(Language language) : language_(language) {
    for (std::size_t i = 0; i < detail::kMessageRowCount; ++i) {
        const detail::MessageRow& row = detail::kMessageRows[i];
        if (row.code < kFirstCode || row.code > kLastCode)
            continue;
        texts_[static_cast<std::size_t>(row.code)][kJapanese] = fill(row.japanese);
        texts_[static_cast<std::size_t>(row.code)][kEnglish] = fill(row.english);
    }
}

QString MessageCatalog::text(int code, Language language) const {
    if (code < kFirstCode || code > kLastCode)
        return QString();
    return texts_[static_cast<std::size_t>(code)][static_cast<std::size_t>(slot(language))];
}

QString MessageCatalog::MessageText(int code) const {
    return text(code, language_) + u'\r';
}

} // namespace zw
