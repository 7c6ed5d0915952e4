// bench/pictures FILE...: decodes each GIF, TIFF or JPEG file with our reader
// and with the peers, checks that the pictures agree, and prints megapixels
// per second for each and the ratio of the times (ours / peer), each pair
// timed in turn.
#include "bench/pictures/peers.h"
#include "platform/pictures/gif_reader.h"
#include "platform/pictures/jpg_reader.h"
#include "platform/pictures/tif_reader.h"

#include <ctime>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>

using namespace ks;
using namespace ks::bench;

namespace {

enum class Kind { Gif, Tiff, Jpeg, Unknown };

Kind kindOf(const Bytes& f)
{
    if (f.size() > 4 && std::memcmp(f.data(), "GIF8", 4) == 0)
        return Kind::Gif;
    if (f.size() > 4 && (std::memcmp(f.data(), "II*", 3) == 0 || std::memcmp(f.data(), "MM\0*", 4) == 0))
        return Kind::Tiff;
    if (f.size() > 2 && f[0] == 0xFF && f[1] == 0xD8)
        return Kind::Jpeg;
    return Kind::Unknown;
}

struct Timings {
    double ours = 1e30, peer = 1e30;   // seconds per run, the best of each
};

// Runs ours and the peer in turn, so that both see the same load on a shared
// machine, until together they have taken at least a second. Both decoders run on
// this thread alone, so its processor time is their time, without the waits that
// other programs on a busy machine add to the clock.
Timings timeAlternately(const std::function<void()>& ours, const std::function<void()>& peer)
{
    auto cpu = [] {
        timespec t;
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
    };
    auto seconds = [&](const std::function<void()>& run) {
        double start = cpu();
        run();
        return cpu() - start;
    };
    Timings best;
    double total = 0;
    for (int n = 0; n < 3 || total < 1.0; ++n) {
        double a = seconds(ours), b = seconds(peer);
        best.ours = std::min(best.ours, a);
        best.peer = std::min(best.peer, b);
        total += a + b;
    }
    return best;
}

pictures::PackedDib decodeOurs(Kind kind, const Bytes& file)
{
    switch (kind) {
    case Kind::Gif: return pictures::readGif(file, {}).first;
    case Kind::Tiff: return pictures::readTif(file).picture;
    case Kind::Jpeg: return pictures::readJpg(file).picture;
    default: return {};
    }
}

// Compares our DIB with the peer's rows: exact for indices and packed rows
// (bgr for 24-bit TIFF), PSNR for JPEG. Returns a short verdict.
std::string agreement(Kind kind, const pictures::PackedDib& dib, const PeerImage& peer)
{
    const pictures::DibInfo& info = dib.info();
    if (info.width != peer.width || info.height != peer.height)
        return "DIFFERENT SIZE";
    const std::uint8_t* pixels = dib.pixels();
    double squares = 0;
    std::size_t mismatches = 0;
    for (int y = 0; y < info.height; ++y) {
        const std::uint8_t* ours = pixels + std::size_t(info.height - 1 - y) * info.stride;
        const std::uint8_t* theirs = peer.rows.data() + std::size_t(y) * peer.rowBytes;
        if (kind == Kind::Jpeg) {
            for (std::size_t i = 0; i < peer.rowBytes; ++i)
                squares += double(ours[i] - theirs[i]) * double(ours[i] - theirs[i]);
        } else if (info.bitsPerPixel == 24) {
            std::size_t samples = peer.rowBytes / std::size_t(info.width);
            for (int x = 0; x < info.width; ++x)
                for (int c = 0; c < 3; ++c)
                    mismatches += ours[3 * x + c] != theirs[std::size_t(x) * samples + 2 - std::size_t(c)];
        } else {
            std::size_t whole = std::size_t(info.width) * info.bitsPerPixel / 8;
            mismatches += std::memcmp(ours, theirs, whole) != 0;
        }
    }
    if (kind == Kind::Jpeg) {
        double mse = squares / (double(peer.rowBytes) * peer.height);
        char text[64];
        std::snprintf(text, sizeof text, "PSNR %.1f dB", mse == 0 ? 99.0 : 10 * std::log10(65025.0 / mse));
        return text;
    }
    return mismatches ? "MISMATCH" : "identical";
}

void benchFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    Bytes file((std::istreambuf_iterator<char>(in)), {});
    Kind kind = kindOf(file);
    if (kind == Kind::Unknown) {
        std::printf("%s: not a GIF, TIFF or JPEG file\n", path);
        return;
    }
    pictures::PackedDib dib = decodeOurs(kind, file);
    if (!dib) {
        std::printf("%s: our reader refused it\n", path);
        return;
    }
    auto runOurs = [&] { decodeOurs(kind, file); };

    struct Peer { const char* name; bool (*decode)(const Bytes&, PeerImage&); };
    std::vector<Peer> peers;
    if (kind == Kind::Gif)
        peers = {{"giflib", giflibDecode}, {"stb_image", stbDecode}};
    else if (kind == Kind::Tiff)
        peers = {{"libtiff", libtiffDecode}};
    else
        peers = {{"libjpeg-turbo", turbojpegDecode}, {"stb_image", stbDecode}};

    PeerImage first;
    peers[0].decode(file, first);
    double megapixels = double(first.width) * first.height / 1e6;
    std::printf("%s (%dx%d): %s\n", path, first.width, first.height, agreement(kind, dib, first).c_str());
    for (const Peer& p : peers) {
        PeerImage image;
        if (!p.decode(file, image)) {
            std::printf("  %-14s refused it\n", p.name);
            continue;
        }
        Timings t = timeAlternately(runOurs, [&] { PeerImage scratch; p.decode(file, scratch); });
        std::printf("  %-14s ours %.1f MP/s, theirs %.1f MP/s, time ours/peer %.2f\n", p.name,
                    megapixels / t.ours, megapixels / t.peer, t.ours / t.peer);
    }
}

}

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE...\n", argv[0]);
        return 2;
    }
    for (int i = 1; i < argc; ++i)
        benchFile(argv[i]);
    return 0;
}
