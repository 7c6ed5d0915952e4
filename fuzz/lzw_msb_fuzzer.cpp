// The LZW decoder alone: the first byte picks the root size, the rest is fed
// in pieces whose lengths come from the data, so codes straddle the feeds.
#include "addon/convert/lzw.h"

#include <cstddef>
#include <cstdint>

static int sink(ks::addon::LzwState* s)
{
    volatile std::uint8_t last = s->output[s->outputLength - 1];
    (void)last;
    return 1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ks::addon;
    if (size < 2 || size > (1 << 20))
        return 0;
    int rootBits = 8;   // TIFF: 256 roots
    LzwState s;
    LzwSetup(&s, rootBits, kLzwMsbFirst, nullptr, sink);
    if (!LzwInit(&s))
        return 0;
    for (std::size_t at = 1; at < size;) {
        std::size_t piece = 1 + data[at] % 64;
        piece = piece < size - at ? piece : size - at;
        LzwDecode(&s, data + at, piece);
        at += piece;
    }
    LzwFree(&s);
    return 0;
}
