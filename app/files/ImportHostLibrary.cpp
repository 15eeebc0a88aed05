#include "ImportHostLibrary.h"

#include <dlfcn.h>

namespace zw {

QStringList ImportHostLibrary::DefaultCandidates(const QString& programFolder) {
    return {programFolder + "/../lib/libimporthost.so", "libimporthost.so"};
}

ImportHostLibrary::~ImportHostLibrary() {
    if (library_)
        dlclose(library_);
}

template <typename F> bool ImportHostLibrary::resolve(F& function, const char* name) {
    function = reinterpret_cast<F>(dlsym(library_, name));
    return function != nullptr;
}

bool ImportHostLibrary::bind() {
    if (tried_)
        return bound_;
    tried_ = true;
    for (const QString& candidate : candidates_) {
        library_ = dlopen(candidate.toUtf8().constData(), RTLD_NOW | RTLD_LOCAL);
        if (library_)
            break;
    }
    if (!library_)
        return false;
    bound_ = resolve(OpenPlugin, "OpenPlugin") && resolve(GetPluginName, "GetPluginName") &&
             resolve(GetPluginType, "GetPluginType") && resolve(BeginPlugin, "BeginPlugin") &&
             resolve(SeekPlugin, "SeekPlugin") && resolve(ExecutePlugin, "ExecutePlugin") &&
             resolve(EndPlugin, "EndPlugin") && resolve(ClosePlugin, "ClosePlugin");
    return bound_;
}

} // namespace zw
