// dialog_host <dialog>: shows one of the HTML add-on's dialogs over an editor window, as
// its export opens it, to look at (not shipped). Dialogs: rule, link, linkdata, element,
// size, attrib, picture, textfield, buttonfield, selectfield, additem, formlist (its New...
// and Properties... open the form's own dialog), setform; viewmode: the question before a
// changed document goes to the view mode.
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

// The control id of the selection list on the form line.
constexpr int kColourList = 2000;
constexpr int kFormLine = 4;

// A document with a rule on line 1, a link on line 3 and on line 4 form text holding a
// selection list, in the second of two forms, for the dialogs to start from.
void fillDocument(HWND editor)
{
    EditorInsertText(editor, "Results of the month\r\n\r\nsee ");
    EditorMoveCaret(editor, 1, 0, 0);
    PlxInsertRule(editor, 0);
    EditorMoveCaret(editor, 3, 4, 0);
    PlxInsertLink(editor, "the plan", nullptr, "plan.htm", "goals", 0, 0);
    EditorInsertText(editor, "\r\nColour: ");
    PlxSetForm(editor, 1, 0);
    PlxEditFormId(editor, 1, 0, 0, "/cgi/search", 0);
    PlxEditFormId(editor, 1, 0, 1, "/cgi/order", 0);
    PlxInsertSelectField(editor, "colour", 0, 1, 0);
    PlxAddSelectionItem(editor, kColourList, "red", "r", 1, 0);
    PlxSetFormId(editor, 1);
}

int atForm(HWND w)
{
    EditorMoveCaret(w, kFormLine, 3, 0);
    return 1;
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
        {"picture", [](HWND w) { return PlxInsertPicture(w, nullptr, 0, 0, 0, 1); }},
        {"textfield", [](HWND w) { return atForm(w) && PlxInsertTextField(w, nullptr, 0, 0, 0, 0, nullptr, 1); }},
        {"buttonfield", [](HWND w) { return atForm(w) && PlxInsertButtonField(w, nullptr, 1, 0, nullptr, 1); }},
        {"selectfield", [](HWND w) { return atForm(w) && PlxInsertSelectField(w, nullptr, 0, 0, 1); }},
        {"additem", [](HWND w) { return PlxAddSelectionItem(w, kColourList, nullptr, nullptr, 0, 0); }},
        {"formlist", [](HWND w) { return PlxEditFormId(w, 0, 0, 0, nullptr, 1); }},
        {"setform", [](HWND w) { return atForm(w) && PlxSetFormId(w, -1); }},
        {"viewmode", [](HWND w) { EditorSetModified(w, 1); return PlxCommand(w, 12105); }},
    };
    auto chosen = argc > 1 ? dialogs.find(argv[1]) : dialogs.end();
    if (chosen == dialogs.end()) {
        std::fprintf(stderr, "usage: dialog_host rule|link|linkdata|element|size|attrib|picture|textfield|buttonfield|\n"
                             "                   selectfield|additem|formlist|setform|viewmode\n");
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
