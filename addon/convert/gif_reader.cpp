#include "addon/convert/gif_reader.h"

#include "addon/base/print_error.h"
#include "addon/convert/picture_source.h"

namespace ks::addon {

namespace {
using pictures::Fault;

const PictureTexts kGifTexts{
    "GIF file not found or file open error!",
    "Ran out of memory for HTML data (GifRead).",
    {{Fault::TooLarge, "Error allocating DIB memory(GifReadImageGroup)", kErrGifMemory},
     {Fault::OutOfMemory, "Ran out of memory", kErrLzwMemory},
     {Fault::Broken, "GIF File Read aborted", 0, true}}};
}

win::HGLOBAL GifRead(HtmlCtx* ctx, bool fromMemory, const char* fileName, win::HGLOBAL memory,
                     std::int32_t length, win::HGLOBAL* outHandle, GifFrameTable* frames)
{
    if (outHandle)
        *outHandle = nullptr;
    if (frames)
        *frames = GifFrameTable{};
    PictureSource source;
    if (!source.open(ctx, kGifTexts, fromMemory, fileName, memory, length))
        return nullptr;
    pictures::GifPicture gif =
        pictures::readGif(source.bytes(), {ctx ? ctx->docBkColor : 0, frames != nullptr});
    reportProblems(ctx, kGifTexts, gif.problems);
    win::HGLOBAL first = pictureBlock(std::move(gif.first));
    if (frames) {
        frames->loopCount = gif.loopCount;
        frames->firstDelay = gif.firstDelay;
        for (pictures::GifFrame& frame : gif.frames) {
            win::HGLOBAL block = pictureBlock(std::move(frame.picture));
            if (!block)
                continue;
            frames->frames[frames->frameCount] = block;
            frames->delays[frames->frameCount++] = frame.delay;
        }
    }
    if (outHandle)
        *outHandle = first;
    return first;
}

int GifData(pictures::LzwState* state) { return pictures::placeGifIndices(state); }

}
