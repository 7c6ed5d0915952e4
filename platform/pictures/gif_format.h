#pragma once
// The GIF format's block introducers, extension labels and packed-field bits.
#include <cstdint>

namespace ks::pictures::gif {

inline constexpr std::uint8_t kExtensionIntroducer = 0x21;
inline constexpr std::uint8_t kImageSeparator = 0x2C;

inline constexpr std::uint8_t kPlainTextLabel = 0x01;
inline constexpr std::uint8_t kGraphicControlLabel = 0xF9;
inline constexpr std::uint8_t kCommentLabel = 0xFE;
inline constexpr std::uint8_t kApplicationLabel = 0xFF;

// Bits of the screen and image descriptors' packed byte.
inline constexpr std::uint8_t kColourTableFlag = 0x80;
inline constexpr std::uint8_t kInterlaceFlag = 0x40;   // image descriptor only
inline constexpr std::uint8_t kTransparencyFlag = 0x01;   // graphic control's packed byte

// The application block that carries the loop count, and the size of both.
inline constexpr char kLoopingApplication[] = "netscape";
inline constexpr std::uint8_t kApplicationIdSize = 11;
inline constexpr std::uint8_t kLoopSubBlockSize = 3;
inline constexpr std::int32_t kLoopForever = -2;   // a loop count of zero in the file

// The LZW minimum code sizes the format allows.
inline constexpr std::uint8_t kMinCodeSize = 2;
inline constexpr std::uint8_t kMaxCodeSize = 8;

}
