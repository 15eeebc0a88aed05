// What every plug-in written in C++ needs at its C door: no exception may
// leave a function of the table.
#ifndef ZW_PLUGINS_PLUGINDOOR_H
#define ZW_PLUGINS_PLUGINDOOR_H

#include "importplugin.h"

#include <new>

namespace zw::plugins {

// Runs `call`; an allocation failure is ZW_IMPORT_NO_MEMORY, any other
// exception ZW_IMPORT_BAD_FORMAT.
template <typename Call> int32_t Guarded(Call call) noexcept {
    try {
        return call();
    } catch (const std::bad_alloc&) {
        return ZW_IMPORT_NO_MEMORY;
    } catch (...) {
        return ZW_IMPORT_BAD_FORMAT;
    }
}

} // namespace zw::plugins

#endif // ZW_PLUGINS_PLUGINDOOR_H
