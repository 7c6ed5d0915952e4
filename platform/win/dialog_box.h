#pragma once
// Modal dialog boxes with controls by id, made from the templates of
// dialog_template.h. The dialog procedure hears WM_INITDIALOG (lParam: the
// caller's value) and then every WM_COMMAND of its controls, and ends the dialog
// with EndDialog. Who acts on an open dialog is the runner in force: the Qt
// backend shows it (qt_dialog_boxes.h), a test's script fills it
// (scripted_dialogs.h); without one the dialog is cancelled at once.
#include "platform/win/dialog_template.h"
#include "platform/win/user_dialogs.h"
#include "platform/win/window_handle.h"

using DLGPROC = LRESULT (*)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The dialog's result given to EndDialog; -1 when there is no such template or procedure.
LRESULT DialogBoxParam(const char* templateName, HWND owner, DLGPROC procedure, LPARAM param);
LRESULT DialogBoxIndirectParam(const ks::win::DialogTemplate& dialogTemplate, HWND owner, DLGPROC procedure,
                               LPARAM param);
// Marks the dialog ended with its result; it closes when its procedure returns.
bool EndDialog(HWND dialog, LRESULT result);

HWND GetDlgItem(HWND dialog, int id);
LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
// Copies at most size - 1 characters and a zero; returns the count copied.
unsigned GetDlgItemText(HWND dialog, int id, char* buffer, int size);
bool SetDlgItemText(HWND dialog, int id, const char* text);
// The item's text as a number: blanks around it allowed, a sign only when isSigned;
// *translated false (and 0) for anything else or a number out of range.
unsigned GetDlgItemInt(HWND dialog, int id, bool* translated, bool isSigned);
bool SetDlgItemInt(HWND dialog, int id, unsigned value, bool isSigned);
bool CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
// Checks the button check and unchecks the other buttons whose ids lie from first to last.
bool CheckRadioButton(HWND dialog, int first, int last, int check);

namespace ks::win {

// The Windows class of a template control ("Edit", "Button", ...) and its style bits.
std::string controlClassName(ControlKind kind);
unsigned controlStyle(const DialogControl& control);

// The open dialog behind a handle: its template, and whether EndDialog was called.
class DialogWindow : public Window {
public:
    DialogWindow(const DialogTemplate& dialogTemplate, DLGPROC procedure)
        : Window(WindowKind::Dialog, "#32770"), template_(dialogTemplate), procedure_(procedure) {}
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LONG_PTR setLongPtr(int index, LONG_PTR value) override;
    LONG_PTR longPtr(int index) const override;

    const DialogTemplate& dialogTemplate() const { return template_; }
    bool ended() const { return ended_; }
    LRESULT result() const { return result_; }
    void end(LRESULT result);

private:
    const DialogTemplate& template_;
    DLGPROC procedure_;
    bool ended_ = false;
    LRESULT result_ = -1;
    LONG_PTR user_ = 0, messageResult_ = 0;
};

// Acts on each dialog while it is open. run returns once the dialog has ended (or
// gives up; the dialog then ends with -1); ended tells it that EndDialog was called.
class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    virtual void run(HWND dialog) = 0;
    virtual void ended(HWND) {}
};
// Installs a runner (not owned; null: cancel every dialog); returns the one before.
DialogRunner* setDialogRunner(DialogRunner* runner);

}
