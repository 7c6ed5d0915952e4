#include "addon/convert/jpg_reader.h"

#include "addon/base/print_error.h"
#include "addon/convert/picture_source.h"
#include "platform/pictures/jpg_reader.h"

namespace ks::addon {

namespace {
using pictures::Fault;

const PictureTexts kJpgTexts{
    "JPG file not found or file open error!",
    "Ran out of memory for HTML data (JpgRead).",
    {{Fault::NotThisFormat, "Invalid JPEG file", kErrPictureFormat},
     {Fault::Malformed, "Invalid JPEG file", kErrPictureFormat},
     {Fault::TooLarge, "Error allocating DIB memory(JpgReadImageGroup)", kErrPictureFormat},
     {Fault::RestartMissing, "Restart marker missing(JpgReadImage a)", kErrJpegDecoding},
     {Fault::RestartMisplaced, "Misplaced restart marker found!", kErrJpegDecoding},
     {Fault::TooManyHuffmanTables, "Too many Huffman tables in the JPEG image", kErrJpegDecoding},
     {Fault::HuffmanCodeUnknown, "Huffman symbol not found in JPEG read", kErrJpegDecoding}}};
}

win::HGLOBAL JpgRead(HtmlCtx* ctx, bool fromMemory, const char* fileName, win::HGLOBAL memory,
                     std::int32_t length, win::HGLOBAL* outHandle)
{
    return readPicture(pictures::readJpg, kJpgTexts, ctx, fromMemory, fileName, memory, length, outHandle);
}

}
