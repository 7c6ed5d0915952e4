#include "addon/convert/tif_reader.h"

#include "addon/base/print_error.h"
#include "addon/convert/picture_source.h"
#include "platform/pictures/tif_pixels.h"
#include "platform/pictures/tif_reader.h"

namespace ks::addon {

namespace {
using pictures::Fault;

const PictureTexts kTifTexts{
    "TIF file not found or file open error!",
    "Ran out of memory for HTML data (TifRead).",
    {{Fault::NotThisFormat, "Invalid TIFF format", kErrPictureFormat},
     {Fault::UnsupportedVersion, "Invalid TIFF version", kErrPictureFormat},
     {Fault::Broken, "Unexpected End of TIF File", 0, true},
     {Fault::UnsupportedDepth, "This TIFF image not supported (unsupported Bits per Pixel)", kErrPictureFormat},
     {Fault::UnsupportedColourModel, "This TIFF image not supported (ImageType>3)", kErrPictureFormat},
     {Fault::UnsupportedCompression, "This TIFF image not supported (compression)", kErrPictureFormat},
     {Fault::TooLarge, "Error allocating DIB memory(TifReadImageGroup)", kErrPictureFormat},
     {Fault::OutOfMemory, "Ran out of memory", kErrLzwMemory},
     {Fault::RunDataEnds, "Error extracting image(TifHufDecompress)", kErrPictureFormat},
     {Fault::RunCodeUnknown, "Error extracting image(TifHufDecompress a)", kErrPictureFormat}}};
}

win::HGLOBAL TifRead(HtmlCtx* ctx, bool fromMemory, const char* fileName, win::HGLOBAL memory,
                     std::int32_t length, win::HGLOBAL* outHandle)
{
    return readPicture(pictures::readTif, kTifTexts, ctx, fromMemory, fileName, memory, length, outHandle);
}

int TifData(pictures::LzwState* state) { return pictures::placeTifBytes(state); }

}
