// Pictures placed by img tags: every kind of picture file, found beside the page, sized,
// aligned, linked, with an animation's frames; a picture that cannot be had keeps its
// place, tag and ALT text; a file named again is decoded once.
#include "read_fixture.h"

#include "tests/platform/pictures/picture_fixtures.h"
#include "addon/core/picture_read.h"
#include "addon/core/vek_callback.h"
#include "platform/editor/model/editor.h"
#include "tests/support/temp_dir.h"

#include <QBuffer>
#include <QImage>

#include <sys/stat.h>

using namespace ks;
using namespace ks::addon;
using ks::test::Bytes;
using ks::test::PlxReadTest;

namespace {

std::string asText(const Bytes& b) { return std::string(b.begin(), b.end()); }

std::string qtImage(const char* format)
{
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toStdString();
}

// A placeable metafile of 2 by 1 inches with nothing in it.
std::string placeableWmf()
{
    std::string f(22 + 18 + 6, '\0');
    auto put16 = [&](std::size_t at, int v) {
        f[at] = char(v & 0xFF);
        f[at + 1] = char((v >> 8) & 0xFF);
    };
    put16(0, 0xCDD7);
    put16(2, 0x9AC6);
    put16(10, 2880);
    put16(12, 1440);
    put16(14, 1440);
    put16(22, 1);
    put16(24, 9);
    put16(26, 0x300);
    put16(28, 23);
    put16(40, 3);
    return f;
}

Bytes gifOf(int frames)
{
    std::vector<std::uint8_t> palette = {0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 0, 255};
    std::vector<test::GifFrameShape> shapes;
    for (int i = 0; i < frames; ++i) {
        test::GifFrameShape s;
        s.width = 5;
        s.height = 3;
        s.delay = 10 * (i + 1);
        s.indices = test::patternIndices(5, 3, 4, i);
        shapes.push_back(s);
    }
    return test::makeGif(5, 3, palette, shapes, frames > 1 ? 0 : -1);
}

class PlxReadPictureTest : public PlxReadTest {
protected:
    void SetUp() override
    {
        PlxReadTest::SetUp();
        dir.write("pics/one.gif", asText(gifOf(1)));
        dir.write("pics/anim.gif", asText(gifOf(3)));
        test::TiffPicture tiff;
        tiff.width = 7;
        tiff.height = 5;
        tiff.rows = test::patternIndices(7, 5, 256);
        test::makeTiff(tiff, (dir.path() / "pics/grey.tif").string());
        test::JpegPicture jpeg;
        jpeg.width = 16;
        jpeg.height = 8;
        jpeg.pixels = test::patternRgb(16, 8);
        dir.write("photo.jpeg", asText(test::makeJpeg(jpeg)));
        dir.write("pics/box.bmp", qtImage("BMP"));
        dir.write("pics/box.png", qtImage("PNG"));
        dir.write("pics/plan.wmf", placeableWmf());
    }
    int readPage(const std::string& html)
    {
        std::string page = dir.write("page.htm", html).string();
        return PlxRead(hWnd, 0, page.c_str(), nullptr, 0, nullptr);
    }
    // The ids of the pictures in the document, in order.
    std::vector<int> pictures()
    {
        std::vector<int> ids;
        for (int line = 0; line < info().lineCount; ++line) {
            char chars[301];
            std::uint16_t fonts[301];
            int n = EditorGetLineChars(hWnd, line, chars, fonts);
            for (int i = 0; i < n; ++i)
                if (chars[i] == 0x18)
                    ids.push_back(fonts[i]);
        }
        return ids;
    }
    editor::ObjectData& object(int id) { return *editor::findEditor(hWnd)->object(id); }
    std::string fileName(int id)
    {
        char name[261]{};
        EditorPictureFileName(hWnd, id, 1, name);
        return name;
    }
    test::TempDir dir;
};

}

TEST_F(PlxReadPictureTest, EveryKindOfPictureIsPlacedWhereItsTagStands)
{
    ASSERT_EQ(readPage("<p>gif <img src=pics/one.gif> tif <img src=\"pics/grey.tif\"> jpeg <img src=photo.jpeg>"
                       " bmp <img src=pics/box.bmp> png <img src=pics/box.png> wmf <img src=pics/plan.wmf>"),
              1);
    EXPECT_EQ(text(), "gif # tif # jpeg # bmp # png # wmf #");
    std::vector<int> ids = pictures();
    ASSERT_EQ(ids.size(), 6u);
    using F = editor::ObjectData::Format;
    const F formats[] = {F::Dib, F::Dib, F::Dib, F::Bmp, F::Png, F::Wmf};
    const int widths[] = {5, 7, 16, 6, 6, 192};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(object(ids[i]).format, formats[i]);
        EXPECT_EQ(object(ids[i]).rect.right, widths[i]);
        unsigned style = 0;
        EditorGetFontData(hWnd, ids[i], &style, nullptr, nullptr, nullptr);
        EXPECT_EQ(style & 0x4080, 0x80u);
    }
    EXPECT_EQ(fileName(ids[1]), "pics/grey.tif") << "the name as the page gives it";
    EXPECT_EQ(heard(3276).size(), 6u) << "the host is asked first";
    int placed = 0;
    for (const auto& m : host->heard)
        if (m.message == 3278 && m.lParam == ids[placed])
            ++placed;
    EXPECT_EQ(placed, 6);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PlxReadPictureTest, AnAnimatedGifKeepsItsFurtherFramesAndDelays)
{
    readPage("<img src=pics/anim.gif>");
    std::vector<int> ids = pictures();
    ASSERT_EQ(ids.size(), 1u);
    const editor::ObjectData& animated = object(ids[0]);
    ASSERT_EQ(animated.frames.size(), 2u) << "three images: the picture and two frames";
    EXPECT_EQ(animated.frames[0].delay, 10) << "the first added frame carries the first image's delay";
    EXPECT_EQ(animated.frames[1].delay, 20);
    EXPECT_EQ(animated.frameDelay, 30);
}

TEST_F(PlxReadPictureTest, SizesAlignmentLinksAndMapsComeFromTheTag)
{
    readPage("<a href=x.htm><img src=pics/one.gif width=50% height=40 align=middle></a>"
             "<img src=pics/box.png width=30 height=20 ismap usemap=#m align=right>"
             "<img src=pics/box.bmp align=top width=2in>");
    std::vector<int> ids = pictures();
    ASSERT_EQ(ids.size(), 3u);
    std::int32_t w = 0, h = 0;
    ASSERT_GE(PlxGetTagData(hWnd, 2, ids[0], 0, &w, &h, nullptr, nullptr), 0);
    EXPECT_EQ(w, -50);
    EXPECT_EQ(h, 40);
    EXPECT_EQ(object(ids[0]).verticalAlign, 1);
    unsigned style = 0;
    EditorGetFontData(hWnd, ids[0], &style, nullptr, nullptr, nullptr);
    EXPECT_EQ(style & 0x4000, 0x4000u) << "inside a link";

    EXPECT_EQ(object(ids[1]).rect.right, 30);
    EXPECT_EQ(object(ids[1]).rect.bottom, 20);
    EXPECT_EQ(object(ids[1]).aux, 1) << "a server-side map";
    EXPECT_EQ(object(ids[1]).floatSide, 2);
    char map[301];
    ASSERT_GE(PlxGetTagData(hWnd, 4, ids[1], 0, nullptr, nullptr, map, nullptr), 0);
    EXPECT_STREQ(map, "#m");

    EXPECT_EQ(object(ids[2]).verticalAlign, 2);
    EXPECT_EQ(object(ids[2]).rect.right, 192) << "two inches at 96 pixels an inch";
}

TEST_F(PlxReadPictureTest, AMissingPictureKeepsItsTagAndShowsItsAltText)
{
    ASSERT_EQ(::mkfifo((dir.path() / "pics/pipe.gif").c_str(), 0600), 0);
    readPage("a <img src=pics/none.gif alt=\"[no picture]\" width=40 height=30 usemap=#m> b <img alt=plain>"
             " c <img src=pics/notes.txt> <img src=pics/pipe.gif alt=\" pipe\" width=25%>");
    EXPECT_EQ(text(), "a # b plain c # #") << "a picture without a source is its alt text";
    std::vector<int> ids = pictures();
    ASSERT_EQ(ids.size(), 3u);
    for (int id : ids)
        EXPECT_EQ(EditorPictureIsPlaceholder(hWnd, id), 1) << "a pipe is no picture file";
    EXPECT_EQ(fileName(ids[0]), "pics/none.gif");
    EXPECT_EQ(object(ids[0]).altText, "[no picture]");
    EXPECT_EQ(object(ids[0]).rect.right, 40);
    EXPECT_EQ(object(ids[0]).rect.bottom, 30);
    EXPECT_GT(object(ids[1]).rect.right, 0) << "a placeholder without a size still takes room";

    // Saved, the tags come back as they were read; read again, the same placeholders.
    const std::string saved = written();
    ASSERT_NE(saved, "(write failed)");
    EXPECT_NE(saved.find("<img src=pics/none.gif width=40 height=30 alt=\"[no picture]\" usemap=#m>"), std::string::npos)
        << saved;
    EXPECT_NE(saved.find("<img src=pics/notes.txt>"), std::string::npos) << "no size invented for it: " << saved;
    EXPECT_NE(saved.find("width=25%"), std::string::npos) << saved;
    readPage(saved);
    ids = pictures();
    ASSERT_EQ(ids.size(), 3u);
    EXPECT_EQ(object(ids[0]).altText, "[no picture]");
    EXPECT_EQ(object(ids[0]).rect.right, 40);
}

// A source that holds a character ending a bare value (a form feed, as a blank) is saved
// quoted: read back, the source is whole.
TEST_F(PlxReadPictureTest, ASourceHoldingAFormFeedIsSavedWhole)
{
    readPage("<img src=\"pics/form\ffeed.gif\" alt=x>");
    ASSERT_EQ(pictures().size(), 1u);
    ASSERT_EQ(fileName(pictures()[0]), "pics/form\ffeed.gif");
    const std::string saved = written();
    ASSERT_NE(saved, "(write failed)");
    readPage(saved);
    ASSERT_EQ(pictures().size(), 1u) << saved;
    EXPECT_EQ(fileName(pictures()[0]), "pics/form\ffeed.gif") << saved;
}

// A picture alone in its paragraph is that paragraph, as in a browser, found or not: the
// next paragraph's begin, a rule or a list item ends it. It joined the next paragraph's
// text, and before a rule it was lost with the rule's paragraph when saved.
TEST_F(PlxReadPictureTest, APictureAloneInItsParagraphKeepsItsParagraph)
{
    readPage("<p><img src=pics/one.gif></p><p>next<p><img src=pics/none.gif alt=gone><hr><p>after"
             "<ul><li><img src=pics/box.png><li>item</ul>");
    EXPECT_EQ(text(), "#|next|#||after|#|item|");
    const std::string saved = written();
    ASSERT_NE(saved, "(write failed)");
    EXPECT_NE(saved.find("<img src=pics/none.gif alt=gone></p>\r\n<hr>"), std::string::npos) << saved;
    ASSERT_EQ(PlxClearWindow(hWnd), 1);
    readPage(saved);
    EXPECT_EQ(text(), "#|next|#||after|#|item|");
    // So is one alone in its line after a break, in "pre" as outside it.
    for (const char* page : {"a<br><img src=pics/one.gif><p>b", "<pre>\n<img src=pics/one.gif><div>b</div></pre>"}) {
        ASSERT_EQ(PlxClearWindow(hWnd), 1);
        readPage(page);
        EXPECT_NE(text().find("#|b"), std::string::npos) << page << ": " << text();
    }
}

TEST_F(PlxReadPictureTest, PathsResolveAgainstThePageAndTheHostMayName)
{
    std::string absolute = (dir.path() / "pics/one.gif").string();
    chmod(absolute.c_str(), 0444);
    readPage("<img src=\"//localhost" + absolute + "\"><img src=" + absolute + ">");
    EXPECT_EQ(pictures().size(), 2u) << "a read-only picture is a picture";

    char path[kPictPathSize] = "//LOCALHOST/C:/PICS/A.GIF";
    ctx().fileName[0] = 0;
    EXPECT_EQ(ResolvePictPath(&ctx(), path), kPictNone) << "no such file here";
    EXPECT_STREQ(path, "C:/PICS/A.GIF");

    // The host answers the type itself: its answer stands, even "none".
    host->answer = kPictNone;
    readPage("<p>x<img src=pics/one.gif alt=refused>");
    ASSERT_EQ(pictures().size(), 1u);
    EXPECT_EQ(EditorPictureIsPlaceholder(hWnd, pictures()[0]), 1);
    EXPECT_EQ(object(pictures()[0]).altText, "refused");
}

TEST_F(PlxReadPictureTest, TheBodysBackgroundPictureIsLoaded)
{
    readPage("<body background=pics/box.png>text");
    EXPECT_EQ(heard(3282).size(), 1u);
    EXPECT_STREQ(ctx().bkPictureName, "pics/box.png");
    EXPECT_NE(editor::findEditor(hWnd)->backgroundPicture, 0);
}

TEST_F(PlxReadPictureTest, BrokenPictureFilesFailCleanly)
{
    dir.write("pics/bad.gif", "GIF89a not really");
    dir.write("pics/bad.jpg", std::string("\xFF\xD8\xFF\xE0 truncated", 14));
    readPage("<img src=pics/bad.gif alt=g><img src=pics/bad.jpg alt=j>after");
    EXPECT_EQ(text(), "##after");
    ASSERT_EQ(pictures().size(), 2u);
    EXPECT_EQ(object(pictures()[1]).altText, "j") << "a picture that cannot be decoded stands as a placeholder";
}

TEST_F(PlxReadPictureTest, AFileNamedOftenIsDecodedOnceAndTheDocumentsPixelsAreBounded)
{
    std::string tenTimes;
    for (int i = 0; i < 10; ++i)
        tenTimes += "<img src=photo.jpeg width=" + std::to_string(10 + i) + ">";
    readPage("<p>" + tenTimes + "<img src=pics/anim.gif><img src=pics/anim.gif>");
    std::vector<int> ids = pictures();
    ASSERT_EQ(ids.size(), 12u);
    for (int i = 1; i < 10; ++i) {
        EXPECT_EQ(object(ids[i]).data.shared(), object(ids[0]).data.shared()) << "the bytes are decoded once";
        EXPECT_EQ(object(ids[i]).rect.right, 10 + i) << "each place keeps its own size";
    }
    EXPECT_EQ(object(ids[11]).frames.size(), 2u) << "a shared animation keeps its frames";

    // A JPEG of a few hundred bytes whose header says 9000 x 9000 and which ends before its
    // scan (the decoder gives a black picture of that size), named ten times: refused once
    // (its pixels pass the document's budget), the page still read round it.
    test::JpegPicture tiny;
    tiny.width = tiny.height = 8;
    tiny.pixels = test::patternRgb(8, 8);
    std::string huge = asText(test::makeJpeg(tiny));
    std::size_t sof = huge.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    huge[sof + 5] = huge[sof + 7] = char(9000 >> 8);
    huge[sof + 6] = huge[sof + 8] = char(9000 & 0xFF);
    huge = huge.substr(0, huge.find("\xFF\xDA")) + "\xFF\xD9";
    ASSERT_LT(huge.size(), 1000u);
    dir.write("huge.jpg", huge);
    std::string page = "<p>before ";
    for (int i = 0; i < 10; ++i)
        page += "<img src=huge.jpg alt=huge>";
    readPage(page + " after</p>");
    EXPECT_EQ(text(), "before ########## after|");
    ids = pictures();
    ASSERT_EQ(ids.size(), 10u);
    for (int id : ids)
        EXPECT_EQ(EditorPictureIsPlaceholder(hWnd, id), 1);
    EXPECT_TRUE(boxes.empty()) << "refused as a missing picture is: " << boxes.front();
}

TEST_F(PlxReadPictureTest, APictureTheEditorAsksForByNameKeepsItsAnimation)
{
    std::string anim = (dir.path() / "pics/anim.gif").string();
    auto dib = reinterpret_cast<HGLOBAL>(vekCallback(hWnd, kVekPictureNeeded, 0, reinterpret_cast<LPARAM>(anim.c_str())));
    ASSERT_NE(dib, nullptr);
    int picture = EditorInsertPictureHandle(hWnd, 8, dib, 0, 0, 0);
    GlobalFree(dib);
    ASSERT_GT(picture, 0);
    ASSERT_NE(ctx().pictureFrames, nullptr);
    EXPECT_EQ(ctx().pictureFrames->frameCount, 2);
    EXPECT_EQ(vekCallback(hWnd, kVekPictureMade, 0, picture), 0);
    EXPECT_EQ(ctx().pictureFrames, nullptr);
    EXPECT_EQ(object(picture).frames.size(), 2u);
}
