// Real pages no one here wrote — the HTML documentation Debian packages install (setup.sh
// installs two such packages) — read by PlxRead and by libxml2's HTML parser: the words of
// the editor's document must be the words libxml2 finds in the page's body, in order.
// libxml2 reads the page as ISO 8859-1 bytes, as PlxRead does. What PlxRead does differently
// by design is applied to libxml2's side first, each rule with the reason the reader has it.
// What the writer makes of each page parses with no error the page did not have, and with
// the same words.
#include "read_fixture.h"

#include "addon/convert/html_entities.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iconv.h>
#include <set>
#include <sstream>
#include <strings.h>

using namespace ks;
using ks::test::PlxReadTest;

namespace {

namespace fs = std::filesystem;

// The documentation folders of the packages setup.sh installs for this test.
const char* const kDocFolders[] = {"/usr/share/doc/debian/FAQ", "/usr/share/developers-reference"};

std::vector<std::string> pages()
{
    std::vector<std::string> found;
    for (const char* folder : kDocFolders) {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder, error)) {
            std::string name = entry.path().filename().string();
            bool html = entry.path().extension() == ".html";
            // The FAQ names each page twice (a link without the language).
            bool alias = fs::is_symlink(entry.symlink_status());
            if (html && !alias && name != "search.html")
                found.push_back(entry.path().string());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool isBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::vector<std::string> words(const std::string& text)
{
    std::vector<std::string> list;
    std::string word;
    for (unsigned char c : text) {
        if (isBlank(c)) {
            if (!word.empty())
                list.push_back(word);
            word.clear();
        } else {
            word += char(c);
        }
    }
    if (!word.empty())
        list.push_back(word);
    return list;
}

// The standard names libxml2 decodes the way the reader's tables do; the reader knows no
// others (Part rules: the first letter of an accented name, else the text as written).
bool sharedEntityName(const std::string& name)
{
    static const char* const shared[] = {"amp", "lt", "gt", "quot", "deg", "nbsp", "copy", "reg"};
    for (const char* s : shared)
        if (name == s)
            return true;
    int c = ks::addon::HtmlEntityCharacter(name.c_str(), name.size());
    return c >= 0xC0 && c != (unsigned char)name[0];
}

// libxml2's input: entities the reader decodes by its own rules are written out as the
// reader decodes them; a non-breaking space is the ordinary blank the reader makes of it.
std::string asTheReaderDecodesEntities(const std::string& page)
{
    std::string out;
    for (std::size_t i = 0; i < page.size(); ++i) {
        if (page[i] != '&') {
            out += page[i];
            continue;
        }
        std::size_t semicolon = page.find(';', i + 1);
        if (semicolon == std::string::npos || semicolon - i >= 19) {
            out += "&amp;";
            continue;
        }
        std::string name = page.substr(i + 1, semicolon - i - 1);
        if (strcasecmp(name.c_str(), "nbsp") == 0) {
            out += ' ';
            i = semicolon;
            continue;
        }
        if (name.empty() || name[0] == '#' || sharedEntityName(name)) {
            out += name.empty() ? "&amp;" : "&";
            continue;
        }
        int c = ks::addon::HtmlEntityCharacter(name.c_str(), name.size());
        if (c < 0) {
            out += "&amp;";
            continue;
        }
        out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : std::string(1, char(c));
        i = semicolon;
    }
    return out;
}

// libxml2's UTF-8 back to the editor's Windows-1252 ('?' where it has no character).
std::string toWindows1252(const char* utf8)
{
    std::string out;
    iconv_t convert = iconv_open("CP1252", "UTF-8");
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8); *p;) {
        int length = *p < 0x80 ? 1 : *p < 0xE0 ? 2 : *p < 0xF0 ? 3 : 4;
        std::uint32_t code = length == 1 ? *p : *p & (0xFF >> (length + 1));
        for (int k = 1; k < length && p[k]; ++k)
            code = code << 6 | (p[k] & 0x3F);
        if (code < 0x100) {
            out += char(code);
        } else {
            char in[4], converted[4];
            std::memcpy(in, p, std::size_t(length));
            char* inPtr = in;
            char* outPtr = converted;
            std::size_t inLeft = std::size_t(length), outLeft = 4;
            bool ok = iconv(convert, &inPtr, &inLeft, &outPtr, &outLeft) != std::size_t(-1) && outLeft == 3;
            out += ok ? converted[0] : '?';
        }
        p += length;
    }
    iconv_close(convert);
    return out;
}

// Elements whose ends are paragraph, cell or line ends in the reader.
bool isBlockElement(const std::string& name)
{
    static const char* const blocks[] = {"p", "div", "br", "li", "dt", "dd", "td", "th", "tr", "table", "caption",
                                         "h1", "h2", "h3", "h4", "h5", "h6", "h7", "pre", "blockquote", "address",
                                         "ul", "ol", "dl", "menu", "dir", "hr", "form", "body"};
    for (const char* b : blocks)
        if (name == b)
            return true;
    return false;
}

bool isTableFrame(const std::string& name)
{
    return name == "table" || name == "tbody" || name == "thead" || name == "tfoot" || name == "tr";
}

struct Walk {
    std::string text;
    bool inForm = false;
};

void walk(xmlNode* node, Walk& w)
{
    for (xmlNode* n = node; n; n = n->next) {
        if (n->type == XML_TEXT_NODE || n->type == XML_CDATA_SECTION_NODE) {
            // Text between a table's rows and cells: the reader suppresses it.
            std::string parent = n->parent && n->parent->name ? reinterpret_cast<const char*>(n->parent->name) : "";
            if (!isTableFrame(parent))
                w.text += toWindows1252(reinterpret_cast<const char*>(n->content));
            continue;
        }
        if (n->type != XML_ELEMENT_NODE)
            continue;
        std::string name = reinterpret_cast<const char*>(n->name);
        // Script text, noframes text and the head never reach the document; a form's text
        // areas and option lists become field values.
        if (name == "script" || name == "noframes" || name == "head" || name == "title" ||
            ((name == "textarea" || name == "select") && w.inForm))
            continue;
        if (name == "style" && n->parent && n->parent->name && xmlStrEqual(n->parent->name, BAD_CAST "head"))
            continue;
        bool block = isBlockElement(name);
        if (block)
            w.text += ' ';
        bool form = w.inForm;
        w.inForm |= name == "form";
        walk(n->children, w);
        w.inForm = form;
        if (block)
            w.text += ' ';
    }
}

xmlNode* findBody(xmlNode* node)
{
    for (xmlNode* n = node; n; n = n->next) {
        if (n->type == XML_ELEMENT_NODE && xmlStrEqual(n->name, BAD_CAST "body"))
            return n;
        if (xmlNode* found = findBody(n->children))
            return found;
    }
    return nullptr;
}

std::vector<std::string> libxml2Words(const std::string& page, const std::string& path)
{
    std::string input = asTheReaderDecodesEntities(page);
    htmlDocPtr doc = htmlReadMemory(input.data(), int(input.size()), path.c_str(), "ISO-8859-1",
                                    HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET);
    Walk w;
    if (xmlNode* body = doc ? findBody(xmlDocGetRootElement(doc)) : nullptr)
        walk(body->children, w);
    xmlFreeDoc(doc);
    return words(w.text);
}

// The first place the lists part, with a few words of each around it.
std::string firstDifference(const std::vector<std::string>& ours, const std::vector<std::string>& theirs)
{
    std::size_t i = 0;
    while (i < ours.size() && i < theirs.size() && ours[i] == theirs[i])
        ++i;
    auto around = [&](const std::vector<std::string>& list) {
        std::ostringstream s;
        for (std::size_t k = i >= 5 ? i - 5 : 0; k < std::min(list.size(), i + 8); ++k)
            s << (k == i ? " >>" : " ") << list[k];
        return s.str();
    };
    return "word " + std::to_string(i) + "\n  ours:   " + around(ours) + "\n  libxml2:" + around(theirs);
}

class HtmlDifferentialTest : public PlxReadTest {
protected:
    // The words of the document: hidden link data left out, paragraph, line, cell and row
    // ends as blanks, objects as nothing.
    std::vector<std::string> documentWords(HWND w)
    {
        std::string all;
        eachCharacter(w, [&](char c, unsigned style) {
            if (!(style & 0x40) && c != 0x18)
                all += c == 0x15 || c == 0x0F || c == 0x13 || c == 0x12 ? ' ' : c;
        });
        return words(all);
    }
};

}

TEST_F(HtmlDifferentialTest, RealPagesGiveTheWordsLibxml2FindsInTheirBodies)
{
    std::vector<std::string> list = pages();
    if (list.empty())
        GTEST_SKIP() << "no documentation pages: run setup.sh";
    EXPECT_GE(list.size(), 24u);
    std::size_t totalWords = 0;
    for (const std::string& path : list) {
        SCOPED_TRACE(path);
        HWND w = newEditor();
        ASSERT_EQ(PlxInitialize(w, hostWnd), 1);
        ASSERT_EQ(PlxRead(w, 0, path.c_str(), nullptr, 0, nullptr), 1);
        std::vector<std::string> ours = documentWords(w);
        std::vector<std::string> theirs = libxml2Words(readBytes(path), path);
        EXPECT_GT(ours.size(), 50u);
        if (ours != theirs)
            ADD_FAILURE() << firstDifference(ours, theirs);
        totalWords += ours.size();
        EditorDestroyWindow(w);
    }
    EXPECT_TRUE(boxes.empty()) << boxes.front();
    RecordProperty("words", int(totalWords));
}

namespace {

// The kinds of error libxml2's HTML parser reports on a page.
std::set<int> libxml2Errors(const std::string& page)
{
    std::set<int> codes;
    xmlSetStructuredErrorFunc(&codes, [](void* data, xmlError* error) {
        static_cast<std::set<int>*>(data)->insert(error->code);
    });
    htmlDocPtr doc = htmlReadMemory(page.data(), int(page.size()), nullptr, "ISO-8859-1",
                                    HTML_PARSE_RECOVER | HTML_PARSE_NONET);
    xmlFreeDoc(doc);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    return codes;
}

std::string writtenPage(HWND w)
{
    HGLOBAL block = nullptr;
    std::int32_t length = 0;
    if (PlxWrite(w, 1, nullptr, &block, &length, 0) != 1)
        return {};
    std::string page(static_cast<const char*>(GlobalLock(block)), std::size_t(length));
    GlobalUnlock(block);
    GlobalFree(block);
    return page;
}

}

TEST_F(HtmlDifferentialTest, RealPagesWrittenBackParseWithoutNewErrorsAndKeepTheirWords)
{
    std::vector<std::string> list = pages();
    if (list.empty())
        GTEST_SKIP() << "no documentation pages: run setup.sh";
    for (const std::string& path : list) {
        SCOPED_TRACE(path);
        HWND w = newEditor();
        ASSERT_EQ(PlxInitialize(w, hostWnd), 1);
        ASSERT_EQ(PlxRead(w, 0, path.c_str(), nullptr, 0, nullptr), 1);
        std::string page = readBytes(path), written = writtenPage(w);
        ASSERT_FALSE(written.empty());
        std::set<int> before = libxml2Errors(page);
        for (int code : libxml2Errors(written))
            EXPECT_TRUE(before.count(code)) << "libxml2 error " << code << " is new in the page written";
        std::vector<std::string> ours = libxml2Words(written, path), theirs = libxml2Words(page, path);
        if (ours != theirs)
            ADD_FAILURE() << firstDifference(ours, theirs);
        EditorDestroyWindow(w);
    }
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}
