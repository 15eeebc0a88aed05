// The exported functions: one lock for the whole library, the session, and
// a guard that turns any exception into the call's failure result.
#include "HostSession.h"
#include "importhost.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>

namespace {

std::mutex& Lock() {
    static std::mutex lock;
    return lock;
}

std::unique_ptr<importhost::HostSession>& Session() {
    static std::unique_ptr<importhost::HostSession> session;
    return session;
}

template <typename Call> int32_t Guarded(int32_t failure, Call call) noexcept {
    try {
        const std::lock_guard<std::mutex> guard(Lock());
        return call();
    } catch (...) {
        return failure;
    }
}

// `noSession` is the result without an open session, `failure` the result
// of an exception.
template <typename Call>
int32_t WithSession(int32_t noSession, int32_t failure, Call call) noexcept {
    return Guarded(failure, [&]() -> int32_t {
        if (!Session())
            return noSession;
        return call(*Session());
    });
}

} // namespace

extern "C" {

IMPORTHOST_API int32_t OpenPlugin(const char* folder, const char* pattern, const char* app_name,
                                  int32_t buffer_size, int32_t* count) {
    return Guarded(IMPORTHOST_FAILED, [&]() -> int32_t {
        if (!folder || !pattern || !app_name || !count || buffer_size < 2 ||
            buffer_size > IMPORTHOST_FILE_NAME_SIZE)
            return IMPORTHOST_BAD_ARGUMENT;
        if (std::strcmp(app_name, IMPORTHOST_APP_NAME) != 0)
            return IMPORTHOST_WRONG_APP;
        Session().reset();
        Session() = std::make_unique<importhost::HostSession>(folder, pattern, buffer_size);
        *count = Session()->count();
        return IMPORTHOST_OK;
    });
}

IMPORTHOST_API int32_t GetPluginName(int32_t plugin, char* name, int32_t* length) {
    return WithSession(
        IMPORTHOST_NOT_OPEN, IMPORTHOST_FAILED,
        [&](importhost::HostSession& session) { return session.name(plugin, name, length); });
}

IMPORTHOST_API int32_t GetPluginType(int32_t plugin, int32_t type_index, char* type) {
    return WithSession(
        IMPORTHOST_NOT_OPEN, IMPORTHOST_FAILED,
        [&](importhost::HostSession& session) { return session.type(plugin, type_index, type); });
}

IMPORTHOST_API int32_t BeginPlugin(int32_t plugin, int32_t* handle, ImportFileInfo* info) {
    return WithSession(
        IMPORTHOST_NOT_OPEN, IMPORTHOST_FAILED,
        [&](importhost::HostSession& session) { return session.begin(plugin, handle, info); });
}

IMPORTHOST_API int32_t SeekPlugin(int32_t plugin, int32_t handle, int64_t offset) {
    return WithSession(
        IMPORTHOST_NOT_OPEN, IMPORTHOST_FAILED,
        [&](importhost::HostSession& session) { return session.seek(plugin, handle, offset); });
}

IMPORTHOST_API int32_t ExecutePlugin(int32_t plugin, int32_t handle, int16_t* data, int32_t* count,
                                     int32_t flags) {
    const int32_t result = WithSession(-1, -1, [&](importhost::HostSession& session) {
        return flags == 0 ? session.execute(plugin, handle, data, count) : -1;
    });
    if (result < 0 && count)
        *count = 0;
    return result;
}

IMPORTHOST_API int32_t EndPlugin(int32_t plugin, int32_t handle) {
    return WithSession(
        IMPORTHOST_NOT_OPEN, IMPORTHOST_FAILED,
        [&](importhost::HostSession& session) { return session.end(plugin, handle); });
}

IMPORTHOST_API int32_t ClosePlugin(void) {
    return Guarded(IMPORTHOST_OK, [] {
        Session().reset();
        return IMPORTHOST_OK;
    });
}

IMPORTHOST_API int32_t GetDllVersion(void) {
    return IMPORTHOST_VERSION;
}

IMPORTHOST_API int32_t GetDllSprtAppName(char* buffer, int32_t size) {
    if (!buffer || size < 1)
        return -1;
    const std::size_t length = std::strlen(IMPORTHOST_APP_NAME);
    const std::size_t copied = std::min(length, static_cast<std::size_t>(size) - 1);
    std::memcpy(buffer, IMPORTHOST_APP_NAME, copied);
    buffer[copied] = '\0';
    return static_cast<int32_t>(length);
}

} // extern "C"
