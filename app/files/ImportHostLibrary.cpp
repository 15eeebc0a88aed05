#include "ImportHostLibrary.h"

namespace zw {

QStringList ImportHostLibrary::DefaultCandidates(const QString& programFolder) {
    return {programFolder + "/../lib/libimporthost.so", "libimporthost.so"};
}

template <typename F> bool ImportHostLibrary::resolve(F& function, const char* name) {
    function = reinterpret_cast<F>(library_.resolve(name));
    return function != nullptr;
}

bool ImportHostLibrary::bind() {
    if (tried_)
        return bound_;
    tried_ = true;
    library_.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    for (const QString& candidate : candidates_) {
        library_.setFileName(candidate);
        if (library_.load())
            break;
    }
    if (!library_.isLoaded())
        return false;
    bound_ = resolve(OpenPlugin, "OpenPlugin") && resolve(GetPluginName, "GetPluginName") &&
             resolve(GetPluginType, "GetPluginType") && resolve(BeginPlugin, "BeginPlugin") &&
             resolve(SeekPlugin, "SeekPlugin") && resolve(ExecutePlugin, "ExecutePlugin") &&
             resolve(EndPlugin, "EndPlugin") && resolve(ClosePlugin, "ClosePlugin");
    return bound_;
}

} // namespace zw
