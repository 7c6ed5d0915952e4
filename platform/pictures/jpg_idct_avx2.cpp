// Built with AVX2 enabled; called only where the processor has it.
#include "platform/pictures/jpg_idct.h"
#include "platform/pictures/jpg_idct_lanes.h"

#if defined(__x86_64__)
#include <immintrin.h>

namespace ks::pictures {

namespace {

// Block a in the low 128 bits of each vector, block b in the high ones.
KS_JPG_LANE_OPS(Avx2, __m256i, _mm256_);

inline void storeRows(__m128i bytes, std::uint8_t* out, std::size_t stride)
{
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), bytes);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + stride), _mm_unpackhi_epi64(bytes, bytes));
}

}

void jpgInverseTransformPairAvx2(std::int16_t* a, std::uint8_t* outA, std::size_t strideA,
                                 std::int16_t* b, std::uint8_t* outB, std::size_t strideB)
{
    __m256i v[8];
    for (int i = 0; i < 8; ++i)
        v[i] = _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(b + 8 * i),
                                   reinterpret_cast<const __m128i*>(a + 8 * i));
    for (int i = 0; i < 4; ++i) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(a) + i, _mm256_setzero_si256());
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(b) + i, _mm256_setzero_si256());
    }
    LaneTransform<Avx2>::run(v);
    for (int y = 0; y < 8; y += 2, outA += 2 * strideA, outB += 2 * strideB) {
        __m256i bytes = _mm256_packus_epi16(v[y], v[y + 1]);
        storeRows(_mm256_castsi256_si128(bytes), outA, strideA);
        storeRows(_mm256_extracti128_si256(bytes, 1), outB, strideB);
    }
}

}
#endif
