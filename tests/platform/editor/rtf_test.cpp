#include "editor_fixture.h"
#include "platform/editor/vek32_codes.h"
#include "tests/support/temp_dir.h"

#include <cstring>
#include <random>
#include <set>

using namespace ks::editor;
using ks::test::EditorTest;

namespace {

std::string dibPicture()
{
    std::string d(40 + 8, '\0');
    std::uint32_t v40 = 40, two = 2, one = 1;
    std::memcpy(&d[0], &v40, 4);
    std::memcpy(&d[4], &two, 4);
    std::memcpy(&d[8], &one, 4);
    d[12] = 1;
    d[14] = 24;
    d[42] = '\x7F';
    return d;
}

class RtfTest : public EditorTest {
protected:
    std::string save(const std::string& name)
    {
        auto path = dir.path() / name;
        EXPECT_TRUE(EditorSaveRtf(hWnd, 3));
        EXPECT_EQ(EditorSaveRtfEnd(hWnd, path.c_str()), 1);
        return dir.read(name);
    }
    int open(const std::string& name, const std::string& content)
    {
        return EditorOpenRtf(hWnd, dir.write(name, content).c_str());
    }
    ks::test::TempDir dir;
};

// A document with most of what the add-on builds.
void buildRich(HWND h)
{
    EditorSetLineChars(h, 0, "", nullptr);
    EditorSetNextFontTag(h, 104);
    int big = EditorCreateFont(h, -1, 1, "Times New Roman", 18, kBold | kItalic, 0x0000FF, 0xFFFFFF, 0, 3);
    int hidden = EditorCreateFont(h, -1, 1, "Arial", 10, kHidden, 0, 0xFFFFFF, 0, 0);
    int link = EditorCreateFont(h, -1, 1, "Arial", 10, kLinkText | kUnderline, 0xFF0000, 0x00FFFF, 0, 20);
    int marked = EditorCreateFont(h, -1, 1, "Courier New", 9, kMarked | kStrike | kSuperscript, 0, 0xFFFFFF, 0, 45);
    int heading = EditorMakeParaFormat(h, -1, 1, 0, 0, 0, 0, 0, 0x40, 0, 0, 240, 120, 0, kAlignCentre);
    int list = EditorMakeListFormat(h, 0, 4, 1, 2);
    int item = EditorMakeParaFormatEx(h, -1, 1, 720, 0, -360, 5, 6, 0x49, 0, 0, 0, 0, 0, kListNumbered, list, 0xFFFFFF);
    EditorSetParaRule(h, 0x2004B);
    int rule = EditorMakeParaFormatEx(h, -1, 1, 0, 0, 0, 0, 0, 0x600, 8000, 0, 0, 0, -40, 0xA0, 0, 0xFFFFFF);
    int boxed = EditorMakeParaFormatEx(h, -1, 1, 100, 200, 0, 0, 0, 0x1000, 7400, 0x10, 0, 0, -300, kBorderBits | kAlignJustify,
                                       0, 0xEEDDCC);
    EditorAppendText(h, "Heading {with} \\braces\\ \xE9t\xE9\x15", big, heading, 0, -1, 0);
    EditorAppendText(h, "see ", 0, 0, 0, -1, 0);
    EditorAppendText(h, "href=\"x.htm\" target=_top", hidden, 0, 0, -1, 0);
    EditorAppendText(h, "the link", link, 0, 0, -1, 0);
    EditorAppendText(h, "\x0Fsecond line\x0E" "and tab\there", marked, 0, 0, -1, 0);
    EditorAppendText(h, "\x15", 0, 0, 0, -1, 0);
    EditorAppendText(h, "item one\x15item two\x15", 0, item, 0, -1, 0);
    EditorAppendText(h, "\x15", 0, rule, 0, -1, 0);
    EditorAppendText(h, "form text\x15", 0, boxed, 0, -1, 0);
    // A picture and a control.
    HGLOBAL block = GlobalAlloc(GHND, dibPicture().size());
    std::memcpy(GlobalLock(block), dibPicture().data(), dibPicture().size());
    GlobalUnlock(block);
    int pic = EditorInsertPictureHandle(h, 8, block, 0, 2, 0);
    GlobalFree(block);
    EditorSetPictureProps(h, pic, 0x4080, 1, 3);
    EditorSetPictureSize(h, pic, 30, 20);
    EditorSetPictureFloat(h, pic, 1, 0);
    EditorPictureFileName(h, pic, 0, const_cast<char*>("images/dot.bmp"));
    int ctl = EditorInsertControl(h, "ComboBox", 0x200003, 1500, 300, 1, 77, 0);
    EditorAppendText(h, "pic ", 0, 0, 0, -1, 0);
    EditorAppendText(h, "\x18", pic, 0, 0, -1, 0);
    EditorAppendText(h, "\x18", ctl, 0, 0, -1, 0);
    EditorAppendText(h, "\x15\x0C\x15", 0, 0, 0, -1, 0);
    // A table with a row span, a header cell, and a nested table.
    int a = EditorCreateCell(h, 1, 0, kAlignCentre, 300, 400, 2000, 0, 15, 15, 15, 15, 2, 1, 0x20);
    EditorSetCellProps(h, a, 0xFFFFFF, -1, 0);
    EditorSetTableWidth(h, a, -90);
    EditorAppendText(h, "A\x13", 0, 0, a, -1, 0);
    int b = EditorCreateCell(h, 0, a, kAlignCentre, 300, 400, -40, 0, 0, 15, 0, 15, 1, 2, 0xA0 | 0x2000);
    EditorSetCellProps(h, b, 0x00AA00, 90, 0);
    EditorAppendText(h, "B1\x15", 0, heading, b, -1, 0);
    int inner = EditorCreateCell(h, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0x20);
    EditorSetCellProps(h, inner, 0xFFFFFF, -1, b);
    EditorAppendText(h, "in\x13", 0, 0, inner, -1, 0);
    int inner2 = EditorCreateCell(h, 0, inner, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0x20);
    EditorAppendText(h, "ner\x13\x12", 0, 0, inner2, -1, 0);
    EditorEndTable(h, inner2, 2);
    EditorAppendText(h, "B2\x13\x12", 0, 0, b, -1, 0);
    int filler = EditorCreateCell(h, 1, b, 0, 300, 0, 0, 0, 15, 15, 15, 15, 0, 1, 0x20);
    EditorAppendText(h, "\x13", 0, 0, filler, -1, 0);
    int d = EditorCreateCell(h, 0, filler, 0, 300, 0, 0, 0, 15, 15, 15, 15, 1, 2, 0x20);
    EditorAppendText(h, "D\x13\x12", 0, 0, d, -1, 0);
    EditorEndTable(h, d, 3);
    EditorAppendText(h, "end", 0, 0, 0, -1, 0);
    EditorUpdateTables(h);
}

}

TEST_F(RtfTest, SaveAndLoadGiveTheSameDocumentAndTheSameBytes)
{
    buildRich(hWnd);
    std::vector<std::string> before = allLines();
    std::string first = save("a.rtf");
    EXPECT_EQ(first.rfind("{\\rtf1", 0), 0u);
    EXPECT_NE(first.find("\\intbl"), std::string::npos);
    EXPECT_NE(first.find("\\nestcell"), std::string::npos);
    EXPECT_NE(first.find("\\'e9"), std::string::npos);

    ASSERT_EQ(open("a.rtf", first), 1);
    EXPECT_EQ(allLines(), before);
    EXPECT_EQ(info().modified, 0);
    std::string second = save("b.rtf");
    EXPECT_EQ(second, first) << "a second save gives the same bytes";

    // The add-on's own data came back: type words, user ids, tags, hidden runs, rules.
    int typeWord = 0, flagsWord = 0, before1 = 0;
    EditorGetParaProps(hWnd, 0, nullptr, nullptr, nullptr, nullptr, nullptr, &typeWord, nullptr, nullptr, &before1,
                       nullptr, nullptr, &flagsWord);
    EXPECT_EQ(typeWord, 0x40);
    EXPECT_EQ(flagsWord, kAlignCentre);
    EXPECT_EQ(before1, 240);
    auto l0 = line(0);
    EXPECT_EQ(EditorGetFontTag(hWnd, l0.fonts[0]), 104);
    int userId = 0;
    EditorGetFontData(hWnd, l0.fonts[0], nullptr, nullptr, nullptr, &userId);
    EXPECT_EQ(userId, 3);
    EditorMoveCaret(hWnd, 1, 30, 0);
    char run[301];
    EXPECT_GT(EditorGetHiddenRun(hWnd, run, sizeof run, nullptr, nullptr), 0);
    EXPECT_STREQ(run, "href=\"x.htm\" target=_top");
    int bullet = -1, style = -1, start = -1;
    ASSERT_TRUE(EditorGetListInfo(hWnd, 3, &bullet, &style, &start));
    EXPECT_EQ(style, 2);
    EXPECT_EQ(start, 4);
    EXPECT_TRUE(flags(5) & kLineRule);
    EXPECT_EQ(EditorGetParaRule(hWnd, 5), 0x2004B);
    EXPECT_GE(EditorFindControlPos(hWnd, 77), 0) << "the control came back";
}

// What a window of its own makes of our file writes it again byte for byte, and again: also
// when the document's default font is not the window's, and a row end has a format.
TEST_F(RtfTest, AFileWrittenReadIntoAFreshWindowAndWrittenAgainIsTheSame)
{
    ASSERT_TRUE(SetVekDefaultFont(hWnd, "Times New Roman", 12, 0, 0, 0));
    buildRich(hWnd);
    EditorAppendText(hWnd, "\x15", 0, 0, 0, -1, 0);
    int centred = EditorMakeParaFormat(hWnd, -1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, kAlignCentre);
    int c = EditorCreateCell(hWnd, 1, 0, 0, 0, 0, 0, 0, 15, 15, 15, 15, 1, 1, 0x20);
    EditorAppendText(hWnd, "cell\x13", 0, centred, c, -1, 0);
    EditorAppendText(hWnd, "\x12", 0, centred, c, -1, 0);
    EditorEndTable(hWnd, c, 1);
    EditorAppendText(hWnd, "after\x15", 0, 0, 0, -1, 0);
    std::vector<std::string> files{save("1.rtf")};
    for (int round = 2; round <= 3; ++round) {
        HWND fresh = EditorCreateWindow(nullptr, "", 0x54002041, 0, 0, 400, 300);
        auto in = dir.path() / (std::to_string(round - 1) + ".rtf");
        auto out = dir.path() / (std::to_string(round) + ".rtf");
        ASSERT_EQ(EditorOpenRtf(fresh, in.c_str()), 1);
        ASSERT_TRUE(EditorSaveRtf(fresh, 3));
        ASSERT_EQ(EditorSaveRtfEnd(fresh, out.c_str()), 1);
        files.push_back(dir.read(std::to_string(round) + ".rtf"));
        EditorDestroyWindow(fresh);
    }
    ASSERT_FALSE(files[0].empty());
    EXPECT_EQ(files[1], files[0]) << "read into a window whose default font is Arial";
    EXPECT_EQ(files[2], files[1]);
}

TEST_F(RtfTest, MergeFieldsAreFilledByNameAndSurviveSaving)
{
    std::string templ =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard Video: {\\field{\\*\\fldinst { MERGEFIELD Videoname }}"
        "{\\fldrslt {\\b \\'abVideoname\\'bb}}}\\par\\pard Date: {\\field{\\*\\fldinst MERGEFIELD \"Date\" \\\\* MERGEFORMAT}"
        "{\\fldrslt \\'abDate\\'bb}}, again {\\field{\\*\\fldinst MERGEFIELD Videoname}{\\fldrslt x}}\\par}";
    ASSERT_EQ(open("t.rtf", templ), 1);
    EXPECT_EQ(text(), "Video: \xABVideoname\xBB\x15" "Date: \xAB" "Date\xBB, again x\x15");
    EXPECT_EQ(EditorFillMergeField(hWnd, "Videoname", "Intro to goals"), 2);
    int how = 1;
    EXPECT_EQ(VekFillMergeField(hWnd, "date", "12/8/2026", &how), 1) << "names compare without case";
    EXPECT_EQ(EditorFillMergeField(hWnd, "Nothing", "x"), 0);
    EXPECT_EQ(text(), "Video: Intro to goals\x15" "Date: 12/8/2026, again Intro to goals\x15");
    unsigned style = 0;
    EditorGetFontInfo(hWnd, line(0).fonts[8], nullptr, nullptr, &style);
    EXPECT_EQ(style & kBold, kBold) << "the value takes the field's formatting";

    std::string saved = save("n.rtf");
    EXPECT_NE(saved.find("MERGEFIELD Videoname"), std::string::npos);
    ASSERT_EQ(open("n.rtf", saved), 1);
    EXPECT_EQ(EditorFillMergeField(hWnd, "Videoname", "Next"), 2);
    EXPECT_EQ(text(), "Video: Next\x15" "Date: 12/8/2026, again Next\x15");
    EXPECT_EQ(save("n2.rtf"), save("n3.rtf"));
}

TEST_F(RtfTest, ForeignRtfLoadsItsTextTablesListsAndPictures)
{
    std::string png = std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x05\0\0\0\x03\x08\x02\0\0\0", 29);
    std::string hex;
    for (unsigned char c : png) {
        static const char* digits = "0123456789abcdef";
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    std::string word =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}{\\f1\\fswiss Arial{\\*\\panose 00}"
        ";}}{\\colortbl;\\red255\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}}{\\info{\\author Someone}}"
        "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc23\\levelstartat1{\\leveltext\\'01\\u-3913 ?;}}\\listid7}}"
        "{\\*\\listoverridetable{\\listoverride\\listid7\\listoverridecount0\\ls1}}{\\*\\generator Writer}"
        "\\pard\\plain\\f1\\fs24\\qc\\sb120 Caf\\'e9 \\u8364? {\\b\\cf1 bold}\\par"
        "\\pard{\\listtext\\'b7\\tab}\\ls1\\ilvl0\\li720\\fi-360 bullet\\par"
        "\\trowd\\trgaph108\\trleft0\\clbrdrt\\brdrs\\brdrw10\\cellx2000\\clcbpat1\\cellx4000"
        "\\pard\\intbl one\\cell\\pard\\intbl two\\par"
        "\\pard\\intbl\\itap2 deep\\nestcell{\\*\\nesttableprops\\trowd\\cellx1000\\nestrow}{\\nonesttables\\par}"
        "\\pard\\intbl\\itap1 \\cell\\row"
        "\\pard {\\*\\unknowndest skipped {nested}}{\\pict\\pngblip\\picw5\\pich3 " + hex + "}"
        "\\bin4 {}{}\\page after\\par}";
    ASSERT_EQ(open("w.rtf", word), 1);
    std::vector<std::string> got = allLines();
    ASSERT_GE(got.size(), 8u);
    EXPECT_EQ(got[0], "Caf\xE9 \x80 bold\x15");
    EXPECT_EQ(got[1], "bullet\x15");
    EXPECT_EQ(got[2], "one\x13");
    EXPECT_EQ(got[3], "two\x15");
    EXPECT_EQ(got[4], "deep\x13");
    EXPECT_EQ(got[5], "\x12");
    EXPECT_EQ(got[6], "\x13");
    EXPECT_EQ(got[7], "\x12");
    EXPECT_EQ(got.back(), "\x18\x0C" "after\x15");
    int flagsWord = 0, left = 0;
    EditorGetParaProps(hWnd, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr, &flagsWord);
    EXPECT_EQ(flagsWord, kAlignCentre);
    int bullet = 0;
    ASSERT_TRUE(EditorGetListInfo(hWnd, 1, &bullet, nullptr, nullptr));
    EXPECT_EQ(bullet, 1);
    EditorGetParaProps(hWnd, 1, &left, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr);
    EXPECT_EQ(left, 720);
    EXPECT_EQ(EditorGetLineTableLevel(hWnd, 4), 2);
    VekCellProps p{};
    EditorGetCellProps(hWnd, cellOf(2), &p);
    EXPECT_EQ(p.width, 2000);
    EXPECT_EQ(p.borders[1], 10);
    EditorGetCellProps(hWnd, cellOf(3), &p);
    EXPECT_EQ(p.colour, 0x0000FFu);

    unsigned colour = 0;
    EditorGetFontColors(hWnd, line(0).fonts[8], &colour, nullptr);
    EXPECT_EQ(colour, 0x0000FFu);
    RECT r{};
    EditorGetFontData(hWnd, line(static_cast<int>(got.size()) - 1).fonts[0], nullptr, &r, nullptr, nullptr);
    EXPECT_EQ(r.right, 5);
    std::string merged = "{\\rtf1\\trowd\\clmgf\\cellx1000\\clmrg\\cellx2000\\cellx3000"
                         "\\pard\\intbl wide\\cell\\pard\\intbl\\cell\\pard\\intbl last\\cell\\row}";
    ASSERT_EQ(open("m.rtf", merged), 1);
    EXPECT_EQ(EditorGetCellProps(hWnd, cellOf(0), &p) & 0x40, 0);
    EXPECT_EQ(p.colSpan, 2);
    EXPECT_EQ(EditorGetCellProps(hWnd, cellOf(1), &p) & 0x40, 0x40) << "a horizontally merged cell is covered";
    EXPECT_EQ(EditorGetCellProps(hWnd, cellOf(2), &p) & 0x40, 0);
}

TEST_F(RtfTest, DamagedInputLoadsWhatItCanAndBadInputChangesNothing)
{
    EditorInsertText(hWnd, "keep me");
    EXPECT_EQ(open("x.txt", "plain words, no RTF"), 0);
    EXPECT_EQ(EditorOpenRtf(hWnd, (dir.path() / "missing.rtf").c_str()), 0);
    EXPECT_EQ(text(), "keep me\x15") << "nothing was lost";

    buildRich(hWnd);
    std::string good = save("g.rtf");
    // Every cut of a good file loads without a crash, and says it was damaged.
    for (std::size_t n = 5; n < good.size(); n += 7) {
        int r = EditorLoadBuffer(hWnd, [&] {
            HGLOBAL b = GlobalAlloc(GHND, n + 1);
            std::memcpy(GlobalLock(b), good.data(), n);
            GlobalUnlock(b);
            return b;
        }(), 1, 0, 1);
        ASSERT_GE(r, 1) << n;
        ASSERT_GE(lineCount(), 1);
    }
    EXPECT_EQ(open("u.rtf", "{\\rtf1 }}}} text {\\fs99999999999999 big}\\par"), 2);
    EXPECT_EQ(open("d.rtf", "{\\rtf1 " + std::string(100000, '{') + "deep"), 2);
    EXPECT_EQ(text(), "deep");
    EXPECT_EQ(open("h.rtf", "{\\rtf1 \\'zz\\'4 {\\pict\\pngblip 89504e47}\\bin99999999 }"), 2);
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string noise = "{\\rtf1 ";
        for (int i = 0; i < 300; ++i) {
            static const char alphabet[] = "{}\\'*abcdefrtlpinx0123456789 -;\x13\x15\x18\x0F";
            noise += alphabet[random() % (sizeof alphabet - 1)];
        }
        ASSERT_GE(open("r.rtf", noise), 1);
        VekInfo r = info();
        ASSERT_EQ(r.size, 924);
    }
    EXPECT_EQ(EditorSaveRtfEnd(hWnd, (dir.path() / "no" / "such" / "dir.rtf").c_str()), 0);
}

TEST_F(RtfTest, PlainTextBuffersAndTheContainerCalls)
{
    const char* text1 = "line one\r\nline two";
    HGLOBAL b = GlobalAlloc(GHND, std::strlen(text1) + 1);
    std::strcpy(static_cast<char*>(GlobalLock(b)), text1);
    GlobalUnlock(b);
    ASSERT_TRUE(EditorLoadBuffer(hWnd, b, 1, 0, 1));
    EXPECT_EQ(text(), "line one\x15line two\x15");
    EXPECT_EQ(GlobalSize(b), 0u) << "the editor took the block";
    auto path = dir.path() / "notes.rtf";
    EditorSetModified(hWnd, 1);
    ASSERT_TRUE(SaveVekFile(hWnd, path.c_str()));
    EXPECT_EQ(info().modified, 0);
    ASSERT_TRUE(EditorSaveRtfEnd(hWnd, path.c_str())) << "saving over a file replaces it";
    EditorInsertText(hWnd, "changed ");
    ASSERT_EQ(VekLoadFile(hWnd, path.c_str()), 1);
    EXPECT_EQ(text(), "line one\x15line two\x15");
}

// A file another word processor wrote: thousands of colours, a face defined only after text
// already used its number, thousands of words we do not know, and \u both bare and with a value.
TEST_F(RtfTest, ManyColoursFacesAndUnknownWordsReadAsWritten)
{
    const int colours = 3000;
    auto colourOf = [](int k) { return unsigned(k * 7919 % 0xFFFFFF); };
    std::string rtf = "{\\rtf1\\ansi{\\colortbl;";
    for (int k = 0; k < colours; ++k)
        rtf += "\\red" + std::to_string(colourOf(k) & 0xFF) + "\\green" + std::to_string(colourOf(k) >> 8 & 0xFF) +
               "\\blue" + std::to_string(colourOf(k) >> 16) + ";";
    rtf += "}{\\f1 early}";
    rtf += "{\\fonttbl{\\f1\\fnil Courier New;}}{\\f1 late}\\par ";
    for (int k = 0; k < colours; ++k)
        rtf += "{\\cf" + std::to_string(k + 1) + " c}";
    rtf += "{\\cf1 again}\\par ";
    // Words no handler knows, more than any table of them holds, then known ones still work.
    for (int k = 0; k < 1500; ++k)
        rtf += "\\zz" + std::string(1, char('a' + k % 26)) + std::string(1, char('a' + k / 26 % 26)) +
               std::string(1, char('a' + k / 676));
    rtf += "\\u {\\b bold}\\u233?\\par}";
    ASSERT_EQ(open("many.rtf", rtf), 1);

    std::vector<std::uint16_t> fonts;
    std::string chars;
    auto gather = [&] {
        chars.clear();
        fonts.clear();
        for (int n = 0; n < lineCount(); ++n) {
            ks::test::EditorLine l = line(n);
            chars += l.chars;
            fonts.insert(fonts.end(), l.fonts.begin(), l.fonts.end());
        }
    };
    gather();
    ASSERT_EQ(chars.substr(0, 10), "earlylate\x15");
    char face[64] = {};
    int points = 0;
    unsigned style = 0;
    ASSERT_TRUE(EditorGetFontInfo(hWnd, fonts[0], face, &points, &style));
    EXPECT_STRNE(face, "Courier New") << "the number meant no face yet";
    ASSERT_TRUE(EditorGetFontInfo(hWnd, fonts[5], face, &points, &style));
    EXPECT_STREQ(face, "Courier New");

    std::size_t first = 10;
    ASSERT_EQ(chars.substr(first, colours), std::string(colours, 'c'));
    std::set<std::uint16_t> distinct;
    for (int k = 0; k < colours; ++k) {
        unsigned colour = 0, colour2 = 0;
        ASSERT_TRUE(EditorGetFontColors(hWnd, fonts[first + k], &colour, &colour2));
        ASSERT_EQ(colour, colourOf(k)) << k;
        distinct.insert(fonts[first + k]);
    }
    EXPECT_EQ(distinct.size(), std::size_t(colours)) << "every colour its own font";
    EXPECT_EQ(fonts[first + colours], fonts[first]) << "the same look shares one font";
    std::size_t last = chars.rfind("bold");
    ASSERT_NE(last, std::string::npos);
    EXPECT_EQ(chars.substr(last), "bold\xE9\x15");
    ASSERT_TRUE(EditorGetFontInfo(hWnd, fonts[last], face, &points, &style));
    EXPECT_TRUE(style & kBold);

    // Written and read again, every colour comes back.
    std::string written = save("again.rtf");
    ASSERT_EQ(open("again.rtf", written), 1);
    gather();
    ASSERT_EQ(chars.substr(first, colours), std::string(colours, 'c'));
    for (int k = 0; k < colours; k += 97) {
        unsigned colour = 0, colour2 = 0;
        ASSERT_TRUE(EditorGetFontColors(hWnd, fonts[first + k], &colour, &colour2));
        EXPECT_EQ(colour, colourOf(k)) << k;
    }
}
