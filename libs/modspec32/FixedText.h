// Fixed-capacity byte texts of the model records: every copy into one is
// bounded, so a value longer than its field is cut instead of overrunning it.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace modspec32 {

// A NUL-terminated text of at most N - 1 bytes (N counts the terminator).
template <std::size_t N> class FixedText {
    static_assert(N > 0);

public:
    void assign(std::string_view text) {
        const std::size_t length = text.size() < N - 1 ? text.size() : N - 1;
        bytes_.fill('\0');
        std::memcpy(bytes_.data(), text.data(), length);
    }
    const char* c_str() const { return bytes_.data(); }
    std::string_view view() const { return std::string_view(bytes_.data()); }
    // The terminator included; never more than N.
    std::size_t bytesWithTerminator() const { return view().size() + 1; }

private:
    std::array<char, N> bytes_{};
};

// A slot of exactly N bytes that holds its text without a terminator when
// the text fills it, zero-padded otherwise.
template <std::size_t N> class FixedSlot {
public:
    void assign(std::string_view text) {
        const std::size_t length = text.size() < N ? text.size() : N;
        bytes_.fill('\0');
        std::memcpy(bytes_.data(), text.data(), length);
    }
    const std::array<char, N>& bytes() const { return bytes_; }
    std::string_view view() const {
        const void* end = std::memchr(bytes_.data(), '\0', N);
        return std::string_view(bytes_.data(),
                                end ? static_cast<const char*>(end) - bytes_.data() : N);
    }

private:
    std::array<char, N> bytes_{};
};

// Copies a record text, terminator included, into a caller's buffer of
// `capacity` bytes, cutting it when it does not fit. Returns the bytes written.
inline std::size_t copyBounded(std::string_view text, char* out, std::size_t capacity) {
    if (out == nullptr || capacity == 0) {
        return 0;
    }
    const std::size_t length = text.size() < capacity - 1 ? text.size() : capacity - 1;
    std::memcpy(out, text.data(), length);
    out[length] = '\0';
    return length + 1;
}

} // namespace modspec32
