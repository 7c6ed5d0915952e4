#include "addon/core/html_read.h"

#include "addon/base/allocators.h"
#include "addon/base/message_sink.h"
#include "addon/base/print_error.h"
#include "addon/base/text_utils.h"
#include "addon/convert/html_charset.h"
#include "addon/core/html_builder_words.h"
#include "addon/core/editor_ops.h"
#include "addon/core/field_controls.h"
#include "addon/core/html_context.h"
#include "addon/core/html_tag_handlers.h"
#include "addon/core/named_anchor.h"
#include "addon/core/para_formatting.h"
#include "addon/core/picture_memo.h"
#include "addon/core/picture_read.h"
#include "addon/core/plx_module.h"
#include "addon/core/plx_state.h"
#include "platform/editor/vek32.h"
#include "platform/win/user_dialogs.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstring>
#include <new>
#include <string>
#include <utility>

namespace ks::addon {
namespace {

constexpr unsigned kMode2Bulk = 0x10000;
constexpr unsigned kModeLinkClicks = 0x8000;
constexpr std::uint32_t kFlagNoLinkClicks = 0x80;
// Pending text goes to the editor once a word would take it past this.
constexpr int kFlushLength = 80;

// The input of one read: a file, or a locked memory block, or a UTF-8 page of either
// turned into Windows-1252 text.
struct ReadInput {
    std::FILE* file = nullptr;
    win::HGLOBAL block = nullptr;
    const char* memory = nullptr;
    std::int32_t length = 0;
    std::string decoded;

    ~ReadInput()
    {
        if (file)
            std::fclose(file);
        if (block)
            GlobalUnlock(block);
    }
};

// The whole of a file input, or nothing when it cannot be read (the read reports it).
bool readWholeFile(std::FILE* file, std::string& bytes)
{
    char block[65536];
    while (std::size_t got = std::fread(block, 1, sizeof block, file))
        bytes.append(block, got);
    bool whole = !std::ferror(file);
    std::clearerr(file);
    return whole && std::fseek(file, 0, SEEK_SET) == 0;
}

// A UTF-8 page is read from its Windows-1252 text instead.
void decodeUtf8Input(ReadInput& in)
{
    std::string bytes;
    if (in.file && !readWholeFile(in.file, bytes))
        return;
    std::string_view page = in.file ? std::string_view(bytes) : std::string_view(in.memory, std::size_t(in.length));
    if (!IsUtf8Page(page))
        return;
    in.decoded = Utf8PageToWindows1252(page);
    in.memory = in.decoded.data();
    in.length = static_cast<std::int32_t>(std::min<std::size_t>(in.decoded.size(), INT32_MAX));
    if (in.file)
        std::fclose(std::exchange(in.file, nullptr));
}

// A memory block is never read past its end; without a length, up to its first zero.
std::int32_t memoryBound(const char* memory, win::HGLOBAL block, std::int32_t length)
{
    std::size_t size = GlobalSize(block);
    if (length >= 0)
        return static_cast<std::int32_t>(std::min<std::size_t>(std::size_t(length), size));
    const void* zero = std::memchr(memory, 0, size);
    std::size_t bound = zero ? std::size_t(static_cast<const char*>(zero) - memory) : size;
    return static_cast<std::int32_t>(std::min<std::size_t>(bound, INT32_MAX));
}

// A regular file only: a pipe or a device would block the read or never end it.
std::FILE* openRegularFile(const std::string& name)
{
    int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || ::fcntl(fd, F_SETFL, 0) != 0) {
        ::close(fd);
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file)
        ::close(fd);
    return file;
}

// 0 without a report for a name that is empty or cannot be opened.
int openInput(HtmlCtx* ctx, int fromMemory, const char* fileName, win::HGLOBAL handle, std::int32_t length,
              ReadInput& in)
{
    if (fromMemory) {
        void* memory = GlobalLock(handle);
        if (!memory)
            return PrintError(ctx, "Error locking the input buffer", kErrMemory);
        in.block = handle;
        in.memory = static_cast<const char*>(memory);
        in.length = memoryBound(in.memory, handle, length);
        ctx->fileName[0] = 0;
        return 1;
    }
    // The name is used as given (file names keep their letter case here), less trailing blanks.
    std::string name = fileName ? fileName : "";
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    if (name.empty())
        return 0;
    in.file = openRegularFile(name);
    if (!in.file)
        return 0;
    copyCtxText(ctx->fileName, name.c_str(), kCtxNameSize);
    return 1;
}

// The reader context, its group table and font stack, freed together.
struct ReaderMemory {
    HtmlReader* reader = nullptr;
    HtmlGroup* groups = nullptr;
    HtmlFontStackEntry* fonts = nullptr;

    ~ReaderMemory()
    {
        OurFree(fonts);
        OurFree(groups);
        if (reader)
            reader->~HtmlReader();
        OurFree(reader);
    }
    int allocate(HtmlCtx* ctx)
    {
        void* r = OurAlloc(sizeof(HtmlReader));
        if (!r)
            return PrintError(ctx, "Ran out of memory for HTML data (HtmlRead).", kErrMemory);
        reader = new (r) HtmlReader{};
        void* g = OurAlloc(sizeof(HtmlGroup) * kHtmlGroupCount);
        if (!g)
            return PrintError(ctx, "Ran out of memory for HTML group table (HtmlRead).", kErrMemory);
        groups = static_cast<HtmlGroup*>(g);
        for (int i = 0; i < kHtmlGroupCount; ++i)
            new (&groups[i]) HtmlGroup{};
        void* f = OurAlloc(sizeof(HtmlFontStackEntry) * kHtmlFontStackSize);
        if (!f)
            return PrintError(ctx, "Ran out of memory for HTML font stack (HtmlRead).", kErrMemory);
        fonts = static_cast<HtmlFontStackEntry*>(f);
        for (int i = 0; i < kHtmlFontStackSize; ++i)
            new (&fonts[i]) HtmlFontStackEntry{};
        return 1;
    }
};

void setUpReader(HtmlReader& r, const ReadInput& in, ReaderMemory& m, const char* anchorName)
{
    r.tokenizer.file = in.file;
    r.tokenizer.memory = in.memory;
    r.tokenizer.memoryLength = in.length;
    r.groups = m.groups;
    r.fontStack = m.fonts;
    r.groups[0].reader = &r;
    r.anchorName = anchorName;
    r.flush = FlushHtmlText;
}

// Asked of every tag: letters compared without a call ("x | 0x20" is a letter in lower case).
bool isParagraphTag(const char* word, int length)
{
    auto is = [&](int i, char lower) { return char(word[i] | 0x20) == lower; };
    switch (length) {
    case 1: return is(0, 'p');
    case 2: return is(0, 'b') && is(1, 'r');
    case 3: return is(0, 'd') && is(1, 'i') && is(2, 'v');
    default: return false;
    }
}

void reportAbort(HtmlCtx* ctx, const HtmlReader& r)
{
    showMessage(ctx->editorWindow, "Read aborted", "");
    DebugMsg("pos: %ld, control: %d, beg group: %d, end group: %d, word: %.40s, word len: %d",
             static_cast<long>(r.tokenizer.position), r.tokenizer.tag, r.tokenizer.beginTag, r.tokenizer.endTag, r.tokenizer.word, r.tokenizer.wordLength);
}

int handleOneTag(HtmlCtx* ctx, HtmlReader& r)
{
    if (!isParagraphTag(r.tokenizer.word, r.tokenizer.wordLength) && r.textEnabled && !FlushHtmlText(ctx, &r))
        return kTagFailed;
    return HandleHtmlTag(ctx, &r);
}

// A tag to its handler. A self-closed tag ("<a id=x/>") whose group is still open after its
// handler is ended at once, as if its end tag followed: a group left open would take the
// following text, and each would use up a group.
int handleTag(HtmlCtx* ctx, HtmlReader& r)
{
    int own = r.group;
    int result = handleOneTag(ctx, r);
    if (result != kTagDone || !r.tokenizer.beginTag || !r.tokenizer.selfClosing || r.group < own)
        return result;
    r.tokenizer.beginTag = 0;
    r.tokenizer.endTag = 1;
    return handleOneTag(ctx, r);
}

bool fieldIsHidden(const HtmlCtx* ctx, const HtmlReader* r)
{
    int f = r->currentField;
    return f >= 0 && f < ctx->fieldCount && f < kFieldCount && ctx->fields[f].type == kFieldHidden;
}

// The main loop: text words into the pending text, tags to their handlers.
void readWords(HtmlCtx* ctx, HtmlReader& r)
{
    while (NextHtmlWord(ctx, &r)) {
        if (!r.tokenizer.tag) {
            if (r.tokenizer.wordLength == 0 || r.textSuppressed)
                continue;
            if (!r.heldIds.empty() && r.textEnabled && !r.currentGroup().inLink && !ReleaseHeldId(ctx, &r))
                return;
            if (r.textEnabled && !ReleaseHeldLink(ctx, &r))
                return;
            if (r.pendingLength + r.tokenizer.wordLength > kFlushLength && r.textEnabled && !FlushHtmlText(ctx, &r))
                return;
            AppendPending(&r, r.tokenizer.word, r.tokenizer.wordLength);
            continue;
        }
        int result = handleTag(ctx, r);
        if (result == kTagAborted)
            reportAbort(ctx, r);
        if (result != kTagDone)
            return;
    }
}

void beginPass(HtmlCtx* ctx, HWND hWnd)
{
    EditorInfo info;
    if (readInfo(hWnd, info) && info.paragraphCount == 1 && info.lineCount == 1)
        EditorSetLineChars(hWnd, 0, "", nullptr);
    ctx->docBkColor = ctx->defaultBkColor;
    ctx->bkColorSet = ctx->textColorSet = 0;
    EditorSetModeFlags2(hWnd, 1, kMode2Bulk);
    if (ctx->topWindow == hWnd)
        win::setWaitCursor(true);
}

void showBackground(HtmlCtx* ctx, HWND hWnd)
{
    if (!ctx->bkColorSet && ctx->docBkColor == ctx->bkColor)
        EditorInvalidate(hWnd, 0);
    else
        ShowDocBkColor(*ctx, hWnd);
}

void endPass(HtmlCtx* ctx, HWND hWnd, HtmlReader* r)
{
    SetTarget(hWnd, "");
    if (r->tableSeen)
        EditorUpdateTables(hWnd);
    ctx->docFormat = 1;
    EditorSetCaretPos(hWnd, 0);
    if (r->anchorName && *r->anchorName)
        PositionName(hWnd, r->anchorName);
    EditorSetModified(hWnd, 0);
    COLORREF text = ctx->textColorSet ? ctx->textColor : 0;
    EditorSetTextColor(hWnd, text, 0);
    ctx->textColor = text;
    showBackground(ctx, hWnd);
    if (ctx->rootFrame.childCount > 0) {
        LayoutFrames(ctx, &ctx->rootFrame);
        CreateFrameWindows(ctx, &ctx->rootFrame);
        SetClipChildren(hWnd, 1);
        EditorSetReadOnly(hWnd, 1);
    }
    if (ctx->topWindow == hWnd)
        win::setWaitCursor(false);
    if (!(ctx->flags & kFlagNoLinkClicks))
        EditorSetModeFlags(hWnd, 1, kModeLinkClicks);
    EditorSetModeFlags2(hWnd, 0, kMode2Bulk);
}

}

int HtmlDocPass(HtmlCtx* ctx, int operation, HtmlGroup* group, HtmlReader* r, const char* text)
{
    switch (operation) {
    case kDocBegin:
        beginPass(ctx, ctx->editorWindow);
        return 1;
    case kDocEnd:
        endPass(ctx, ctx->editorWindow, r);
        return 1;
    case kDocText:
        if (r && text && *text)
            r->hiddenTextLast = !(group->style & kStyleHiddenLink) ? 0 : group->inLink ? kHiddenVariant : kHiddenPlain;
        return InsertHtmlText(ctx, group, text);
    case kDocPicture:
        r->hiddenTextLast = 0;
        return BeginCellOfContent(ctx, r, true) && ReadImgTag(ctx, r);
    case kDocField:
        r->hiddenTextLast = 0;
        // A hidden field shows nothing: blanks held before it wait on, and it begins no cell.
        return (fieldIsHidden(ctx, r) || (BeginCellOfContent(ctx, r, true) && ReleaseHeldBlank(ctx, r))) &&
               CreateFieldControl(ctx, group, 1, 0);
    default:
        return 1;
    }
}

int ReadHtml(HWND hWnd, int fromMemory, const char* fileName, win::HGLOBAL handle, std::int32_t length,
             const char* anchorName, const char* documentName)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    ctx->editorWindow = hWnd;
    ReadInput in;
    if (!openInput(ctx, fromMemory, fileName, handle, length, in))
        return 0;
    if (fromMemory && documentName)
        copyCtxText(ctx->fileName, documentName, kCtxNameSize);
    decodeUtf8Input(in);
    ReaderMemory memory;
    if (!memory.allocate(ctx))
        return 0;
    PictureMemoScope pictures(*ctx);
    HtmlReader& r = *memory.reader;
    setUpReader(r, in, memory, anchorName);
    HtmlDocPass(ctx, kDocBegin, nullptr, &r);
    readWords(ctx, r);
    // A title or head left open swallowed the rest of the page, as in a browser, but what is
    // still open ends all the same: its cells' and rows' ends were else dropped as the title's
    // text, and a field made now stood in no cell, outside its form.
    if (!r.textEnabled) {
        r.pendingLength = 0;
        r.pending[0] = 0;
        r.textEnabled = 1;
    }
    EndOpenFieldBlock(ctx, &r);
    DropHeldLinkRepeat(&r);
    if (r.textEnabled) {
        ReleaseHeldLink(ctx, &r);
        ReleaseHeldId(ctx, &r);
    }
    FlushHtmlText(ctx, &r);
    while (r.inTable)
        EndTable(ctx, &r);
    // Blanks ending the page show nothing, as before a paragraph's end.
    ReleaseHeldBlank(ctx, &r, true);
    HtmlDocPass(ctx, kDocEnd, nullptr, &r);
    return 1;
}

}
