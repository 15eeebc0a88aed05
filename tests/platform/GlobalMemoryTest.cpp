#include "zwplatform.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <thread>
#include <vector>

TEST(GlobalMemory, AllocatesZeroFilledBlocksWithNonZeroHandles) {
    const ZwMemHandle h = ZwGlobalAlloc(1000);
    ASSERT_NE(h, 0u);
    size_t size = 0;
    auto* p = static_cast<unsigned char*>(ZwGlobalLock(h, &size));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(size, 1000u);
    EXPECT_TRUE(std::all_of(p, p + size, [](unsigned char b) { return b == 0; }));
    EXPECT_EQ(ZwGlobalUnlock(h), 0);
    EXPECT_EQ(ZwGlobalSize(h), 1000u);
    EXPECT_EQ(ZwGlobalFree(h), 0u);
}

TEST(GlobalMemory, FreedAndForgedHandlesAreRefused) {
    const ZwMemHandle h = ZwGlobalAlloc(16);
    ASSERT_EQ(ZwGlobalFree(h), 0u);
    size_t size = 99;
    EXPECT_EQ(ZwGlobalLock(h, &size), nullptr);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(ZwGlobalFree(h), h) << "a second free reports failure";
    EXPECT_EQ(ZwGlobalLock(0, nullptr), nullptr);
    EXPECT_EQ(ZwGlobalLock(0xFFFFFFFFu, nullptr), nullptr);
    EXPECT_EQ(ZwGlobalUnlock(h), 0);
    EXPECT_EQ(ZwGlobalSize(h), 0u);
}

TEST(GlobalMemory, StaleHandleNeverNamesTheBlockThatReusesItsSlot) {
    const ZwMemHandle first = ZwGlobalAlloc(8);
    ZwGlobalFree(first);
    std::set<ZwMemHandle> seen{first};
    std::vector<ZwMemHandle> live;
    for (int i = 0; i < 1000; ++i) {
        const ZwMemHandle h = ZwGlobalAlloc(8);
        ASSERT_NE(h, 0u);
        EXPECT_TRUE(seen.insert(h).second) << "handle issued twice";
        if (i % 2)
            ZwGlobalFree(h);
        else
            live.push_back(h);
    }
    EXPECT_EQ(ZwGlobalLock(first, nullptr), nullptr);
    for (const auto h : live)
        ZwGlobalFree(h);
}

TEST(GlobalMemory, BlockFreedWhileLockedStaysValidUntilUnlocked) {
    const ZwMemHandle h = ZwGlobalAlloc(4);
    auto* p = static_cast<unsigned char*>(ZwGlobalLock(h, nullptr));
    ASSERT_NE(p, nullptr);
    const size_t before = ZwGlobalLiveCount();
    EXPECT_EQ(ZwGlobalFree(h), 0u);
    EXPECT_EQ(ZwGlobalLiveCount(), before - 1);
    EXPECT_EQ(ZwGlobalLock(h, nullptr), nullptr) << "no new locks after free";
    p[3] = 7; // still ours: the sanitizer build would catch a use after free
    EXPECT_EQ(ZwGlobalUnlock(h), 0);
}

TEST(GlobalMemory, NestedLocksCountDown) {
    const ZwMemHandle h = ZwGlobalAlloc(2);
    ASSERT_NE(ZwGlobalLock(h, nullptr), nullptr);
    ASSERT_NE(ZwGlobalLock(h, nullptr), nullptr);
    EXPECT_EQ(ZwGlobalUnlock(h), 1);
    EXPECT_EQ(ZwGlobalUnlock(h), 0);
    EXPECT_EQ(ZwGlobalUnlock(h), 0) << "unlocking an unlocked block is refused";
    ZwGlobalFree(h);
}

TEST(GlobalMemory, EmptyBlockIsLiveAndLockable) {
    const ZwMemHandle h = ZwGlobalAlloc(0);
    ASSERT_NE(h, 0u);
    size_t size = 1;
    EXPECT_NE(ZwGlobalLock(h, &size), nullptr);
    EXPECT_EQ(size, 0u);
    ZwGlobalUnlock(h);
    EXPECT_EQ(ZwGlobalFree(h), 0u);
}

TEST(GlobalMemory, ScopedLockSeesTypedElements) {
    const ZwMemHandle h = ZwGlobalAlloc(2 * 5 + 1);
    {
        zw::LockedBlock<int16_t> block(h);
        ASSERT_TRUE(block);
        EXPECT_EQ(block.size(), 5u) << "a trailing odd byte is not an element";
        block[4] = -3;
    }
    EXPECT_EQ(ZwGlobalUnlock(h), 0) << "the scoped lock was released";
    {
        const zw::LockedBlock<int16_t> block(h);
        EXPECT_EQ(block[4], -3);
    }
    ZwGlobalFree(h);
    const zw::LockedBlock<int16_t> stale(h);
    EXPECT_FALSE(stale);
    EXPECT_EQ(stale.size(), 0u);
}

TEST(GlobalMemory, ConcurrentUseKeepsHandlesDistinct) {
    constexpr int kThreads = 4;
    constexpr int kRounds = 2000;
    std::vector<std::vector<ZwMemHandle>> kept(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([t, &kept] {
            for (int i = 0; i < kRounds; ++i) {
                const ZwMemHandle h = ZwGlobalAlloc(32);
                auto* p = static_cast<unsigned char*>(ZwGlobalLock(h, nullptr));
                if (p)
                    p[0] = static_cast<unsigned char>(t);
                ZwGlobalUnlock(h);
                if (i % 4 == 0)
                    kept[t].push_back(h);
                else
                    ZwGlobalFree(h);
            }
        });
    for (auto& th : threads)
        th.join();
    std::set<ZwMemHandle> all;
    for (int t = 0; t < kThreads; ++t)
        for (const auto h : kept[t]) {
            EXPECT_TRUE(all.insert(h).second);
            auto* p = static_cast<unsigned char*>(ZwGlobalLock(h, nullptr));
            ASSERT_NE(p, nullptr);
            EXPECT_EQ(p[0], t);
            ZwGlobalUnlock(h);
            ZwGlobalFree(h);
        }
}
