#pragma once

// The bit-set form of the fast engine, shared by its files (incremental_search_bits.cpp and the
// processor-specific kernels in incremental_search_kernels.cpp): the live rows of a depth are a bit
// set over the rows of its frame, and a cell's count of live rows is the population count of the live
// set AND the cell's column.

#include <bit>
#include <cstdint>

#include "search/incremental_search.h"

namespace incremental {

// The numbers of the words of a live set that are not 0, into `into`; returns how many.
[[gnu::always_inline]] inline int wordsInUse(const std::uint64_t* live, int words, std::uint16_t* into) {
    int count = 0;
    for (int w = 0; w < words; ++w) {
        into[count] = static_cast<std::uint16_t>(w);
        count += live[w] != 0 ? 1 : 0;
    }
    return count;
}

// The choice among the open cells, lowest first, read straight from the covered mask (its bits past the
// last cell are never set by a Placement, so they are masked off here): the first cell with the fewest
// live rows, a dead end as soon as one has none.
class FewestOpenCell {
  public:
    FewestOpenCell(const std::uint32_t* covered, int cells) : m_covered(covered), m_cells(cells) { load(); }

    // The next open cell, or -1 when there is none.
    [[gnu::always_inline]] int next() {
        while (m_open == 0) {
            if (++m_word * 32 >= m_cells) return -1;
            load();
        }
        const int n = m_word * 32 + std::countr_zero(m_open);
        m_open &= m_open - 1;
        return n;
    }
    // Takes cell n's count of live rows; false when it is 0 (a dead end: the search stops looking).
    // (Without a branch on the comparison: which cell has fewer rows is anybody's guess.)
    [[gnu::always_inline]] bool take(int n, int count) {
        if (count == 0) return false;
        const bool fewer = count < m_best;
        m_cell = fewer ? n : m_cell;
        m_best = fewer ? count : m_best;
        return true;
    }
    // The chosen cell, or -2 when no cell was open.
    int cell() const { return m_cell; }

  private:
    void load() {
        if (m_word * 32 >= m_cells) return;
        m_open = ~m_covered[m_word];
        if (m_cells - m_word * 32 < 32) m_open &= (std::uint32_t{1} << (m_cells - m_word * 32)) - 1;
    }

    const std::uint32_t* m_covered;
    int m_cells;
    int m_word = 0;
    std::uint32_t m_open = 0;
    int m_best = kNoCount;
    int m_cell = -2;
};

// The rows of a live set (a population count; the second form compiled for processors that have the
// instruction, found at run time).
inline int rowCount(const std::uint64_t* live, int words) {
    int rows = 0;
    for (int w = 0; w < words; ++w) rows += std::popcount(live[w]);
    return rows;
}
int rowCountPopcount(const std::uint64_t* live, int words);

// The rows and pieces of a frame's parent at the bits of its live set, packed together in order into
// `rowsTo` and `piecesTo`: with AVX-512's compress instructions, for processors that have them (VBMI2 for
// the bytes; in the kernels' file).
void compressRows(const std::int32_t* rows, const std::uint8_t* pieces, const std::uint64_t* live, int words,
                  std::int32_t* rowsTo, std::uint8_t* piecesTo);

}  // namespace incremental

// A cell's count is the population count of (live AND column) over the words that hold live rows.
// Counting on past the best count so far costs less than the branch that would stop it.
[[gnu::always_inline]] inline int IncrementalSearch::chooseCellBits() {
    const std::uint64_t* live = liveSet(m_placed);
    const Frame& frame = frameOf(m_placed);
    std::uint16_t* words = m_liveWords.data();
    const int wordCount = incremental::wordsInUse(live, frame.words, words);
    incremental::FewestOpenCell scan(m_state.coveredMask.data(), m_cells);
    for (int n = scan.next(); n >= 0; n = scan.next()) {
        const std::uint64_t* column = frame.column(n);
        int count = 0;
        for (int i = 0; i < wordCount; ++i) count += std::popcount(live[words[i]] & column[words[i] * 8]);
        if (!scan.take(n, count)) return -1;
    }
    if (scan.cell() >= 0) m_state.bestCell = scan.cell();
    return scan.cell();
}
