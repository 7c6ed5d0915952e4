#include "bench/pictures/peers.h"

#include <cstring>

#include <gif_lib.h>
#include <tiffio.h>
#include <turbojpeg.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#include <stb_image.h>

namespace ks::bench {

namespace {

struct Cursor {
    const Bytes* bytes;
    std::size_t at = 0;
};

int gifRead(GifFileType* gif, GifByteType* to, int length)
{
    auto* c = static_cast<Cursor*>(gif->UserData);
    std::size_t take = std::min<std::size_t>(std::size_t(length), c->bytes->size() - c->at);
    std::memcpy(to, c->bytes->data() + c->at, take);
    c->at += take;
    return int(take);
}

tmsize_t tiffRead(thandle_t h, void* to, tmsize_t length)
{
    auto* c = static_cast<Cursor*>(h);
    std::size_t take = std::min<std::size_t>(std::size_t(length), c->bytes->size() - std::min(c->at, c->bytes->size()));
    std::memcpy(to, c->bytes->data() + c->at, take);
    c->at += take;
    return tmsize_t(take);
}
tmsize_t tiffWrite(thandle_t, void*, tmsize_t) { return 0; }
toff_t tiffSeek(thandle_t h, toff_t offset, int whence)
{
    auto* c = static_cast<Cursor*>(h);
    c->at = std::size_t(whence == SEEK_SET ? offset : whence == SEEK_CUR ? c->at + offset : c->bytes->size() + offset);
    return c->at;
}
int tiffClose(thandle_t) { return 0; }
toff_t tiffSize(thandle_t h) { return static_cast<Cursor*>(h)->bytes->size(); }

}

bool giflibDecode(const Bytes& file, PeerImage& out)
{
    Cursor cursor{&file};
    int error = 0;
    GifFileType* gif = DGifOpen(&cursor, gifRead, &error);
    if (!gif)
        return false;
    bool ok = DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0;
    if (ok) {
        const SavedImage& image = gif->SavedImages[0];
        out.width = image.ImageDesc.Width;
        out.height = image.ImageDesc.Height;
        out.rowBytes = std::size_t(out.width);
        out.rows.assign(image.RasterBits, image.RasterBits + out.rowBytes * std::size_t(out.height));
    }
    DGifCloseFile(gif, &error);
    return ok;
}

bool libtiffDecode(const Bytes& file, PeerImage& out)
{
    Cursor cursor{&file};
    TIFF* tif = TIFFClientOpen("memory", "rm", &cursor, tiffRead, tiffWrite, tiffSeek, tiffClose, tiffSize,
                               nullptr, nullptr);
    if (!tif)
        return false;
    std::uint32_t w = 0, h = 0;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &w);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &h);
    out.width = int(w);
    out.height = int(h);
    out.rowBytes = std::size_t(TIFFScanlineSize(tif));
    out.rows.resize(out.rowBytes * h);
    bool ok = true;
    for (std::uint32_t y = 0; y < h && ok; ++y)
        ok = TIFFReadScanline(tif, &out.rows[y * out.rowBytes], y, 0) >= 0;
    TIFFClose(tif);
    return ok;
}

bool turbojpegDecode(const Bytes& file, PeerImage& out)
{
    tjhandle tj = tjInitDecompress();
    int sub, colorspace;
    bool ok = tjDecompressHeader3(tj, file.data(), file.size(), &out.width, &out.height, &sub, &colorspace) == 0;
    if (ok) {
        out.rowBytes = std::size_t(out.width) * 3;
        out.rows.resize(out.rowBytes * std::size_t(out.height));
        ok = tjDecompress2(tj, file.data(), file.size(), out.rows.data(), out.width, 0, out.height, TJPF_BGR,
                           TJFLAG_ACCURATEDCT | TJFLAG_FASTUPSAMPLE) == 0;
    }
    tjDestroy(tj);
    return ok;
}

bool stbDecode(const Bytes& file, PeerImage& out)
{
    int channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(file.data(), int(file.size()), &out.width, &out.height, &channels, 3);
    if (!pixels)
        return false;
    out.rowBytes = std::size_t(out.width) * 3;
    out.rows.assign(pixels, pixels + out.rowBytes * std::size_t(out.height));
    for (std::size_t i = 0; i < out.rows.size(); i += 3)
        std::swap(out.rows[i], out.rows[i + 2]);
    stbi_image_free(pixels);
    return true;
}

}
