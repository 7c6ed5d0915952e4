// The head (title, meta and user tags), the body tag and framesets.
#include "addon/core/html_context.h"
#include "addon/core/html_write.h"
#include "addon/core/html_writer.h"
#include "platform/win/user_dialogs.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <strings.h>

namespace ks::addon {
namespace {

bool headTag(const TagData& t) { return t.type == kTagMeta || t.type == kTagUser; }

bool isContentType(const TagData& t) { return t.id == 1 && t.text1 && strcasecmp(t.text1, "content-type") == 0; }

// The content of a meta tag. A content type names the character set the page is written
// in, whatever the page read said: the document's text is Windows-1252.
std::string metaContent(const TagData& t)
{
    std::string content = t.text2;
    if (!isContentType(t))
        return content;
    std::string lower = content;
    for (char& c : lower)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    std::size_t at = lower.find("charset=");
    if (at == std::string::npos)
        return content + "; charset=windows-1252";
    std::size_t end = content.find(';', at);
    return content.replace(at, end == std::string::npos ? end : end - at, "charset=windows-1252");
}

int writeMeta(HtmlWriter& w, const TagData& t)
{
    if (!Flush(w) || !PutTagOpen(&w.ctx, w.out, "meta"))
        return 0;
    if (t.type == kTagMeta) {
        const char* attribute = t.id == 1 ? "http-equiv" : "name";
        if (!PutAttr(&w.ctx, w.out, attribute, t.text1 ? t.text1 : "") ||
            (t.text2 && !PutAttr(&w.ctx, w.out, "content", metaContent(t).c_str())))
            return 0;
        w.charsetDeclared |= t.text2 && isContentType(t);
    } else if (t.text1) {
        if (!PutAttrInt(&w.ctx, w.out, "UserTagId", t.id) || !PutAttr(&w.ctx, w.out, "UserTagData", t.text1))
            return 0;
    }
    return PutTagEnd(&w.ctx, w.out, true);
}

// "N%", "N*" ("*" for 1 or less) or "N" pixels.
void frameSize(const FrameRecord& child, char* text, std::size_t size)
{
    if (child.flags & kFramePercent)
        std::snprintf(text, size, "%d%%", child.size);
    else if ((child.flags & kFrameRelative) && child.size <= 1)
        std::snprintf(text, size, "*");
    else if (child.flags & kFrameRelative)
        std::snprintf(text, size, "%d*", child.size);
    else
        std::snprintf(text, size, "%d", child.size);
}

// A frame's edits go to its file only when the user says so: the frameset is written to
// memory on every rebuild (the view mode's), which is no request to save its frames. The
// frames of a frame whose document is a frameset are asked for in turn.
void offerFrameSave(HWND frame, int depth)
{
    HtmlCtx* own = frame ? GetHtmlCtx(frame) : nullptr;
    if (!own || depth >= kMaxFrameDepth)
        return;
    if (IsFrameSet(frame)) {
        for (int i = 0; i < own->rootFrame.childCount && own->rootFrame.children; ++i)
            offerFrameSave(own->rootFrame.children[i].window, depth + 1);
        return;
    }
    VekInfo info{};
    if (own->fileName[0] && EditorGetInfo(frame, &info) && info.modified &&
        MessageBox(frame, kSaveQuestion, own->fileName, MB_YESNO) == IDYES)
        HtmlWrite(frame, kWriteFile, own->fileName, nullptr, nullptr, 0);
}

int writeFrame(HtmlWriter& w, const FrameRecord& child)
{
    auto text = [](const char* t) { return t && *t; };
    if (!PutTagOpen(&w.ctx, w.out, "frame") || (text(child.name) && !PutAttr(&w.ctx, w.out, "name", child.name)) ||
        (text(child.source) && !PutAttr(&w.ctx, w.out, "src", child.source)) ||
        (text(child.target) && !PutAttr(&w.ctx, w.out, "target", child.target)) ||
        ((child.flags & kFrameNoResize) && !PutAttr(&w.ctx, w.out, "noresize", nullptr)) ||
        !PutTagEnd(&w.ctx, w.out, true))
        return 0;
    offerFrameSave(child.window, 0);
    return 1;
}

}

int WriteHead(HtmlWriter& w)
{
    bool meta = false;
    for (int i = 0; i < w.ctx.tagCount && w.ctx.tagTable && !meta; ++i)
        meta = headTag(w.ctx.tagTable[i]);
    bool title = w.ctx.docTitle[0] != 0;
    w.charsetAt = std::int64_t(w.out.used);
    if (!title && !meta)
        return 1;
    if (!Tag(w, "head", true, true))
        return 0;
    w.headWritten = true;
    if (title && (!Tag(w, "title", true, false) || !PutText(&w.ctx, w.out, w.ctx.docTitle) || !Tag(w, "title", false, true)))
        return 0;
    // Read back, the declaration is a meta tag of the page: it goes where those are written.
    w.charsetAt = std::int64_t(w.out.used);
    for (int i = 0; i < w.ctx.tagCount && w.ctx.tagTable; ++i)
        if (headTag(w.ctx.tagTable[i]) && !writeMeta(w, w.ctx.tagTable[i]))
            return 0;
    return Tag(w, "head", false, true);
}

int DeclareCharset(HtmlWriter& w)
{
    if (w.charsetDeclared || w.charsetAt < 0)
        return 1;
    // The bytes or'ed together without an early exit: the compiler does it many at a time.
    unsigned char all = 0;
    for (char c : HtmlOutputText(w.out))
        all |= static_cast<unsigned char>(c);
    if (all < 0x80)
        return 1;
    std::string meta = "<meta http-equiv=Content-Type content=\"text/html; charset=windows-1252\">\r\n";
    return InsertHtmlOutput(&w.ctx, w.out, std::uint64_t(w.charsetAt), w.headWritten ? meta : "<head>\r\n" + meta + "</head>\r\n");
}

int WriteBodyStart(HtmlWriter& w)
{
    const HtmlCtx& c = w.ctx;
    if (!c.bkPictureName[0] && !c.bkColorSet && !c.textColorSet)
        return Tag(w, "body", true, true);
    char colour[8];
    return PutTagOpen(&w.ctx, w.out, "body") &&
                   (!c.bkPictureName[0] || PutAttr(&w.ctx, w.out, "background", c.bkPictureName)) &&
                   (!c.bkColorSet || PutAttr(&w.ctx, w.out, "bgcolor", ColorToHtml(c.docBkColor, colour))) &&
                   (!c.textColorSet || PutAttr(&w.ctx, w.out, "text", ColorToHtml(c.textColor, colour))) &&
                   PutTagEnd(&w.ctx, w.out, true)
               ? 1
               : 0;
}

bool FramesetWritten(const FrameRecord& record, int depth)
{
    if (record.childCount <= 0 || !record.children || depth > kMaxFrameDepth)
        return false;
    for (int i = 0; i < record.childCount; ++i)
        if (!record.children[i].frameset || FramesetWritten(record.children[i], depth + 1))
            return true;
    return false;
}

int WriteFrameset(HtmlWriter& w, const FrameRecord& record, int depth)
{
    if (!FramesetWritten(record, depth))
        return 1;
    // A size for each child written: a size without its frame reads back as no frame.
    std::string sizes;
    for (int i = 0; i < record.childCount; ++i) {
        const FrameRecord& child = record.children[i];
        if (child.frameset && !FramesetWritten(child, depth + 1))
            continue;
        char size[16];
        frameSize(child, size, sizeof size);
        sizes += (sizes.empty() ? "" : ", ") + std::string(size);
    }
    if (!PutTagOpen(&w.ctx, w.out, "frameset"))
        return 0;
    if ((record.flags & kFrameRows) && !PutAttr(&w.ctx, w.out, "rows", sizes.c_str()))
        return 0;
    // A set of neither (frames found outside a frame set) reads back as columns.
    if (!(record.flags & kFrameRows) && !PutAttr(&w.ctx, w.out, "cols", sizes.c_str()))
        return 0;
    if (!PutAttr(&w.ctx, w.out, "frameborder", (record.flags & kFrameBorders) ? "yes" : "no") ||
        !PutTagEnd(&w.ctx, w.out, true))
        return 0;
    for (int i = 0; i < record.childCount; ++i) {
        const FrameRecord& child = record.children[i];
        if (!(child.frameset ? WriteFrameset(w, child, depth + 1) : writeFrame(w, child)))
            return 0;
    }
    return Tag(w, "frameset", false, true);
}

}
