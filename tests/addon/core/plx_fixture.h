#pragma once
// An editor window with the HTML add-on on it, a host window that records what
// it hears, and the add-on's message boxes recorded instead of shown.
#include "addon/base/message_sink.h"
#include "addon/core/html_context.h"
#include "addon/core/plx32.h"
#include "platform/editor/vek32.h"
#include "platform/win/window_handle.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace ks::test {

struct HeardMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::string text;   // lParam's text for the codes that carry one
};

class RecordingHost : public win::Window {
public:
    RecordingHost() : Window(win::WindowKind::Host, "Host") {}
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        bool text = message == 3274 || message == 3275 || (message >= 3279 && message <= 3281) || message >= 3283;
        heard.push_back({message, wParam, lParam, text && lParam ? reinterpret_cast<const char*>(lParam) : ""});
        return answer;
    }
    std::vector<HeardMessage> heard;
    LRESULT answer = 0;
};

class PlxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        addon::setMessageSink([this](const addon::AddonMessage& m) { boxes.push_back(m.text); });
        host = std::make_shared<RecordingHost>();
        hostWnd = win::registerWindow(host);
        hWnd = newEditor();
        ASSERT_EQ(PlxInitialize(hWnd, hostWnd), 1);
        boxes.clear();
    }
    void TearDown() override
    {
        for (HWND w : editors)
            EditorDestroyWindow(w);
        DispatchPostedMessages();
        DestroyWindow(hostWnd);
        addon::setMessageSink({});
    }
    HWND newEditor()
    {
        HWND w = EditorCreateWindow(hostWnd, "test", 0x54002041, 0, 0, 640, 480);
        editors.push_back(w);
        return w;
    }
    addon::HtmlCtx& ctx(HWND w = nullptr) { return *addon::GetHtmlCtx(w ? w : hWnd); }
    VekInfo info(HWND w = nullptr)
    {
        VekInfo r{};
        EditorGetInfo(w ? w : hWnd, &r);
        return r;
    }
    // The document becomes these paragraphs (in the typing font).
    void type(const char* text)
    {
        EditorInsertText(hWnd, text);
    }
    int typeWord(int line, HWND w = nullptr)
    {
        int word = -1;
        EditorGetParaProps(w ? w : hWnd, line, nullptr, nullptr, nullptr, nullptr, nullptr, &word, nullptr, nullptr,
                           nullptr, nullptr, nullptr, nullptr);
        return word;
    }
    struct Props {
        int left, right, first, v4, v5, word, rule, style, before, after, line, flags;
    };
    Props props(int line, HWND w = nullptr)
    {
        Props p{};
        EditorGetParaProps(w ? w : hWnd, line, &p.left, &p.right, &p.first, &p.v4, &p.v5, &p.word, &p.rule,
                           &p.style, &p.before, &p.after, &p.line, &p.flags);
        return p;
    }
    // The font of a character and its attributes.
    int fontAt(int line, int col)
    {
        std::uint16_t fonts[301];
        int n = EditorGetLineChars(hWnd, line, nullptr, fonts);
        return col < n ? fonts[col] : -1;
    }
    unsigned styleAt(int line, int col)
    {
        unsigned style = 0;
        EditorGetFontInfo(hWnd, fontAt(line, col), nullptr, nullptr, &style);
        return style;
    }
    std::string faceAt(int line, int col)
    {
        char face[32]{};
        EditorGetFontInfo(hWnd, fontAt(line, col), face, nullptr, nullptr);
        return face;
    }
    int pointsAt(int line, int col)
    {
        int points = 0;
        EditorGetFontInfo(hWnd, fontAt(line, col), nullptr, &points, nullptr);
        return points;
    }
    // Expects exactly one "Html Not initialized!" box since the last check, and code 2 nowhere to go.
    void expectNotInitialized(const char* what)
    {
        ASSERT_EQ(boxes.size(), 1u) << what;
        EXPECT_EQ(boxes[0], "Html Not initialized!") << what;
        boxes.clear();
    }

    std::shared_ptr<RecordingHost> host;
    HWND hostWnd = nullptr;
    HWND hWnd = nullptr;
    std::vector<HWND> editors;
    std::vector<std::string> boxes;
};

}
