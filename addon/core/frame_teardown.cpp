#include "addon/core/frame_teardown.h"

#include "addon/base/allocators.h"
#include "addon/core/document_exports.h"
#include "addon/core/html_context.h"
#include "platform/editor/vek32.h"

namespace ks::addon {
namespace {

void freeChildren(FrameRecord& record, int depth)
{
    for (int i = 0; i < record.childCount && record.children && depth < kMaxFrameDepth; ++i) {
        FrameRecord& child = record.children[i];
        if (child.frameset) {
            freeChildren(child, depth + 1);
        } else if (child.window) {
            // The frame's document goes before its window does.
            if (HtmlCtx* own = GetHtmlCtx(child.window))
                ClearContextWindow(*own, child.window);
            EditorDestroyWindow(child.window);
            child.window = nullptr;
        }
        MemFree(child.name);
        MemFree(child.source);
        MemFree(child.target);
        child.name = child.source = child.target = nullptr;
    }
    MemFree(record.children);
    record.children = nullptr;
    record.childCount = record.childCapacity = 0;
}

}

void DestroyFrames(HtmlCtx& ctx)
{
    freeChildren(ctx.rootFrame, 0);
    // Rows or columns and borders were the frameset's: a frameset read next sets its own.
    ctx.rootFrame.flags = 0;
}

}
