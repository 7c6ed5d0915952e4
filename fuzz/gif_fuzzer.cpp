#include "fuzz/fuzz_support.h"
#include "platform/pictures/gif_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ks;
    if (size > fuzz::kMaxInput)
        return 0;
    // Large animations are legal but slow: only small screens have their frames read.
    bool small = size >= 10 && unsigned(data[6] | data[7] << 8) * unsigned(data[8] | data[9] << 8) <= (1u << 18);
    pictures::readGif({data, size}, {0x00336699, small, fuzz::kMaxPictureBytes});
    return 0;
}
