// bench/html FILE...: each page read by our PlxRead (from memory, into a fresh editor
// window), by libxml2's htmlReadMemory and by gumbo's gumbo_parse, in turn; MB/s of each
// and the ratio of our time to libxml2's. Then the read page written back to memory by our
// PlxWrite beside libxml2 serialising its own tree of the page (htmlDocDumpMemory), and
// whether libxml2 finds the page's words in what we wrote.
#include "addon/base/message_sink.h"
#include "addon/core/plx32.h"
#include "platform/editor/vek32.h"

#include <gumbo.h>
#include <libxml/HTMLparser.h>
#include <libxml/HTMLtree.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Seconds of the best run of each reader, the readers taking turns until together they
// have had a second.
std::vector<double> timeInTurns(const std::vector<std::function<double()>>& readers)
{
    std::vector<double> best(readers.size(), 1e30);
    double total = 0;
    for (int n = 0; n < 3 || total < 1.0; ++n)
        for (std::size_t i = 0; i < readers.size(); ++i) {
            double s = readers[i]();
            best[i] = std::min(best[i], s);
            total += s;
        }
    return best;
}

double since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

struct OurRead {
    const std::string& page;
    std::string failure;

    // The read alone is timed; the window is made before and destroyed after it.
    double operator()()
    {
        HWND hWnd = EditorCreateWindow(nullptr, "bench", 0x54002041, 0, 0, 800, 600);
        if (!PlxInitialize(hWnd, nullptr)) {
            failure = "PlxInitialize refused the window";
            EditorDestroyWindow(hWnd);
            return 0;
        }
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, page.size());
        std::memcpy(GlobalLock(block), page.data(), page.size());
        GlobalUnlock(block);
        auto start = Clock::now();
        int read = PlxRead(hWnd, 1, nullptr, block, std::int32_t(page.size()), nullptr);
        double seconds = since(start);
        if (!read)
            failure = "PlxRead returned 0";
        GlobalFree(block);
        EditorDestroyWindow(hWnd);
        return seconds;
    }
};

double libxml2Read(const std::string& page)
{
    auto start = Clock::now();
    htmlDocPtr doc = htmlReadMemory(page.data(), int(page.size()), nullptr, nullptr,
                                    HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET);
    xmlFreeDoc(doc);
    return since(start);
}

double gumboRead(const std::string& page)
{
    auto start = Clock::now();
    GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, page.data(), page.size());
    gumbo_destroy_output(&kGumboDefaultOptions, output);
    return since(start);
}

constexpr int kParseOptions = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET;

// Elements that part words whatever their text: blocks, cells and line breaks.
bool partsWords(const char* name)
{
    static const char* const names[] = {"p",  "div", "br", "li", "dt", "dd", "td", "th", "tr", "table", "caption",
                                        "h1", "h2",  "h3", "h4", "h5", "h6", "pre", "blockquote", "address", "ul",
                                        "ol", "dl",  "hr", "form", "body", "img", "input", "select", "textarea"};
    for (const char* n : names)
        if (std::strcmp(name, n) == 0)
            return true;
    return false;
}

// The text libxml2 finds in a page, leaving out what no reader shows; blanks where
// elements part words.
void collectText(xmlNode* node, std::string& text)
{
    for (xmlNode* n = node; n; n = n->next) {
        if (n->type == XML_TEXT_NODE && n->content) {
            text += reinterpret_cast<const char*>(n->content);
            continue;
        }
        if (n->type != XML_ELEMENT_NODE)
            continue;
        const char* name = reinterpret_cast<const char*>(n->name);
        if (!std::strcmp(name, "script") || !std::strcmp(name, "style") || !std::strcmp(name, "head") ||
            !std::strcmp(name, "title"))
            continue;
        bool parts = partsWords(name);
        if (parts)
            text += ' ';
        collectText(n->children, text);
        if (parts)
            text += ' ';
    }
}

// Words part at blanks and at non-breaking spaces (UTF-8 C2 A0).
std::vector<std::string> splitWords(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        unsigned char c = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
        bool nbsp = c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xA0;
        if (c && !std::isspace(c) && !nbsp) {
            word += char(c);
            continue;
        }
        if (!word.empty())
            words.push_back(word);
        word.clear();
        i += nbsp;
    }
    return words;
}

std::vector<std::string> pageWords(const std::string& page)
{
    std::string text;
    htmlDocPtr doc = htmlReadMemory(page.data(), int(page.size()), nullptr, nullptr, kParseOptions);
    if (doc)
        collectText(xmlDocGetRootElement(doc), text);
    xmlFreeDoc(doc);
    return splitWords(text);
}

// Our page written back from the window it was read into, and libxml2's tree of the same
// page serialised: seconds of each (best of turns) and the bytes each wrote.
struct WriteResult {
    std::vector<double> seconds;
    std::string ours;
    int libxml2Bytes = 0;
    std::string failure;
};

WriteResult timeWrites(const std::string& page)
{
    WriteResult result;
    HWND hWnd = EditorCreateWindow(nullptr, "bench", 0x54002041, 0, 0, 800, 600);
    HGLOBAL input = GlobalAlloc(GMEM_MOVEABLE, page.size());
    std::memcpy(GlobalLock(input), page.data(), page.size());
    GlobalUnlock(input);
    bool read = PlxInitialize(hWnd, nullptr) && PlxRead(hWnd, 1, nullptr, input, std::int32_t(page.size()), nullptr);
    GlobalFree(input);
    htmlDocPtr doc = htmlReadMemory(page.data(), int(page.size()), nullptr, nullptr, kParseOptions);
    if (!read || !doc) {
        result.failure = read ? "libxml2 read nothing" : "PlxRead returned 0";
    } else {
        auto ourWrite = [&] {
            HGLOBAL block = nullptr;
            std::int32_t length = 0;
            auto start = Clock::now();
            int written = PlxWrite(hWnd, 1, nullptr, &block, &length, 0);
            double seconds = since(start);
            if (written != 1) {
                result.failure = "PlxWrite returned 0";
            } else if (result.ours.empty()) {
                result.ours.assign(static_cast<const char*>(GlobalLock(block)), std::size_t(length));
                GlobalUnlock(block);
            }
            GlobalFree(block);
            return seconds;
        };
        auto libxml2Write = [&] {
            xmlChar* text = nullptr;
            auto start = Clock::now();
            htmlDocDumpMemory(doc, &text, &result.libxml2Bytes);
            double seconds = since(start);
            xmlFree(text);
            return seconds;
        };
        result.seconds = timeInTurns({ourWrite, libxml2Write});
    }
    xmlFreeDoc(doc);
    EditorDestroyWindow(hWnd);
    return result;
}

// The page with the highest ratio of our time to libxml2's so far.
struct Slowest {
    std::string file;
    double ratio = 0;
    void take(const char* page, double r)
    {
        if (r > ratio)
            file = page, ratio = r;
    }
};

void reportWrite(const char* file, const std::string& page, Slowest& slowest)
{
    WriteResult w = timeWrites(page);
    if (!w.failure.empty()) {
        std::printf("write %s FAILED %s\n", file, w.failure.c_str());
        return;
    }
    slowest.take(file, w.seconds[0] / w.seconds[1]);
    std::vector<std::string> ours = pageWords(w.ours), theirs = pageWords(page);
    bool same = ours == theirs;
    if (!same) {
        // Where they part, on stderr: the line format stays one line a page.
        std::size_t k = 0;
        while (k < ours.size() && k < theirs.size() && ours[k] == theirs[k])
            ++k;
        std::fprintf(stderr, "%s: word %zu: ours \"%s\", page \"%s\"\n", file, k,
                     k < ours.size() ? ours[k].c_str() : "(end)", k < theirs.size() ? theirs[k].c_str() : "(end)");
    }
    std::printf("write %s ours %.1f libxml2 %.1f time ours/libxml2 %.2f words %s\n", file,
                double(w.ours.size()) / 1e6 / w.seconds[0], double(w.libxml2Bytes) / 1e6 / w.seconds[1],
                w.seconds[0] / w.seconds[1], same ? "same" : "differ");
}

}

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE...\n", argv[0]);
        return 2;
    }
    std::string message;
    ks::addon::setMessageSink([&](const ks::addon::AddonMessage& m) {
        if (m.kind == ks::addon::AddonMessage::Kind::Box && message.empty())
            message = m.text;
    });
    // Named from the folder the bench started in, whatever folder a page's pictures need.
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i)
        files.push_back(std::filesystem::absolute(argv[i]));
    Slowest slowestRead, slowestWrite;
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(files[std::size_t(i - 1)], std::ios::binary);
        if (!in) {
            std::printf("read %s FAILED cannot open the file\n", argv[i]);
            continue;
        }
        std::string page((std::istreambuf_iterator<char>(in)), {});
        // A page read from memory has no folder of its own: its pictures are found from the
        // working folder, so that they are placed as when the page is opened, not their alt texts.
        std::error_code error;
        std::filesystem::current_path(files[std::size_t(i - 1)].parent_path(), error);
        message.clear();
        OurRead ours{page, {}};
        std::vector<double> t = timeInTurns({std::ref(ours), [&] { return libxml2Read(page); },
                                             [&] { return gumboRead(page); }});
        if (!ours.failure.empty() || !message.empty()) {
            std::printf("read %s FAILED %s\n", argv[i], ours.failure.empty() ? message.c_str() : ours.failure.c_str());
            continue;
        }
        double mb = double(page.size()) / 1e6;
        std::printf("read %s ours %.1f libxml2 %.1f gumbo %.1f time ours/libxml2 %.2f\n", argv[i], mb / t[0],
                    mb / t[1], mb / t[2], t[0] / t[1]);
        slowestRead.take(argv[i], t[0] / t[1]);
        reportWrite(argv[i], page, slowestWrite);
    }
    std::printf("slowest read %s time ours/libxml2 %.2f\n", slowestRead.file.c_str(), slowestRead.ratio);
    std::printf("slowest write %s time ours/libxml2 %.2f\n", slowestWrite.file.c_str(), slowestWrite.ratio);
    return 0;
}
