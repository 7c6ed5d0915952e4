// bench/html FILE...: each page read by our PlxRead (from memory, into a fresh editor
// window), by libxml2's htmlReadMemory and by gumbo's gumbo_parse, in turn; MB/s of each
// and the ratio of our time to libxml2's.
#include "addon/base/message_sink.h"
#include "addon/core/plx32.h"
#include "platform/editor/vek32.h"

#include <gumbo.h>
#include <libxml/HTMLparser.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

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
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::printf("read %s FAILED cannot open the file\n", argv[i]);
            continue;
        }
        std::string page((std::istreambuf_iterator<char>(in)), {});
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
    }
    return 0;
}
