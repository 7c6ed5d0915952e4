#pragma once
// The streaming LZW decoder that GIF (least significant bit first) and TIFF
// (most significant bit first, with the early width change) share. Data is fed
// in pieces; each decoded string goes to the output callback in order.
#include <cstddef>
#include <cstdint>

namespace ks::pictures {

struct LzwState;
// Receives the string in state.output / state.outputLength; the result is ignored.
using LzwOutputCallback = int (*)(LzwState* state);

inline constexpr int kLzwLsbFirst = 2;   // GIF
inline constexpr int kLzwMsbFirst = 4;   // TIFF
inline constexpr int kLzwMaxWidth = 12;

struct LzwTables;

struct LzwState {
    // Filled by the caller before LzwInit.
    std::int32_t highestRoot = 0;
    std::int32_t clearCode = 0;
    std::int32_t endCode = 0;
    std::int32_t firstFree = 0;
    std::int32_t initialWidth = 0;
    std::int32_t maxWidth = kLzwMaxWidth;
    std::int32_t chunkSize = 0;   // kept for the readers; any length may be fed
    void* owner = nullptr;
    LzwOutputCallback callback = nullptr;
    std::int32_t bitOrder = kLzwLsbFirst;
    std::int32_t pixelsInByte = 0;   // for the TIFF pixel writer, unused here

    // Where the strings go instead of the callback, when set before LzwInit
    // (or LzwRestart) and kept: at most sinkSize bytes; the rest of the output
    // is dropped, though the codes are still checked.
    std::uint8_t* sink = nullptr;
    std::size_t sinkSize = 0;
    std::size_t sinkUsed = 0;

    // The string being handed to the callback.
    const std::uint8_t* output = nullptr;
    std::size_t outputLength = 0;

    // Decoder state.
    std::int32_t width = 0;
    std::int32_t nextFree = 0;
    std::int32_t previous = -1;
    std::uint32_t previousLength = 0;   // of the string written last into the sink
    std::uint64_t bits = 0;   // bit buffer: codes straddling two feeds wait here
    std::int32_t bitCount = 0;
    bool endSeen = false;
    bool firstPending = true;
    bool broken = false;   // a code that the table cannot hold was met
    LzwTables* tables = nullptr;
};

// Fills the caller's fields for roots of rootBits bits (GIF's minimum code size;
// 8 for TIFF): clear and end codes right after the roots, 12-bit codes at most.
void LzwSetup(LzwState* state, int rootBits, int bitOrder, void* owner, LzwOutputCallback callback);

// 1, or 0 when the tables cannot be allocated or the caller's fields describe no
// valid code space.
int LzwInit(LzwState* state);
// 1; 0 once a code above the next free code (or a non-root first code) was
// met: the rest of the data is then ignored. Ignores data after the end code.
int LzwDecode(LzwState* state, const std::uint8_t* data, std::size_t length);
// Starts a new stream with the tables of an initialised state (a TIFF reader's
// next strip), with the sink fields as they are now.
void LzwRestart(LzwState* state);
int LzwFree(LzwState* state);

}
