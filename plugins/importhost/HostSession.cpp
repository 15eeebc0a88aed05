#include "HostSession.h"

#include "PluginFolder.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace importhost {

namespace {

// More than any caller's block; bounds what a plug-in is asked to write.
constexpr int32_t kMaxBlock = 1 << 20;

void CopyText(const std::string& text, char* buffer, std::size_t size) {
    const std::size_t length = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

} // namespace

HostSession::HostSession(const std::string& folder, const std::string& pattern,
                         int32_t fileNameSize)
    : fileNameSize_(fileNameSize) {
    for (const std::string& path : PluginFiles(folder, pattern))
        if (auto plugin = LoadedPlugin::Load(path))
            plugins_.push_back(std::move(plugin));
}

HostSession::~HostSession() {
    // Readers go before the libraries that made them.
    for (auto& [handle, file] : files_)
        plugins_[file.plugin]->table().close(file.reader);
    files_.clear();
    plugins_.clear();
}

const LoadedPlugin* HostSession::pluginAt(int32_t plugin) const {
    if (plugin < 0 || plugin >= count())
        return nullptr;
    return plugins_[plugin].get();
}

HostSession::OpenFile* HostSession::openFile(int32_t plugin, int32_t handle) {
    const auto found = files_.find(handle);
    if (found == files_.end() || found->second.plugin != plugin)
        return nullptr;
    return &found->second;
}

int32_t HostSession::nextHandle() {
    do {
        lastHandle_ = lastHandle_ == INT32_MAX ? 1 : lastHandle_ + 1;
    } while (files_.count(lastHandle_) != 0);
    return lastHandle_;
}

int32_t HostSession::name(int32_t plugin, char* name, int32_t* length) const {
    const LoadedPlugin* loaded = pluginAt(plugin);
    if (!loaded)
        return IMPORTHOST_NO_PLUGIN;
    if (!name || !length)
        return IMPORTHOST_BAD_ARGUMENT;
    CopyText(loaded->name(), name, IMPORTHOST_NAME_SIZE);
    *length = static_cast<int32_t>(std::strlen(name));
    return IMPORTHOST_OK;
}

int32_t HostSession::type(int32_t plugin, int32_t typeIndex, char* type) const {
    const LoadedPlugin* loaded = pluginAt(plugin);
    if (!loaded)
        return IMPORTHOST_NO_PLUGIN;
    if (!type)
        return IMPORTHOST_BAD_ARGUMENT;
    if (typeIndex < 0 || static_cast<std::size_t>(typeIndex) >= loaded->types().size())
        return IMPORTHOST_NO_TYPE;
    CopyText(loaded->types()[typeIndex], type, IMPORTHOST_TYPE_SIZE);
    return IMPORTHOST_OK;
}

int32_t HostSession::begin(int32_t plugin, int32_t* handle, ImportFileInfo* info) {
    const LoadedPlugin* loaded = pluginAt(plugin);
    if (!loaded)
        return IMPORTHOST_NO_PLUGIN;
    if (!handle || !info)
        return IMPORTHOST_BAD_ARGUMENT;
    // The caller promised a name of fileNameSize_ bytes at most: one that
    // does not end inside it is no name.
    const std::size_t length = strnlen(info->FileName, static_cast<std::size_t>(fileNameSize_));
    if (length == 0 || length == static_cast<std::size_t>(fileNameSize_))
        return IMPORTHOST_BAD_ARGUMENT;
    const std::string path(info->FileName, length);

    ZwImportReader* reader = nullptr;
    int64_t samples = -1;
    int64_t offset = -1;
    const int32_t result = loaded->table().open(path.c_str(), &reader, &samples, &offset);
    info->Result = result;
    if (result != ZW_IMPORT_OK)
        return IMPORTHOST_REFUSED;
    if (!reader || samples < 1 || offset < 0) {
        // A plug-in that claims success without a file to read.
        if (reader)
            loaded->table().close(reader);
        info->Result = ZW_IMPORT_BAD_FORMAT;
        return IMPORTHOST_FAILED;
    }
    const int32_t newHandle = nextHandle();
    files_.emplace(newHandle, OpenFile{plugin, reader});
    *handle = newHandle;
    info->SampleCount = samples;
    info->StartOffset = offset;
    return IMPORTHOST_OK;
}

int32_t HostSession::seek(int32_t plugin, int32_t handle, int64_t offset) {
    OpenFile* file = openFile(plugin, handle);
    if (!file)
        return IMPORTHOST_BAD_HANDLE;
    if (offset < 0)
        return IMPORTHOST_BAD_ARGUMENT;
    const int32_t result = plugins_[plugin]->table().seek(file->reader, offset);
    return result == ZW_IMPORT_OK ? IMPORTHOST_OK : IMPORTHOST_REFUSED;
}

int32_t HostSession::execute(int32_t plugin, int32_t handle, int16_t* data, int32_t* count) {
    OpenFile* file = openFile(plugin, handle);
    if (!file || !count)
        return -1;
    const int32_t capacity = *count;
    *count = 0;
    if (capacity < 0 || capacity > kMaxBlock || (!data && capacity > 0))
        return -1;
    int32_t delivered = 0;
    const int32_t result = plugins_[plugin]->table().read(file->reader, data, capacity, &delivered);
    if (result != ZW_IMPORT_OK || delivered < 0 || delivered > capacity)
        return -1;
    *count = delivered;
    return delivered;
}

int32_t HostSession::end(int32_t plugin, int32_t handle) {
    OpenFile* file = openFile(plugin, handle);
    if (!file)
        return IMPORTHOST_BAD_HANDLE;
    plugins_[plugin]->table().close(file->reader);
    files_.erase(handle);
    return IMPORTHOST_OK;
}

} // namespace importhost
