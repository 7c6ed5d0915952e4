#include "addon/convert/wmf_reader.h"

#include "addon/base/print_error.h"

#include <fcntl.h>
#include <unistd.h>

namespace ks::addon {

namespace {
constexpr off_t kPlaceableHeader = 22;
constexpr off_t kMetaHeader = 18;

struct FileCloser {
    int fd;
    ~FileCloser() { ::close(fd); }
};

bool readAll(int fd, unsigned char* to, std::size_t count)
{
    while (count > 0) {
        ssize_t got = ::read(fd, to, count);
        if (got <= 0)
            return false;
        to += got;
        count -= std::size_t(got);
    }
    return true;
}
}

int ReadWmfFile(HtmlCtx* ctx, const char* fileName, int alignment, const InsertPictureHandle& insert)
{
    int fd = fileName ? ::open(fileName, O_RDONLY | O_CLOEXEC) : -1;
    if (fd < 0)
        return 0;
    FileCloser closer{fd};
    off_t fileSize = ::lseek(fd, 0, SEEK_END);
    if (fileSize < 0 || ::lseek(fd, kPlaceableHeader, SEEK_SET) < 0)
        return 0;
    off_t metaSize = fileSize - kPlaceableHeader;
    if (metaSize < kMetaHeader)
        return PrintError(ctx, "Not a valid WMF file!", kErrMetafile);
    win::HGLOBAL block = win::GlobalAlloc(win::GMEM_MOVEABLE, std::size_t(metaSize) + 1);
    auto* bytes = static_cast<unsigned char*>(win::GlobalLock(block));
    if (!bytes) {
        win::GlobalFree(block);
        return PrintError(ctx, "Not a valid WMF file(a)!", kErrMetafile);
    }
    int result = 0;
    if (!readAll(fd, bytes, std::size_t(metaSize)))
        PrintError(ctx, "Error reading WMF file!", kErrMetafile);
    else if ((bytes[2] | bytes[3] << 8) != 9)
        PrintError(ctx, "Not a valid WMF file(b)!", kErrMetafile);
    else {
        win::GlobalUnlock(block);
        result = insert ? insert(ctx ? ctx->editorWindow : nullptr, kPictureFormatMetafile, block, alignment) : 0;
        win::GlobalFree(block);
        return result;
    }
    win::GlobalUnlock(block);
    win::GlobalFree(block);
    return result;
}

}
