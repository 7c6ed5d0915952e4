#pragma once
// PackBits, the byte-oriented run-length code of TIFF strips, unpacked in
// pieces (a TIFF reader's rows) straight where the bytes belong.
#include <cstddef>
#include <cstdint>

namespace ks::pictures {

class PackBitsReader {
public:
    // The data is never read past length.
    PackBitsReader(const std::uint8_t* data, std::size_t length) : data_(data), length_(length) {}

    // Unpacks up to room bytes into out; fewer only when the data ends. A run
    // or literal that room cuts short goes on at the next call; one that the
    // data cuts short is kept as far as it goes.
    std::size_t read(std::uint8_t* out, std::size_t room);

private:
    // Writes what fits of the run or literal in hand at out + done.
    void emitPending(std::uint8_t* out, std::size_t room, std::size_t& done);

    const std::uint8_t* data_;
    std::size_t length_;
    std::size_t at_ = 0;
    std::size_t pending_ = 0;   // bytes of the run or literal in hand
    bool literal_ = false;      // its bytes follow at at_; else it repeats value_
    std::uint8_t value_ = 0;
};

// The fast path with 64-byte blocks, for processors with 512-bit vectors.
std::size_t packBitsUnpackWide(const std::uint8_t* data, std::size_t length, std::size_t& at, std::uint8_t* out,
                               std::size_t room);

}
