#include "platform/win/global_memory.h"
#include "platform/win/window_handle.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace ks::win;

namespace {

class RecordingWindow : public Window {
public:
    RecordingWindow() : Window(WindowKind::Host, "Host") {}
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(message);
        if (message == WM_USER)
            texts.push_back(reinterpret_cast<const char*>(lParam));
        return static_cast<LRESULT>(wParam + 1);
    }
    void onDestroy() override { destroyed = true; }
    std::vector<UINT> messages;
    std::vector<std::string> texts;
    bool destroyed = false;
};

}

TEST(WindowHandles, SendReachesTheWindowAndStaleHandlesFindNothing)
{
    auto host = std::make_shared<RecordingWindow>();
    HWND h = registerWindow(host);
    ASSERT_TRUE(IsWindow(h));
    EXPECT_EQ(SendMessage(h, WM_COMMAND, 41, 0), 42);
    EXPECT_EQ(findWindowAs<RecordingWindow>(h), host);

    HWND child = createChildWindow("Edit", "abc", WS_CHILD, {1, 2, 30, 40}, h, 7);
    EXPECT_EQ(GetParent(child), h);
    EXPECT_EQ(GetDlgCtrlID(child), 7);
    char buffer[3];
    EXPECT_EQ(SendMessage(child, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer)), 2);
    EXPECT_STREQ(buffer, "ab");

    EXPECT_TRUE(DestroyWindow(h));
    EXPECT_TRUE(host->destroyed);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(IsWindow(child)) << "children go with their parent";
    EXPECT_EQ(SendMessage(h, WM_COMMAND, 1, 0), 0);
    EXPECT_FALSE(DestroyWindow(h));
    EXPECT_FALSE(IsWindow(nullptr));
    EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(0x1234)));
}

TEST(WindowHandles, PostedTextIsCopiedAndDeliveredInOrder)
{
    auto host = std::make_shared<RecordingWindow>();
    HWND h = registerWindow(host);
    char shared[16];
    std::strcpy(shared, "first");
    EXPECT_TRUE(PostMessageText(h, WM_USER, 0, shared));
    std::strcpy(shared, "second");   // the caller reuses its buffer at once
    EXPECT_TRUE(PostMessageText(h, WM_USER, 0, shared));
    EXPECT_TRUE(PostMessage(h, WM_SIZE, 0, 0));
    EXPECT_TRUE(host->messages.empty()) << "nothing is delivered before dispatch";
    EXPECT_EQ(DispatchPostedMessages(), 3);
    EXPECT_EQ(host->texts, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(host->messages.back(), WM_SIZE);

    PostMessage(h, WM_SIZE, 0, 0);
    PostMessage(h, WM_USER + 1, 0, 0);
    RemovePostedMessages(h, [](UINT m) { return m != WM_SIZE; });
    DestroyWindow(h);
    EXPECT_FALSE(PostMessage(h, WM_SIZE, 0, 0)) << "a destroyed window takes no posts";
    EXPECT_EQ(DispatchPostedMessages(), 1) << "the message left for a window that went is dropped safely";
}

TEST(GlobalMemory, BlocksLockResizeAndRefuseUnknownHandles)
{
    HGLOBAL block = GlobalAlloc(GHND, 10);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 10u);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes[9], 0);
    bytes[0] = 'x';
    EXPECT_EQ(GlobalReAlloc(block, 20, 0), nullptr) << "a locked block does not move";
    GlobalUnlock(block);
    EXPECT_EQ(GlobalReAlloc(block, 20, 0), block);
    EXPECT_EQ(GlobalSize(block), 20u);
    EXPECT_EQ(static_cast<unsigned char*>(GlobalLock(block))[0], 'x');
    GlobalUnlock(block);
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalLock(block), nullptr);
    EXPECT_EQ(GlobalFree(block), block);
    EXPECT_EQ(GlobalAlloc(0, std::size_t(1) << 40), nullptr);
}

TEST(WindowHandles, FocusMovesWithNoticesAndDisabledWindowsKeepTheirStyleBit)
{
    auto first = std::make_shared<RecordingWindow>();
    auto second = std::make_shared<RecordingWindow>();
    HWND a = registerWindow(first), b = registerWindow(second);
    SetFocus(a);
    EXPECT_EQ(SetFocus(b), a);
    EXPECT_EQ(GetFocus(), b);
    EXPECT_EQ(first->messages.back(), WM_KILLFOCUS);
    EXPECT_EQ(second->messages.back(), WM_SETFOCUS);
    std::size_t heard = second->messages.size();
    EXPECT_EQ(SetFocus(b), b);
    EXPECT_EQ(second->messages.size(), heard) << "focus on the same window again says nothing";
    DestroyWindow(b);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(SetFocus(b), nullptr) << "a stale handle takes no focus";

    EXPECT_TRUE(IsWindowEnabled(a));
    EXPECT_FALSE(EnableWindow(a, false));
    EXPECT_FALSE(IsWindowEnabled(a));
    EXPECT_TRUE(findWindow(a)->style() & WS_DISABLED);
    EXPECT_TRUE(EnableWindow(a, true));
    EXPECT_FALSE(IsWindowEnabled(b));
    DestroyWindow(a);
}
