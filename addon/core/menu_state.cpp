// Whether a menu command is available at the caret, and whether it shows a check mark.
#include "addon/core/caret_state.h"
#include "addon/core/field_records.h"
#include "addon/core/field_table.h"
#include "addon/core/html_context.h"
#include "addon/core/menu_commands.h"
#include "addon/core/menu_ids.h"
#include "addon/core/para_type.h"
#include "addon/core/html_reader.h"
#include "platform/editor/vek32.h"

namespace ks::addon {
namespace {

using namespace menu;

constexpr unsigned kAnyAlignment = editor::kAlignCentre | editor::kAlignRight | editor::kAlignJustify;

bool inViewMode(HWND hWnd)
{
    HtmlCtx* top = GetTopHtmlCtx(hWnd);
    return top && top->viewMode;
}

bool editorOffers(HWND hWnd, int command, int bit) { return (EditorQueryCommand(hWnd, command) & bit) != 0; }

// Whether a field may go in at the caret. A menu query must not make the first form, which
// the check itself does for an insertion.
bool caretTakesField(HtmlCtx& ctx)
{
    std::int32_t forms = ctx.formCount;
    bool takes = GetCaretForm(&ctx, false) != 0;
    ctx.formCount = forms;
    return takes;
}

// The selection list whose control is the object at the caret, or null.
const FieldRecord* selectListAtCaret(const HtmlCtx& ctx, const EditorInfo& info)
{
    int field = info.fieldControlId < 0 ? -1 : FindFieldByControl(ctx, info.fieldControlId);
    return field >= 0 && ctx.fields[field].type == kFieldSelect ? &ctx.fields[field] : nullptr;
}

// On a rule line only these stay: the rule's own dialog, the form list and the table commands.
bool availableOnRule(int id)
{
    return id == kEditRule || id == kEditForm || (id >= kRowAfter && id <= kDeleteColumn) || id == kMergeCells;
}

// The condition of each command of the formatting range, after the read-only and rule checks.
bool ownCondition(HtmlCtx& ctx, HWND hWnd, const CaretState& s, int id)
{
    bool linkAtCaret = (s.fontStyle & (kStyleHiddenLink | kStyleLinkText)) != 0;
    if (commandCharType(id) >= 0)
        return s.textSelected();
    switch (id) {
    case kFontSize: return s.textSelected();
    case kEditRule: return s.onRule();
    case kInsertLink: return !linkAtCaret;
    case kEditLink: return linkAtCaret;
    case kFormOfBlock: return (s.word & kParaInForm) != 0;
    case kTextField: case kButtonField: case kImageField: case kSelectField: return caretTakesField(ctx);
    case kAddOption: return selectListAtCaret(ctx, s.info) != nullptr;
    case kDeleteOption: {
        const FieldRecord* list = selectListAtCaret(ctx, s.info);
        return list && list->checked >= 0;   // the index of its last option
    }
    case kRowAfter: case kRowBefore: case kDeleteRow: case kColumnAfter: case kColumnBefore:
    case kDeleteColumn: case kMergeCells: case kSplitCell: return s.inTable();
    case kPageBreak: return editorOffers(hWnd, kEdPageBreak, kEdAvailable);
    case kParaSpacing: return s.word == 0;
    default: return true;
    }
}

bool paragraphChecked(HtmlCtx& ctx, const CaretState& s, int id)
{
    std::uint32_t w = s.word;
    int header = GetParaHeader(&ctx, w), listType = GetParaListType(&ctx, w), misc = GetParaMiscType(&ctx, w);
    if (id >= kHeader1 && id <= kHeader7)
        return header == id - kHeader1 + 1;
    if (id >= kListLevel1 && id <= kListLevel7)
        return GetParaListLevel(&ctx, w) == id - kListLevel1 + 1;
    if (id == menu::kAlignLeft)
        return (unsigned(s.para.flags) & kAnyAlignment) == 0;
    if (unsigned flag = commandAlignment(id))
        return (unsigned(s.para.flags) & flag) != 0;
    switch (id) {
    case kBlockQuote: return misc == kMiscBlockQuote;
    case kPreformatted: return misc == kMiscPre;
    case kAddress: return misc == kMiscAddress;
    case kNormal: return header == 0 && listType == 0 && misc == 0;
    case kOrderedList: return listType == kListOrdered;
    case kUnorderedList: return listType == kListUnordered;
    case kListMarker: return w == kParaMarkerShown;
    case kDefinitionTerm: return listType == kListDef && (w & kParaDefTerm);
    case kDefinition: return listType == kListDef && !(w & kParaDefTerm);
    case kFormMark: return (w & kParaInForm) != 0;
    case kParaSpacing: return (s.info.caretSpaceBefore > 0 || s.info.caretSpaceAfter > 0) && w == 0;
    default: return false;
    }
}

bool characterChecked(const CaretState& s, int id)
{
    if (std::uint32_t bit = commandStyleBit(id))
        return (s.fontStyle & bit) != 0;
    int element = commandCharType(id);
    return element > 0 && s.fontUserId == element;   // plain text shows no mark
}

}

int commandChecked(HtmlCtx& ctx, HWND hWnd, int id)
{
    switch (id) {
    case kParagraphMarks: return editorOffers(hWnd, kEdParagraphMarks, kEdChecked) ? 1 : 0;
    case kRuler: return inViewMode(hWnd) ? 0 : 1;
    case kToolbar: return inViewMode(hWnd) ? 1 : 0;
    default: break;
    }
    CaretState s;
    if (id < kFontElements || id > kLast || !readCaretState(hWnd, s))
        return 0;
    if (id == kFontElements)
        return s.info.check12108 != 0 ? 1 : 0;
    if (id == kLinkLook)
        return s.info.check12109 != 0 ? 1 : 0;
    if (!s.paraRead)
        return 0;
    return paragraphChecked(ctx, s, id) || characterChecked(s, id) ? 1 : 0;
}

int MenuEnable(HWND hWnd, int id)
{
    HtmlCtx* ctx = hWnd ? GetHtmlCtx(&hWnd, true) : nullptr;
    if (!ctx)
        return 0;
    switch (id) {
    case kParagraphMarks: return editorOffers(hWnd, kEdParagraphMarks, kEdAvailable) ? 1 : 0;
    case kSelectAll: return editorOffers(hWnd, kEdSelectAll, kEdAvailable) ? 1 : 0;
    case kViewCommand: case kRefresh: return EditorGetReadOnly(hWnd) ? 1 : 0;
    default: break;
    }
    if (id < kHeader1 || id > kLast)
        return 1;
    CaretState s;
    if (!readCaretState(hWnd, s) || s.readOnly)
        return 0;
    if (s.onRule() && !availableOnRule(id))
        return 0;
    return ownCondition(*ctx, hWnd, s, id) ? 1 : 0;
}

int MenuSelect(HWND hWnd, int id)
{
    HtmlCtx* ctx = hWnd ? GetHtmlCtx(&hWnd, true) : nullptr;
    return ctx ? commandChecked(*ctx, hWnd, id) : 0;
}

}
