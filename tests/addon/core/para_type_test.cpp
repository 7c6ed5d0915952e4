#include "plx_fixture.h"

#include "addon/core/font_elements.h"
#include "addon/core/para_type.h"

#include <string>

using namespace ks;
using namespace ks::addon;
using ks::test::PlxTest;

TEST(ParaTypeWord, EveryFieldPacksAndUnpacksAlone)
{
    using Setter = int (*)(HtmlCtx*, std::uint32_t*, int);
    using Getter = int (*)(HtmlCtx*, std::uint32_t);
    struct Field {
        Setter set;
        Getter get;
        int position;
    } fields[] = {{SetParaListLevel, GetParaListLevel, 0}, {SetParaListType, GetParaListType, 3},
                  {SetParaHeader, GetParaHeader, 6}, {SetParaMiscType, GetParaMiscType, 9}};
    const std::uint32_t flags = kParaInForm | kParaMarkerShown | kParaDefTerm;
    for (const Field& f : fields) {
        for (int value = 0; value <= 7; ++value) {
            std::uint32_t word = flags | 0x0FFF;
            EXPECT_EQ(f.set(nullptr, &word, value), 1);
            EXPECT_EQ(f.get(nullptr, word), value);
            EXPECT_EQ(word & ~(7u << f.position), (flags | 0x0FFF) & ~(7u << f.position))
                << "neighbours unchanged at " << f.position;
        }
        // A value wider than the field keeps only its low bits.
        std::uint32_t word = 0;
        f.set(nullptr, &word, 0x2D);
        EXPECT_EQ(f.get(nullptr, word), 5);
        EXPECT_EQ(word, 5u << f.position);
        EXPECT_EQ(f.set(nullptr, nullptr, 1), 1) << "no word to change";
    }
    EXPECT_EQ(GetParaBits(nullptr, 0xABCD, 4, 8), 0xBCu);
    EXPECT_EQ(SetParaBits(nullptr, 0xFFFF, 4, 4, 0x12), 0xFF2Fu);
    EXPECT_EQ(SetParaBits(nullptr, 0x1234, 40, 3, 7), 0x1234u) << "a position outside the word changes nothing";
    EXPECT_EQ(GetParaBits(nullptr, 0x1234, -1, 3), 0u);
    EXPECT_EQ(SetParaBits(nullptr, 0x1234, 0, 0, 7), 0x1234u);
}

TEST(ParaTypeWord, TypesMapToTheirFontElements)
{
    for (int h = 1; h <= 7; ++h)
        EXPECT_EQ(ParaTypeElement(std::uint32_t(h) << 6), h);
    EXPECT_EQ(ParaTypeElement(1u << 9), kElemBlockQuote);
    EXPECT_EQ(ParaTypeElement(2u << 9), kElemAddress);
    EXPECT_EQ(ParaTypeElement(3u << 9), kElemBody) << "a rule is body text";
    EXPECT_EQ(ParaTypeElement(4u << 9), kElemPre);
    EXPECT_EQ(ParaTypeElement(2u << 3 | 2), kElemBody);
    EXPECT_EQ(ParaTypeElement((1u << 6) | (4u << 9)), 1) << "a header wins";
    HtmlCtx ctx;
    ctx.fonts[kElemBody].style = 0;
    EXPECT_EQ(ParaTypeStyle(ctx, (5u << 3) | kParaDefTerm), 2u);
    EXPECT_EQ(ParaTypeStyle(ctx, 5u << 3), 0u);
}

TEST_F(PlxTest, LineParaInfoGivesSpacingByType)
{
    type("one");
    int before = -1, after = -1;
    EXPECT_EQ(GetLineParaInfo(ctx(), hWnd, 0, 0, &before, &after), 1);
    EXPECT_EQ(before, 120);
    EXPECT_EQ(after, 120);
    ctx().spacing[0] = 100;
    ctx().spacing[1] = 200;
    GetLineParaInfo(ctx(), hWnd, 0, 1u << 6, &before, &after);
    EXPECT_EQ(before, 300) << "the second value comes first, a header adds half";
    EXPECT_EQ(after, 50);
    ctx().spacing[0] = ctx().spacing[1] = 120;
    GetLineParaInfo(ctx(), hWnd, 0, 2u << 6, &before, &after);
    EXPECT_EQ(before, 180);
    EXPECT_EQ(after, 60);
    for (std::uint32_t word : {(2u << 3) | 1, 4u << 9, 2u << 9}) {
        GetLineParaInfo(ctx(), hWnd, 0, word, &before, &after);
        EXPECT_EQ(before, 0) << word;
        EXPECT_EQ(after, 0) << word;
    }
    EXPECT_EQ(GetLineParaInfo(ctx(), hWnd, 0, 0, nullptr, nullptr), 1);
    EXPECT_EQ(GetLineParaInfo(ctx(), hWnd, 99, 0, &before, &after), 0);
}

TEST_F(PlxTest, ParaRangeCoversWholeParagraphsOfTheSelection)
{
    // Paragraph 0 is three logical lines, paragraphs 1 and 2 one each.
    std::string longText;
    for (int i = 0; i < 140; ++i)
        longText += "word ";
    type((longText + "\r\nsecond\r\nthird").c_str());
    ASSERT_EQ(info().lineCount, 5);
    int first = -1, last = -1;
    EXPECT_EQ(GetParaRange(ctx(), hWnd, 1, &first, &last), 1);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 2);

    EditorMoveCaret(hWnd, 3, 2, 0);
    GetParaRange(ctx(), hWnd, -1, &first, &last);
    EXPECT_EQ(first, 3);
    EXPECT_EQ(last, 3);

    // A forward selection ending at column 0 of a later line leaves that line out ...
    int start = EditorLineColToPos(hWnd, 1, 3), end = EditorLineColToPos(hWnd, 4, 0);
    EditorSelectRange(hWnd, start, end);
    GetParaRange(ctx(), hWnd, -1, &first, &last);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 3);
    // ... a backward one keeps it.
    EditorSelectRange(hWnd, end, start);
    GetParaRange(ctx(), hWnd, -1, &first, &last);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 4);
    EXPECT_EQ(GetParaRange(ctx(), hWnd, 42, &first, &last), 0);
}

TEST_F(PlxTest, ApplyParaTypeRefontsALineForItsNewType)
{
    type("term");
    const std::uint32_t defList = 5u << 3 | 1;
    ApplyParaType(ctx(), hWnd, 0, 0, defList | kParaDefTerm);
    EXPECT_EQ(styleAt(0, 0) & 2, 2u) << "a definition term shows bold";
    ApplyParaType(ctx(), hWnd, 0, defList | kParaDefTerm, defList);
    EXPECT_EQ(styleAt(0, 0) & 2, 0u);

    // A header replaces faces; a block quote keeps the character's own element.
    ApplyParaType(ctx(), hWnd, 0, 0, 3u << 6);
    EXPECT_EQ(pointsAt(0, 0), 14);
    EXPECT_EQ(faceAt(0, 0), "Times New Roman");
    ApplyParaType(ctx(), hWnd, 0, 3u << 6, 1u << 9);
    EXPECT_EQ(pointsAt(0, 0), 11);
    EXPECT_EQ(styleAt(0, 0) & 2, 0u) << "the header's bold went with the header";
}
