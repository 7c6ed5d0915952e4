// Forms: paragraphs made form text or plain again, a block of form text given to a form,
// and form records made or changed.
#include "addon/base/dialog_fields.h"
#include "addon/base/print_error.h"
#include "addon/core/editor_ops.h"
#include "addon/core/form_dialogs.h"
#include "addon/core/form_fields.h"
#include "addon/core/html_context.h"
#include "addon/core/html_writer.h"
#include "addon/core/para_change.h"
#include "addon/core/para_type.h"
#include "addon/core/plx_module.h"
#include "platform/editor/vek32.h"

namespace ks::addon {
namespace {

void setFormBit(HtmlCtx& ctx, HWND hWnd, int line, ParaProps& p, bool on, bool viewMode)
{
    auto word = static_cast<std::uint32_t>(p.typeWord);
    // Text made form text by hand stands in no form known yet.
    if (on != ((word & kParaInForm) != 0))
        p.formNumber = 0;
    word = on ? word | kParaInForm : word & ~kParaInForm;
    p.typeWord = static_cast<int>(word);
    if (GetParaMiscType(&ctx, word) != kMiscRule && !viewMode)
        p.ruleValue = on ? editor::kFormTextRule : 0;
    GetLineParaInfo(ctx, hWnd, line, word, &p.before, &p.after);
}

bool caretInFormText(HWND hWnd, int& line)
{
    EditorInfo info;
    ParaProps p;
    if (!readInfo(hWnd, info) || !readParaProps(hWnd, info.caretLine, p))
        return false;
    line = info.caretLine;
    return (static_cast<std::uint32_t>(p.typeWord) & kParaInForm) != 0;
}

struct FormChoice {
    int form = -1;
    bool isNew = false;
    int method = 0;
    char action[kCtxTextSize]{};
};

// The form to change (or a new one) and its values from the two dialogs; false when cancelled.
bool askForm(HtmlCtx& ctx, FormChoice& c)
{
    LRESULT chosen = CallDialogBox(&ctx, "FormListParam", FormListParam, 0);
    if (chosen < 0)
        return false;
    c.form = int(chosen);
    c.isNew = c.form >= ctx.formCount;
    // No form can be added to a full table: nothing to ask.
    if (c.isNew && ctx.formCount >= kFormCount)
        return false;
    PrepareExchange(ctx, c.form, 0);
    if (CallDialogBox(&ctx, "FormEditParam", FormEditParam, 0) != 1)
        return false;
    c.method = ctx.dialog.values[kValueB];
    copyCtxText(c.action, exchangeText1(ctx));
    return true;
}

}

int SetForm(HWND hWnd, int on, int repaint)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    int first = 0, last = 0;
    if (!ctx || !GetParaRange(*ctx, hWnd, -1, &first, &last))
        return 0;
    EditorRepaint(hWnd, 0);
    EditorInfo info;
    bool viewMode = readInfo(hWnd, info) && info.viewState != 0;
    SelectionKeeper keep(hWnd);
    for (int line = first; line <= last;) {
        int end = paraEndLine(hWnd, line);
        if (EditorCheckPara(hWnd, line)) {
            ParaProps p;
            if (!readParaProps(hWnd, line, p))
                return 0;
            setFormBit(*ctx, hWnd, line, p, on != 0, viewMode);
            EditorApplyParaFormat(hWnd, line, end, makeParaFormat(hWnd, p));
        }
        line = end + 1;
    }
    repaintIf(hWnd, repaint);
    return 1;
}

int SetFormId(HWND hWnd, int form)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    if (ctx->formCount <= 0)
        return PrintError(ctx, "Form Table Empty!", kErrForms);
    int line = 0;
    if (!caretInFormText(hWnd, line))
        return 0;
    int field = FindLineForm(*ctx, hWnd, line);
    if (field < 0)
        return PrintError(ctx, "Current Form Empty! The form must have atleast one field", kErrForms);
    if (form < 0) {
        PrepareExchange(*ctx, ctx->fields[field].form, 0);
        form = int(CallDialogBox(ctx, "SetFormParam", SetFormParam, 0));
        if (form < 0)
            return 0;
    }
    // A form that does not exist would be written as a form without method or action.
    if (form >= ctx->formCount || form >= kFormCount)
        return 0;
    ctx->fields[field].form = form;
    return 1;
}

int EditFormId(HWND hWnd, int isNew, int form, int method, const char* action, int dialog)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return -1;
    FormChoice c;
    if (dialog) {
        if (!askForm(*ctx, c))
            return -1;
    } else {
        c.form = form;
        c.isNew = isNew != 0;
        c.method = method;
        copyCtxText(c.action, action);
    }
    if (!c.action[0])
        return -1;
    if (c.isNew) {
        if (ctx->formCount >= kFormCount)
            return -1;
        c.form = ctx->formCount++;
    } else if (c.form < 0 || c.form >= ctx->formCount) {
        return -1;
    }
    FormRecord& record = ctx->forms[c.form];
    record.method = c.method == 1 ? 1 : 0;
    copyCtxText(record.action, c.action, sizeof record.action);
    return c.form;
}

}
