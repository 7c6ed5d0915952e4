// The head (title, meta and user tags), the body tag and framesets.
#include "addon/core/html_context.h"
#include "addon/core/html_write.h"
#include "addon/core/html_writer.h"
#include "platform/win/user_dialogs.h"

#include <cstdio>
#include <string>

namespace ks::addon {
namespace {

bool headTag(const TagData& t) { return t.type == kTagMeta || t.type == kTagUser; }

int writeMeta(HtmlWriter& w, const TagData& t)
{
    if (!Flush(w) || !PutTagOpen(&w.ctx, w.out, "meta"))
        return 0;
    if (t.type == kTagMeta) {
        const char* attribute = t.id == 1 ? "http-equiv" : "name";
        if (!PutAttr(&w.ctx, w.out, attribute, t.text1 ? t.text1 : "") ||
            (t.text2 && !PutAttr(&w.ctx, w.out, "content", t.text2)))
            return 0;
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
    if (!title && !meta)
        return 1;
    if (!Tag(w, "head", true, true))
        return 0;
    if (title && (!Tag(w, "title", true, false) || !PutText(&w.ctx, w.out, w.ctx.docTitle) || !Tag(w, "title", false, true)))
        return 0;
    for (int i = 0; i < w.ctx.tagCount && w.ctx.tagTable; ++i)
        if (headTag(w.ctx.tagTable[i]) && !writeMeta(w, w.ctx.tagTable[i]))
            return 0;
    return Tag(w, "head", false, true);
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

int WriteFrameset(HtmlWriter& w, const FrameRecord& record, int depth)
{
    if (record.childCount <= 0 || !record.children || depth > kMaxFrameDepth)
        return 1;
    std::string sizes;
    for (int i = 0; i < record.childCount; ++i) {
        char size[16];
        frameSize(record.children[i], size, sizeof size);
        sizes += (i ? ", " : "") + std::string(size);
    }
    if (!PutTagOpen(&w.ctx, w.out, "frameset"))
        return 0;
    if ((record.flags & kFrameRows) && !PutAttr(&w.ctx, w.out, "rows", sizes.c_str()))
        return 0;
    if ((record.flags & kFrameCols) && !PutAttr(&w.ctx, w.out, "cols", sizes.c_str()))
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
