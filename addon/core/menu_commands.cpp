// Running a menu command: each id goes to the export or editor operation that does its work.
#include "addon/core/menu_commands.h"

#include "addon/core/html_context.h"
#include "addon/core/menu_ids.h"
#include "addon/core/plx32.h"
#include "platform/editor/vek32.h"
#include "platform/win/window_handle.h"

#include <cstring>

namespace ks::addon {
namespace {

using namespace menu;

constexpr int kRepaint = 1;
constexpr int kAskElement = -1;   // the font-element dialog first
constexpr unsigned kAllStyles = editor::kTextStyleBits | editor::kMarked;

void sendCommand(HWND hWnd, int command) { SendMessage(hWnd, WM_COMMAND, WPARAM(command), 0); }

// Documents and the view mode go to the frameset's top window.
bool runDocumentCommand(HtmlCtx& top, int id)
{
    HWND w = top.editorWindow;
    char name[kCtxNameSize];
    std::memcpy(name, top.fileName, sizeof name);
    switch (id) {
    case kSave: PlxSave(w, 0, name, nullptr, nullptr); return true;
    case kSaveAs: PlxWrite(w, 2, name, nullptr, nullptr, 0); return true;
    case kNew: PlxNewFile(w); return true;
    case kOpen: PlxOpenFile(w); return true;
    case kLeaveViewMode: LeaveViewMode(top); return true;
    case kEnterViewMode: EnterViewMode(top); return true;
    case kRefresh: PlxReformat(w); return true;
    default: return false;
    }
}

bool runViewCommand(HWND hWnd, int id)
{
    switch (id) {
    case kParagraphMarks: EditorRunCommand(hWnd, kEdParagraphMarks); return true;
    case kSelectAll: sendCommand(hWnd, kEdSelectAll); return true;
    case kRuler: sendCommand(hWnd, kEdRuler); return true;
    case kToolbar: sendCommand(hWnd, kEdToolbar); return true;
    case kFontElements: PlxSetFontDlg(hWnd, kAskElement); return true;
    case kLinkLook: PlxSetLinkInfoDlg(hWnd); return true;
    case kViewCommand: EditorViewCommand(hWnd, 1); return true;
    default: return false;
    }
}

bool runListCommand(HWND hWnd, int id)
{
    if (id >= kListLevel1 && id <= kListLevel7)
        return PlxSetList(hWnd, 0, id - kListLevel1 + 1, 0, kRepaint), true;
    switch (id) {
    case kOrderedList: PlxSetList(hWnd, 1, 0, 0, kRepaint); return true;
    case kUnorderedList: PlxSetList(hWnd, 2, 0, 0, kRepaint); return true;
    case kListMarker: PlxSetList(hWnd, 0, 0, 0, kRepaint); return true;
    case kDefinitionTerm: PlxSetList(hWnd, 5, 0, 1, kRepaint); return true;
    case kDefinition: PlxSetList(hWnd, 5, 0, 2, kRepaint); return true;
    default: return false;
    }
}

bool runParagraphCommand(HtmlCtx& ctx, HWND hWnd, int id)
{
    if (id >= kHeader1 && id <= kHeader7)
        return PlxSetHeader(hWnd, id - kHeader1 + 1, kRepaint), true;
    if (unsigned flag = commandAlignment(id))
        return EditorSetParaFlags(hWnd, flag, 1, kRepaint), true;
    switch (id) {
    case kBlockQuote: PlxSetMiscParaType(hWnd, 1, kRepaint); return true;
    case kPreformatted: PlxSetMiscParaType(hWnd, 4, kRepaint); return true;
    case kAddress: PlxSetMiscParaType(hWnd, 2, kRepaint); return true;
    case kNormal: PlxParaNormal(hWnd, kRepaint); return true;
    case kInsertRule: PlxInsertRule(hWnd, kRepaint); return true;
    case kEditRule: PlxEditRule(hWnd, 0, 0, 0, kRepaint); return true;
    case kParaSpacing: PlxSetParaSpace(hWnd, commandChecked(ctx, hWnd, id) ? 0 : 1, kRepaint); return true;
    default: return runListCommand(hWnd, id);
    }
}

bool runCharacterCommand(HWND hWnd, int id)
{
    if (std::uint32_t bit = commandStyleBit(id))
        return EditorSetCharStyle(hWnd, bit, 1, kRepaint), true;
    if (int element = commandCharType(id); element >= 0)
        return PlxSetMiscCharType(hWnd, element, kRepaint), true;
    switch (id) {
    case kPlainStyle: EditorSetCharStyle(hWnd, kAllStyles, 0, kRepaint); return true;
    case kInsertLink: PlxInsertLink(hWnd, nullptr, nullptr, nullptr, nullptr, 0, kRepaint); return true;
    case kEditLink: PlxUpdateLink(hWnd, nullptr, nullptr, kRepaint); return true;
    case kFontSize: PlxSetFontSize(hWnd, 0, 1, kRepaint); return true;
    default: return false;
    }
}

bool runTableCommand(HWND hWnd, int id)
{
    switch (id) {
    case kInsertTable: EditorTableCmdA(hWnd, 1); return true;
    case kRowAfter: EditorTableCmdB(hWnd, 1, kRepaint); return true;
    case kRowBefore: EditorTableCmdB(hWnd, 0, kRepaint); return true;
    case kDeleteRow: EditorTableCmdC(hWnd, 3, kRepaint); return true;
    case kColumnAfter: EditorTableCmdD(hWnd, 1, 1, kRepaint); return true;
    case kColumnBefore: EditorTableCmdD(hWnd, 0, 1, kRepaint); return true;
    case kDeleteColumn: EditorTableCmdC(hWnd, 2, kRepaint); return true;
    case kMergeCells: EditorTableCmdE(hWnd, 0, 0, kRepaint); return true;
    case kSplitCell: EditorTableCmdF(hWnd, 0, 0, kRepaint); return true;
    case kPageBreak: sendCommand(hWnd, kEdPageBreak); return true;
    case kLineBreak: sendCommand(hWnd, kEdLineBreak); return true;
    default: return false;
    }
}

}

std::uint32_t commandStyleBit(int id)
{
    switch (id) {
    case kBold: return editor::kBold;
    case kItalic: return editor::kItalic;
    case kUnderline: return editor::kUnderline;
    case kSuperscript: return editor::kSuperscript;
    case kSubscript: return editor::kSubscript;
    case kStrikeOut: return editor::kStrike;
    default: return 0;
    }
}

int commandCharType(int id)
{
    switch (id) {
    case kTypewriter: return 19;
    case kExample: return 13;
    case kKeyboardInput: return 15;
    case kSampleText: return 16;
    case kVariables: return 14;
    case kPlainText: return 0;
    default: return -1;
    }
}

unsigned commandAlignment(int id)
{
    switch (id) {
    case kAlignLeft: return editor::kAlignLeft;
    case kAlignRight: return editor::kAlignRight;
    case kAlignCentre: return editor::kAlignCentre;
    case kJustify: return editor::kAlignJustify;
    default: return 0;
    }
}

int Command(HWND hWnd, int id)
{
    HWND own = hWnd;
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx || id < kFirst || id > kLast || id == kNoCommand)
        return 0;
    HtmlCtx* top = GetTopHtmlCtx(own);
    bool ran = (top && runDocumentCommand(*top, id)) || runViewCommand(hWnd, id) ||
               runParagraphCommand(*ctx, hWnd, id) || runCharacterCommand(hWnd, id) || runTableCommand(hWnd, id) ||
               runObjectCommand(*ctx, hWnd, id);
    return ran ? 1 : 0;
}

}
