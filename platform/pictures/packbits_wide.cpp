// Built with 512-bit vectors enabled; called only where the processor has them.
#include "platform/pictures/packbits.h"
#include "platform/pictures/packbits_blocks.h"

namespace ks::pictures {

std::size_t packBitsUnpackWide(const std::uint8_t* data, std::size_t length, std::size_t& at, std::uint8_t* out,
                               std::size_t room)
{
    return packbits_blocks::unpackWhole<64>(data, length, at, out, room);
}

}
