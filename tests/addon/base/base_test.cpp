#include "addon/base/allocators.h"
#include "addon/base/message_sink.h"
#include "addon/base/number_utils.h"
#include "addon/base/print_error.h"
#include "addon/base/text_utils.h"
#include "platform/win/global_memory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace ks::addon;

namespace {
struct RecordedMessages {
    RecordedMessages()
    {
        setMessageSink([this](const AddonMessage& m) { seen.push_back(m); });
    }
    ~RecordedMessages() { setMessageSink({}); }
    std::vector<AddonMessage> seen;
};
}

TEST(AddonErrorReport, StoresTheCodeShowsTheBoxAndReturnsZero)
{
    RecordedMessages messages;
    HtmlCtx ctx;
    EXPECT_EQ(PrintError(&ctx, "Invalid TIFF format", kErrPictureFormat), 0);
    EXPECT_EQ(ctx.lastError, 10);
    EXPECT_EQ(PrintError(nullptr, "Ran out of memory", kErrLzwMemory), 0);
    ASSERT_EQ(messages.seen.size(), 2u);
    EXPECT_EQ(messages.seen[0].text, "Invalid TIFF format");
    EXPECT_EQ(messages.seen[0].caption, "Error");
    EXPECT_EQ(messages.seen[0].owner, nullptr);

    DebugMsg("pos: %ld", 42L);
    EXPECT_EQ(messages.seen.back().kind, AddonMessage::Kind::Trace);
    EXPECT_EQ(messages.seen.back().text, "pos: 42");
}

TEST(AddonErrorReport, IsSilentWithoutASink)
{
    HtmlCtx ctx;
    EXPECT_EQ(PrintError(&ctx, "Html Not initialized!", kErrNotInitialized), 0);
    EXPECT_EQ(ctx.lastError, 2);
}

TEST(AddonAllocators, GiveASpareByteAndKeepBlocksOnFailure)
{
    RecordedMessages messages;
    void* one = MemAlloc(0);
    ASSERT_NE(one, nullptr);
    static_cast<char*>(one)[0] = 0;
    char* text = static_cast<char*>(MeReAlloc(one, 5));
    ASSERT_NE(text, nullptr);
    std::strcpy(text, "abcde");   // five characters and the zero fit
    EXPECT_EQ(MemFree(text), 1);
    EXPECT_EQ(MemFree(nullptr), 1);

    auto* block = static_cast<char*>(OurAlloc(4));
    ASSERT_NE(block, nullptr);
    std::strcpy(block, "abcd");
    ks::win::HGLOBAL handle = ks::win::GlobalHandle(block);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(ks::win::GlobalSize(handle), 5u);

    ks::win::setGlobalBlockLimit(64);
    EXPECT_EQ(OurRealloc(block, 1000), nullptr);
    ks::win::setGlobalBlockLimit(ks::win::kDefaultGlobalBlockLimit);
    // The failed resize leaves the block as it was, unlocked.
    EXPECT_EQ(ks::win::GlobalLockCount(handle), 0u);
    auto* again = static_cast<char*>(ks::win::GlobalLock(handle));
    EXPECT_STREQ(again, "abcd");

    block = static_cast<char*>(OurRealloc(again, 1000));
    ASSERT_NE(block, nullptr);
    EXPECT_STREQ(block, "abcd");
    OurFree(block);
    OurFree(nullptr);

    ASSERT_EQ(messages.seen.size(), 1u);
    EXPECT_EQ(messages.seen[0].text, "Ran out of Memory!");
    EXPECT_EQ(messages.seen[0].caption, "OurRealloc");
    EXPECT_EQ(MemAlloc(std::size_t(1) << 40), nullptr);
    EXPECT_EQ(messages.seen.back().caption, "MemAlloc");
}

TEST(AddonText, TrimCaseAndSearch)
{
    char text[32] = "  a b  ";
    EXPECT_STREQ(TrimString(text), "a b");
    char blanks[8] = "   ";
    EXPECT_STREQ(TrimString(blanks), "");
    char tabbed[8] = "\tx\t ";
    EXPECT_STREQ(TrimRight(tabbed), "\tx\t");
    char mixed[16] = "aZ\xe9-q";
    EXPECT_STREQ(StrUpper(mixed), "AZ\xe9-Q");
    EXPECT_STREQ(StrLower(mixed), "az\xe9-q");
    AppendChar(mixed, '!');
    EXPECT_STREQ(mixed, "az\xe9-q!");

    EXPECT_EQ(FindString("hello world", "wor"), 6u);
    EXPECT_EQ(FindString("hi", "high"), 2u);
    EXPECT_EQ(FindByte("abc", 'z', 3), 3u);
    EXPECT_EQ(FindByte("abc", 'c', 3), 2u);
    EXPECT_EQ(FindChar("abc", 'z'), nullptr);

    char out[32];
    EXPECT_EQ(GetFirstWord(0, "   first second", out), 1);
    EXPECT_STREQ(out, "first");
    EXPECT_EQ(GetFirstWord(0, "  \"two words\" rest", out), 1);
    EXPECT_STREQ(out, "two words");
    EXPECT_EQ(GetQuotedText(0, "x=\"open", out), 1);
    EXPECT_STREQ(out, "open");
    EXPECT_EQ(GetQuotedText(0, "none", out), 0);
    EXPECT_EQ(GetFirstWord(0, "    ", out), 0);

    char overlap[16] = "abcdef";
    MoveMem(overlap, overlap + 2, 4);
    EXPECT_STREQ(overlap, "ababcd");
}

TEST(AddonNumbers, HexRealsAndByteOrder)
{
    EXPECT_EQ(HexToInt("1g", 2), 16u);
    EXPECT_EQ(HexToInt("fF", 2), 255u);
    char out[64];
    EXPECT_STREQ(FormatReal(0.25, 2, out), ".25");
    EXPECT_STREQ(FormatReal(0, 0, out), "");
    EXPECT_STREQ(FormatReal(-3.14159, 3, out), "-3.142");
    EXPECT_STREQ(FormatReal(1.996, 2, out), "2.00");
    EXPECT_STREQ(FormatReal(12.04, 1, out), "12.0");
    EXPECT_STREQ(FormatReal(1e300, 2, out), "90000000000000000.00");
    EXPECT_EQ(FlipShort(0x1234), 0x3412);
    EXPECT_EQ(FlipLong(0x12345678u), 0x78563412u);
}
