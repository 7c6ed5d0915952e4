// Built with 512-bit vectors enabled; called only where the processor has them.
#include "addon/convert/packbits.h"
#include "addon/convert/packbits_blocks.h"

namespace ks::addon {

std::size_t packBitsUnpackWide(const std::uint8_t* data, std::size_t length, std::size_t& at, std::uint8_t* out,
                               std::size_t room)
{
    return packbits_blocks::unpackWhole<64>(data, length, at, out, room);
}

}
