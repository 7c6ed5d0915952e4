#include "addon/convert/gif_reader.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ks;
    if (size > fuzz::kMaxInput)
        return 0;
    win::HGLOBAL block = fuzz::blockOf(data, size);
    // Large animations are legal but slow: only small screens get a frame table.
    bool small = size >= 10 && unsigned(data[6] | data[7] << 8) * unsigned(data[8] | data[9] << 8) <= (1u << 18);
    auto* frames = new addon::GifFrameTable;
    addon::HtmlCtx ctx;
    win::HGLOBAL out;
    win::GlobalFree(addon::GifRead(&ctx, true, nullptr, block, std::int32_t(size), &out, small ? frames : nullptr));
    for (int i = 0; i < frames->frameCount; ++i)
        win::GlobalFree(frames->frames[i]);
    delete frames;
    win::GlobalFree(block);
    return 0;
}
