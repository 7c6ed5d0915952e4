// Prints RTF write and read throughput and the line-by-line font rewrite cost over
// a 1 MB document, beside unrtf reading the same file.
#include "platform/editor/vek32.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// About 1 MB of text: paragraphs of words in a few fonts, hidden link runs, a small table now and then.
void buildDocument(HWND h)
{
    EditorSetLineChars(h, 0, "", nullptr);
    int fonts[4] = {
        EditorCreateFont(h, -1, 1, "Times New Roman", 11, 0, 0, 0xFFFFFF, 0, 0),
        EditorCreateFont(h, -1, 1, "Times New Roman", 11, 2, 0, 0xFFFFFF, 0, 1),
        EditorCreateFont(h, -1, 1, "Arial", 10, 0x40, 0, 0xFFFFFF, 0, 0),
        EditorCreateFont(h, -1, 1, "Arial", 10, 0x4001, 0xFF0000, 0xFFFFFF, 0, 20)};
    int heading = EditorMakeParaFormat(h, -1, 1, 0, 0, 0, 0, 0, 0x40, 0, 0, 240, 120, 0, 1);
    EditorSetModeFlags2(h, 1, 0x10000);
    std::size_t length = 0;
    for (int p = 0; length < (1u << 20); ++p) {
        if (p % 40 == 39) {
            int a = EditorCreateCell(h, 1, 0, 0, 0, 0, 2000, 0, 15, 15, 15, 15, 1, 1, 0x20);
            EditorAppendText(h, "cell text\x13", fonts[0], 0, a, -1, 0);
            int b = EditorCreateCell(h, 0, a, 0, 0, 0, 2000, 0, 15, 15, 15, 15, 1, 1, 0x20);
            EditorAppendText(h, "more text\x13\x12", fonts[0], 0, b, -1, 0);
            EditorEndTable(h, b, 2);
            length += 22;
            continue;
        }
        for (int w = 0; w < 60; ++w) {
            std::string word = "word" + std::to_string(p * 7 + w) + " ";
            EditorAppendText(h, word.c_str(), fonts[(w / 9) % 2], 0, 0, -1, 0);
            length += word.size();
        }
        EditorAppendText(h, "href=x.htm", fonts[2], 0, 0, -1, 0);
        EditorAppendText(h, "a link\x15", fonts[3], p % 10 == 0 ? heading : 0, 0, -1, 0);
        length += 17;
    }
    EditorSetModeFlags2(h, 0, 0x10000);
    EditorUpdateTables(h);
}

void row(const char* what, double mb, double secs)
{
    std::printf("%-34s %8.1f MB/s  (%.2f ms)\n", what, mb / secs, secs * 1e3);
}

}

int main()
{
    HWND h = EditorCreateWindow(nullptr, "bench", 0x54002041, 0, 0, 800, 600);
    buildDocument(h);
    auto file = std::filesystem::temp_directory_path() / "editor_bench.rtf";
    const int rounds = 10;

    auto t = Clock::now();
    for (int i = 0; i < rounds; ++i)
        EditorSaveRtfEnd(h, file.c_str());
    double writeSecs = seconds(t) / rounds;
    double mb = std::filesystem::file_size(file) / 1048576.0;
    std::printf("document: %.2f MB of RTF, %d lines\n", mb, [&] {
        VekInfo r{};
        EditorGetInfo(h, &r);
        return r.lineCount;
    }());
    row("write (ours, to file)", mb, writeSecs);

    t = Clock::now();
    for (int i = 0; i < rounds; ++i)
        EditorOpenRtf(h, file.c_str());
    double readSecs = seconds(t) / rounds;
    row("read (ours, from file)", mb, readSecs);

    std::string command = "unrtf --text " + file.string() + " >/dev/null 2>&1";
    if (std::system("command -v unrtf >/dev/null 2>&1") == 0) {
        t = Clock::now();
        for (int i = 0; i < 3; ++i)
            std::system(command.c_str());
        double peerSecs = seconds(t) / 3;
        row("read (unrtf --text, process)", mb, peerSecs);
        std::printf("%-34s %8.2f x\n", "ours / unrtf read speed", peerSecs / readSecs);
    } else {
        std::printf("%-34s not installed (apt-get install unrtf)\n", "read (unrtf)");
    }

    // Rewrite every line's fonts in place, as the add-on does on a type change.
    VekInfo r{};
    EditorGetInfo(h, &r);
    char chars[301];
    std::uint16_t fonts[301];
    t = Clock::now();
    for (int n = 0; n < r.lineCount; ++n) {
        int count = EditorGetLineChars(h, n, chars, fonts);
        chars[count] = 0;
        for (int i = 0; i < count; ++i)
            fonts[i] = static_cast<std::uint16_t>(fonts[i] == 1 ? 2 : fonts[i]);
        EditorSetLineChars(h, n, chars, fonts);
    }
    EditorRepaintParas(h, 0);
    double rewrite = seconds(t);
    std::printf("%-34s %8.2f ms for %d lines (%.2f us a line)\n", "line-by-line font rewrite", rewrite * 1e3,
                r.lineCount, rewrite * 1e6 / r.lineCount);
    std::filesystem::remove(file);
    EditorDestroyWindow(h);
    return 0;
}
