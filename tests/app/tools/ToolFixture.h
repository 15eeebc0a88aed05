// A document of the editor's size for the tool tests, and helpers that read
// and fill its memories.
#ifndef ZW_TESTS_TOOLS_TOOLFIXTURE_H
#define ZW_TESTS_TOOLS_TOOLFIXTURE_H

#include "WaveDocument.h"
#include "zwplatform.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace zwtest {

inline std::vector<int16_t> Codes(ZwMemHandle h, int from, int count) {
    zw::LockedBlock<int16_t> block(h);
    return std::vector<int16_t>(block.data() + from, block.data() + from + count);
}

inline void Fill(ZwMemHandle h, int count, const std::function<int16_t(int)>& code) {
    zw::LockedBlock<int16_t> block(h);
    for (int i = 0; i < count; ++i)
        block[i] = code(i);
}

class ToolDocument : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(doc.allocate());
        doc.setWaveLength(1000);
        doc.setMarkersOfBoth({100, 200});
        doc.resetUndo();
    }
    std::vector<int16_t> all() const { return Codes(doc.current(), 0, 1000); }

    zw::WaveDocument doc;
};

} // namespace zwtest

#endif // ZW_TESTS_TOOLS_TOOLFIXTURE_H
