#include "platform/slides/picture.h"

#include "platform/slides/errors.h"

#include <filesystem>
#include <fstream>

namespace ks::slides {

namespace {
constexpr std::uintmax_t kMaxPictureBytes = 64u << 20;

bool isFrameHeader(unsigned marker)
{
    // SOF0..SOF15 except DHT (C4), JPG (C8) and DAC (CC).
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

unsigned byteAt(const std::string& bytes, std::size_t i) { return static_cast<unsigned char>(bytes[i]); }
}

bool readJpegSize(const std::string& bytes, int& width, int& height)
{
    if (bytes.size() < 4 || byteAt(bytes, 0) != 0xFF || byteAt(bytes, 1) != 0xD8)
        return false;
    std::size_t pos = 2;
    while (pos + 4 <= bytes.size()) {
        if (byteAt(bytes, pos) != 0xFF)
            return false;
        unsigned marker = byteAt(bytes, pos + 1);
        if (marker == 0xFF) {  // fill byte
            ++pos;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA)  // end of image or scan before any frame header
            return false;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // markers without a length
            pos += 2;
            continue;
        }
        std::size_t length = byteAt(bytes, pos + 2) << 8 | byteAt(bytes, pos + 3);
        if (length < 2 || pos + 2 + length > bytes.size())
            return false;
        if (isFrameHeader(marker)) {
            if (length < 7)
                return false;
            height = static_cast<int>(byteAt(bytes, pos + 5) << 8 | byteAt(bytes, pos + 6));
            width = static_cast<int>(byteAt(bytes, pos + 7) << 8 | byteAt(bytes, pos + 8));
            return width > 0 && height > 0;
        }
        pos += 2 + length;
    }
    return false;
}

Picture loadJpegPicture(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        raise(kErrFileNotFound, "File not found: \"" + path + "\"");
    auto size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxPictureBytes)
        raise(kErrFileAccess, "Cannot read the picture \"" + path + "\": " + (ec ? ec.message() : "file too large"));
    std::ifstream in(path, std::ios::binary);
    auto bytes = std::make_shared<std::string>(static_cast<std::size_t>(size), '\0');
    if (!in.read(bytes->data(), static_cast<std::streamsize>(size)))
        raise(kErrFileAccess, "Cannot read the picture \"" + path + "\"");
    Picture picture;
    if (!readJpegSize(*bytes, picture.pixelWidth, picture.pixelHeight))
        raise(kErrBadFileFormat, "The picture \"" + path + "\" is not a JPEG file");
    picture.bytes = std::move(bytes);
    picture.fileName = std::filesystem::path(path).filename().string();
    return picture;
}

}
