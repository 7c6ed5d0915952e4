#include "addon/convert/picture_source.h"

#include "addon/base/message_sink.h"
#include "addon/base/print_error.h"
#include "platform/files/files.h"

#include <cerrno>
#include <cstdlib>

namespace ks::addon {

PictureSource::~PictureSource()
{
    if (memory_)
        win::GlobalUnlock(memory_);
}

bool PictureSource::open(HtmlCtx* ctx, const PictureTexts& texts, bool fromMemory, const char* fileName,
                         win::HGLOBAL memory, std::int32_t length)
{
    if (fromMemory) {
        auto* data = static_cast<const std::uint8_t*>(win::GlobalLock(memory));
        if (!data)
            return PrintError(ctx, "Error locking the input buffer", kErrMemory);
        memory_ = memory;
        // A negative or overlong length must not carry reads past the block.
        std::size_t size = win::GlobalSize(memory);
        bytes_ = {data, length >= 0 && std::size_t(length) < size ? std::size_t(length) : size};
        return true;
    }
    std::string name = fileName ? fileName : "";
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    if (name.empty())
        return false;
    if (files::Outcome read = files::readFile(name, file_); !read)
        return read.error == ENOMEM ? PrintError(ctx, texts.outOfMemory, kErrMemory)
                                    : PrintError(ctx, texts.openFailed, kErrPictureMissing);
    bytes_ = {reinterpret_cast<const std::uint8_t*>(file_.data()), file_.size()};
    return true;
}

void reportProblems(HtmlCtx* ctx, const PictureTexts& texts, const pictures::Problems& problems)
{
    for (const pictures::Problem& problem : problems)
        for (const ProblemText& text : texts.problems) {
            if (text.fault != problem.fault)
                continue;
            if (text.aborts) {
                showMessage(ctx ? ctx->editorWindow : nullptr, text.text, "");
                DebugMsg("pos: %ld", long(problem.position));
            } else {
                PrintError(ctx, text.text, text.code);
            }
        }
}

win::HGLOBAL pictureBlock(pictures::PackedDib&& picture)
{
    std::size_t size = picture.bytes().size();
    std::uint8_t* bytes = picture.release();
    if (!bytes)
        return nullptr;
    win::HGLOBAL block = win::GlobalAdopt(bytes, size);
    if (!block)
        std::free(bytes);
    return block;
}

win::HGLOBAL readPicture(PictureDecoder decode, const PictureTexts& texts, HtmlCtx* ctx, bool fromMemory,
                         const char* fileName, win::HGLOBAL memory, std::int32_t length, win::HGLOBAL* outHandle)
{
    if (outHandle)
        *outHandle = nullptr;
    PictureSource source;
    if (!source.open(ctx, texts, fromMemory, fileName, memory, length))
        return nullptr;
    pictures::Decoded decoded = decode(source.bytes(), pictures::kMaxDibBytes);
    reportProblems(ctx, texts, decoded.problems);
    win::HGLOBAL dib = pictureBlock(std::move(decoded.picture));
    if (outHandle)
        *outHandle = dib;
    return dib;
}

}
