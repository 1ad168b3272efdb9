#pragma once

#include <cstdint>

// A CoverMask is a bit set over open-cell numbers: cell n is bit (n & 31) of word n >> 5.

// True when the two masks share a set bit; stops at the first overlapping word.
inline bool masksOverlap(const std::uint32_t* a, const std::uint32_t* b, int words) {
    for (int w = 0; w < words; ++w)
        if ((a[w] & b[w]) != 0) return true;
    return false;
}

inline bool maskHasBit(const std::uint32_t* mask, int n) {
    return ((mask[n >> 5] >> (n & 31)) & 1u) != 0;
}

// Calls visit(n) for every set bit n of the mask in increasing order. A zero word is skipped whole, and
// within a word a run of four zero bits at the current position is skipped at once: masks of pieces are
// sparse, with their few bits close together.
template <class Visit>
void forEachSetBit(const std::uint32_t* mask, int words, Visit&& visit) {
    for (int w = 0; w < words; ++w) {
        std::uint32_t bits = mask[w];
        int n = w * 32;
        while (bits != 0) {
            if ((bits & 0xFu) == 0) {
                bits >>= 4;
                n += 4;
                continue;
            }
            if ((bits & 1u) != 0) visit(n);
            bits >>= 1;
            ++n;
        }
    }
}
