// The sample codes of a stretch of a wave memory, for comparing in tests.
#ifndef ZW_TESTS_SUPPORT_MEMORYCODES_H
#define ZW_TESTS_SUPPORT_MEMORYCODES_H

#include "zwplatform.hpp"

#include <cstdint>
#include <vector>

namespace zwtest {

inline std::vector<int16_t> codes(ZwMemHandle h, int from, int count) {
    zw::LockedBlock<int16_t> block(h);
    return std::vector<int16_t>(block.data() + from, block.data() + from + count);
}

} // namespace zwtest

#endif // ZW_TESTS_SUPPORT_MEMORYCODES_H
