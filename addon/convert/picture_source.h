#pragma once
// What the add-on's picture readers share around the decoders of platform/pictures:
// the bytes to decode (a movable block, or a named file read whole), the decoded
// picture handed over as a movable block, and the problems met shown as the
// reader's messages.
#include "addon/base/html_ctx.h"
#include "platform/pictures/decoded.h"
#include "platform/pictures/picture_problems.h"
#include "platform/win/global_memory.h"

#include <cstdint>
#include <vector>
#include <span>
#include <string>

namespace ks::addon {

// How a reader words one fault: a box captioned "Error" with the code kept in
// the context, or (aborts) a plain box and the byte position traced.
struct ProblemText {
    pictures::Fault fault;
    const char* text;
    int code = 0;
    bool aborts = false;
};

struct PictureTexts {
    const char* openFailed;    // "GIF file not found or file open error!" and the like
    const char* outOfMemory;   // "Ran out of memory for HTML data (GifRead)." and the like
    std::vector<ProblemText> problems;   // faults not listed pass silently
};

class PictureSource {
public:
    PictureSource() = default;
    PictureSource(const PictureSource&) = delete;
    PictureSource& operator=(const PictureSource&) = delete;
    ~PictureSource();

    // A memory block (locked here, read no further than its size) or a named
    // file. Reports its failures; false then.
    bool open(HtmlCtx* ctx, const PictureTexts& texts, bool fromMemory, const char* fileName,
              win::HGLOBAL memory, std::int32_t length);
    std::span<const std::uint8_t> bytes() const { return bytes_; }

private:
    win::HGLOBAL memory_ = nullptr;
    std::string file_;
    std::span<const std::uint8_t> bytes_;
};

// Shows each problem as the reader words it.
void reportProblems(HtmlCtx* ctx, const PictureTexts& texts, const pictures::Problems& problems);

// The picture as a movable block (its bytes are taken over, not copied); null for none.
win::HGLOBAL pictureBlock(pictures::PackedDib&& picture);

// A reader of one picture: opens the source, decodes it, reports the problems and hands
// the picture back (also in *outHandle), or 0.
using PictureDecoder = pictures::Decoded (*)(std::span<const std::uint8_t> bytes, std::uint64_t maxBytes);
win::HGLOBAL readPicture(PictureDecoder decode, const PictureTexts& texts, HtmlCtx* ctx, bool fromMemory,
                         const char* fileName, win::HGLOBAL memory, std::int32_t length, win::HGLOBAL* outHandle);

}
