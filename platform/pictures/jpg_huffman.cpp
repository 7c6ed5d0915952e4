#include "platform/pictures/jpg_huffman.h"

namespace ks::pictures {

bool JpgHuffTable::build()
{
    int code = 0, k = 0;
    for (int length = 1; length <= 16; ++length) {
        valueOffset[length] = k - code;
        for (int i = 0; i < counts[length - 1]; ++i, ++k, ++code) {
            if (code >= (1 << length))
                return false;   // more codes than the length can hold
            if (length <= kJpgLookBits) {
                int shift = kJpgLookBits - length;
                for (int fill = 0; fill < 1 << shift; ++fill)
                    lookup[(code << shift) | fill] = std::uint16_t(length << 8 | symbols[k]);
            }
        }
        maxCode[length] = counts[length - 1] ? code - 1 : -1;
        code <<= 1;
    }
    maxCode[17] = 0x7FFFFFFF;
    for (int bits = 0; bits < 1 << kJpgLookBits; ++bits) {
        int hit = lookup[bits];
        int length = hit >> 8, run = (hit >> 4) & 15, size = hit & 15;
        if (hit && run == 0 && size == 0)
            fast[bits] = kJpgFastEnd | length;
        if (!hit || size == 0 || length + size > kJpgLookBits)
            continue;
        int v = (bits >> (kJpgLookBits - length - size)) & ((1 << size) - 1);
        if (v < 1 << (size - 1))
            v -= (1 << size) - 1;
        fast[bits] = int(unsigned(v) << 16) | run << 8 | (length + size);
    }
    return true;
}

}
