#pragma once
// The JPEG format's markers: the byte after 0xFF that names a segment.
#include <cstdint>

namespace ks::pictures::jpg {

inline constexpr std::uint8_t kMarkerPrefix = 0xFF;
inline constexpr std::uint8_t kStuffedZero = 0x00;   // 0xFF 0x00 in entropy-coded data: a data byte 0xFF

enum Marker : std::uint8_t {
    kTem = 0x01,               // temporary, no segment
    kBaselineFrame = 0xC0,     // SOF0, the one frame type read
    kHuffmanTables = 0xC4,     // DHT
    kJpgExtension = 0xC8,      // reserved, not a frame
    kArithmeticTables = 0xCC,  // DAC, not a frame
    kLastFrame = 0xCF,         // SOF15; frames lie from SOF0 up to it, less the three above
    kRestart0 = 0xD0,          // RST0 ... RST7, no segment
    kRestart7 = 0xD7,
    kStartOfImage = 0xD8,
    kEndOfImage = 0xD9,
    kStartOfScan = 0xDA,
    kQuantisationTables = 0xDB,
    kRestartInterval = 0xDD,
};

// Quirk: any number of fill bytes (more 0xFF) may come before a marker, as the format allows.
inline bool isFillByte(std::uint8_t byte) { return byte == kMarkerPrefix; }

inline bool isRestart(std::uint8_t marker) { return marker >= kRestart0 && marker <= kRestart7; }

// A frame header other than baseline's: progressive, extended, lossless, arithmetic.
inline bool isOtherFrame(std::uint8_t marker)
{
    return marker > kBaselineFrame && marker <= kLastFrame && marker != kHuffmanTables && marker != kJpgExtension &&
           marker != kArithmeticTables;
}

}
