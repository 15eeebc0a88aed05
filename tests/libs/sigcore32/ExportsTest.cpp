// The shared library as an outside program sees it: loaded by file name, every
// listed function found by its plain name, and a few calls made through it.

#include "sigcore32.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <fstream>
#include <string>

namespace {

struct Library {
    void* handle = dlopen(SIGCORE32_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ~Library() {
        if (handle)
            dlclose(handle);
    }
    template <typename F> F* find(const char* name) const {
        return reinterpret_cast<F*>(dlsym(handle, name));
    }
};

} // namespace

TEST(Exports, EveryListedFunctionIsFoundByItsPlainName) {
    const Library lib;
    ASSERT_NE(lib.handle, nullptr) << dlerror();
    std::ifstream list(SIGCORE32_EXPORTS);
    ASSERT_TRUE(list);
    int found = 0;
    for (std::string name; std::getline(list, name);) {
        if (name.empty())
            continue;
        EXPECT_NE(dlsym(lib.handle, name.c_str()), nullptr) << name;
        ++found;
    }
    EXPECT_EQ(found, 26);
}

TEST(Exports, CallsThroughTheLoadedLibrary) {
    const Library lib;
    ASSERT_NE(lib.handle, nullptr) << dlerror();
    const auto alloc = lib.find<decltype(W_AllocMemory)>("W_AllocMemory");
    const auto makeSin = lib.find<decltype(W_MakeSin)>("W_MakeSin");
    const auto get = lib.find<decltype(W_GetWaveData)>("W_GetWaveData");
    const auto release = lib.find<decltype(W_FreeMemory)>("W_FreeMemory");
    const auto reverse = lib.find<decltype(reverse_bit)>("reverse_bit");
    ASSERT_TRUE(alloc && makeSin && get && release && reverse);
    const ZwMemHandle h = alloc(4);
    ASSERT_NE(h, 0u);
    EXPECT_EQ(makeSin(h, 0, 4, 0, 65534, 1, 90), 1);
    EXPECT_EQ(get(h, 0, 4), 32767);
    EXPECT_EQ(get(h, 2, 4), -32767);
    EXPECT_EQ(release(h), 0u);
    EXPECT_EQ(get(h, 0, 4), 0) << "a freed handle reads nothing";
    EXPECT_EQ(reverse(1), 0x8000);
}
