#pragma once
// The TIFF format's byte-order marks, tags, field types and the values of the
// tags the reader takes.
#include <cstddef>
#include <cstdint>

namespace ks::pictures::tif {

inline constexpr char kIntelOrder = 'I';      // "II": least significant byte first
inline constexpr char kMotorolaOrder = 'M';   // "MM": most significant byte first
inline constexpr std::uint16_t kVersion = 42;
inline constexpr std::size_t kHeaderSize = 8;
inline constexpr std::size_t kEntrySize = 12;
inline constexpr int kLzwRootBits = 8;   // LZW strips code bytes

enum Tag : std::uint16_t {
    kImageWidth = 256,
    kImageLength = 257,
    kBitsPerSample = 258,
    kCompression = 259,
    kPhotometric = 262,
    kStripOffsets = 273,
    kSamplesPerPixel = 277,
    kRowsPerStrip = 278,
    kStripByteCounts = 279,
    kColorMap = 320,
};

enum FieldType : std::uint16_t {
    kByte = 1, kAscii = 2, kShort = 3, kLong = 4, kRational = 5, kSignedByte = 6, kUndefined = 7,
    kSignedShort = 8, kSignedLong = 9, kSignedRational = 10, kFloat = 11, kDouble = 12,
};

enum Compression : std::uint16_t {
    kUncompressed = 1,
    kCcittModifiedHuffman = 2,   // one-dimensional, one bit per pixel only
    kLzw = 5,
    kPackBits = 32773,
};

enum Photometric : std::uint16_t {
    kWhiteIsZero = 0,
    kBlackIsZero = 1,
    kRgb = 2,
    kPalette = 3,
};

}
