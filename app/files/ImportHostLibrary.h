// The import plug-in host library (include/importhost.h), bound by name the
// first time File > Import needs it, like the bus libraries: a program
// without it still starts, and only Import finds it missing.
#ifndef ZW_FILES_IMPORTHOSTLIBRARY_H
#define ZW_FILES_IMPORTHOSTLIBRARY_H

#include "importhost.h"

#include <QStringList>

namespace zw {

class ImportHostLibrary {
public:
    // The library file names to try, in order.
    explicit ImportHostLibrary(QStringList candidates) : candidates_(std::move(candidates)) {}
    ~ImportHostLibrary();
    ImportHostLibrary(const ImportHostLibrary&) = delete;
    ImportHostLibrary& operator=(const ImportHostLibrary&) = delete;

    // The program's own copy in lib/ beside its bin/ folder first, then
    // whatever the loader finds by the name (the program's run path
    // included, since the program itself asks).
    static QStringList DefaultCandidates(const QString& programFolder);

    // Loads and binds on the first call; true when every function is bound.
    bool bind();

    decltype(&::OpenPlugin) OpenPlugin = nullptr;
    decltype(&::GetPluginName) GetPluginName = nullptr;
    decltype(&::GetPluginType) GetPluginType = nullptr;
    decltype(&::BeginPlugin) BeginPlugin = nullptr;
    decltype(&::SeekPlugin) SeekPlugin = nullptr;
    decltype(&::ExecutePlugin) ExecutePlugin = nullptr;
    decltype(&::EndPlugin) EndPlugin = nullptr;
    decltype(&::ClosePlugin) ClosePlugin = nullptr;

private:
    template <typename F> bool resolve(F& function, const char* name);

    QStringList candidates_;
    void* library_ = nullptr;
    bool tried_ = false;
    bool bound_ = false;
};

} // namespace zw

#endif // ZW_FILES_IMPORTHOSTLIBRARY_H
