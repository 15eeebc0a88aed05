// Loads the bundled model files once per test program, as the editor does
// at start-up from its folder.
#ifndef ZW_TESTS_APP_MODELSFIXTURE_H
#define ZW_TESTS_APP_MODELSFIXTURE_H

#include "modspec32.h"

#include <QDir>

#include <gtest/gtest.h>

namespace zwtest {

inline void loadBundledModels() {
    const QString previous = QDir::currentPath();
    QDir::setCurrent(ZW_MODELS_DIR);
    const int32_t result = SysInitDeviceInfo();
    QDir::setCurrent(previous);
    ASSERT_EQ(result, SYS_LOAD_OK);
    ASSERT_GE(SysGetDeviceCnt(), 1);
}

} // namespace zwtest

#endif
