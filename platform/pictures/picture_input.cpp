#include "platform/pictures/picture_input.h"

#include <algorithm>
#include <cstring>

namespace ks::pictures {

bool PictInput::readBytes(void* destination, std::size_t count)
{
    if (count > size_ - position_) {
        position_ = size_;
        return false;
    }
    if (destination && count > 0)
        std::memcpy(destination, data_ + position_, count);
    position_ += count;
    return true;
}

bool PictInput::readWordMsbFirst(std::uint16_t& word)
{
    std::uint8_t high, low;
    if (!readByte(high) || !readByte(low))
        return false;
    word = std::uint16_t(high << 8 | low);
    return true;
}

bool PictInput::readAt(std::uint64_t offset, void* destination, std::size_t count)
{
    position_ = std::size_t(std::min<std::uint64_t>(offset, size_));
    return readBytes(destination, count);
}

std::span<const std::uint8_t> PictInput::at(std::uint64_t offset, std::uint64_t count) const
{
    std::size_t from = std::size_t(std::min<std::uint64_t>(offset, size_));
    return {data_ + from, std::size_t(std::min<std::uint64_t>(count, size_ - from))};
}

bool PictInput::report(Fault fault)
{
    problems_.push_back({fault, bytePosition()});
    return false;
}

}
