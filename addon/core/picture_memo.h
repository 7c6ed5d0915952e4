#pragma once
// The pictures one read has loaded, by resolved file name: a page that names a file
// again gets a picture sharing the bytes already decoded, and a file that failed once
// is not decoded (nor reported) again.
#include "addon/base/html_ctx.h"

#include <string>
#include <unordered_map>

namespace ks::addon {

struct PictureMemo {
    std::unordered_map<std::string, int> loaded;   // the first picture's id; 0: it failed
};

// Gives ctx a memo for the life of this object (one read); the previous one after.
class PictureMemoScope {
public:
    explicit PictureMemoScope(HtmlCtx& ctx) : ctx_(ctx), previous_(ctx.pictureMemo) { ctx.pictureMemo = &memo_; }
    ~PictureMemoScope() { ctx_.pictureMemo = previous_; }
    PictureMemoScope(const PictureMemoScope&) = delete;
    PictureMemoScope& operator=(const PictureMemoScope&) = delete;

private:
    HtmlCtx& ctx_;
    PictureMemo* previous_;
    PictureMemo memo_;
};

}
