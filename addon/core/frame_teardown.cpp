#include "addon/core/frame_teardown.h"

#include "addon/base/allocators.h"
#include "platform/editor/vek32.h"

namespace ks::addon {
namespace {

void freeChildren(FrameRecord& record, int depth)
{
    for (int i = 0; i < record.childCount && record.children && depth < 16; ++i) {
        FrameRecord& child = record.children[i];
        freeChildren(child, depth + 1);
        if (!child.frameset && child.window)
            EditorDestroyWindow(child.window);
        MemFree(child.name);
        MemFree(child.source);
        MemFree(child.target);
    }
    MemFree(record.children);
    record.children = nullptr;
    record.childCount = record.childCapacity = 0;
}

}

void DestroyFrames(HtmlCtx& ctx) { freeChildren(ctx.rootFrame, 0); }

}
