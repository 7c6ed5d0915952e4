// The metafile reader takes a file name: each input is written to a file first.
#include "addon/convert/wmf_reader.h"
#include "fuzz/fuzz_support.h"

#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ks;
    if (size > fuzz::kMaxInput)
        return 0;
    static const std::string path = "/tmp/ks_wmf_fuzz_" + std::to_string(::getpid()) + ".wmf";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    addon::HtmlCtx ctx;
    addon::ReadWmfFile(&ctx, path.c_str(), 0, [](void*, int, win::HGLOBAL block, int) {
        return win::GlobalSize(block) > 0 ? 1 : 0;
    });
    return 0;
}
