#include "platform/pictures/jpg_colour.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace ks::pictures {

namespace {

inline std::uint8_t clamp255(int v) { return std::uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); }

void convertScalar(const std::uint8_t* luma, const std::uint8_t* cb, const std::uint8_t* cr, unsigned shift,
                   std::uint8_t* out, std::uint32_t from, std::uint32_t count)
{
    for (std::uint32_t x = from; x < count; ++x) {
        int l = 64 * luma[x], b = cb[x >> shift] - 128, r = cr[x >> shift] - 128;
        out[3 * x] = clamp255((l + 113 * b) >> 6);
        out[3 * x + 1] = clamp255((l - 22 * b - 46 * r) >> 6);
        out[3 * x + 2] = clamp255((l + 90 * r) >> 6);
    }
}

void greyScalar(const std::uint8_t* luma, std::uint8_t* out, std::uint32_t from, std::uint32_t count)
{
    for (std::uint32_t x = from; x < count; ++x)
        out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = luma[x];
}

#if defined(__x86_64__)
// Byte masks that interleave 16 blue, green and red bytes into 48 bytes, and
// that spread 16 grey bytes over 48.
struct InterleaveMasks {
    alignas(16) std::uint8_t m[3][3][16];   // [output part][channel][byte]
    alignas(16) std::uint8_t grey[3][16];
    InterleaveMasks()
    {
        for (int part = 0; part < 3; ++part)
            for (int i = 0; i < 16; ++i) {
                int at = part * 16 + i;
                grey[part][i] = std::uint8_t(at / 3);
                for (int channel = 0; channel < 3; ++channel)
                    m[part][channel][i] = at % 3 == channel ? std::uint8_t(at / 3) : 0x80;
            }
    }
};
const InterleaveMasks kMasks;

inline __m128i mask(const std::uint8_t* m) { return _mm_load_si128(reinterpret_cast<const __m128i*>(m)); }

// Eight pixels' channel in 16 bits; the sums stay within 16 bits for every
// input, and the pack saturates them to bytes as the clamp does.
__attribute__((target("ssse3"))) inline __m128i channels8(__m128i l64, __m128i b, __m128i r, int kb, int kr)
{
    __m128i sum = _mm_add_epi16(l64, _mm_add_epi16(_mm_mullo_epi16(b, _mm_set1_epi16(std::int16_t(kb))),
                                                   _mm_mullo_epi16(r, _mm_set1_epi16(std::int16_t(kr)))));
    return _mm_srai_epi16(sum, 6);
}

// Sixteen chroma samples for the sixteen pixels from x on.
__attribute__((target("ssse3"))) inline __m128i chroma16(const std::uint8_t* c, std::uint32_t x, bool half)
{
    if (!half)
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(c + x));
    __m128i eight = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(c + x / 2));
    return _mm_unpacklo_epi8(eight, eight);
}

__attribute__((target("ssse3"))) inline __m128i centred(__m128i c16, int half)
{
    __m128i wide = half ? _mm_unpackhi_epi8(c16, _mm_setzero_si128()) : _mm_unpacklo_epi8(c16, _mm_setzero_si128());
    return _mm_sub_epi16(wide, _mm_set1_epi16(128));
}

__attribute__((target("ssse3")))
void convertSsse3(const std::uint8_t* luma, const std::uint8_t* cb, const std::uint8_t* cr, bool halfChroma,
                  std::uint8_t* out, std::uint32_t count)
{
    std::uint32_t x = 0;
    const __m128i zero = _mm_setzero_si128();
    for (; x + 16 <= count; x += 16) {
        __m128i y16 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(luma + x));
        __m128i b16 = chroma16(cb, x, halfChroma), r16 = chroma16(cr, x, halfChroma);
        __m128i planes[3][2];
        for (int half = 0; half < 2; ++half) {
            __m128i l = half ? _mm_unpackhi_epi8(y16, zero) : _mm_unpacklo_epi8(y16, zero);
            __m128i l64 = _mm_slli_epi16(l, 6);
            __m128i b = centred(b16, half), r = centred(r16, half);
            planes[0][half] = channels8(l64, b, r, 113, 0);
            planes[1][half] = channels8(l64, b, r, -22, -46);
            planes[2][half] = channels8(l64, b, r, 0, 90);
        }
        __m128i channel[3];
        for (int c = 0; c < 3; ++c)
            channel[c] = _mm_packus_epi16(planes[c][0], planes[c][1]);
        for (int part = 0; part < 3; ++part) {
            __m128i v = zero;
            for (int c = 0; c < 3; ++c)
                v = _mm_or_si128(v, _mm_shuffle_epi8(channel[c], mask(kMasks.m[part][c])));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * x + 16 * part), v);
        }
    }
    convertScalar(luma, cb, cr, halfChroma ? 1 : 0, out, x, count);
}

__attribute__((target("ssse3")))
void greySsse3(const std::uint8_t* luma, std::uint8_t* out, std::uint32_t count)
{
    std::uint32_t x = 0;
    for (; x + 16 <= count; x += 16) {
        __m128i y16 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(luma + x));
        for (int part = 0; part < 3; ++part)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * x + 16 * part),
                             _mm_shuffle_epi8(y16, mask(kMasks.grey[part])));
    }
    greyScalar(luma, out, x, count);
}

// The same in 256 bits: 32 pixels a step, lanes of 16 pixels each.
__attribute__((target("avx2"))) inline __m256i chroma32(const std::uint8_t* c, std::uint32_t x, bool half)
{
    if (!half)
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(c + x));
    __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c + x / 2));
    return _mm256_set_m128i(_mm_unpackhi_epi8(sixteen, sixteen), _mm_unpacklo_epi8(sixteen, sixteen));
}

// Blue, green and red of sixteen pixels a lane, in 16 bits, shifted down.
struct Channels256 {
    __m256i b, g, r;
};

__attribute__((target("avx2"))) inline Channels256 channels16(__m256i l, __m256i cb, __m256i cr)
{
    __m256i l64 = _mm256_slli_epi16(l, 6);
    __m256i b = _mm256_sub_epi16(cb, _mm256_set1_epi16(128)), r = _mm256_sub_epi16(cr, _mm256_set1_epi16(128));
    __m256i g = _mm256_add_epi16(_mm256_mullo_epi16(b, _mm256_set1_epi16(-22)),
                                 _mm256_mullo_epi16(r, _mm256_set1_epi16(-46)));
    return {_mm256_srai_epi16(_mm256_add_epi16(l64, _mm256_mullo_epi16(b, _mm256_set1_epi16(113))), 6),
            _mm256_srai_epi16(_mm256_add_epi16(l64, g), 6),
            _mm256_srai_epi16(_mm256_add_epi16(l64, _mm256_mullo_epi16(r, _mm256_set1_epi16(90))), 6)};
}

__attribute__((target("avx2")))
void convertAvx2(const std::uint8_t* luma, const std::uint8_t* cb, const std::uint8_t* cr, bool halfChroma,
                 std::uint8_t* out, std::uint32_t count)
{
    const __m256i zero = _mm256_setzero_si256();
    __m256i masks[3][3];
    for (int part = 0; part < 3; ++part)
        for (int c = 0; c < 3; ++c)
            masks[part][c] = _mm256_broadcastsi128_si256(mask(kMasks.m[part][c]));
    std::uint32_t x = 0;
    for (; x + 32 <= count; x += 32) {
        __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(luma + x));
        __m256i b = chroma32(cb, x, halfChroma), r = chroma32(cr, x, halfChroma);
        Channels256 lo = channels16(_mm256_unpacklo_epi8(y, zero), _mm256_unpacklo_epi8(b, zero),
                                    _mm256_unpacklo_epi8(r, zero));
        Channels256 hi = channels16(_mm256_unpackhi_epi8(y, zero), _mm256_unpackhi_epi8(b, zero),
                                    _mm256_unpackhi_epi8(r, zero));
        __m256i channel[3] = {_mm256_packus_epi16(lo.b, hi.b), _mm256_packus_epi16(lo.g, hi.g),
                              _mm256_packus_epi16(lo.r, hi.r)};
        // parts[p]: bytes 16p on of each lane's 48.
        __m256i parts[3];
        for (int part = 0; part < 3; ++part) {
            parts[part] = zero;
            for (int c = 0; c < 3; ++c)
                parts[part] = _mm256_or_si256(parts[part], _mm256_shuffle_epi8(channel[c], masks[part][c]));
        }
        auto* to = reinterpret_cast<__m256i*>(out + 3 * x);
        _mm256_storeu_si256(to, _mm256_permute2x128_si256(parts[0], parts[1], 0x20));
        _mm256_storeu_si256(to + 1, _mm256_permute2x128_si256(parts[2], parts[0], 0x30));
        _mm256_storeu_si256(to + 2, _mm256_permute2x128_si256(parts[1], parts[2], 0x31));
    }
    convertSsse3(luma + x, cb + (halfChroma ? x / 2 : x), cr + (halfChroma ? x / 2 : x), halfChroma, out + 3 * x,
                 count - x);
}

const bool kHasSsse3 = (__builtin_cpu_init(), __builtin_cpu_supports("ssse3"));
const bool kHasAvx2 = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
#endif

}

void jpgConvertRow(const std::uint8_t* luma, const std::uint8_t* cb, const std::uint8_t* cr, bool halfChroma,
                   std::uint8_t* bgr, std::uint32_t count)
{
#if defined(__x86_64__)
    if (kHasAvx2)
        return convertAvx2(luma, cb, cr, halfChroma, bgr, count);
    if (kHasSsse3)
        return convertSsse3(luma, cb, cr, halfChroma, bgr, count);
#endif
    convertScalar(luma, cb, cr, halfChroma ? 1 : 0, bgr, 0, count);
}

void jpgGreyRow(const std::uint8_t* luma, std::uint8_t* bgr, std::uint32_t count)
{
#if defined(__x86_64__)
    if (kHasSsse3)
        return greySsse3(luma, bgr, count);
#endif
    greyScalar(luma, bgr, 0, count);
}

}
