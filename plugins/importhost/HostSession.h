// One session of the host: the plug-ins loaded by OpenPlugin and the files
// open through them. Each call's arguments are checked here, once; the
// plug-ins then see only readers they made and buffers of the stated size.
#ifndef IMPORTHOST_HOSTSESSION_H
#define IMPORTHOST_HOSTSESSION_H

#include "LoadedPlugin.h"
#include "importhost.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace importhost {

class HostSession {
public:
    HostSession(const std::string& folder, const std::string& pattern, int32_t fileNameSize);
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    int32_t count() const { return static_cast<int32_t>(plugins_.size()); }
    int32_t name(int32_t plugin, char* name, int32_t* length) const;
    int32_t type(int32_t plugin, int32_t typeIndex, char* type) const;
    int32_t begin(int32_t plugin, int32_t* handle, ImportFileInfo* info);
    int32_t seek(int32_t plugin, int32_t handle, int64_t offset);
    int32_t execute(int32_t plugin, int32_t handle, int16_t* data, int32_t* count);
    int32_t end(int32_t plugin, int32_t handle);

private:
    struct OpenFile {
        int32_t plugin;
        ZwImportReader* reader;
    };

    const LoadedPlugin* pluginAt(int32_t plugin) const;
    // The open file `handle` of `plugin`, or nothing.
    OpenFile* openFile(int32_t plugin, int32_t handle);
    int32_t nextHandle();

    std::vector<std::unique_ptr<LoadedPlugin>> plugins_;
    std::map<int32_t, OpenFile> files_;
    int32_t fileNameSize_;
    int32_t lastHandle_ = 0;
};

} // namespace importhost

#endif // IMPORTHOST_HOSTSESSION_H
