#include "addon/core/document_exports.h"

#include "addon/core/editor_ops.h"
#include "addon/core/field_table.h"
#include "addon/core/font_elements.h"
#include "addon/core/frame_teardown.h"
#include "addon/core/html_context.h"
#include "addon/core/html_read.h"
#include "addon/core/html_write.h"
#include "addon/core/plx_state.h"
#include "addon/core/tag_data.h"
#include "addon/base/print_error.h"
#include "platform/editor/vek32.h"
#include "platform/win/user_dialogs.h"

#include <cstring>

namespace ks::addon {
namespace {

constexpr unsigned kModeLinkClicks = 0x8000, kModeLoading = 0x200;
constexpr int kTiled = 2;

bool viewMode(HWND hWnd)
{
    HtmlCtx* top = GetTopHtmlCtx(hWnd);
    return top && top->viewMode;
}

// Keeps the writer, the clearing and the reader on this window: a frame's redirection is
// decided by its top context, so the flag is set there too (else a target name set on the
// frameset would send the clearing and the read to another frame).
class NoRedirect {
public:
    explicit NoRedirect(HtmlCtx& ctx) : ctx_(ctx), top_(ctx.topCtx ? ctx.topCtx : &ctx)
    {
        saved_ = ctx_.noRedirect;
        topSaved_ = top_->noRedirect;
        ctx_.noRedirect = top_->noRedirect = 1;
    }
    ~NoRedirect()
    {
        top_->noRedirect = topSaved_;
        ctx_.noRedirect = saved_;
    }
    NoRedirect(const NoRedirect&) = delete;
    NoRedirect& operator=(const NoRedirect&) = delete;

private:
    HtmlCtx& ctx_;
    HtmlCtx* top_;
    std::int32_t saved_ = 0, topSaved_ = 0;
};

// Write to memory, clear, read back as the document of name: each step must succeed.
bool rebuild(HtmlCtx& ctx, HWND hWnd, const char* name)
{
    HGLOBAL block = nullptr;
    std::int32_t length = 0;
    bool done = HtmlWrite(hWnd, kWriteMemory, nullptr, &block, &length, 0) && ClearContextWindow(ctx, hWnd) &&
                ReadHtml(hWnd, 1, nullptr, block, length, nullptr, name);
    if (block)
        GlobalFree(block);
    return done;
}

}

int ClearContextWindow(HtmlCtx& ctx, HWND hWnd)
{
    if (!viewMode(hWnd) && EditorGetReadOnly(hWnd))
        EditorSetReadOnly(hWnd, 0);
    SetClipChildren(hWnd, 0);
    EditorSetBkPicture(hWnd, 0, kTiled, 0);
    EditorSetModeFlags(hWnd, 0, kModeLinkClicks);
    HGLOBAL empty = GlobalAlloc(GHND, 2);
    if (!empty)
        return 0;
    EditorSetModeFlags(hWnd, 1, kModeLoading);
    int result = EditorLoadBuffer(hWnd, empty, 1, 0, 1);
    EditorSetModeFlags(hWnd, 0, kModeLoading);
    for (int e = 0; e < kFontElementCount; ++e) {
        ctx.fonts[e].created = 0;
        GetElementFont(ctx, e, 0, 0, 0, 0, nullptr);
    }
    ctx.bkPictureName[0] = 0;
    ctx.unsupported = 0;
    FreeFieldTable(ctx);
    FreeTagData(ctx);
    if (ctx.rootFrame.children) {
        char target[kCtxTextSize]{};
        GetTarget(hWnd, target);
        SetTarget(hWnd, "");
        if (HtmlCtx* top = GetTopHtmlCtx(hWnd))
            top->activeFrameWindow = top->topWindow;
        DestroyFrames(ctx);
        SetTarget(hWnd, target);
    }
    return result;
}

int ClearWindow(HWND hWnd)
{
    HtmlCtx* ctx = GetHtmlCtx(&hWnd, true);
    if (!ctx)
        return PrintError(nullptr, "Html Not initialized(PlxClearWindow)!", kErrNotInitialized);
    return ClearContextWindow(*ctx, hWnd);
}

int NewFile(HWND hWnd)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    EditorInfo info;
    if (!viewMode(hWnd) && readInfo(hWnd, info) && info.modified) {
        int answer = MessageBox(hWnd, kSaveQuestion, "", MB_YESNOCANCEL);
        if (answer == IDCANCEL)
            return 0;
        if (answer == IDYES && !HtmlSave(hWnd, 0, ctx->fileName, nullptr, nullptr))
            return 0;
    }
    ctx->fileName[0] = 0;
    return ClearWindow(ctx->editorWindow);
}

int Reformat(HWND hWnd)
{
    HtmlCtx* ctx = GetHtmlCtx(hWnd);
    if (!ctx)
        return 0;
    NoRedirect scope(*ctx);
    EditorInfo info;
    bool modified = readInfo(hWnd, info) && info.modified;
    char name[kCtxNameSize];
    std::memcpy(name, ctx->fileName, sizeof name);
    // The name stays through the read: relative pictures and frame sources are the file's.
    bool done = rebuild(*ctx, hWnd, name);
    if (done && modified)
        EditorSetModified(hWnd, 1);
    std::memcpy(ctx->fileName, name, sizeof name);
    return done ? 1 : 0;
}

int OpenFile(HWND hWnd)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    char name[kCtxNameSize]{};
    int filter = SelectFileName(*ctx, true, name, "htm", kDocumentFilter);
    if (filter == 0 || !NewFile(hWnd))
        return 0;
    std::memcpy(ctx->fileName, name, sizeof name);
    if (filter != kRtfFilter)
        return ReadHtml(hWnd, 0, name, nullptr, 0, nullptr);
    ctx->docFormat = 0;
    return EditorOpenRtf(hWnd, name);
}

}
