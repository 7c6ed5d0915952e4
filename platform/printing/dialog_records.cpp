#include "platform/printing/dialog_records.h"

#include <algorithm>
#include <cstring>

namespace ks::printing {
namespace {

// Writes little-endian integers and fixed-width texts at a running offset.
template <std::size_t N>
class Packer {
public:
    explicit Packer(std::array<std::uint8_t, N>& out) : out_(out) { out_.fill(0); }

    template <class T>
    void put(T value)
    {
        auto bits = static_cast<std::make_unsigned_t<T>>(value);
        for (std::size_t i = 0; i < sizeof(T); ++i)
            out_[at_++] = std::uint8_t(bits >> (8 * i));
    }
    // width characters: the text cut to width - 1 and a zero, the rest zeros.
    void putZeroTerminated(const std::string& text, std::size_t width)
    {
        std::memcpy(out_.data() + at_, text.data(), std::min(text.size(), width - 1));
        at_ += width;
    }
    void putRaw(const std::string& text)
    {
        std::memcpy(out_.data() + at_, text.data(), text.size());
        at_ += text.size();
    }
    std::size_t at() const { return at_; }

private:
    std::array<std::uint8_t, N>& out_;
    std::size_t at_ = 0;
};

}

std::array<std::uint8_t, PrintDlg::kSize> PrintDlg::bytes() const
{
    std::array<std::uint8_t, kSize> out;
    Packer p(out);
    for (std::uint32_t v : {lStructSize, hwndOwner, hDevMode, hDevNames, hDC, Flags})
        p.put(v);
    for (std::uint16_t v : {nFromPage, nToPage, nMinPage, nMaxPage, nCopies})
        p.put(v);
    for (std::uint32_t v : unused)
        p.put(v);
    return out;
}

std::array<std::uint8_t, DevMode::kSize> DevMode::bytes() const
{
    std::array<std::uint8_t, kSize> out;
    Packer p(out);
    p.putZeroTerminated(dmDeviceName, 32);
    for (std::uint16_t v : {dmSpecVersion, dmDriverVersion, dmSize, dmDriverExtra})
        p.put(v);
    p.put(dmFields);
    for (std::int16_t v : {dmOrientation, dmPaperSize, dmPaperLength, dmPaperWidth, dmScale, dmCopies,
                           dmDefaultSource, dmPrintQuality, dmColor, dmDuplex, dmYResolution, dmTTOption, dmCollate})
        p.put(v);
    p.putZeroTerminated(dmFormName, 32);
    p.put(dmLogPixels);
    for (std::uint32_t v : {dmBitsPerPel, dmPelsWidth, dmPelsHeight, dmDisplayFlags, dmDisplayFrequency})
        p.put(v);
    return out;
}

std::string DevMode::storedDeviceName() const
{
    const std::string stored = dmDeviceName.substr(0, 31);
    return stored.substr(0, stored.find('\0'));
}

DevNames DevNames::of(const std::string& driver, const std::string& device, const std::string& port)
{
    DevNames names;
    names.wDriverOffset = 8;
    names.wDeviceOffset = std::uint16_t(names.wDriverOffset + driver.size() + 1);
    names.wOutputOffset = std::uint16_t(names.wDeviceOffset + device.size() + 1);
    names.text = driver + '\0' + device + '\0' + port + '\0';
    names.text.resize(kTextSize, ' ');
    return names;
}

std::array<std::uint8_t, DevNames::kSize> DevNames::bytes() const
{
    std::array<std::uint8_t, kSize> out;
    Packer p(out);
    for (std::uint16_t v : {wDriverOffset, wDeviceOffset, wOutputOffset, wDefault})
        p.put(v);
    p.putRaw(text.substr(0, kTextSize));
    return out;
}

}
