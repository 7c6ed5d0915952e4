#include "addon/convert/wmf_reader.h"

#include "addon/base/print_error.h"
#include "platform/files/files.h"
#include "platform/pictures/wmf_reader.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace ks::addon {

int ReadWmfFile(HtmlCtx* ctx, const char* fileName, int alignment, const InsertPictureHandle& insert)
{
    std::string bytes;
    if (files::Outcome read = files::readFile(fileName ? fileName : "", bytes); !read)
        return read.error == EIO ? PrintError(ctx, "Error reading WMF file!", kErrMetafile) : 0;
    pictures::Metafile wmf =
        pictures::readWmf({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    if (wmf.records.empty()) {
        bool cut = wmf.problems.front().fault == pictures::Fault::NoHeader;
        return PrintError(ctx, cut ? "Not a valid WMF file!" : "Not a valid WMF file(b)!", kErrMetafile);
    }
    // One spare byte beyond the metafile, as every block of the add-on has.
    win::HGLOBAL block = win::GlobalAlloc(win::GMEM_MOVEABLE, wmf.records.size() + 1);
    void* to = win::GlobalLock(block);
    if (!to) {
        win::GlobalFree(block);
        return PrintError(ctx, "Not a valid WMF file(a)!", kErrMetafile);
    }
    std::memcpy(to, wmf.records.data(), wmf.records.size());
    win::GlobalUnlock(block);
    int result = insert ? insert(ctx ? ctx->editorWindow : nullptr, kPictureFormatMetafile, block, alignment) : 0;
    win::GlobalFree(block);
    return result;
}

}
