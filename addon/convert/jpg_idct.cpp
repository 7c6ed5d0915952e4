#include "addon/convert/jpg_idct.h"

#include <cstddef>

namespace ks::addon {

namespace {

constexpr int kConstBits = 13;
constexpr int kPass1Bits = 2;

// Products are taken in 64 bits, so that no coefficient a broken file can
// hold overflows; the results of valid data are the same as in 32 bits.
using Wide = std::int64_t;

constexpr Wide F0_298631336 = 2446, F0_390180644 = 3196, F0_541196100 = 4433,
               F0_765366865 = 6270, F0_899976223 = 7373, F1_175875602 = 9633,
               F1_501321110 = 12299, F1_847759065 = 15137, F1_961570560 = 16069,
               F2_053119869 = 16819, F2_562915447 = 20995, F3_072711026 = 25172;

inline Wide descale(Wide x, int n) { return (x + (Wide(1) << (n - 1))) >> n; }

// One 8-point transform: in[i * step] for i = 0..7 into out[0..7], scaled up by 2^kConstBits.
template <class T>
inline void idct8(const T* in, std::ptrdiff_t step, Wide out[8])
{
    Wide z2 = in[2 * step], z3 = in[6 * step];
    Wide z1 = (z2 + z3) * F0_541196100;
    Wide tmp2 = z1 - z3 * F1_847759065;
    Wide tmp3 = z1 + z2 * F0_765366865;
    z2 = in[0];
    z3 = in[4 * step];
    Wide tmp0 = (z2 + z3) * (Wide(1) << kConstBits);
    Wide tmp1 = (z2 - z3) * (Wide(1) << kConstBits);
    Wide tmp10 = tmp0 + tmp3, tmp13 = tmp0 - tmp3, tmp11 = tmp1 + tmp2, tmp12 = tmp1 - tmp2;

    tmp0 = in[7 * step];
    tmp1 = in[5 * step];
    tmp2 = in[3 * step];
    tmp3 = in[1 * step];
    z1 = tmp0 + tmp3;
    z2 = tmp1 + tmp2;
    z3 = tmp0 + tmp2;
    Wide z4 = tmp1 + tmp3;
    Wide z5 = (z3 + z4) * F1_175875602;
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

inline std::uint8_t clampSample(Wide v) { return std::uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); }

}

void jpgInverseTransform(const std::int32_t* in, std::uint8_t* out, std::size_t stride)
{
    Wide work[64];
    for (int x = 0; x < 8; ++x) {
        const std::int32_t* column = in + x;
        if (!(column[8] | column[16] | column[24] | column[32] | column[40] | column[48] | column[56])) {
            // Only the column's first coefficient: a constant column.
            Wide dc = Wide(column[0]) * (1 << kPass1Bits);
            for (int y = 0; y < 8; ++y)
                work[y * 8 + x] = dc;
            continue;
        }
        Wide r[8];
        idct8(column, 8, r);
        for (int y = 0; y < 8; ++y)
            work[y * 8 + x] = descale(r[y], kConstBits - kPass1Bits);
    }
    constexpr int kShift = kConstBits + kPass1Bits + 3;
    for (int y = 0; y < 8; ++y, out += stride) {
        const Wide* row = work + y * 8;
        Wide r[8];
        idct8(row, 1, r);
        for (int x = 0; x < 8; ++x)
            out[x] = clampSample(descale(r[x], kShift) + 128);
    }
}

}
