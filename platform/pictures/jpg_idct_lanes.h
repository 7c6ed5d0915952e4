#pragma once
// The accurate inverse transform on 16-bit lanes, for any vector width whose
// operations work within 128-bit halves (SSE2 on one block, AVX2 on two side
// by side): each rotation is one multiply-add of two interleaved inputs into
// 32 bits. Ops supplies the instructions; each user includes this in its own
// translation unit, built for its instruction set.
#include <cstdint>

// The operations LaneTransform takes, for one vector type: P is the
// intrinsics' prefix (_mm_ or _mm256_), whose instructions share their names.
#define KS_JPG_LANE_OPS(Name, Vector, P)                                                              \
    struct Name {                                                                                     \
        using V = Vector;                                                                             \
        static V add16(V a, V b) { return P##add_epi16(a, b); }                                       \
        static V add32(V a, V b) { return P##add_epi32(a, b); }                                       \
        static V sub32(V a, V b) { return P##sub_epi32(a, b); }                                       \
        static V madd(V a, V b) { return P##madd_epi16(a, b); }                                       \
        template <int N>                                                                              \
        static V srai32(V a) { return P##srai_epi32(a, N); }                                          \
        static V packs32(V a, V b) { return P##packs_epi32(a, b); }                                   \
        static V unpacklo16(V a, V b) { return P##unpacklo_epi16(a, b); }                             \
        static V unpackhi16(V a, V b) { return P##unpackhi_epi16(a, b); }                             \
        static V unpacklo32(V a, V b) { return P##unpacklo_epi32(a, b); }                             \
        static V unpackhi32(V a, V b) { return P##unpackhi_epi32(a, b); }                             \
        static V unpacklo64(V a, V b) { return P##unpacklo_epi64(a, b); }                             \
        static V unpackhi64(V a, V b) { return P##unpackhi_epi64(a, b); }                             \
        static V set32(int v) { return P##set1_epi32(v); }                                            \
        static V pair(int a, int b) { return set32(int(std::uint32_t(std::uint16_t(b)) << 16 | std::uint16_t(a))); } \
    }

namespace ks::pictures {

namespace {

constexpr int kConstBits = 13;
constexpr int kPass1Bits = 2;
constexpr int kPass2Shift = kConstBits + kPass1Bits + 3;

constexpr int F0_298631336 = 2446, F0_390180644 = 3196, F0_541196100 = 4433, F0_765366865 = 6270,
              F0_899976223 = 7373, F1_175875602 = 9633, F1_501321110 = 12299, F1_847759065 = 15137,
              F1_961570560 = 16069, F2_053119869 = 16819, F2_562915447 = 20995, F3_072711026 = 25172;

template <class Ops>
struct LaneTransform {
    using V = typename Ops::V;

    // The 32-bit halves of eight (or sixteen) lanes.
    struct Wide {
        V lo, hi;
        Wide operator+(Wide o) const { return {Ops::add32(lo, o.lo), Ops::add32(hi, o.hi)}; }
        Wide operator-(Wide o) const { return {Ops::sub32(lo, o.lo), Ops::sub32(hi, o.hi)}; }
    };

    struct Interleaved {
        V lo, hi;
        Interleaved(V a, V b) : lo(Ops::unpacklo16(a, b)), hi(Ops::unpackhi16(a, b)) {}
        // a * ka + b * kb in each lane.
        Wide times(int ka, int kb) const
        {
            V k = Ops::pair(ka, kb);
            return {Ops::madd(lo, k), Ops::madd(hi, k)};
        }
    };

    template <int Shift>
    static V narrow(Wide w, V round)
    {
        return Ops::packs32(Ops::template srai32<Shift>(Ops::add32(w.lo, round)),
                            Ops::template srai32<Shift>(Ops::add32(w.hi, round)));
    }

    // One 8-point transform down the lanes, descaled by Shift into 16 bits.
    template <int Shift>
    static void idct8(V v[8], V round)
    {
        Interleaved e26(v[2], v[6]), e04(v[0], v[4]);
        Wide tmp3 = e26.times(F0_541196100 + F0_765366865, F0_541196100);
        Wide tmp2 = e26.times(F0_541196100, F0_541196100 - F1_847759065);
        Wide tmp0 = e04.times(1 << kConstBits, 1 << kConstBits);
        Wide tmp1 = e04.times(1 << kConstBits, -(1 << kConstBits));
        Wide tmp10 = tmp0 + tmp3, tmp13 = tmp0 - tmp3, tmp11 = tmp1 + tmp2, tmp12 = tmp1 - tmp2;

        Interleaved z34(Ops::add16(v[7], v[3]), Ops::add16(v[5], v[1]));
        Wide z3 = z34.times(F1_175875602 - F1_961570560, F1_175875602);
        Wide z4 = z34.times(F1_175875602, F1_175875602 - F0_390180644);
        Interleaved o17(v[1], v[7]), o35(v[3], v[5]);
        Wide odd3 = o17.times(F1_501321110 - F0_899976223, -F0_899976223) + z4;
        Wide odd0 = o17.times(-F0_899976223, F0_298631336 - F0_899976223) + z3;
        Wide odd2 = o35.times(F3_072711026 - F2_562915447, -F2_562915447) + z3;
        Wide odd1 = o35.times(-F2_562915447, F2_053119869 - F2_562915447) + z4;

        v[0] = narrow<Shift>(tmp10 + odd3, round);
        v[7] = narrow<Shift>(tmp10 - odd3, round);
        v[1] = narrow<Shift>(tmp11 + odd2, round);
        v[6] = narrow<Shift>(tmp11 - odd2, round);
        v[2] = narrow<Shift>(tmp12 + odd1, round);
        v[5] = narrow<Shift>(tmp12 - odd1, round);
        v[3] = narrow<Shift>(tmp13 + odd0, round);
        v[4] = narrow<Shift>(tmp13 - odd0, round);
    }

    static void transpose(V r[8])
    {
        V a[8], b[8];
        for (int i = 0; i < 8; i += 2) {
            a[i] = Ops::unpacklo16(r[i], r[i + 1]);
            a[i + 1] = Ops::unpackhi16(r[i], r[i + 1]);
        }
        for (int i = 0; i < 8; i += 4) {
            b[i] = Ops::unpacklo32(a[i], a[i + 2]);
            b[i + 1] = Ops::unpackhi32(a[i], a[i + 2]);
            b[i + 2] = Ops::unpacklo32(a[i + 1], a[i + 3]);
            b[i + 3] = Ops::unpackhi32(a[i + 1], a[i + 3]);
        }
        for (int i = 0; i < 4; ++i) {
            r[2 * i] = Ops::unpacklo64(b[i], b[i + 4]);
            r[2 * i + 1] = Ops::unpackhi64(b[i], b[i + 4]);
        }
    }

    // Rows of coefficients in, rows of samples (level-shifted, 16 bits) out.
    static void run(V v[8])
    {
        idct8<kConstBits - kPass1Bits>(v, Ops::set32(1 << (kConstBits - kPass1Bits - 1)));
        transpose(v);
        idct8<kPass2Shift>(v, Ops::set32((128 << kPass2Shift) + (1 << (kPass2Shift - 1))));
        transpose(v);
    }
};

}

}
