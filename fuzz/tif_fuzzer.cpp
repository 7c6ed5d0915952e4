#include "fuzz/fuzz_support.h"
#include "platform/pictures/tif_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return ks::fuzz::decode(ks::pictures::readTif, data, size);
}
