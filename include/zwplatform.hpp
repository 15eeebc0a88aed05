// C++ helpers over the platform layer: a scoped lock of a global memory block
// seen as an array of elements, so that no pointer outlives its lock, and the
// door every exported function of the libraries passes through.
#ifndef ZWPLATFORM_HPP
#define ZWPLATFORM_HPP

#include "zwplatform.h"

#include <cstddef>
#include <span>
#include <type_traits>
#include <utility>

namespace zw {

template <typename T> class LockedBlock {
public:
    explicit LockedBlock(ZwMemHandle handle) : handle_(handle) {
        size_t bytes = 0;
        void* p = ZwGlobalLock(handle, &bytes);
        if (p) {
            data_ = static_cast<T*>(p);
            count_ = bytes / sizeof(T);
        }
    }
    ~LockedBlock() {
        if (data_)
            ZwGlobalUnlock(handle_);
    }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;

    // False when the handle is unknown or freed: nothing may be touched then.
    explicit operator bool() const { return data_ != nullptr; }
    T* data() const { return data_; }
    std::size_t size() const { return count_; }
    std::span<T> span() const { return {data_, count_}; }
    T& operator[](std::size_t i) const { return data_[i]; }

private:
    ZwMemHandle handle_;
    T* data_ = nullptr;
    std::size_t count_ = 0;
};

// The door of an exported function: nothing thrown inside may cross the C
// boundary, so any exception becomes the function's failure result (an
// allocation that fails included).
template <typename Body, typename Result = std::invoke_result_t<Body&>>
Result GuardedExport(std::type_identity_t<Result> failure, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return failure;
    }
}

// The same for a function without a result: a failure does nothing more.
template <typename Body> void GuardedExport(Body&& body) noexcept {
    try {
        std::forward<Body>(body)();
    } catch (...) {
    }
}

} // namespace zw

#endif // ZWPLATFORM_HPP
