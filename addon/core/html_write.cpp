#include "addon/core/html_write.h"

#include "addon/base/text_utils.h"
#include "addon/core/html_context.h"
#include "addon/core/html_writer.h"
#include "addon/core/plx_state.h"
#include "platform/editor/vek32.h"
#include "platform/win/user_dialogs.h"
#include "platform/win/window_handle.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace ks::addon {
namespace {

constexpr int kSelectionBlock = 2;
constexpr int kNameSize = 128;

int saveRtf(HWND hWnd, const char* name) { return EditorSaveRtf(hWnd, 3) ? EditorSaveRtfEnd(hWnd, name) : 0; }

// The range of the pass: the whole document, or the selected block.
bool setRange(HtmlWriter& w, const VekInfo& info, const VekLineRecord& last, int selection)
{
    w.firstLine = 0;
    w.endLine = info.lineCount;
    w.lastColumn = last.lastColumn;
    if (!selection || info.selectionKind != kSelectionBlock)
        return true;
    bool forward = info.selStartLine < info.selEndLine ||
                   (info.selStartLine == info.selEndLine && info.selStartColumn <= info.selEndColumn);
    w.selection = true;
    w.firstLine = forward ? info.selStartLine : info.selEndLine;
    w.firstColumn = forward ? info.selStartColumn : info.selEndColumn;
    w.endLine = (forward ? info.selEndLine : info.selStartLine) + 1;
    w.lastColumn = forward ? info.selEndColumn : info.selStartColumn;
    return true;
}

// What the page will take, about: its text and a quarter more for tags.
std::uint64_t expectedSize(HWND hWnd, const VekInfo& info)
{
    int count = 0, pos = 0;
    if (info.lineCount <= 0 ||
        !EditorGetLineInfo(hWnd, info.lineCount - 1, nullptr, nullptr, &count, nullptr, nullptr, &pos, nullptr, nullptr))
        return 0;
    std::uint64_t text = std::uint64_t(std::max(pos, 0)) + std::uint64_t(std::max(count, 0));
    return text + text / 4;
}

// Restores what a write changes for its duration, however it ends.
class WriteScope {
public:
    WriteScope(HtmlCtx& ctx, bool top) : ctx_(ctx), noRedirect_(ctx.noRedirect), top_(top)
    {
        ctx.noRedirect = 1;
        if (top_)
            cursor_ = win::setWaitCursor(true);
    }
    ~WriteScope()
    {
        ctx_.noRedirect = noRedirect_;
        if (top_)
            win::setWaitCursor(cursor_);
    }
    WriteScope(const WriteScope&) = delete;
    WriteScope& operator=(const WriteScope&) = delete;

private:
    HtmlCtx& ctx_;
    std::int32_t noRedirect_;
    bool top_;
    bool cursor_ = false;
};

int writePage(HtmlWriter& w)
{
    if (!WriteHead(w))
        return 0;
    // A frame set with no frame in it is not written: the page has a body instead.
    bool frameset = FramesetWritten(w.ctx.rootFrame, 0);
    if (frameset ? !WriteFrameset(w, w.ctx.rootFrame, 0) : (!WriteBodyStart(w) || !WriteDocument(w)))
        return 0;
    if (!Flush(w) || (!frameset && !Tag(w, "body", false, true)))
        return 0;
    return DeclareCharset(w);
}

}

int SelectFileName(HtmlCtx& ctx, bool open, char* name, const char* defaultExtension, const char* filter)
{
    std::string pairs = filter ? filter : "";
    std::replace(pairs.begin(), pairs.end(), '|', '\0');
    pairs.push_back('\0');
    OPENFILENAME request;
    request.hwndOwner = ctx.editorWindow;
    request.lpstrFilter = pairs.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = name;
    request.nMaxFile = kNameSize;
    request.lpstrDefExt = defaultExtension;
    request.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_SHOWHELP | (open ? 0 : OFN_OVERWRITEPROMPT);
    bool chosen = open ? GetOpenFileName(&request) : GetSaveFileName(&request);
    // Clicks made while the dialog was up are not clicks on the document.
    RemovePostedMessages(ctx.editorWindow, [](UINT message) { return message < 0x200 || message > 0x209; });
    return chosen ? std::max(1, request.nFilterIndex) : 0;
}

int HtmlWrite(HWND hWnd, int mode, const char* fileName, HGLOBAL* handle, std::int32_t* length, int selection)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, false);
    if (!ctx)
        return 0;
    bool top = ctx->topWindow == hWnd;
    char name[kNameSize]{};
    if (mode == kWriteAsk) {
        int filter = SelectFileName(*ctx, false, name, "htm", kDocumentFilter);
        if (filter == 0)
            return 0;
        if (filter == kRtfFilter)
            return saveRtf(hWnd, name);
        mode = kWriteFile;
    } else if (mode == kWriteFile) {
        // The name as given: file names keep their letter case here.
        std::strncpy(name, fileName ? fileName : "", kNameSize - 1);
        TrimRight(name);
    }
    if (mode == kWriteFile && !name[0])
        return 0;
    ctx->tempPictureCount = 0;
    ctx->divOpen = 0;
    VekInfo info{};
    VekLineRecord last{};
    // A document without a single line is empty, not unreadable.
    if (!EditorGetInfo(hWnd, &info) || (info.lineCount > 0 && !EditorGetLineRecord(hWnd, info.lineCount - 1, &last)))
        return 0;
    HtmlOutput* out = NewHtmlOutput(ctx, mode == kWriteMemory ? kOutputMemory : kOutputFile, expectedSize(hWnd, info));
    if (!out)
        return 0;
    ctx->openStyle = ctx->fontOpen = ctx->paraOpen = 0;
    int result = 0;
    {
        WriteScope scope(*ctx, top);
        HtmlWriter w{*ctx, hWnd, *out};
        setRange(w, info, last, selection);
        w.pictureBase = mode == kWriteFile ? name : ctx->fileName;
        // A page that could not be written whole is not handed on as if it were.
        if (writePage(w)) {
            if (mode == kWriteFile) {
                result = SaveHtmlFile(ctx, *out, name);
                if (result)
                    std::memcpy(ctx->fileName, name, kNameSize);
            } else {
                std::uint64_t used = 0;
                HGLOBAL block = TakeHtmlBlock(*out, &used);
                if (handle)
                    *handle = block;
                else
                    GlobalFree(block);
                if (length)
                    *length = static_cast<std::int32_t>(used);
                result = 1;
            }
        }
    }
    FreeHtmlOutput(out);
    if (result)
        EditorSetModified(hWnd, 0);
    return result;
}

int HtmlSave(HWND hWnd, int toMemory, const char* fileName, HGLOBAL* handle, std::int32_t* length)
{
    HtmlCtx* own = GetHtmlCtx(hWnd);
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, own && own->topWindow != hWnd);
    if (!ctx)
        return 0;
    if (InViewMode(hWnd))
        return 1;
    bool named = fileName && *fileName;
    int result = 0;
    if (toMemory || !named || ctx->docFormat == 1)
        result = HtmlWrite(hWnd, toMemory ? kWriteMemory : named ? kWriteFile : kWriteAsk, fileName, handle, length, 0);
    else
        result = saveRtf(hWnd, fileName);
    if (result)
        EditorSetModified(hWnd, 0);
    return result;
}

int HtmlClose(HWND hWnd, int toMemory, const char* fileName, HGLOBAL* handle, std::int32_t* length)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, false);
    if (!ctx)
        return 0;
    HWND top = ctx->topWindow ? ctx->topWindow : hWnd;
    HtmlCtx* topCtx = GetHtmlCtx(top);
    if (topCtx && !topCtx->viewMode && Modified(top)) {
        int answer = MessageBox(top, kSaveQuestion, topCtx->fileName, MB_YESNOCANCEL);
        if (answer == IDCANCEL)
            return 0;
        if (answer == IDYES && !HtmlSave(top, toMemory, fileName, handle, length))
            return 0;
    }
    return EditorCloseDocument(top, 1);
}

}
