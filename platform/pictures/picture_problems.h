#pragma once
// What a decoder met that stopped it, or that it read past: each named by what
// happened in the data. The decoders say what; their callers choose the words.
#include <cstdint>
#include <vector>

namespace ks::pictures {

enum class Fault : std::uint8_t {
    NoHeader,                 // the data ends before the format's header, or starts without one
    NotThisFormat,            // a signature or byte-order mark that the format does not have
    Broken,                   // the data ends, or a block breaks, before the picture is whole
    NoPicture,                // a sound file that holds no picture
    UnsupportedVersion,       // TIFF's version word is not 42
    UnsupportedDepth,         // TIFF bits or samples per pixel that the reader does not take
    UnsupportedColourModel,   // TIFF photometric interpretations other than grey, palette and RGB
    UnsupportedCompression,   // TIFF compression schemes other than none, CCITT 1D, LZW and PackBits
    ColourMapMissing,         // a TIFF palette that lies beyond the data
    Malformed,                // a JPEG segment that contradicts the format, or a frame that is not baseline
    TooLarge,                 // the picture's size is refused, or memory for it runs out
    OutOfMemory,              // the LZW tables could not be allocated
    RunDataEnds,              // a CCITT row whose data ends before its width
    RunCodeUnknown,           // CCITT bits that start no code, or a run past the row's end
    RestartMissing,           // no JPEG restart marker where the interval puts one
    RestartMisplaced,         // a JPEG restart marker before the interval is over
    TooManyHuffmanTables,     // more JPEG Huffman tables than a baseline file may define
    HuffmanCodeUnknown,       // JPEG entropy-coded bits that no table holds
};

struct Problem {
    Fault fault;
    std::int64_t position;   // bytes read when it was met
};

// In the order met; a picture may come with some (a TIFF strip whose codes broke).
using Problems = std::vector<Problem>;

}
