#include "UserConstants.h"

#include <cstring>

namespace formula32 {

bool UserConstants::define(std::string_view name, double value) {
    if (name.empty() || name.size() > kMaxNameLength)
        return false;
    for (std::size_t i = 0; i < count_; ++i) {
        if (name == entries_[i].name) {
            entries_[i].value = value;
            return true;
        }
    }
    if (count_ == kCapacity)
        return false;
    Entry& e = entries_[count_];
    std::memcpy(e.name, name.data(), name.size());
    e.name[name.size()] = '\0';
    e.value = value;
    ++count_;
    return true;
}

bool UserConstants::find(std::string_view name, double& value) const {
    for (std::size_t i = 0; i < count_; ++i) {
        if (name == entries_[i].name) {
            value = entries_[i].value;
            return true;
        }
    }
    return false;
}

} // namespace formula32
