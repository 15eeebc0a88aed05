// Loads Qt's Japanese translation once for the life of the application.
#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace zw {

bool InstallQtTranslations(Language language, const QString& folder) {
    if (language != Language::Japanese || !QCoreApplication::instance())
        return false;
    const QString from =
        folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_ja"), from))
        return false;
    // From here the application object owns it and removes it at its end.
    translator->setParent(QCoreApplication::instance());
    return QCoreApplication::installTranslator(translator.release());
}

} // namespace zw
