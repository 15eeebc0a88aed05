// The variables an expression can read: up to 32 names, each bound to a
// double that the caller owns. Emptied at the start of every exported call;
// the array functions register "x", the sample index.
#ifndef FORMULA32_VARIABLETABLE_H
#define FORMULA32_VARIABLETABLE_H

#include <array>
#include <cstddef>
#include <string_view>

namespace formula32 {

class VariableTable {
public:
    static constexpr std::size_t kCapacity = 32;

    // False when 32 variables are registered already.
    bool add(std::string_view name, const double* value);
    // Index of the variable `name`, or -1.
    int find(std::string_view name) const;
    void clear() { count_ = 0; }
    std::size_t size() const { return count_; }
    // The variable at `index`, which must be below size().
    const double* reference(std::size_t index) const { return entries_[index].value; }

private:
    struct Entry {
        std::string_view name; // names are literals of the library
        const double* value;
    };
    std::array<Entry, kCapacity> entries_{};
    std::size_t count_ = 0;
};

} // namespace formula32

#endif
