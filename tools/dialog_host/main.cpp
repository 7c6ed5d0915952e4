// dialog_host <dialog>: shows one of the HTML add-on's dialogs over an editor window, as
// its export opens it, to look at (not shipped). Dialogs: rule, link, linkdata, element,
// size, attrib; viewmode: the question before a changed document goes to the view mode.
#include "addon/core/plx32.h"
#include "platform/editor/vek32.h"
#include "platform/win/dialog_controls.h"
#include "platform/win/qt_dialog_boxes.h"
#include "platform/win/qt_user_dialogs.h"

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>

namespace {

// A document with a rule on line 1 and a link on line 2 for the dialogs to start from.
void fillDocument(HWND editor)
{
    EditorInsertText(editor, "Results of the month\r\n\r\nsee ");
    EditorMoveCaret(editor, 1, 0, 0);
    PlxInsertRule(editor, 0);
    EditorMoveCaret(editor, 3, 4, 0);
    PlxInsertLink(editor, "the plan", nullptr, "plan.htm", "goals", 0, 0);
}

}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::map<std::string, std::function<int(HWND)>> dialogs = {
        {"rule", [](HWND w) { EditorMoveCaret(w, 1, 0, 0); return PlxEditRule(w, 0, 0, 0, 1); }},
        {"link", [](HWND w) { EditorMoveCaret(w, 0, 0, 0); return PlxInsertLink(w, nullptr, nullptr, nullptr, nullptr, 0, 1); }},
        {"linkdata", [](HWND w) { EditorMoveCaret(w, 3, 30, 0); return PlxUpdateLink(w, nullptr, nullptr, 1); }},
        {"element", [](HWND w) { return PlxSetFontDlg(w, -1); }},
        {"size", [](HWND w) { return PlxSetFontSize(w, 0, 0, 1); }},
        {"attrib", [](HWND w) { return PlxSetLinkInfoDlg(w); }},
        {"viewmode", [](HWND w) { EditorSetModified(w, 1); return PlxCommand(w, 12105); }},
    };
    auto chosen = argc > 1 ? dialogs.find(argv[1]) : dialogs.end();
    if (chosen == dialogs.end()) {
        std::fprintf(stderr, "usage: dialog_host rule|link|linkdata|element|size|attrib|viewmode\n");
        return 2;
    }
    ks::win::setControlMaker(ks::win::makeDialogControl);
    ks::win::useUiDialogs();
    ks::win::useQtDialogBoxes();
    HWND editor = EditorCreateWindow(nullptr, "dialog_host", 0x54002041, 0, 0, 640, 480);
    if (!editor || !PlxInitialize(editor, nullptr)) {
        std::fprintf(stderr, "dialog_host: no editor window\n");
        return 1;
    }
    fillDocument(editor);
    int result = chosen->second(editor);
    std::printf("%s -> %d\n", argv[1], result);
    EditorDestroyWindow(editor);
    return 0;
}
