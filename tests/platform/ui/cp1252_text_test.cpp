// Windows-1252 text between the libraries and the screen: nothing a byte said is lost
// on its way to the screen and back, and what the screen cannot give back is counted.
#include "platform/ui/cp1252_text.h"

#include <gtest/gtest.h>

using namespace ks::ui;

TEST(Cp1252Text, EveryByteComesBackAndUnknownCharactersAreCounted)
{
    std::string all;
    for (int b = 0x20; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    auto back = toCp1252(fromCp1252(all));
    EXPECT_EQ(back.bytes, all) << "the five undefined bytes too: a UTF-8 file name holds them";
    EXPECT_EQ(back.replaced, 0);
    EXPECT_EQ(fromCp1252("\x93q\x94 \x85 \x80"), QString::fromUtf8("\u201Cq\u201D \u2026 \u20AC"));

    auto outside = toCp1252(QString::fromUtf8("a\u2192b\U0001F600"));
    EXPECT_EQ(outside.bytes, "a?b?");
    EXPECT_EQ(outside.replaced, 2);
    EXPECT_FALSE(inCp1252(QChar(0x2192)));
    EXPECT_TRUE(inCp1252(QChar(0x2026)));
}

TEST(Cp1252Text, LineEndsBecomeTheModelsOrStayAsTheyAre)
{
    EXPECT_EQ(toCp1252("a\r\nb\nc\rd").bytes, "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(toCp1252("a\nb\r\nc", LineEnds::AsTheyAre).bytes, "a\nb\r\nc");
}
