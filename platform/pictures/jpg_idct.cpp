#include "platform/pictures/jpg_idct.h"
#include "platform/pictures/jpg_idct_lanes.h"

#include <cstring>

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace ks::pictures {

#if defined(__x86_64__)
namespace {

KS_JPG_LANE_OPS(Sse2, __m128i, _mm_);

}

void jpgInverseTransform(std::int16_t* coefficients, std::uint8_t* out, std::size_t stride)
{
    __m128i v[8];
    auto* rows = reinterpret_cast<__m128i*>(coefficients);
    for (int i = 0; i < 8; ++i) {
        v[i] = _mm_loadu_si128(rows + i);
        _mm_storeu_si128(rows + i, _mm_setzero_si128());
    }
    LaneTransform<Sse2>::run(v);
    for (int y = 0; y < 8; y += 2, out += 2 * stride) {
        __m128i bytes = _mm_packus_epi16(v[y], v[y + 1]);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), bytes);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + stride), _mm_unpackhi_epi64(bytes, bytes));
    }
}

namespace {
const bool kHasAvx2 = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
}

void jpgInverseTransformPair(std::int16_t* a, std::uint8_t* outA, std::size_t strideA,
                             std::int16_t* b, std::uint8_t* outB, std::size_t strideB)
{
    if (kHasAvx2)
        return jpgInverseTransformPairAvx2(a, outA, strideA, b, outB, strideB);
    jpgInverseTransform(a, outA, strideA);
    jpgInverseTransform(b, outB, strideB);
}
#else
namespace {
namespace portable {

constexpr std::uint32_t F0_298631336 = 2446, F0_390180644 = 3196, F0_541196100 = 4433,
                        F0_765366865 = 6270, F0_899976223 = 7373, F1_175875602 = 9633,
                        F1_501321110 = 12299, F1_847759065 = 15137, F1_961570560 = 16069,
                        F2_053119869 = 16819, F2_562915447 = 20995, F3_072711026 = 25172;

// The eight columns (or rows) of a block side by side in one vector. The sums
// are taken in unsigned lanes, which wrap, so a broken file's coefficients give
// garbage pixels but no undefined arithmetic; valid data never comes near.
using Lanes = std::uint32_t __attribute__((vector_size(32)));
using SignedLanes = std::int32_t __attribute__((vector_size(32)));
using ByteLanes = std::uint8_t __attribute__((vector_size(8)));

// One 8-point transform on every lane (the Loeffler-Ligtenberg-Moschytz
// factorisation), results scaled up by 2^kConstBits.
[[gnu::always_inline]] inline void idct8(const Lanes in[8], Lanes out[8])
{
    Lanes z2 = in[2], z3 = in[6];
    Lanes z1 = (z2 + z3) * F0_541196100;
    Lanes tmp2 = z1 - z3 * F1_847759065;
    Lanes tmp3 = z1 + z2 * F0_765366865;
    Lanes tmp0 = (in[0] + in[4]) << kConstBits;
    Lanes tmp1 = (in[0] - in[4]) << kConstBits;
    Lanes tmp10 = tmp0 + tmp3, tmp13 = tmp0 - tmp3, tmp11 = tmp1 + tmp2, tmp12 = tmp1 - tmp2;

    tmp0 = in[7];
    tmp1 = in[5];
    tmp2 = in[3];
    tmp3 = in[1];
    z1 = tmp0 + tmp3;
    z2 = tmp1 + tmp2;
    z3 = tmp0 + tmp2;
    Lanes z4 = tmp1 + tmp3;
    Lanes z5 = (z3 + z4) * F1_175875602;
    tmp0 *= F0_298631336;
    tmp1 *= F2_053119869;
    tmp2 *= F3_072711026;
    tmp3 *= F1_501321110;
    z1 *= -F0_899976223;
    z2 *= -F2_562915447;
    z3 = z3 * -F1_961570560 + z5;
    z4 = z4 * -F0_390180644 + z5;
    tmp0 += z1 + z3;
    tmp1 += z2 + z4;
    tmp2 += z2 + z3;
    tmp3 += z1 + z4;

    out[0] = tmp10 + tmp3;
    out[7] = tmp10 - tmp3;
    out[1] = tmp11 + tmp2;
    out[6] = tmp11 - tmp2;
    out[2] = tmp12 + tmp1;
    out[5] = tmp12 - tmp1;
    out[3] = tmp13 + tmp0;
    out[4] = tmp13 - tmp0;
}

[[gnu::always_inline]] inline void transpose(Lanes r[8])
{
    Lanes t[8], u[8];
    for (int i = 0; i < 8; i += 2) {
        t[i] = __builtin_shufflevector(r[i], r[i + 1], 0, 8, 1, 9, 4, 12, 5, 13);
        t[i + 1] = __builtin_shufflevector(r[i], r[i + 1], 2, 10, 3, 11, 6, 14, 7, 15);
    }
    for (int i = 0; i < 8; i += 4) {
        u[i] = __builtin_shufflevector(t[i], t[i + 2], 0, 1, 8, 9, 4, 5, 12, 13);
        u[i + 1] = __builtin_shufflevector(t[i], t[i + 2], 2, 3, 10, 11, 6, 7, 14, 15);
        u[i + 2] = __builtin_shufflevector(t[i + 1], t[i + 3], 0, 1, 8, 9, 4, 5, 12, 13);
        u[i + 3] = __builtin_shufflevector(t[i + 1], t[i + 3], 2, 3, 10, 11, 6, 7, 14, 15);
    }
    for (int i = 0; i < 4; ++i) {
        r[i] = __builtin_shufflevector(u[i], u[i + 4], 0, 1, 2, 3, 8, 9, 10, 11);
        r[i + 4] = __builtin_shufflevector(u[i], u[i + 4], 4, 5, 6, 7, 12, 13, 14, 15);
    }
}

}

}

void jpgInverseTransform(std::int16_t* coefficients, std::uint8_t* out, std::size_t stride)
{
    using namespace portable;
    Lanes rows[8], work[8];
    for (int i = 0; i < 64; ++i)
        rows[i / 8][i % 8] = std::uint32_t(std::int32_t(coefficients[i]));
    std::memset(coefficients, 0, 64 * sizeof *coefficients);
    idct8(rows, work);   // the columns, all eight at once
    for (Lanes& w : work)
        w = Lanes(SignedLanes(w + (1u << (kConstBits - kPass1Bits - 1))) >> (kConstBits - kPass1Bits));
    transpose(work);
    idct8(work, rows);   // now the rows, each lane one row
    constexpr int kShift = kPass2Shift;
    for (Lanes& r : rows) {
        SignedLanes v = SignedLanes(r + ((128u << kShift) + (1u << (kShift - 1)))) >> kShift;
        v = v < 0 ? 0 : v;
        v = v > 255 ? 255 : v;
        r = Lanes(v);
    }
    transpose(rows);
    for (int y = 0; y < 8; ++y, out += stride) {
        ByteLanes bytes = __builtin_convertvector(rows[y], ByteLanes);
        std::memcpy(out, &bytes, 8);
    }
}

void jpgInverseTransformPair(std::int16_t* a, std::uint8_t* outA, std::size_t strideA,
                             std::int16_t* b, std::uint8_t* outB, std::size_t strideB)
{
    jpgInverseTransform(a, outA, strideA);
    jpgInverseTransform(b, outB, strideB);
}
#endif

}
