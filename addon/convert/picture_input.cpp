#include "addon/convert/picture_input.h"

#include "addon/base/print_error.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <string>
#include <unistd.h>

namespace ks::addon {

PictInput::~PictInput()
{
    if (file_ >= 0)
        ::close(file_);
    if (memory_)
        win::GlobalUnlock(memory_);
    std::free(block_);
}

bool PictInput::open(bool fromMemory, const char* fileName, win::HGLOBAL memory, std::int32_t length)
{
    if (fromMemory) {
        data_ = static_cast<const std::uint8_t*>(win::GlobalLock(memory));
        if (!data_)
            return PrintError(owner_, "Error locking the input buffer", kErrMemory);
        memory_ = memory;
        // A negative or overlong length must not carry reads past the block.
        std::size_t size = win::GlobalSize(memory);
        fill_ = length >= 0 && std::size_t(length) < size ? std::size_t(length) : size;
        size_ = fill_;
        return true;
    }
    std::string name = fileName ? fileName : "";
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    if (name.empty())
        return false;
    block_ = static_cast<std::uint8_t*>(std::malloc(kBlock));
    if (!block_)
        return PrintError(owner_, messages_.outOfMemory, kErrMemory);
    file_ = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (file_ < 0)
        return PrintError(owner_, messages_.openFailed, kErrPictureMissing);
    struct stat info;
    size_ = ::fstat(file_, &info) == 0 ? std::uint64_t(info.st_size) : 0;
    data_ = block_;
    return true;
}

bool PictInput::refill()
{
    if (file_ < 0) {
        endOfInput_ = true;
        return false;
    }
    ssize_t got;
    do {
        got = ::read(file_, block_, kBlock);
    } while (got < 0 && errno == EINTR);
    if (got < 0)
        return PrintError(owner_, "Error reading the HTML input file.", kErrFile);
    if (got == 0) {
        endOfInput_ = true;
        return false;
    }
    fill_ = std::size_t(got);
    position_ = 0;
    return true;
}

bool PictInput::readBytes(void* destination, std::size_t count)
{
    auto* out = static_cast<std::uint8_t*>(destination);
    while (count > 0) {
        if (pushed_ == 0 && position_ < fill_) {
            std::size_t take = std::min(count, fill_ - position_);
            if (out) {
                std::memcpy(out, data_ + position_, take);
                out += take;
            }
            position_ += take;
            bytePosition_ += std::int64_t(take);
            current_ = data_[position_ - 1];
            count -= take;
            continue;
        }
        std::uint8_t byte;
        if (!readByte(byte))
            return false;
        if (out)
            *out++ = byte;
        --count;
    }
    return true;
}

bool PictInput::unreadByte()
{
    if (pushed_ >= kPushBack)
        return PrintError(owner_, "Out of HTML character stack.", kErrMemory);
    pushBack_[pushed_++] = current_;
    --bytePosition_;
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

bool PictInput::moveTo(std::uint64_t offset)
{
    pushed_ = 0;
    endOfInput_ = false;
    if (file_ < 0) {
        // A memory picture: a position beyond its end simply reads nothing.
        position_ = offset < fill_ ? std::size_t(offset) : fill_;
        bytePosition_ = std::int64_t(offset < fill_ ? offset : fill_);
        return true;
    }
    if (offset > std::uint64_t(INT64_MAX) || ::lseek(file_, off_t(offset), SEEK_SET) < 0)
        return PrintError(owner_, messages_.positioning, kErrPictureFormat);
    fill_ = position_ = 0;
    bytePosition_ = std::int64_t(offset);
    return true;
}

bool PictInput::readAt(std::uint64_t offset, void* destination, std::size_t count)
{
    return moveTo(offset) && readBytes(destination, count);
}

bool PictInput::skip(std::uint64_t count)
{
    if (file_ < 0 || pushed_ > 0)
        return count <= SIZE_MAX && readBytes(nullptr, std::size_t(count));
    std::size_t buffered = fill_ - position_;
    if (count <= buffered) {
        position_ += std::size_t(count);
        bytePosition_ += std::int64_t(count);
        return true;
    }
    return moveTo(std::uint64_t(bytePosition_) + count);
}

}
