#pragma once
// The byte input that the picture readers share: a file read in blocks, or a
// picture held in a movable memory block, with a push-back stack and a count
// of the bytes consumed (printed after an abort).
#include "addon/base/html_ctx.h"
#include "platform/win/global_memory.h"

#include <cstddef>
#include <cstdint>

namespace ks::addon {

// Which reader is reading: picks the texts of its messages.
struct PictMessages {
    const char* openFailed;   // "GIF file not found or file open error!" and the like
    const char* outOfMemory;  // "Ran out of memory for HTML data (GifRead)." and the like
    const char* positioning;  // the reader's seek failure, code 10
};

class PictInput {
public:
    PictInput(HtmlCtx* owner, const PictMessages& messages) : owner_(owner), messages_(messages) {}
    ~PictInput();
    PictInput(const PictInput&) = delete;
    PictInput& operator=(const PictInput&) = delete;

    // The readers' common opening: a memory block (locked here, read no further
    // than its size) or a named file. Reports its failures; false then.
    bool open(bool fromMemory, const char* fileName, win::HGLOBAL memory, std::int32_t length);

    bool readByte(std::uint8_t& byte)
    {
        if (pushed_ > 0) {
            byte = pushBack_[--pushed_];
        } else if (position_ < fill_) {
            byte = data_[position_++];
        } else if (!refill()) {
            return false;
        } else {
            byte = data_[position_++];
        }
        current_ = byte;
        ++bytePosition_;
        return true;
    }
    // The bytes buffered past the read position, for readers that take many
    // at once (none while bytes are pushed back); consume(n) moves past n.
    const std::uint8_t* buffered(std::size_t& count) const
    {
        count = pushed_ == 0 ? fill_ - position_ : 0;
        return data_ + position_;
    }
    void consume(std::size_t count)
    {
        position_ += count;
        bytePosition_ += std::int64_t(count);
        current_ = data_[position_ - 1];
    }
    // Stores count bytes at destination, or skips them when it is null.
    bool readBytes(void* destination, std::size_t count);
    // Pushes the last byte read back; the stack holds 300 bytes.
    bool unreadByte();
    bool readWordMsbFirst(std::uint16_t& word);
    // Moves to offset from the start, then reads count bytes.
    bool readAt(std::uint64_t offset, void* destination, std::size_t count);
    bool skip(std::uint64_t count);
    // For a picture in memory: its count bytes at offset, when all are there.
    const std::uint8_t* view(std::uint64_t offset, std::uint64_t count) const
    {
        return file_ < 0 && offset <= fill_ && count <= fill_ - offset ? data_ + offset : nullptr;
    }

    std::uint8_t currentByte() const { return current_; }
    std::int64_t bytePosition() const { return bytePosition_; }
    bool atEnd() const { return endOfInput_; }
    HtmlCtx* owner() const { return owner_; }
    // The whole input's length in bytes, to bound what a header claims.
    std::uint64_t size() const { return size_; }

private:
    static constexpr std::size_t kBlock = 64 * 1024;
    static constexpr std::size_t kPushBack = 300;

    bool refill();
    bool moveTo(std::uint64_t offset);

    HtmlCtx* owner_;
    PictMessages messages_;
    int file_ = -1;
    win::HGLOBAL memory_ = nullptr;
    const std::uint8_t* data_ = nullptr;   // the block buffer or the memory picture
    std::size_t fill_ = 0;
    std::size_t position_ = 0;
    std::uint8_t* block_ = nullptr;
    std::uint8_t pushBack_[kPushBack];
    std::size_t pushed_ = 0;
    std::uint8_t current_ = 0;
    bool endOfInput_ = false;
    std::int64_t bytePosition_ = 0;
    std::uint64_t size_ = 0;
};

}
