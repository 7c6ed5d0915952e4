#pragma once
// Round trips of a page through the reader and the writer: the document kept, the bytes
// written again the same. Shared by the round-trip tests of each area.
#include "document_dump.h"
#include "libxml2_page.h"
#include "read_fixture.h"

#include <initializer_list>
#include <set>
#include <string>
#include <vector>

namespace ks::test {

class PlxRoundTripTest : public PlxReadTest {
protected:
    // The top document and, depth first, every frame's.
    std::string dumpAll(const addon::FrameRecord& frames)
    {
        std::string dump;
        for (int i = 0; i < frames.childCount; ++i) {
            const addon::FrameRecord& f = frames.children[i];
            dump += std::string("frame ") + (f.name ? f.name : "") + "\n" +
                    (f.frameset ? dumpAll(f) : test::documentDump(f.window));
        }
        return dump;
    }
    // Writes the window's document and reads it back; the document's dump after the read.
    std::string writeAndRead(std::string& page)
    {
        page = written();
        // Clearing and reading go to the active frame: the frameset's own window is meant here.
        PlxSetActiveWnd(hWnd);
        EXPECT_EQ(PlxClearWindow(hWnd), 1);
        EXPECT_EQ(read(page), 1);
        return test::documentDump(hWnd) + dumpAll(ctx().rootFrame);
    }
    // Every line's record, its cell and its characters.
    std::string cellLines()
    {
        std::string all;
        for (int line = 0; line < info().lineCount; ++line) {
            char chars[301];
            int n = EditorGetLineChars(hWnd, line, chars, nullptr);
            all += test::lineHead(hWnd, line) + " " + std::string(chars, std::size_t(n)) + "\n";
        }
        return all;
    }
    // Reads the page, then writes and reads back twice: each trip keeps the document, and
    // the bytes written do not change. What is written is no worse HTML to libxml2 than the page.
    void roundTrip(const std::string& page)
    {
        ASSERT_EQ(read(page), 1);
        std::string document = test::documentDump(hWnd) + dumpAll(ctx().rootFrame), first, second;
        EXPECT_EQ(writeAndRead(first), document) << "written as\n" << first;
        std::set<int> before = test::Libxml2Errors(page);
        for (int code : test::Libxml2Errors(first))
            EXPECT_TRUE(before.count(code)) << "libxml2 error " << code << " in what is written:\n" << first;
        EXPECT_EQ(writeAndRead(second), document) << "written as\n" << second;
        EXPECT_EQ(second, first);
        EXPECT_EQ(written(), first);
        EXPECT_TRUE(boxes.empty()) << boxes.front();
    }
    // Reads the page and writes it; what was written, read back, is written the same. The
    // page written first.
    std::string writtenAgainTheSame(const std::string& page)
    {
        EXPECT_EQ(read(page), 1);
        return documentWrittenAgainTheSame();
    }
    // The same for the document in the window.
    std::string documentWrittenAgainTheSame()
    {
        std::string first = written(), before = test::documentDump(hWnd);
        PlxSetActiveWnd(hWnd);
        EXPECT_EQ(PlxClearWindow(hWnd), 1);
        EXPECT_EQ(read(first), 1);
        EXPECT_EQ(written(), first) << "first read as\n" << before << "read back as\n" << test::documentDump(hWnd);
        return first;
    }
    // Reads the page, which shows as shown (see text()), and writes it again the same; then
    // clears the window.
    void readsAsAndIsWrittenAgainTheSame(const char* page, const char* shown)
    {
        SCOPED_TRACE(page);
        EXPECT_EQ(read(page), 1);
        EXPECT_EQ(text(), shown);
        documentWrittenAgainTheSame();
        PlxSetActiveWnd(hWnd);
        EXPECT_EQ(PlxClearWindow(hWnd), 1);
    }
    // check for each item, each in an empty window: the window is cleared after each.
    template <class Items, class Check>
    void eachInEmptyWindow(const Items& items, Check check)
    {
        for (const auto& item : items) {
            check(item);
            PlxSetActiveWnd(hWnd);
            ASSERT_EQ(PlxClearWindow(hWnd), 1);
        }
    }
    // writtenAgainTheSame for each page, each in an empty window; the pages written first.
    std::vector<std::string> eachWrittenAgainTheSame(std::initializer_list<const char*> pages)
    {
        std::vector<std::string> firsts;
        eachInEmptyWindow(pages, [&](const char* page) {
            SCOPED_TRACE(page);
            firsts.push_back(writtenAgainTheSame(page));
        });
        return firsts;
    }
    // roundTrip for each page, each in an empty window; the pages written first.
    std::vector<std::string> eachRoundTripped(std::initializer_list<const char*> pages)
    {
        std::vector<std::string> firsts;
        eachInEmptyWindow(pages, [&](const char* page) {
            SCOPED_TRACE(page);
            roundTrip(page);
            firsts.push_back(written());
        });
        return firsts;
    }
};

}
