// Framesets: the frame tree read from frameset and frame tags, laid out in pixels over
// the frameset window, and a child editor window per frame that reads its own source.
#include "addon/base/allocators.h"
#include "addon/base/number_utils.h"
#include "addon/base/text_utils.h"
#include "addon/convert/html_attributes.h"
#include "addon/core/editor_ops.h"
#include "addon/core/html_context.h"
#include "addon/core/html_notify.h"
#include "addon/core/html_tag_handlers.h"
#include "addon/core/plx_setup.h"
#include "addon/core/plx_state.h"
#include "platform/editor/vek32.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <strings.h>

namespace ks::addon {
namespace {

constexpr std::uint32_t kUnsupportedSecondFrameset = 0x4, kUnsupportedFramesInLines = 0x8;
constexpr unsigned kFrameStyle = 0x54002041, kViewModeStyle = 0x200;
constexpr unsigned kSizingBorder = 0x40000, kDialogFrame = 0x400000;
constexpr unsigned kModeLoading = 0x200;
// A page may hold framesets nested this deep and frames this many in one frameset; frame
// documents may open frames this deep, and a top window holds at most this many frame
// windows. Beyond, tags are ignored and frames not made.
constexpr int kMostFramesetDepth = kMaxFrameDepth;
constexpr int kMostFramesPerSet = 64;
constexpr int kMostFrameDocumentDepth = 8;
constexpr int kMostFrameWindows = 64;

int depthOf(const FrameRecord* record)
{
    int depth = 0;
    for (; record && record->parent; record = record->parent)
        ++depth;
    return depth;
}

// A new cleared child at the end of the frameset's children; null when refused. The
// array moves: the children's own children are pointed at their parents' new places.
FrameRecord* appendChild(FrameRecord& set)
{
    if (set.childCapacity >= kMostFramesPerSet)
        return nullptr;
    std::size_t bytes = sizeof(FrameRecord) * std::size_t(set.childCapacity + 1);
    void* grown = set.children ? MeReAlloc(set.children, bytes) : MemAlloc(bytes);
    if (!grown)
        return nullptr;
    set.children = static_cast<FrameRecord*>(grown);
    for (int i = 0; i < set.childCapacity; ++i)
        for (int k = 0; k < set.children[i].childCapacity && set.children[i].children; ++k)
            set.children[i].children[k].parent = &set.children[i];
    FrameRecord& child = set.children[set.childCapacity++];
    child = FrameRecord{};
    child.parent = &set;
    return &child;
}

// The next child of the frameset that a frame or nested frameset fills.
FrameRecord* nextChild(FrameRecord& set)
{
    FrameRecord* child = set.childCount < set.childCapacity ? &set.children[set.childCount] : appendChild(set);
    if (child)
        ++set.childCount;
    return child;
}

int listCount(const char* list) { return 1 + int(std::count(list, list + std::strlen(list), ',')); }

void addListEntries(FrameRecord& set, const char* list)
{
    const char* p = list;
    do {
        const char* comma = std::strchr(p, ',');
        std::string entry(p, comma ? std::size_t(comma - p) : std::strlen(p));
        TrimString(entry.data());
        entry.resize(std::strlen(entry.c_str()));
        FrameRecord* child = appendChild(set);
        if (!child)
            return;
        child->width = set.width;
        child->height = set.height;
        if (!entry.empty() && entry.back() == '%') {
            child->flags |= kFramePercent;
            entry.pop_back();
        } else if (!entry.empty() && entry.back() == '*') {
            child->flags |= kFrameRelative;
            entry.pop_back();
        }
        child->size = TextToInt(entry.c_str());
        p = comma ? comma + 1 : nullptr;
    } while (p);
}

// How many framesets hold the window's document (0 for a top window).
int frameDocumentDepth(HtmlCtx* ctx)
{
    int depth = 0;
    for (HtmlCtx* c = ctx; c && c->parentWindow && c->parentWindow != c->editorWindow && depth <= kMostFrameDocumentDepth;
         c = GetHtmlCtx(c->parentWindow))
        ++depth;
    return depth;
}

// Frame windows of the tree below record, framesets shown in frame windows included.
int countFrameWindows(const FrameRecord& record, int depth)
{
    int count = 0;
    for (int i = 0; i < std::min(record.childCount, record.childCapacity) && record.children && depth <= kMaxFrameDepth;
         ++i) {
        const FrameRecord& child = record.children[i];
        if (child.frameset) {
            count += countFrameWindows(child, depth + 1);
        } else if (child.window) {
            HtmlCtx* own = GetHtmlCtx(child.window);
            count += 1 + (own ? countFrameWindows(own->rootFrame, depth + 1) : 0);
        }
    }
    return count;
}

int frameWindowCount(HtmlCtx* ctx)
{
    HtmlCtx* top = GetTopHtmlCtx(ctx->editorWindow);
    return top ? countFrameWindows(top->rootFrame, 0) : 0;
}

// The frame's source against the frameset document's folder, when it names no folder.
std::string framePath(const HtmlCtx* ctx, const char* source)
{
    if (*EditorGetPathDir(source))
        return source;
    return std::string(EditorGetPathDir(ctx->fileName)) + source;
}

void createFrameWindow(HtmlCtx* ctx, const FrameRecord& set, FrameRecord& frame)
{
    HWND hWnd = ctx->editorWindow;
    unsigned style = kFrameStyle | (InViewMode(hWnd) ? kViewModeStyle : 0);
    int allowance = (set.flags & kFrameBorders) ? 2 : 0;
    if (set.flags & kFrameBorders)
        style |= (frame.flags & kFrameNoResize) ? kDialogFrame : kSizingBorder;
    const char* name = frame.name ? frame.name : "";
    frame.window = EditorCreateWindow(hWnd, name, style, frame.left, frame.top, std::max(frame.width - allowance, 0),
                                      std::max(frame.height - allowance, 0));
    if (!frame.window || !initializeWindow(frame.window, hWnd))
        return;
    HWND window = frame.window;
    SetTopWin(window, ctx->topWindow);
    SetParentWin(window, hWnd);
    SetFrameName(window, name);
    SetDefaultTarget(window, frame.target ? frame.target : "");
    SetFrameParent(window, ctx->topCtx);
    SetActiveWnd(window);
    const char* source = frame.source ? frame.source : "";
    if (!*source)
        return;
    SendHtmlNotify(ctx, kNotifyFrame, reinterpret_cast<WPARAM>(hWnd), reinterpret_cast<LPARAM>(source), false);
    std::string path = framePath(ctx, source);
    EditorSetModeFlags(window, 1, kModeLoading);
    ReadHtml(window, 0, path.c_str(), nullptr, 0, nullptr);
    EditorSetModeFlags(window, 0, kModeLoading);
}

}

int FramesetTag(HtmlCtx* ctx, HtmlReader* r)
{
    if (!EndOpenParagraph(ctx, r, true))
        return kTagFailed;
    if (r->tokenizer.endTag)
        CloseGroup(r);
    else
        ParseFrameset(ctx, r, &r->currentGroup());
    return kTagDone;
}

int FrameTag(HtmlCtx* ctx, HtmlReader* r)
{
    if (r->tokenizer.beginTag)
        ParseFrame(ctx, r, &r->currentGroup());
    CloseGroup(r);
    return kTagDone;
}

int ParseFrameset(HtmlCtx* ctx, HtmlReader* r, HtmlGroup* group)
{
    FrameRecord* record;
    if (group->frameset) {
        if (depthOf(group->frameset) >= kMostFramesetDepth - 1)
            return 1;
        record = nextChild(*group->frameset);
        if (!record)
            return 1;
    } else {
        if (ctx->rootFrame.children) {
            ctx->unsupported |= kUnsupportedSecondFrameset;
            return 1;
        }
        record = &ctx->rootFrame;
    }
    group->frameset = record;
    record->frameset = 1;
    std::string rows, cols;
    int rowCount = TagAttribute(ctx, r, "rows", rows) ? listCount(rows.c_str()) : 0;
    int colCount = TagAttribute(ctx, r, "cols", cols) ? listCount(cols.c_str()) : 0;
    if (rowCount <= colCount) {
        record->flags |= kFrameCols;
        addListEntries(*record, colCount ? cols.c_str() : "");
    } else {
        record->flags |= kFrameRows;
        addListEntries(*record, rows.c_str());
    }
    std::string border;
    if (!TagAttribute(ctx, r, "frameborder", border) || strcasecmp(border.c_str(), "no") != 0)
        record->flags |= kFrameBorders;
    return 1;
}

int ParseFrame(HtmlCtx* ctx, HtmlReader* r, HtmlGroup* group)
{
    FrameRecord& set = group->frameset ? *group->frameset : ctx->rootFrame;
    FrameRecord* frame = nextChild(set);
    if (!frame)
        return 1;
    std::string value;
    MemFree(frame->name);
    MemFree(frame->source);
    MemFree(frame->target);
    TagAttribute(ctx, r, "name", value);
    frame->name = MemCopyText(value.c_str());
    TagAttribute(ctx, r, "src", value);
    frame->source = MemCopyText(value.c_str());
    TagAttribute(ctx, r, "target", value);
    frame->target = MemCopyText(value.c_str());
    if (TagAttribute(ctx, r, "noresize", value))
        frame->flags |= kFrameNoResize;
    return 1;
}

namespace {

// A relative size of 0 ("*" alone, or "0*") weighs as 1.
std::int64_t relativeWeight(const FrameRecord& c) { return c.size == 0 ? 1 : std::max(c.size, 0); }

}

int LayoutFrames(HtmlCtx* ctx, FrameRecord* set)
{
    if (!set || !set->frameset || set->childCount <= 0 || !set->children)
        return 1;
    FrameRecord* children = set->children;
    int count = std::min(set->childCount, set->childCapacity);
    std::int64_t relativeSum = 0, percentSum = 0;
    for (int i = 0; i < count; ++i) {
        FrameRecord& c = children[i];
        if (c.flags & kFrameRelative)
            relativeSum += relativeWeight(c);
        else if (c.flags & kFramePercent)
            percentSum += std::max(c.size, 0);
        c.width = set->width;
        c.height = set->height;
    }
    // Percentages that do not add up to 100 are stretched to it when no relative size takes
    // the rest. The records keep the page's own sizes: they are what the writer writes.
    bool stretched = relativeSum == 0 && percentSum != 0 && percentSum != 100;
    auto percentOf = [&](const FrameRecord& c) {
        int percent = std::max(c.size, 0);
        return stretched ? MulDiv(percent, 100, percentSum) : percent;
    };
    bool rows = (set->flags & kFrameRows) != 0;
    std::int64_t left = std::max(rows ? set->height : set->width, 0);
    auto share = [&](FrameRecord& c, std::int64_t wanted) {
        std::int64_t take = std::clamp<std::int64_t>(wanted, 0, left);
        (rows ? c.height : c.width) = int(take);
        left -= take;
    };
    for (int i = 0; i < count; ++i)
        if (!(children[i].flags & (kFrameRelative | kFramePercent)))
            share(children[i], children[i].size);
    std::int64_t afterFixed = left;
    for (int i = 0; i < count; ++i)
        if (children[i].flags & kFramePercent)
            share(children[i], afterFixed * percentOf(children[i]) / 100);
    if (relativeSum > 0) {
        std::int64_t unit = left / relativeSum;
        for (int i = 0; i < count; ++i)
            if (children[i].flags & kFrameRelative)
                share(children[i], unit * relativeWeight(children[i]));
    }
    int x = set->left, y = set->top;
    for (int i = 0; i < count; ++i) {
        FrameRecord& c = children[i];
        c.left = rows ? set->left : x;
        c.top = rows ? y : set->top;
        if (rows)
            y += c.height;
        else
            x += c.width;
        if (c.frameset)
            LayoutFrames(ctx, &c);
    }
    return 1;
}

int MoveFrames(HtmlCtx* ctx, FrameRecord* set)
{
    if (!set || !set->children)
        return 1;
    int allowance = (set->flags & kFrameBorders) ? 2 : 0;
    for (int i = 0; i < std::min(set->childCount, set->childCapacity); ++i) {
        FrameRecord& c = set->children[i];
        if (c.frameset)
            MoveFrames(ctx, &c);
        else if (c.window)
            EditorMoveWindow(c.window, c.left, c.top, std::max(c.width - allowance, 0),
                             std::max(c.height - allowance, 0));
    }
    return 1;
}

int CreateFrameWindows(HtmlCtx* ctx, FrameRecord* set)
{
    if (!set || !set->frameset || set->childCount <= 0 || !set->children)
        return 1;
    EditorInfo info;
    if (readInfo(ctx->editorWindow, info) && info.lineCount > 1)
        ctx->unsupported |= kUnsupportedFramesInLines;
    bool deepDocument = frameDocumentDepth(ctx) >= kMostFrameDocumentDepth;
    for (int i = 0; i < std::min(set->childCount, set->childCapacity); ++i) {
        FrameRecord& c = set->children[i];
        if (c.frameset)
            CreateFrameWindows(ctx, &c);
        else if (!deepDocument && frameWindowCount(ctx) < kMostFrameWindows)
            createFrameWindow(ctx, *set, c);
    }
    return 1;
}

}
