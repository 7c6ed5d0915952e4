// Character references and character sets through a read and a save: a reference with
// no Windows-1252 character, or with a name no one knows, is shown as written and saved
// as it was read; a UTF-8 page reads as the characters it means, and the saved page says
// in what character set it is.
#include "libxml2_page.h"
#include "read_fixture.h"

#include "addon/convert/html_entities.h"

#include <string>

using namespace ks;
using ks::test::PlxReadTest;

namespace {

class PlxCharsetTest : public PlxReadTest {
protected:
    // The document's characters in kept-reference fonts.
    std::string kept()
    {
        std::string out;
        eachCharacter(hWnd, [&](char c, unsigned style) {
            if (style & addon::kStyleKeptReference)
                out += c;
        });
        return out;
    }
};

// The text of a page's body as libxml2 reads it, in UTF-8, with each run of blanks one blank.
std::string libxml2Text(const std::string& page)
{
    htmlDocPtr doc = test::ParseWithLibxml2(page);
    xmlNode* body = doc ? test::FindBody(xmlDocGetRootElement(doc)) : nullptr;
    xmlChar* text = body ? xmlNodeGetContent(body) : nullptr;
    std::string out;
    for (const char* c = text ? reinterpret_cast<const char*>(text) : ""; *c; ++c) {
        bool blank = *c == ' ' || *c == '\r' || *c == '\n' || *c == '\t';
        if (!blank)
            out += *c;
        else if (!out.empty() && out.back() != ' ')
            out += ' ';
    }
    xmlFree(text);
    xmlFreeDoc(doc);
    if (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}

TEST_F(PlxCharsetTest, ReferencesWithoutAWindows1252CharacterAreShownAndSavedAsWritten)
{
    ASSERT_EQ(read("<p>a &rarr; b &foo; c &#8594; d &mdash; e &euro; f &#x2603; g &amp;rarr; h & i</p>"), 1);
    EXPECT_EQ(text(), "a &rarr; b &foo; c &#8594; d \x97 e \x80 f &#x2603; g &rarr; h & i|");
    EXPECT_EQ(kept(), "&rarr;&foo;&#8594;&#x2603;") << "only the references read are kept";
    std::string page = written();
    for (const char* same : {"&rarr;", "&foo;", "&#8594;", "&#x2603;"})
        EXPECT_TRUE(contains(page, same)) << same << " in\n" << page;
    EXPECT_TRUE(contains(page, "&#8212;")) << "Windows-1252's dash by its Unicode number";
    EXPECT_TRUE(contains(page, "&#8364;"));
    EXPECT_TRUE(contains(page, "g &amp;rarr; h &amp; i")) << "the text \"&rarr;\" stays text";
    EXPECT_EQ(libxml2Text(page), "a \xE2\x86\x92 b &foo; c \xE2\x86\x92 d \xE2\x80\x94 e \xE2\x82\xAC f \xE2\x98\x83 g &rarr; h & i");
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

TEST_F(PlxCharsetTest, TextTypedAfterAKeptReferenceIsEscapedAndTypedReferencesStayText)
{
    ASSERT_EQ(read("<p>x&rarr;</p>"), 1);
    // The caret after the arrow types in the arrow's font.
    EditorMoveCaret(hWnd, 0, 7, 0);
    ASSERT_EQ(EditorInsertText(hWnd, "<&lt;&"), 1);
    EditorMoveCaret(hWnd, 0, 0, 0);
    ASSERT_EQ(EditorInsertText(hWnd, "&rarr; "), 1);
    EXPECT_EQ(text(), "&rarr; x&rarr;<&lt;&|");
    std::string page = written();
    EXPECT_TRUE(contains(page, "&amp;rarr; x&rarr;&lt;&amp;lt;&amp;")) << page;
}

TEST_F(PlxCharsetTest, AUtf8PageReadsAsItsCharactersAndIsSavedInTheCharacterSetItDeclares)
{
    const std::string page = "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">"
                             "<title>Caf\xC3\xA9</title></head><body>"
                             "<p>\xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x80\x93 caf\xC3\xA9\xC2\xA0x \xE2\x86\x92 \xE2\x98\x83"
                             "<a href=\"x.html\" title=\"na\xC3\xAFve\">link</a></p></body></html>";
    ASSERT_EQ(read(page), 1);
    EXPECT_EQ(text().substr(text().find("\x93")), "\x93quoted\x94 \x96 caf\xE9\xA0x &rarr; &#9731;{href=\"x.html\" title=\"na\xEFve\"}link|");
    std::string saved = written();
    EXPECT_FALSE(contains(saved, "UTF-8")) << saved;
    EXPECT_TRUE(contains(saved, "charset=windows-1252")) << saved;
    std::string theirs = libxml2Text(page), ours = libxml2Text(saved);
    EXPECT_EQ(ours, theirs) << saved;

    // Declared by nothing but its bytes, and without a head: the save says it.
    ASSERT_EQ(PlxClearWindow(hWnd), 1);
    ASSERT_EQ(read("<p>\xE2\x80\x9C<a href=x title=\"\xC3\xA9t\xC3\xA9\">q</a>\xE2\x80\x9D</p>"), 1);
    saved = written();
    EXPECT_TRUE(saved.starts_with("<head>\r\n<meta http-equiv=Content-Type content=\"text/html; charset=windows-1252\">")) << saved;
    EXPECT_TRUE(contains(libxml2Text(saved), "\xE2\x80\x9Cq\xE2\x80\x9D")) << saved;

    // A page in another character set stays as it is.
    ASSERT_EQ(PlxClearWindow(hWnd), 1);
    ASSERT_EQ(read("<meta charset=iso-8859-1><p>caf\xE9 \xC3\xA9</p>"), 1);
    EXPECT_EQ(text(), "caf\xE9 \xC3\xA9|");
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}
