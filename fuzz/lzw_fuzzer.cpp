// The LZW decoder alone, built once per bit order (KS_LZW_MSB_FIRST: TIFF's,
// with 256 roots; else GIF's, the first byte picking the root size). The rest
// is fed in pieces whose lengths come from the data, so codes straddle the feeds.
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
#ifdef KS_LZW_MSB_FIRST
    const int rootBits = 8;
    const auto order = kLzwMsbFirst;
#else
    const int rootBits = 2 + data[0] % 7;
    const auto order = kLzwLsbFirst;
#endif
    LzwState s;
    LzwSetup(&s, rootBits, order, nullptr, sink);
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
