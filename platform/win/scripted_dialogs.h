#pragma once
// The scripted driver of dialog boxes: while one lives, each dialog that opens
// is handed to the next step queued for its template, which acts on it as a user
// would (types, clicks, picks list entries, presses OK or Cancel) and looks at
// it. A dialog nobody expected, a step that leaves its dialog open and a step
// never used are faults the test reads from faults().
#include "platform/win/dialog_box.h"

#include <functional>
#include <string>
#include <vector>

namespace ks::win {

// One open dialog as the user sees it. Actions return false when the user could
// not do them: no such control, a disabled one, or a dialog already ended.
class DialogUser {
public:
    explicit DialogUser(HWND dialog) : dialog_(dialog) {}
    HWND dialog() const { return dialog_; }
    std::string title() const;
    bool open() const;

    HWND item(int id) const { return GetDlgItem(dialog_, id); }
    std::string text(int id) const;
    bool checked(int id) const;
    bool enabled(int id) const;
    bool focused(int id) const;
    std::vector<std::string> listItems(int id) const;
    int listSelection(int id) const;

    bool type(int id, const std::string& text);   // replaces the text, as a user selecting all and typing
    bool click(int id);                           // a button, check box or radio button
    bool select(int listId, int index);           // a click on a list entry
    bool doubleClick(int listId, int index);
    bool ok() { return click(IDOK); }
    bool cancel() { return click(IDCANCEL); }

private:
    bool usable(int id) const;
    HWND dialog_;
};

class ScriptedDialogs : private DialogRunner {
public:
    using Step = std::function<void(DialogUser&)>;
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // The next dialog of this template (name compared without regard to case) gets the step.
    void expect(const std::string& templateName, Step step);

    struct Shown {
        std::string templateName, title;
        LRESULT result = -1;
    };
    const std::vector<Shown>& shown() const { return shown_; }
    // MessageBeep calls while this driver lives.
    int beeps() const { return beeps_; }
    // What went wrong, one line each; empty when every step ran and ended its dialog.
    std::vector<std::string> faults() const;

private:
    void run(HWND dialog) override;

    struct Expected {
        std::string templateName;
        Step step;
    };
    std::vector<Expected> queue_;
    std::vector<Shown> shown_;
    std::vector<std::string> faults_;
    int beeps_ = 0;
    DialogRunner* before_ = nullptr;
    UserDialogs userDialogsBefore_;
};

}
