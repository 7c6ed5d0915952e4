#include "tests/platform/pictures/picture_fixtures.h"

#include "platform/pictures/packed_dib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <gif_lib.h>
#include <jpeglib.h>
#include <tiffio.h>
#include <turbojpeg.h>

namespace ks::test {

Dib dibOf(std::span<const std::uint8_t> bytes)
{
    Dib dib;
    pictures::DibInfo info;
    if (!pictures::readDibInfo(bytes, info))
        throw std::runtime_error("not a DIB");
    dib.width = info.width;
    dib.height = info.height;
    dib.bits = info.bitsPerPixel;
    dib.colorsUsed = info.colorsUsed;
    dib.stride = info.stride;
    const std::uint8_t* palette = bytes.data() + 40;
    dib.palette.assign(palette, palette + 4 * info.colorsUsed);
    const std::uint8_t* pixels = palette + 4 * info.colorsUsed;
    if (std::size_t(pixels - bytes.data()) + dib.stride * std::size_t(dib.height) > bytes.size())
        throw std::runtime_error("a DIB shorter than its header says");
    for (int y = 0; y < dib.height; ++y) {
        const std::uint8_t* row = pixels + std::size_t(dib.height - 1 - y) * dib.stride;
        dib.rowsTopDown.insert(dib.rowsTopDown.end(), row, row + dib.stride);
    }
    return dib;
}

bool met(const pictures::Problems& problems, pictures::Fault fault)
{
    return std::any_of(problems.begin(), problems.end(), [&](const pictures::Problem& p) { return p.fault == fault; });
}

Bytes patternIndices(int width, int height, int colors, int seed)
{
    Bytes out(std::size_t(width) * height);
    unsigned state = 12345u + unsigned(seed);
    for (std::size_t i = 0; i < out.size(); ++i) {
        state = state * 1103515245u + 12345u;
        // Runs and noise, so the LZW tables fill and codes repeat.
        out[i] = std::uint8_t(((i / 7) % 3 == 0 ? (state >> 16) : (i / 5)) % unsigned(colors));
    }
    return out;
}

Bytes patternRgb(int width, int height, int seed)
{
    Bytes out(std::size_t(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &out[(std::size_t(y) * width + x) * 3];
            p[0] = std::uint8_t(128 + 100 * std::sin((x + seed) * 0.15) * std::cos(y * 0.1));
            p[1] = std::uint8_t((x * 255) / std::max(1, width - 1));
            p[2] = std::uint8_t((y * 255) / std::max(1, height - 1));
        }
    return out;
}

// ---- GIF

namespace {
int gifWrite(GifFileType* gif, const GifByteType* data, int length)
{
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

struct GifSource {
    const Bytes* bytes;
    std::size_t at = 0;
};
int gifRead(GifFileType* gif, GifByteType* data, int length)
{
    auto* source = static_cast<GifSource*>(gif->UserData);
    int take = int(std::min<std::size_t>(std::size_t(length), source->bytes->size() - source->at));
    std::memcpy(data, source->bytes->data() + source->at, std::size_t(take));
    source->at += std::size_t(take);
    return take;
}

ColorMapObject* colorMap(const std::vector<std::uint8_t>& rgb)
{
    int n = int(rgb.size() / 3);
    return GifMakeMapObject(n, reinterpret_cast<const GifColorType*>(rgb.data()));
}
}

Bytes makeGif(int screenWidth, int screenHeight, const std::vector<std::uint8_t>& globalPalette,
              const std::vector<GifFrameShape>& frames, int loopCount, int background)
{
    Bytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, gifWrite, &error);
    EGifSetGifVersion(gif, true);
    ColorMapObject* global = globalPalette.empty() ? nullptr : colorMap(globalPalette);
    EGifPutScreenDesc(gif, screenWidth, screenHeight, 8, background, global);
    if (loopCount >= 0) {
        EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
        EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0");
        std::uint8_t loop[3] = {1, std::uint8_t(loopCount), std::uint8_t(loopCount >> 8)};
        EGifPutExtensionBlock(gif, 3, loop);
        EGifPutExtensionTrailer(gif);
    }
    for (const GifFrameShape& f : frames) {
        std::uint8_t control[4] = {std::uint8_t(f.transparentIndex >= 0 ? 1 : 0), std::uint8_t(f.delay),
                                   std::uint8_t(f.delay >> 8), std::uint8_t(f.transparentIndex & 0xFF)};
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control);
        ColorMapObject* local = f.localPalette.empty() ? nullptr : colorMap(f.localPalette);
        EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlaced, local);
        GifFreeMapObject(local);
        std::vector<int> order;
        if (f.interlaced) {
            const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
            for (int p = 0; p < 4; ++p)
                for (int y = start[p]; y < f.height; y += step[p])
                    order.push_back(y);
        } else {
            for (int y = 0; y < f.height; ++y)
                order.push_back(y);
        }
        for (int y : order)
            EGifPutLine(gif, const_cast<GifPixelType*>(&f.indices[std::size_t(y) * f.width]), f.width);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(global);
    return out;
}

PeerIndexed peerGif(const Bytes& file)
{
    GifSource source{&file};
    int error = 0;
    GifFileType* gif = DGifOpen(&source, gifRead, &error);
    PeerIndexed peer;
    if (!gif || DGifSlurp(gif) != GIF_OK || gif->ImageCount < 1)
        throw std::runtime_error("giflib could not read the fixture");
    const SavedImage& image = gif->SavedImages[0];
    peer.width = image.ImageDesc.Width;
    peer.height = image.ImageDesc.Height;
    peer.indices.assign(image.RasterBits, image.RasterBits + std::size_t(peer.width) * peer.height);
    const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
    for (int i = 0; map && i < map->ColorCount; ++i)
        peer.paletteRgb.insert(peer.paletteRgb.end(),
                               {map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue});
    DGifCloseFile(gif, &error);
    return peer;
}

// ---- TIFF

namespace {
Bytes readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}
std::size_t rowBytesOf(const TiffPicture& s)
{
    return (std::size_t(s.width) * s.bitsPerSample * s.samplesPerPixel + 7) / 8;
}
}

Bytes makeTiff(const TiffPicture& s, const std::string& path)
{
    TIFFSetWarningHandler(nullptr);
    TIFF* tif = TIFFOpen(path.c_str(), s.bigEndian ? "wb" : "wl");
    if (!tif)
        throw std::runtime_error("libtiff could not write");
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, s.width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, s.height);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, s.bitsPerSample);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, s.samplesPerPixel);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, s.photometric);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, s.compression);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, s.rowsPerStrip ? s.rowsPerStrip : TIFFDefaultStripSize(tif, 0));
    if (s.photometric == PHOTOMETRIC_PALETTE) {
        std::size_t n = s.colorMap.size() / 3;
        TIFFSetField(tif, TIFFTAG_COLORMAP, s.colorMap.data(), s.colorMap.data() + n, s.colorMap.data() + 2 * n);
    }
    std::size_t rowBytes = rowBytesOf(s);
    Bytes row(rowBytes);
    for (int y = 0; y < s.height; ++y) {
        std::memcpy(row.data(), &s.rows[std::size_t(y) * rowBytes], rowBytes);
        TIFFWriteScanline(tif, row.data(), std::uint32_t(y), 0);
    }
    TIFFClose(tif);
    return readFile(path);
}

TiffPicture peerTiff(const std::string& path)
{
    TIFF* tif = TIFFOpen(path.c_str(), "r");
    if (!tif)
        throw std::runtime_error("libtiff could not read");
    TiffPicture s;
    std::uint32_t w = 0, h = 0;
    std::uint16_t bits = 1, samples = 1, photometric = 0;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &w);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &h);
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric);
    s.width = int(w);
    s.height = int(h);
    s.bitsPerSample = bits;
    s.samplesPerPixel = samples;
    s.photometric = photometric;
    std::size_t rowBytes = std::size_t(TIFFScanlineSize(tif));
    s.rows.resize(rowBytes * h);
    for (std::uint32_t y = 0; y < h; ++y)
        TIFFReadScanline(tif, &s.rows[y * rowBytes], y, 0);
    std::uint16_t *r, *g, *b;
    if (photometric == PHOTOMETRIC_PALETTE && TIFFGetField(tif, TIFFTAG_COLORMAP, &r, &g, &b)) {
        std::size_t n = std::size_t(1) << bits;
        s.colorMap.assign(r, r + n);
        s.colorMap.insert(s.colorMap.end(), g, g + n);
        s.colorMap.insert(s.colorMap.end(), b, b + n);
    }
    TIFFClose(tif);
    return s;
}

// ---- JPEG

Bytes makeJpeg(const JpegPicture& s)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(s.width);
    cinfo.image_height = JDIMENSION(s.height);
    cinfo.input_components = s.components;
    cinfo.in_color_space = s.components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, s.quality, TRUE);
    cinfo.comp_info[0].h_samp_factor = s.h0;
    cinfo.comp_info[0].v_samp_factor = s.v0;
    for (int c = 1; c < cinfo.num_components; ++c)
        cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
    cinfo.restart_interval = unsigned(s.restartInterval);
    if (s.progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::size_t rowBytes = std::size_t(s.width) * s.components;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(&s.pixels[cinfo.next_scanline * rowBytes]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

Bytes peerJpegBgr(const Bytes& file, int& width, int& height)
{
    tjhandle tj = tjInitDecompress();
    int subsampling, colorspace;
    tjDecompressHeader3(tj, file.data(), file.size(), &width, &height, &subsampling, &colorspace);
    Bytes out(std::size_t(width) * height * 3);
    if (tjDecompress2(tj, file.data(), file.size(), out.data(), width, 0, height, TJPF_BGR,
                      TJFLAG_ACCURATEDCT | TJFLAG_FASTUPSAMPLE) != 0)
        throw std::runtime_error("libjpeg-turbo could not read the fixture");
    tjDestroy(tj);
    return out;
}

double psnr(const Bytes& a, const Bytes& b)
{
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        double d = double(a[i]) - double(b[i]);
        sum += d * d;
    }
    double mse = sum / double(a.size());
    return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

}
