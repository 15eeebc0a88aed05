#include "VariableTable.h"

namespace formula32 {

bool VariableTable::add(std::string_view name, const double* value) {
    if (count_ == kCapacity)
        return false;
    entries_[count_++] = {name, value};
    return true;
}

int VariableTable::find(std::string_view name) const {
    for (std::size_t i = 0; i < count_; ++i)
        if (entries_[i].name == name)
            return static_cast<int>(i);
    return -1;
}

} // namespace formula32
