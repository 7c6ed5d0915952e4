#pragma once
// The records a print dialog is handed and hands back, laid out byte for byte as the
// programs declare them (packed, little-endian, 8-bit text): a caller that keeps or
// passes on what was chosen reads them here. Nothing in this layer calls the system
// with them; the dialog itself works on a printer object.
#include <array>
#include <cstdint>
#include <string>

namespace ks::printing {

// The print dialog's own record: 66 bytes.
struct PrintDlg {
    static constexpr std::uint32_t kSize = 66;
    std::uint32_t lStructSize = kSize;
    std::uint32_t hwndOwner = 0;
    std::uint32_t hDevMode = 0;    // the two blocks travel beside this record, so
    std::uint32_t hDevNames = 0;   // their handles stay 0 here
    std::uint32_t hDC = 0;
    std::uint32_t Flags = 0;
    std::uint16_t nFromPage = 0, nToPage = 0, nMinPage = 0, nMaxPage = 0, nCopies = 0;
    // hInstance, lCustData, the two hooks, the two template names and the two
    // template handles: always 0.
    std::array<std::uint32_t, 8> unused{};

    std::array<std::uint8_t, kSize> bytes() const;
};

// The device mode in its 124-byte form.
struct DevMode {
    static constexpr std::uint16_t kSize = 124;
    // dmFields bits for the members this program sets.
    static constexpr std::uint32_t kOrientationField = 0x1, kDuplexField = 0x1000;

    std::string dmDeviceName;   // up to 31 characters are kept, then a zero
    std::uint16_t dmSpecVersion = 0, dmDriverVersion = 0, dmSize = kSize, dmDriverExtra = 0;
    std::uint32_t dmFields = 0;
    std::int16_t dmOrientation = 0, dmPaperSize = 0, dmPaperLength = 0, dmPaperWidth = 0, dmScale = 0,
                 dmCopies = 0, dmDefaultSource = 0, dmPrintQuality = 0, dmColor = 0, dmDuplex = 0,
                 dmYResolution = 0, dmTTOption = 0, dmCollate = 0;
    std::string dmFormName;
    std::uint16_t dmLogPixels = 0;
    std::uint32_t dmBitsPerPel = 0, dmPelsWidth = 0, dmPelsHeight = 0, dmDisplayFlags = 0, dmDisplayFrequency = 0;

    std::array<std::uint8_t, kSize> bytes() const;
    // The device name as the block holds it: the text up to its first zero.
    std::string storedDeviceName() const;
};

// The device names: four offsets (in characters from the record's start) and 100
// characters of text.
struct DevNames {
    static constexpr std::size_t kTextSize = 100, kSize = 8 + kTextSize;
    std::uint16_t wDriverOffset = 8, wDeviceOffset = 0, wOutputOffset = 0, wDefault = 0;
    std::string text;   // always kTextSize characters

    // Driver, device and port each followed by a zero, padded with blanks or cut to
    // 100 characters; the offsets are counted before the cut.
    static DevNames of(const std::string& driver, const std::string& device, const std::string& port);
    std::array<std::uint8_t, kSize> bytes() const;
};

// What one showing of the print dialog was handed, or handed back when confirmed.
struct PrinterDialogRecords {
    PrintDlg printDlg;
    DevMode devMode;
    DevNames devNames;
};

}
