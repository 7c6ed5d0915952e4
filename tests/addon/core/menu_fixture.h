#pragma once
// A window with a page read into it, as a host's menus see it: the caret placed in a text,
// the ids' availability and check marks gathered, and the questions asked recorded.
#include "read_fixture.h"

#include "platform/win/user_dialogs.h"

#include <set>
#include <string>
#include <vector>

namespace ks::test {

constexpr int kFirstCommand = 12098, kLastCommand = 12179;

class PlxMenuTest : public PlxReadTest {
protected:
    void TearDown() override
    {
        win::setUserDialogs({});
        PlxReadTest::TearDown();
    }
    // The questions asked, answered with answer.
    void answerQuestions(int answer)
    {
        win::UserDialogs dialogs;
        dialogs.messageBox = [this, answer](HWND owner, const std::string& text, const std::string& caption,
                                            UINT type) {
            questions.push_back({owner, text, caption, type});
            return answer;
        };
        win::setUserDialogs(dialogs);
    }
    void caretAt(const std::string& text, int offset = 0)
    {
        int line = lineOf(text);
        ASSERT_GE(line, 0) << text;
        char chars[301];
        int n = EditorGetLineChars(hWnd, line, chars, nullptr);
        std::size_t col = std::string(chars, std::size_t(n)).find(text);
        EditorMoveCaret(hWnd, line, int(col) + offset, 0);
    }
    void select(const std::string& text)
    {
        caretAt(text);
        int start = EditorLineColToPos(hWnd, info().caretLine, info().caretColumn);
        EditorSelectRange(hWnd, start, start + int(text.size()));
    }
    // Every formatting id whose availability differs from the expected set.
    std::string availabilityFaults(const std::set<int>& expected)
    {
        std::string faults;
        for (int id = 12112; id <= kLastCommand; ++id)
            if (PlxMenuEnable(hWnd, id) != (expected.count(id) ? 1 : 0))
                faults += std::to_string(id) + (expected.count(id) ? " should be available; " : " should not; ");
        return faults;
    }
    std::set<int> checkedIds()
    {
        std::set<int> ids;
        for (int id = kFirstCommand; id <= kLastCommand; ++id)
            if (PlxMenuSelect(hWnd, id))
                ids.insert(id);
        return ids;
    }
    int header()
    {
        int level = -1;
        PlxGetParaAttrib(hWnd, &level, nullptr, nullptr, nullptr, nullptr);
        return level;
    }

    struct Question {
        HWND owner;
        std::string text, caption;
        UINT type;
    };
    std::vector<Question> questions;
};

}
