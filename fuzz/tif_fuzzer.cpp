#include "addon/convert/tif_reader.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return ks::fuzz::readFromMemory(ks::addon::TifRead, data, size);
}
