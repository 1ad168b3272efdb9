// The bit-set form of the fast engine: clearing a Placement's overlaps from the live set, the frames that
// renumber the live rows as they thin out, and the portable count. (Placing a Placement on the live set
// is in incremental_search.cpp, where the step inlines it.)
#include "search/incremental_search_bits.h"

#include <algorithm>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

using incremental::wordsInUse;

// The live rows `from` without those through any cell of the Placement, into `to`.
void IncrementalSearch::clearOverlaps(const Frame& frame, int placement, const std::uint64_t* from,
                                      std::uint64_t* to) const {
    const auto words = static_cast<std::size_t>(frame.words);
    for (std::size_t w = 0; w < words; ++w) to[w] = from[w];
    for (const std::uint16_t* c = m_index->rowBegin(placement); c != m_index->rowEnd(placement); ++c) {
        const std::uint64_t* column = frame.cell(*c);
        for (std::size_t w = 0; w < words; ++w) to[w] &= ~column[w];
    }
}

// Renumbers the live rows of `depth` into the next frame, and the live set of that depth with them.
void IncrementalSearch::makeFrame(int depth) {
    const int parentIndex = m_frameAt[static_cast<std::size_t>(depth)];
    if (static_cast<std::size_t>(parentIndex) + 1 >= m_frames.size()) return;
    const Frame& parent = m_frames[static_cast<std::size_t>(parentIndex)];
    Frame& frame = m_frames[static_cast<std::size_t>(parentIndex) + 1];
    std::uint64_t* live = m_liveBits.data() + static_cast<std::size_t>(depth) * m_livePitch;
    if (m_bitExtract)
        extractColumns(parent, frame, live);
    else
        scatterColumns(parent, frame, live);
    const int count = static_cast<int>(frame.rows.size());
    for (int w = 0; w < frame.words; ++w)
        live[w] = count - w * 64 >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << (count - w * 64)) - 1;
    m_frameAt[static_cast<std::size_t>(depth)] = parentIndex + 1;
}

// The frame's rows (the live rows of its parent, in order), its words and its pieces' runs; its columns
// get room, their contents are left to the caller. Inlined into both ways of filling them, so that its
// population counts use the instruction where the caller may.
[[gnu::always_inline]] inline void IncrementalSearch::numberRows(const Frame& parent, Frame& frame,
                                                                 const std::uint64_t* live) {
    std::int32_t* before = m_rowsBefore.data();
    before[0] = 0;
    for (int w = 0; w < parent.words; ++w) before[w + 1] = before[w] + std::popcount(live[w]);
    const int count = before[parent.words];
    frame.rows.resize(static_cast<std::size_t>(count));
    frame.pieces.resize(static_cast<std::size_t>(count));
    std::int32_t* rows = frame.rows.data();
    std::uint8_t* pieces = frame.pieces.data();
    if (m_compressRows) {
        incremental::compressRows(parent.rows.data(), parent.pieces.data(), live, parent.words, rows, pieces);
    } else {
        for (int w = 0; w < parent.words; ++w)
            for (std::uint64_t bits = live[w]; bits != 0; bits &= bits - 1) {
                const auto bit = static_cast<std::size_t>(w * 64 + std::countr_zero(bits));
                *rows++ = parent.rows[bit];
                *pieces++ = parent.pieces[bit];
            }
    }
    frame.words = (count + 63) / 64;
    // A piece's rows stay one run: its bounds are the live rows before its bounds in the parent.
    const auto rank = [&](int bit) {
        const int w = bit >> 6;
        const std::uint64_t below = (bit & 63) == 0 ? 0 : live[w] & (~std::uint64_t{0} >> (64 - (bit & 63)));
        return before[w] + std::popcount(below);
    };
    for (std::size_t p = 0; p < static_cast<std::size_t>(m_pieceSlots); ++p) {
        frame.pieceBegin[p] = rank(parent.pieceBegin[p]);
        frame.pieceEnd[p] = rank(parent.pieceEnd[p]);
    }
    frame.columns.resize(static_cast<std::size_t>(m_index->columnStride()) *
                         static_cast<std::size_t>(frame.words));
    frame.columnData = frame.columns.data();
    frame.cellStride = (static_cast<std::size_t>(frame.words) + 7) / 8 * 8;
    frame.cellColumns.resize(static_cast<std::size_t>(m_cells) * frame.cellStride);
    frame.cellData = frame.cellColumns.data();
}

// The frame's columns from its rows' cells, on processors without a fast bit extract.
void IncrementalSearch::scatterColumns(const Frame& parent, Frame& frame, const std::uint64_t* live) {
    numberRows(parent, frame, live);
    std::fill(frame.columns.begin(), frame.columns.end(), 0);
    std::fill(frame.cellColumns.begin(), frame.cellColumns.end(), 0);
    const auto words = static_cast<std::size_t>(frame.words);
    for (std::size_t i = 0; i < frame.rows.size(); ++i) {
        const std::int32_t row = frame.rows[i];
        const std::uint64_t bit = std::uint64_t{1} << (i & 63);
        for (const std::uint16_t* c = m_index->rowBegin(row); c != m_index->rowEnd(row); ++c)
            frame.cellColumns[static_cast<std::size_t>(*c) * frame.cellStride + (i >> 6)] |= bit;
    }
    // The same bits eight cells side by side, for the count.
    for (int c = 0; c < m_cells; ++c) {
        const std::uint64_t* byCell = frame.cell(c);
        std::uint64_t* byGroup = frame.columns.data() + static_cast<std::size_t>(c / 8) * 8 * words + c % 8;
        for (std::size_t w = 0; w < words; ++w) byGroup[w * 8] = byCell[w];
    }
}

// A frame's columns from its parent's: the bits of the live rows, packed together in order, written cell
// by cell and eight cells side by side at once. Covered cells have no live rows; their columns are 0, as
// are the places of the cells past the last in its group.
#if defined(__x86_64__)
__attribute__((target("bmi2,popcnt")))
#endif
void IncrementalSearch::extractColumns(const Frame& parent, Frame& frame, const std::uint64_t* live) {
    numberRows(parent, frame, live);
    std::uint16_t* words = m_liveWords.data();
    const int wordCount = wordsInUse(live, parent.words, words);
    const auto frameWords = static_cast<std::size_t>(frame.words);
    const std::uint32_t* covered = m_state.coveredMask.data();
    for (int c = 0; c < m_index->columnStride(); ++c) {
        std::uint64_t* byGroup =
            frame.columns.data() + static_cast<std::size_t>(c / 8) * 8 * frameWords + c % 8;
        if (c >= m_cells) {  // a place past the last cell, in the grouped columns only
            for (std::size_t w = 0; w < frameWords; ++w) byGroup[w * 8] = 0;
            continue;
        }
        std::uint64_t* to = frame.cellColumns.data() + static_cast<std::size_t>(c) * frame.cellStride;
        if ((covered[c >> 5] >> (c & 31) & 1u) != 0) {
            std::fill_n(to, frameWords, 0);
            for (std::size_t w = 0; w < frameWords; ++w) byGroup[w * 8] = 0;
            continue;
        }
        const std::uint64_t* from = parent.cell(c);
        std::uint64_t packed = 0;
        int filled = 0;  // bits of `packed` in use, always below 64
        for (int i = 0; i < wordCount; ++i) {
            const std::size_t w = words[i];
#if defined(__x86_64__)
            const std::uint64_t bits = _pext_u64(from[w], live[w]);
#else
            std::uint64_t bits = 0;
            int k = 0;
            for (std::uint64_t rows = live[w]; rows != 0; rows &= rows - 1, ++k)
                bits |= ((from[w] >> std::countr_zero(rows)) & 1u) << k;
#endif
            const int n = std::popcount(live[w]);
            packed |= bits << filled;
            filled += n;
            if (filled >= 64) {
                *to++ = packed;
                *byGroup = packed;
                byGroup += 8;
                filled -= 64;
                packed = filled != 0 ? bits >> (n - filled) : 0;
            }
        }
        if (filled != 0) {
            *to = packed;
            *byGroup = packed;
        }
    }
}

int IncrementalSearch::chooseCellBitsPortable() {
    return chooseCellBits();
}
