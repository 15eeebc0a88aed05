// The table of user constants: up to 256 names of at most 31 characters, each
// with a value. It lives from library load until it is cleared, shared by all
// calls, so a constant defined by one call is known to the next.
#ifndef FORMULA32_USERCONSTANTS_H
#define FORMULA32_USERCONSTANTS_H

#include <array>
#include <cstddef>
#include <string_view>

namespace formula32 {

class UserConstants {
public:
    static constexpr std::size_t kCapacity = 256;
    static constexpr std::size_t kMaxNameLength = 31;

    // Replaces the value of a known name or appends a new one. False when
    // the name is empty or too long, or a new name finds the table full.
    bool define(std::string_view name, double value);
    bool find(std::string_view name, double& value) const;
    void clear() { count_ = 0; }
    std::size_t size() const { return count_; }

private:
    struct Entry {
        char name[kMaxNameLength + 1]; // NUL-terminated
        double value;
    };
    std::array<Entry, kCapacity> entries_{};
    std::size_t count_ = 0;
};

} // namespace formula32

#endif
