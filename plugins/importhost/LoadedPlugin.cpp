#include "LoadedPlugin.h"

#include <dlfcn.h>

#include <cctype>
#include <cstring>

namespace importhost {

namespace {

bool IsComplete(const ZwImportPlugin* table) {
    return table && table->version == ZW_IMPORT_PLUGIN_VERSION && table->name && table->types &&
           table->open && table->seek && table->read && table->close;
}

} // namespace

bool IsUsableType(const char* type) {
    const std::size_t length = std::strlen(type);
    if (length == 0 || length > ZW_IMPORT_TYPE_MAX)
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(type[i]);
        if (c >= 0x80 || !std::isalnum(c))
            return false;
    }
    return true;
}

std::string CleanName(const char* name) {
    std::string text(name, strnlen(name, ZW_IMPORT_NAME_MAX + 1));
    if (text.size() > ZW_IMPORT_NAME_MAX) {
        std::size_t end = ZW_IMPORT_NAME_MAX;
        // Back off continuation bytes so that no character is cut in two.
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            --end;
        text.resize(end);
    }
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return text;
}

std::unique_ptr<LoadedPlugin> LoadedPlugin::Load(const std::string& path) {
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return nullptr;
    dlerror();
    auto entry =
        reinterpret_cast<ZwImportPluginEntryFunction>(dlsym(library, ZW_IMPORT_PLUGIN_ENTRY_NAME));
    const ZwImportPlugin* table = entry ? entry() : nullptr;
    if (!IsComplete(table)) {
        dlclose(library);
        return nullptr;
    }
    std::unique_ptr<LoadedPlugin> plugin(new LoadedPlugin(library, table));
    if (!plugin->takeDescription())
        return nullptr;
    return plugin;
}

LoadedPlugin::~LoadedPlugin() {
    dlclose(library_);
}

bool LoadedPlugin::takeDescription() {
    name_ = CleanName(table_->name);
    if (name_.find_first_not_of(' ') == std::string::npos)
        return false;
    for (const char* const* type = table_->types; *type; ++type) {
        if (types_.size() == ZW_IMPORT_TYPES_MAX || !IsUsableType(*type))
            return false;
        std::string lower(*type);
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        types_.push_back(std::move(lower));
    }
    return !types_.empty();
}

} // namespace importhost
