#pragma once
// The bytes a picture decoder reads, with its place in them and the problems it
// met on the way. Reads never go past the end; a read that would fails.
#include "platform/pictures/picture_problems.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace ks::pictures {

class PictInput {
public:
    explicit PictInput(std::span<const std::uint8_t> bytes) : data_(bytes.data()), size_(bytes.size()) {}
    PictInput(const PictInput&) = delete;
    PictInput& operator=(const PictInput&) = delete;

    bool readByte(std::uint8_t& byte)
    {
        if (position_ >= size_)
            return false;
        byte = data_[position_++];
        return true;
    }
    // The bytes past the read position, for readers that take many at once;
    // consume(n) moves past n of them.
    const std::uint8_t* buffered(std::size_t& count) const
    {
        count = size_ - position_;
        return data_ + position_;
    }
    void consume(std::size_t count) { position_ += count; }
    // Stores count bytes at destination, or skips them when it is null; false
    // (and nothing read) when fewer are left.
    bool readBytes(void* destination, std::size_t count);
    bool readWordMsbFirst(std::uint16_t& word);
    // Moves to offset from the start (at most the end), then reads count bytes.
    bool readAt(std::uint64_t offset, void* destination, std::size_t count);
    bool skip(std::uint64_t count) { return count <= size_ - position_ && readBytes(nullptr, std::size_t(count)); }
    // The bytes at offset, cut to those there are (none past the end).
    std::span<const std::uint8_t> at(std::uint64_t offset, std::uint64_t count) const;

    std::int64_t bytePosition() const { return std::int64_t(position_); }
    // The whole input's length in bytes, to bound what a header claims.
    std::uint64_t size() const { return size_; }

    // Notes a problem met here; false, for the reader to return.
    bool report(Fault fault);
    const Problems& problems() const { return problems_; }
    Problems takeProblems() { return std::move(problems_); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
    Problems problems_;
};

}
