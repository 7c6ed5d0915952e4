// The LZW decoder alone, built once per bit order (KS_LZW_MSB_FIRST: TIFF's,
// with 256 roots; else GIF's, the first byte picking the root size). The rest
// is fed in pieces whose lengths come from the data, so codes straddle the feeds.
// Each input is decoded twice, through the callback and into a sink whose size
// the last byte picks: the sink must hold what the callback got, up to its size.
#include "platform/pictures/lzw.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t kKept = 1 << 20;   // of the callback's output

struct Collected {
    std::vector<std::uint8_t> bytes;
    std::size_t total = 0;
};

int collect(ks::pictures::LzwState* s)
{
    auto* c = static_cast<Collected*>(s->owner);
    std::size_t take = std::min(s->outputLength, kKept - c->bytes.size());
    c->bytes.insert(c->bytes.end(), s->output, s->output + take);
    c->total += s->outputLength;
    return 1;
}

// Feeds the data after its first byte in pieces; false when the setup failed.
bool decode(ks::pictures::LzwState& s, const std::uint8_t* data, std::size_t size)
{
    if (!ks::pictures::LzwInit(&s))
        return false;
    for (std::size_t at = 1; at < size;) {
        std::size_t piece = 1 + data[at] % 64;
        piece = piece < size - at ? piece : size - at;
        ks::pictures::LzwDecode(&s, data + at, piece);
        at += piece;
    }
    return true;
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ks::pictures;
    if (size < 2 || size > (1 << 20))
        return 0;
#ifdef KS_LZW_MSB_FIRST
    const int rootBits = 8;
    const auto order = kLzwMsbFirst;
#else
    const int rootBits = 2 + data[0] % 7;
    const auto order = kLzwLsbFirst;
#endif
    Collected collected;
    LzwState viaCallback;
    LzwSetup(&viaCallback, rootBits, order, &collected, collect);
    if (!decode(viaCallback, data, size))
        return 0;

    std::vector<std::uint8_t> sink((std::size_t(data[size - 1]) << 10) + 1);
    LzwState intoSink;
    LzwSetup(&intoSink, rootBits, order, nullptr, nullptr);
    intoSink.sink = sink.data();
    intoSink.sinkSize = sink.size() - 1;
    if (!decode(intoSink, data, size))
        __builtin_trap();
    std::size_t shared = std::min(intoSink.sinkUsed, collected.bytes.size());
    if (intoSink.sinkUsed != std::min(intoSink.sinkSize, collected.total) ||
        (shared > 0 && std::memcmp(sink.data(), collected.bytes.data(), shared) != 0) ||
        intoSink.broken != viaCallback.broken || intoSink.endSeen != viaCallback.endSeen)
        __builtin_trap();
    LzwFree(&viaCallback);
    LzwFree(&intoSink);
    return 0;
}
