// Addresses, targets and picture sources of thousands of characters, as real pages carry
// them (queries, data in addresses, generated ids): read whole, written back whole, and a
// click hands the host the whole address.
#include "libxml2_page.h"
#include "read_fixture.h"

#include "addon/convert/html_tokenizer_state.h"
#include "addon/core/link_dialogs.h"
#include "platform/win/scripted_dialogs.h"
#include "tests/support/temp_dir.h"

#include <map>
#include <string>
#include <vector>

using namespace ks;
using ks::test::PlxReadTest;

namespace {

// An address as generated ones look: a path, then a query of many parameters.
std::string address(std::size_t length)
{
    std::string a = "http://example.org/search/results.cgi?";
    for (int i = 0; a.size() < length; ++i)
        a += "p" + std::to_string(i) + "=v" + std::to_string(i * 7919 % 1000) + "&";
    a.resize(length);
    return a;
}

// A generated id or file name: letters, digits and dashes.
std::string generated(const std::string& start, std::size_t length)
{
    std::string s = start;
    for (int i = 0; s.size() < length; ++i)
        s += "-" + std::to_string(i * 104729 % 100000);
    s.resize(length);
    return s;
}

// The values of one attribute on the page's elements of one name, as libxml2 reads them.
std::vector<std::string> libxml2Values(const std::string& page, const char* element, const char* attribute)
{
    std::vector<std::string> values;
    htmlDocPtr doc = test::ParseWithLibxml2(page);
    auto visit = [&](auto&& self, xmlNode* node) -> void {
        for (xmlNode* n = node; n; n = n->next) {
            if (n->type == XML_ELEMENT_NODE && (!*element || xmlStrEqual(n->name, BAD_CAST element)))
                if (xmlChar* v = xmlGetProp(n, BAD_CAST attribute)) {
                    values.emplace_back(reinterpret_cast<const char*>(v));
                    xmlFree(v);
                }
            self(self, n->children);
        }
    };
    visit(visit, xmlDocGetRootElement(doc));
    xmlFreeDoc(doc);
    return values;
}

// Whether the page has the attribute with exactly that value, quoted or bare, its "&"s as
// they were or as "&amp;".
bool holds(const std::string& page, const std::string& attribute, const std::string& value)
{
    std::string escaped;
    for (char c : value)
        escaped += c == '&' ? std::string("&amp;") : std::string(1, c);
    for (const std::string& v : {value, escaped})
        for (const std::string& written : {"\"" + v + "\"", v + " ", v + ">"})
            if (page.find(" " + attribute + "=" + written) != std::string::npos)
                return true;
    return false;
}

struct LongValues {
    std::string href, name, id, src, alt;
};

LongValues longValues(std::size_t length)
{
    return {address(length), generated("anchor", length), generated("section", length),
            generated("pictures/gallery", length) + ".gif", "A picture of " + generated("parts", length)};
}

std::string pageWith(const LongValues& v)
{
    return "<html><body>\n<p>See <a href=\"" + v.href + "\">the results</a> now.</p>\n<p><a name=\"" + v.name +
           "\"></a>Target</p>\n<h2 id=\"" + v.id + "\">Heading</h2>\n<p><img src=\"" + v.src +
           "\" alt=\"" + v.alt + "\" width=20 height=10></p>\n</body></html>\n";
}

class PlxLongAttributesTest : public PlxReadTest {
protected:
    // The line and column of the first character of what in the document.
    bool find(const std::string& what, int& line, int& col)
    {
        line = lineOf(what);
        if (line < 0)
            return false;
        char chars[301];
        int n = EditorGetLineChars(hWnd, line, chars, nullptr);
        col = int(std::string(chars, std::size_t(n)).find(what));
        return true;
    }
    int paragraphOf(int line)
    {
        int para = -1;
        EditorGetLineInfo(hWnd, line, nullptr, nullptr, nullptr, &para, nullptr, nullptr, nullptr, nullptr);
        return para;
    }
};

}

TEST_F(PlxLongAttributesTest, AddressesNamesIdsSourcesAndAltTextsOfThousandsOfCharactersAreWrittenBackWhole)
{
    for (std::size_t length : {2000u, 10000u}) {
        LongValues v = longValues(length);
        ASSERT_EQ(PlxClearWindow(hWnd), 1);
        host->heard.clear();
        ASSERT_EQ(read(pageWith(v)), 1) << length;
        EXPECT_EQ(heard(3280), std::vector<std::string>{v.href}) << "the host hears the whole address";

        std::string page = written();
        // As written, byte for byte.
        EXPECT_TRUE(holds(page, "href", v.href)) << length;
        EXPECT_TRUE(holds(page, "name", v.name)) << length;
        EXPECT_TRUE(holds(page, "id", v.id)) << length;
        EXPECT_TRUE(holds(page, "src", v.src)) << length;
        EXPECT_TRUE(holds(page, "alt", v.alt)) << length;
        // And as another reader reads the saved page.
        EXPECT_EQ(libxml2Values(page, "a", "href"), std::vector<std::string>{v.href}) << length;
        EXPECT_EQ(libxml2Values(page, "a", "name"), std::vector<std::string>{v.name}) << length;
        EXPECT_EQ(libxml2Values(page, "", "id"), std::vector<std::string>{v.id}) << length;
        EXPECT_EQ(libxml2Values(page, "img", "src"), std::vector<std::string>{v.src}) << length;
        EXPECT_EQ(libxml2Values(page, "img", "alt"), std::vector<std::string>{v.alt}) << length;

        // Read again, the saved page is saved the same.
        ASSERT_EQ(PlxClearWindow(hWnd), 1);
        ASSERT_EQ(read(page), 1);
        EXPECT_EQ(written(), page) << length;
    }
}

TEST_F(PlxLongAttributesTest, AFileReadInBlocksKeepsItsLongValuesWhole)
{
    // A Windows-1252 page (its "\xE9" is no UTF-8) is read from the file a block at a time:
    // the values run across many blocks.
    LongValues v = longValues(10000);
    test::TempDir dir;
    std::string path = dir.write("caf\xE9.htm", "<p>Caf\xE9</p>\n" + pageWith(v)).string();
    ASSERT_EQ(PlxRead(hWnd, 0, path.c_str(), nullptr, 0, nullptr), 1);
    std::string page = written();
    EXPECT_EQ(libxml2Values(page, "a", "href"), std::vector<std::string>{v.href});
    EXPECT_EQ(libxml2Values(page, "", "id"), std::vector<std::string>{v.id});
    EXPECT_EQ(libxml2Values(page, "img", "alt"), std::vector<std::string>{v.alt});
}

TEST_F(PlxLongAttributesTest, AClickOnALongLinkHandsTheHostTheWholeAddress)
{
    LongValues v = longValues(10000);
    ASSERT_EQ(read(pageWith(v)), 1);
    int line = 0, col = 0;
    ASSERT_TRUE(find("the results", line, col));
    EditorSetReadOnly(hWnd, 1);
    host->heard.clear();
    EXPECT_EQ(EditorClickAt(hWnd, line, col + 2, 5, 5, 0), 1);
    DispatchPostedMessages();
    EXPECT_EQ(heard(3275), std::vector<std::string>{v.href});

    // The editor gives the run whole, or says how long it is when the buffer is too small.
    EditorMoveCaret(hWnd, line, col + 2, 0);
    char small[301];
    int length = EditorGetHiddenRun(hWnd, small, sizeof small, nullptr, nullptr);
    EXPECT_EQ(length, int(std::string("href=\"" + v.href + "\"").size()));
    EXPECT_EQ(std::string(small), ("href=\"" + v.href).substr(0, 300));
    std::string whole(std::size_t(length) + 1, 0);
    EXPECT_EQ(EditorGetHiddenRun(hWnd, whole.data(), length + 1, nullptr, nullptr), length);
    EXPECT_EQ(whole.c_str(), "href=\"" + v.href + "\"");

    // A link to a long id of the page goes there.
    EditorSetReadOnly(hWnd, 0);
    ASSERT_EQ(PlxClearWindow(hWnd), 1);
    ASSERT_EQ(read(pageWith(v) + "<p><a href=\"#" + v.id + "\">back up</a></p>"), 1);
    ASSERT_TRUE(find("back up", line, col));
    EditorSetReadOnly(hWnd, 1);
    host->heard.clear();
    EXPECT_EQ(EditorClickAt(hWnd, line, col + 2, 5, 5, 0), 1);
    EXPECT_EQ(heard(3283), std::vector<std::string>{"#" + v.id});
    EXPECT_EQ(paragraphOf(info().caretLine), paragraphOf(lineOf("Heading"))) << "the heading's id is in its paragraph";
    EditorSetReadOnly(hWnd, 0);

    // The exported lookup has buffers of 301: it gives what fits.
    ASSERT_TRUE(find("the results", line, col));
    EditorMoveCaret(hWnd, line, col + 2, 0);
    char href[301] = "junk";
    EXPECT_EQ(PlxGetLinkDataEx(hWnd, href, nullptr, nullptr), 1);
    EXPECT_EQ(std::string(href), v.href.substr(0, 300));
}

TEST_F(PlxLongAttributesTest, AMegabyteValueIsLeftOutAndTheRestOfThePageIsRead)
{
    std::string huge = address(1 << 20), kept = address(addon::kHtmlAttributeTextMost - 100);
    std::string page = "<p><a href=\"" + huge + "\" name=short>first</a> <img src=\"" + huge +
                       "\" alt=\"the picture\"> <a href=\"" + kept + "\">second</a></p><p>after</p>";
    ASSERT_EQ(read(page), 1);
    std::string shown = text();
    EXPECT_NE(shown.find("{name=short}first"), std::string::npos) << "the tag keeps what fits";
    EXPECT_NE(shown.find("after"), std::string::npos);
    EXPECT_NE(shown.find("the picture"), std::string::npos) << "a picture without its source shows its alt text";
    EXPECT_NE(shown.find("{href=\"" + kept + "\"}second"), std::string::npos) << "a value below the bound stays";
    EXPECT_LT(shown.size(), kept.size() + 200) << "no part of the megabyte is kept";
    std::string saved = written();
    EXPECT_LT(saved.size(), std::size_t(addon::kHtmlAttributeTextMost + 1000));
    EXPECT_EQ(libxml2Values(saved, "a", "href"), std::vector<std::string>{kept});
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PlxLongAttributesTest, AFormsLongActionAndItsFieldsLongValuesAreWrittenBackWhole)
{
    std::string action = address(2000), query = generated("query", 2000), state = generated("state", 10000);
    std::string page = "<form method=post action=\"" + action + "\"><p>Find <input type=text name=q value=\"" + query +
                       "\"> <input type=hidden name=s value=\"" + state + "\"><input type=submit value=Go></p></form>";
    ASSERT_EQ(read(page), 1);
    std::string saved = written();
    EXPECT_TRUE(holds(saved, "action", action));
    EXPECT_TRUE(holds(saved, "value", query)) << "the text field's value, read from its control";
    EXPECT_TRUE(holds(saved, "value", state));
    EXPECT_EQ(libxml2Values(saved, "form", "action"), std::vector<std::string>{action});

    // The form record keeps its 99 characters for the exported lookup.
    char kept[100] = "", method[8] = "";
    EXPECT_EQ(PlxGetFormInfo(hWnd, 0, kept, method), 3);
    EXPECT_EQ(std::string(kept), action.substr(0, 99));
}

TEST_F(PlxLongAttributesTest, UpdatingALongLinkKeepsWhatTheDialogCouldNotShowUnlessItWasChanged)
{
    std::string href = address(2000), other = address(1500) + "#end";
    ASSERT_EQ(read("<p><a href=\"" + href + "\">the results</a> and more</p>"), 1);
    int line = 0, col = 0;
    ASSERT_TRUE(find("the results", line, col));
    win::ScriptedDialogs script;

    // Only the target typed: the address the dialog showed the start of stays whole.
    script.expect("LinkDataParam", [&](win::DialogUser& user) {
        EXPECT_EQ(user.text(addon::kLinkHref), href.substr(0, 300));
        user.type(addon::kLinkTarget, "_top");
        user.ok();
    });
    EditorMoveCaret(hWnd, line, col + 2, 0);
    ASSERT_EQ(PlxUpdateLinkEx(hWnd, nullptr, nullptr, nullptr, 0), 1);
    std::string saved = written();
    EXPECT_EQ(libxml2Values(saved, "a", "href"), std::vector<std::string>{href});
    EXPECT_EQ(libxml2Values(saved, "a", "target"), std::vector<std::string>{"_top"});

    // An address the dialog changed is the one typed.
    script.expect("LinkDataParam", [](win::DialogUser& user) {
        user.type(addon::kLinkHref, "short.htm");
        user.ok();
    });
    EditorMoveCaret(hWnd, line, col + 2, 0);
    ASSERT_EQ(PlxUpdateLinkEx(hWnd, nullptr, nullptr, nullptr, 0), 1);
    EXPECT_EQ(libxml2Values(written(), "a", "href"), std::vector<std::string>{"short.htm"});

    // Given by the host, an address of any length goes in whole, updated or inserted.
    ASSERT_TRUE(find("the results", line, col));
    EditorMoveCaret(hWnd, line, col + 2, 0);
    ASSERT_EQ(PlxUpdateLinkEx(hWnd, other.c_str(), nullptr, nullptr, 0), 1);
    EXPECT_EQ(libxml2Values(written(), "a", "href"), std::vector<std::string>{other});
    std::string inserted = address(1800) + "#inserted";
    ASSERT_TRUE(find("more", line, col));
    EditorMoveCaret(hWnd, line, col, 0);
    ASSERT_EQ(PlxInsertLink(hWnd, "inserted", nullptr, inserted.c_str(), nullptr, 0, 0), 1);
    EXPECT_EQ(libxml2Values(written(), "a", "href"), (std::vector<std::string>{other, inserted}));
    EXPECT_TRUE(script.faults().empty());
}

TEST_F(PlxLongAttributesTest, AQuoteInANameOrABareValueOfLongLinkDataIsWrittenAsItWasRead)
{
    // The tag reader takes these quotes as letters; were they taken to open a value, the
    // writer would close it at the data's end and break its lines elsewhere.
    std::string words;
    for (int i = 0; words.size() < 400; ++i)
        words += "word" + std::to_string(i) + " ";
    std::string page = "<p>See <a href=a.htm x\" title=b\"c note=\"" + words + "\">the page</a> and <a name=top>" +
                       words + "</a> and <a href=\"" + address(600) + "\" y=\">more</a></p>";
    ASSERT_EQ(read(page), 1);
    std::string first = written();
    EXPECT_NE(first.find("<a href=a.htm x\" title=b\"c note=\"" + words + "\">"), std::string::npos) << first;
    ASSERT_EQ(PlxClearWindow(hWnd), 1);
    ASSERT_EQ(read(first), 1);
    EXPECT_EQ(written(), first);
}
