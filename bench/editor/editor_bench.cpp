// Prints RTF write and read throughput and the line-by-line font rewrite cost over
// a 1 MB document, beside unrtf reading the same file.
#include "bench/editor/bench_document.h"
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

void row(const char* what, double mb, double secs)
{
    std::printf("%-34s %8.1f MB/s  (%.2f ms)\n", what, mb / secs, secs * 1e3);
}

}

int main()
{
    HWND h = EditorCreateWindow(nullptr, "bench", 0x54002041, 0, 0, 800, 600);
    bench::buildDocument(h);
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
