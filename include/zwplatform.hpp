// C++ helpers over the platform layer: a scoped lock of a global memory block
// seen as an array of elements, so that no pointer outlives its lock.
#ifndef ZWPLATFORM_HPP
#define ZWPLATFORM_HPP

#include "zwplatform.h"

#include <cstddef>
#include <span>

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

} // namespace zw

#endif // ZWPLATFORM_HPP
