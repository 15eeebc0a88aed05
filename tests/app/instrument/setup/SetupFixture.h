// The bundled models loaded once, and a current setting on one of them.
#ifndef ZW_TESTS_SETUP_FIXTURE_H
#define ZW_TESTS_SETUP_FIXTURE_H

#include "CurrentSetting.h"
#include "ModelsFixture.h"
#include "modspec32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace zwtest {

// Index of a bundled model by its short name; -1 when missing.
inline int ModelNamed(const std::string& name) {
    for (int m = 0; m < SysGetDeviceCnt(); ++m) {
        char buffer[SYS_NAME_BUFFER + 1] = {};
        SysGetDeviceName(m, buffer);
        if (name == buffer)
            return m;
    }
    return -1;
}

class SetupFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static const bool loaded = [] {
            loadBundledModels();
            return true;
        }();
        (void)loaded;
    }
    void SetUp() override {
        setting.loadModelLists();
        single = ModelNamed("ZWG-114");
        dual = ModelNamed("ZWG-216");
        usbOnly = ModelNamed("ZWG-316U");
        ASSERT_GE(single, 0);
        ASSERT_GE(dual, 0);
        ASSERT_GE(usbOnly, 0);
        ASSERT_TRUE(setting.selectModel(single));
        setting.setInterfaceType(0);
    }

    static bool SameRecord(const DeviceInfo& a, const DeviceInfo& b) {
        return std::memcmp(&a, &b, sizeof a) == 0;
    }

    zw::CurrentSetting setting;
    int single = -1;
    int dual = -1;
    int usbOnly = -1;
};

} // namespace zwtest

#endif
