#include "platform/win/global_memory.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace ks::win;

TEST(GlobalMemory, BlocksLockResizeAndFindTheirHandle)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 10);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 10u);
    auto* bytes = static_cast<char*>(GlobalLock(block));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes[9], 0);
    std::memcpy(bytes, "abcdefghij", 10);
    EXPECT_EQ(GlobalHandle(bytes), block);
    EXPECT_EQ(GlobalHandle(bytes + 1), nullptr);
    EXPECT_EQ(GlobalLockCount(block), 1u);

    // Pinned bytes cannot move: growth fails and leaves the block whole.
    EXPECT_EQ(GlobalReAlloc(block, 1000, GMEM_MOVEABLE), nullptr);
    EXPECT_EQ(GlobalSize(block), 10u);
    EXPECT_FALSE(GlobalUnlock(block));

    ASSERT_EQ(GlobalReAlloc(block, 1000, GMEM_MOVEABLE | GMEM_ZEROINIT), block);
    bytes = static_cast<char*>(GlobalLock(block));
    EXPECT_EQ(std::memcmp(bytes, "abcdefghij", 10), 0);
    EXPECT_EQ(bytes[999], 0);
    EXPECT_EQ(GlobalSize(block), 1000u);
    GlobalUnlock(block);
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(GlobalMemory, LimitAndBadHandlesFailCleanly)
{
    setGlobalBlockLimit(100);
    EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, 101), nullptr);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 100);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalReAlloc(block, 200, GMEM_MOVEABLE), nullptr);
    EXPECT_EQ(GlobalSize(block), 100u);
    setGlobalBlockLimit(kDefaultGlobalBlockLimit);
    GlobalFree(block);

    EXPECT_EQ(GlobalLock(nullptr), nullptr);
    EXPECT_FALSE(GlobalUnlock(nullptr));
    EXPECT_EQ(GlobalSize(nullptr), 0u);
    EXPECT_EQ(GlobalHandle(nullptr), nullptr);
}
