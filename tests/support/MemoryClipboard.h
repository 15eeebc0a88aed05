// An in-memory clipboard owner for tests: holds one text, counts opens and
// can be told to refuse opening, as a clipboard held by another program does.
#ifndef ZW_TESTS_MEMORY_CLIPBOARD_H
#define ZW_TESTS_MEMORY_CLIPBOARD_H

#include "zwplatform.h"

#include <optional>
#include <string>

namespace zwtest {

class MemoryClipboard {
public:
    MemoryClipboard() {
        owner_.ctx = this;
        owner_.open = [](void* ctx) -> int {
            auto& s = self(ctx);
            if (s.refuseOpen || s.isOpen)
                return 0;
            s.isOpen = true;
            ++s.opens;
            return 1;
        };
        owner_.close = [](void* ctx) { self(ctx).isOpen = false; };
        owner_.empty = [](void* ctx) -> int {
            self(ctx).text.reset();
            return 1;
        };
        owner_.set_text = [](void* ctx, const char* t, size_t len) -> int {
            auto& s = self(ctx);
            if (s.refuseSet)
                return 0;
            s.text = std::string(t, len);
            return 1;
        };
        owner_.get_text = [](void* ctx, size_t* len) -> const char* {
            auto& s = self(ctx);
            if (!s.text) {
                if (len)
                    *len = 0;
                return nullptr;
            }
            if (len)
                *len = s.text->size();
            return s.text->c_str();
        };
    }
    MemoryClipboard(const MemoryClipboard&) = delete;
    MemoryClipboard& operator=(const MemoryClipboard&) = delete;

    ZwClipboardOwner* get() { return &owner_; }

    std::optional<std::string> text;
    bool refuseOpen = false;
    bool refuseSet = false;
    bool isOpen = false;
    int opens = 0;

private:
    static MemoryClipboard& self(void* ctx) { return *static_cast<MemoryClipboard*>(ctx); }
    ZwClipboardOwner owner_{};
};

} // namespace zwtest

#endif
