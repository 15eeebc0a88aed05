#include "bus/DynamicLibrary.h"

#include <dlfcn.h>

namespace zw::bus {

std::unique_ptr<DynamicLibrary> DynamicLibrary::Open(const std::vector<std::string>& names,
                                                     std::string& error) {
    error.clear();
    for (const std::string& name : names) {
        if (name.empty())
            continue;
        if (void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL))
            return std::unique_ptr<DynamicLibrary>(new DynamicLibrary(handle, name));
        if (const char* reason = dlerror())
            error = reason;
    }
    if (error.empty())
        error = "no library name given";
    return nullptr;
}

DynamicLibrary::~DynamicLibrary() {
    dlclose(handle_);
}

void* DynamicLibrary::Address(const char* symbol) const {
    dlerror();
    return dlsym(handle_, symbol);
}

} // namespace zw::bus
