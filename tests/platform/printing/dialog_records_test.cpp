// The dialog records keep the byte layout the programs declare.
#include "platform/printing/dialog_records.h"

#include <gtest/gtest.h>

using namespace ks::printing;

namespace {

template <std::size_t N>
std::uint32_t word32(const std::array<std::uint8_t, N>& b, std::size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

template <std::size_t N>
std::uint16_t word16(const std::array<std::uint8_t, N>& b, std::size_t at)
{
    return std::uint16_t(b[at] | b[at + 1] << 8);
}

template <std::size_t N>
std::string text(const std::array<std::uint8_t, N>& b, std::size_t at, std::size_t n)
{
    return std::string(reinterpret_cast<const char*>(b.data()) + at, n);
}

}

TEST(DialogRecords, PrintDlgPacksItsFieldsWithoutGaps)
{
    PrintDlg dlg;
    dlg.hwndOwner = 0x11223344;
    dlg.Flags = 0x00040100;
    dlg.nCopies = 3;
    const auto b = dlg.bytes();
    EXPECT_EQ(word32(b, 0), 66u);
    EXPECT_EQ(word32(b, 4), 0x11223344u);
    EXPECT_EQ(word32(b, 20), 0x00040100u);
    EXPECT_EQ(word16(b, 32), 3);   // the fifth 16-bit count
    for (std::size_t at = 34; at < 66; ++at)
        EXPECT_EQ(b[at], 0) << at;
}

TEST(DialogRecords, DevModeFieldsSitWhereTheDeviceModeHasThem)
{
    DevMode mode;
    mode.dmDeviceName = "Laser in room 4";
    mode.dmFields = 4097;
    mode.dmOrientation = 2;
    mode.dmPaperSize = 9;
    mode.dmCopies = 5;
    mode.dmDefaultSource = 7;
    mode.dmPrintQuality = -4;
    mode.dmColor = 1;
    mode.dmDuplex = 3;
    mode.dmFormName = "A4";
    mode.dmDisplayFrequency = 60;
    const auto b = mode.bytes();
    EXPECT_EQ(text(b, 0, 16), std::string("Laser in room 4") + '\0');
    EXPECT_EQ(word16(b, 36), 124);
    EXPECT_EQ(word32(b, 40), 4097u);
    EXPECT_EQ(word16(b, 44), 2);
    EXPECT_EQ(word16(b, 46), 9);
    EXPECT_EQ(word16(b, 54), 5);
    EXPECT_EQ(word16(b, 56), 7);
    EXPECT_EQ(std::int16_t(word16(b, 58)), -4);
    EXPECT_EQ(word16(b, 60), 1);
    EXPECT_EQ(word16(b, 62), 3);
    EXPECT_EQ(text(b, 70, 3), std::string("A4") + '\0');
    EXPECT_EQ(word32(b, 120), 60u);
}

TEST(DialogRecords, ALongDeviceNameKeepsRoomForItsEnd)
{
    DevMode mode;
    mode.dmDeviceName = std::string(40, 'P');
    const auto b = mode.bytes();
    EXPECT_EQ(text(b, 0, 31), std::string(31, 'P'));
    EXPECT_EQ(b[31], 0);   // the next field is untouched
    EXPECT_EQ(mode.storedDeviceName(), std::string(31, 'P'));
}

TEST(DialogRecords, DevNamesCountOffsetsFromTheRecordStart)
{
    const DevNames names = DevNames::of("drv", "Office", "LPT1:");
    EXPECT_EQ(names.wDriverOffset, 8);
    EXPECT_EQ(names.wDeviceOffset, 8 + 3 + 1);
    EXPECT_EQ(names.wOutputOffset, 12 + 6 + 1);
    const auto b = names.bytes();
    ASSERT_EQ(b.size(), 108u);
    // Each name is found at its offset, as a reader of the block finds it.
    EXPECT_EQ(text(b, names.wDriverOffset, 4), std::string("drv") + '\0');
    EXPECT_EQ(text(b, names.wDeviceOffset, 7), std::string("Office") + '\0');
    EXPECT_EQ(text(b, names.wOutputOffset, 6), std::string("LPT1:") + '\0');
    EXPECT_EQ(b[107], ' ');   // padded with blanks
}

TEST(DialogRecords, NamesLongerThanTheTextAreCut)
{
    const DevNames names = DevNames::of(std::string(50, 'd'), std::string(40, 'n'), std::string(20, 'p'));
    EXPECT_EQ(names.text.size(), 100u);
    EXPECT_EQ(names.wOutputOffset, 8 + 51 + 41);   // counted before the cut
    EXPECT_EQ(names.text.substr(92), std::string(8, 'p'));
    EXPECT_EQ(names.bytes().size(), 108u);
}
