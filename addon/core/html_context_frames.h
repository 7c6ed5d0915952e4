#pragma once
// The frame-tree walk of html_context.h.
#include "addon/core/html_context.h"

namespace ks::addon {

// Frames nest at most this deep; deeper records (a corrupt tree) are not visited.
inline constexpr int kMaxFrameDepth = 16;

template <class Visit>
bool visitFramesAt(const FrameRecord& record, Visit& visit, int depth)
{
    if (depth > kMaxFrameDepth)
        return false;
    for (int i = 0; i < record.childCount && record.children; ++i) {
        const FrameRecord& child = record.children[i];
        if (child.frameset) {
            if (visitFramesAt(child, visit, depth + 1))
                return true;
            continue;
        }
        if (!child.window)
            continue;
        HtmlCtx* own = GetHtmlCtx(child.window);
        if (own && own->rootFrame.childCount > 0) {
            if (visitFramesAt(own->rootFrame, visit, depth + 1))
                return true;
            continue;
        }
        if (visit(child.window))
            return true;
    }
    return false;
}

template <class Visit>
bool visitFrames(const FrameRecord& record, Visit&& visit)
{
    return visitFramesAt(record, visit, 0);
}

}
