// One plug-in library, loaded and checked: its table was found through the
// entry and is complete, its name and types are copied and cleaned. The
// library is unloaded when the object goes.
#ifndef IMPORTHOST_LOADEDPLUGIN_H
#define IMPORTHOST_LOADEDPLUGIN_H

#include "importplugin.h"

#include <memory>
#include <string>
#include <vector>

namespace importhost {

class LoadedPlugin {
public:
    // Nothing when the file does not load or is no usable plug-in.
    static std::unique_ptr<LoadedPlugin> Load(const std::string& path);
    ~LoadedPlugin();
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;

    const ZwImportPlugin& table() const { return *table_; }
    const std::string& name() const { return name_; }
    const std::vector<std::string>& types() const { return types_; }

private:
    LoadedPlugin(void* library, const ZwImportPlugin* table) : library_(library), table_(table) {}
    bool takeDescription();

    void* library_;
    const ZwImportPlugin* table_;
    std::string name_;
    std::vector<std::string> types_;
};

// A type is 1 to ZW_IMPORT_TYPE_MAX ASCII letters and digits: anything else
// could not stand in a file dialog's pattern.
bool IsUsableType(const char* type);

// The name cut to ZW_IMPORT_NAME_MAX bytes (never inside a UTF-8 sequence),
// control characters turned into blanks.
std::string CleanName(const char* name);

} // namespace importhost

#endif // IMPORTHOST_LOADEDPLUGIN_H
