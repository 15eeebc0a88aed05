// Movable memory blocks named by 32-bit handles, shared by every deliverable
// of the program through this one library.
//
// A handle packs a slot number (low 20 bits, plus one so that no handle is 0)
// with the slot's generation (high 12 bits). Freeing a block bumps the
// generation, so a stale copy of the handle no longer matches; freed slots are
// reused oldest first, and a slot whose generation would wrap is retired,
// which keeps every handle unique for the life of the process.

#include "zwplatform.h"

#include <cstdlib>
#include <deque>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

namespace {

constexpr unsigned kSlotBits = 20;
constexpr uint32_t kSlotMask = (1u << kSlotBits) - 1u;
constexpr uint32_t kMaxSlots = kSlotMask; // slot numbers 0 .. kSlotMask-1
constexpr uint32_t kMaxGeneration = (1u << (32 - kSlotBits)) - 1u;

struct FreeDeleter {
    void operator()(void* p) const noexcept { std::free(p); }
};
using Block = std::unique_ptr<std::byte, FreeDeleter>;

struct Slot {
    Block data;
    size_t size = 0;
    uint32_t generation = 1;
    bool live = false;
    unsigned locks = 0;
};

class HandleTable {
public:
    ZwMemHandle allocate(size_t bytes) {
        // calloc keeps large zero-filled blocks cheap: the pages arrive zeroed.
        Block data(static_cast<std::byte*>(std::calloc(bytes == 0 ? 1 : bytes, 1)));
        if (!data)
            return 0;
        const std::lock_guard guard(mutex_);
        const auto index = takeSlot();
        if (index == kMaxSlots)
            return 0;
        Slot& slot = slots_[index];
        slot.data = std::move(data);
        slot.size = bytes;
        slot.live = true;
        slot.locks = 0;
        ++liveCount_;
        return makeHandle(index, slot.generation);
    }

    void* lock(ZwMemHandle handle, size_t* size) {
        const std::lock_guard guard(mutex_);
        Slot* slot = find(handle);
        if (!slot) {
            if (size)
                *size = 0;
            return nullptr;
        }
        ++slot->locks;
        if (size)
            *size = slot->size;
        return slot->data.get();
    }

    int unlock(ZwMemHandle handle) {
        const std::lock_guard guard(mutex_);
        // A block freed while locked is still reachable through its handle
        // here, so that its last unlock can release it.
        Slot* slot = findAny(handle);
        if (!slot || slot->locks == 0)
            return 0;
        --slot->locks;
        if (slot->locks == 0 && !slot->live)
            release(indexOf(handle));
        return slot->locks > 0 ? 1 : 0;
    }

    ZwMemHandle free(ZwMemHandle handle) {
        const std::lock_guard guard(mutex_);
        Slot* slot = find(handle);
        if (!slot)
            return handle;
        slot->live = false;
        --liveCount_;
        if (slot->locks == 0)
            release(indexOf(handle));
        return 0;
    }

    size_t size(ZwMemHandle handle) {
        const std::lock_guard guard(mutex_);
        const Slot* slot = find(handle);
        return slot ? slot->size : 0;
    }

    size_t liveCount() {
        const std::lock_guard guard(mutex_);
        return liveCount_;
    }

private:
    static ZwMemHandle makeHandle(uint32_t index, uint32_t generation) {
        return (generation << kSlotBits) | (index + 1u);
    }
    static uint32_t indexOf(ZwMemHandle handle) { return (handle & kSlotMask) - 1u; }
    static uint32_t generationOf(ZwMemHandle handle) { return handle >> kSlotBits; }

    uint32_t takeSlot() {
        if (!freeSlots_.empty()) {
            const uint32_t index = freeSlots_.front();
            freeSlots_.pop_front();
            return index;
        }
        if (slots_.size() >= kMaxSlots)
            return kMaxSlots;
        slots_.emplace_back();
        return static_cast<uint32_t>(slots_.size() - 1);
    }

    // The slot named by a handle whose generation still matches, live or not.
    Slot* findAny(ZwMemHandle handle) {
        if ((handle & kSlotMask) == 0)
            return nullptr;
        const uint32_t index = indexOf(handle);
        if (index >= slots_.size())
            return nullptr;
        Slot& slot = slots_[index];
        if (slot.generation != generationOf(handle) || !slot.data)
            return nullptr;
        return &slot;
    }

    Slot* find(ZwMemHandle handle) {
        Slot* slot = findAny(handle);
        return slot && slot->live ? slot : nullptr;
    }

    void release(uint32_t index) {
        Slot& slot = slots_[index];
        slot.data.reset();
        slot.size = 0;
        if (slot.generation == kMaxGeneration)
            return; // retired: its handles have all been used once
        ++slot.generation;
        freeSlots_.push_back(index);
    }

    std::mutex mutex_;
    std::vector<Slot> slots_;
    std::deque<uint32_t> freeSlots_;
    size_t liveCount_ = 0;
};

HandleTable& table() {
    static HandleTable instance;
    return instance;
}

} // namespace

extern "C" {

ZWPLATFORM_API ZwMemHandle ZwGlobalAlloc(size_t bytes) {
    try {
        return table().allocate(bytes);
    } catch (...) {
        return 0;
    }
}

ZWPLATFORM_API void* ZwGlobalLock(ZwMemHandle handle, size_t* size) {
    return table().lock(handle, size);
}

ZWPLATFORM_API int ZwGlobalUnlock(ZwMemHandle handle) { return table().unlock(handle); }

ZWPLATFORM_API ZwMemHandle ZwGlobalFree(ZwMemHandle handle) { return table().free(handle); }

ZWPLATFORM_API size_t ZwGlobalSize(ZwMemHandle handle) { return table().size(handle); }

ZWPLATFORM_API size_t ZwGlobalLiveCount(void) { return table().liveCount(); }

} // extern "C"
