#include "search/placement_index.h"

#include <algorithm>
#include <bit>

namespace {
constexpr std::size_t kMaxColumnBitWords = std::size_t{1} << 18;  // 2 MB, and as much again cell by cell
}

PlacementIndex::PlacementIndex(const PlacementTable& table, int freeCellCount)
    : m_cells(std::max(freeCellCount, 0)) {
    const int placements = table.placementCount;
    m_pieceOf.assign(static_cast<std::size_t>(placements), 0);
    for (int p = 0; p < kMaxPieces; ++p)
        for (int j = table.firstPlacement[p]; j < table.endPlacement[p] && j < placements; ++j)
            m_pieceOf[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(p);

    // Count first, so that every array is allocated once at its final size.
    std::size_t entries = 0;
    std::vector<std::int32_t> columnSizes(static_cast<std::size_t>(m_cells) + 1, 0);
    m_rowSize.assign(static_cast<std::size_t>(placements), 0);
    for (int j = 0; j < placements; ++j) {
        const std::uint32_t* mask = table.mask(j);
        for (int w = 0; w < table.wordsPerMask; ++w) {
            for (std::uint32_t bits = mask[w]; bits != 0; bits &= bits - 1) {
                const int cell = w * 32 + std::countr_zero(bits);
                if (cell >= m_cells) continue;  // the spare word of a mask is always 0
                ++columnSizes[static_cast<std::size_t>(cell)];
                ++m_rowSize[static_cast<std::size_t>(j)];
                ++entries;
            }
        }
        m_rowStride = std::max(m_rowStride, static_cast<std::size_t>(m_rowSize[static_cast<std::size_t>(j)]));
    }

    m_rowCells.resize(static_cast<std::size_t>(placements) * m_rowStride);
    for (int j = 0; j < placements; ++j) {
        std::size_t at = static_cast<std::size_t>(j) * m_rowStride;
        const std::uint32_t* mask = table.mask(j);
        for (int w = 0; w < table.wordsPerMask; ++w) {
            for (std::uint32_t bits = mask[w]; bits != 0; bits &= bits - 1) {
                const int cell = w * 32 + std::countr_zero(bits);
                if (cell < m_cells) m_rowCells[at++] = static_cast<std::uint16_t>(cell);
            }
        }
    }

    m_columnStart.assign(static_cast<std::size_t>(m_cells) + 1, 0);
    for (int n = 0; n < m_cells; ++n)
        m_columnStart[static_cast<std::size_t>(n) + 1] =
            m_columnStart[static_cast<std::size_t>(n)] + columnSizes[static_cast<std::size_t>(n)];
    // Columns by a counting sort of the rows: rows are visited in increasing order, so every column
    // list comes out ascending.
    m_columnRows.resize(entries);
    std::vector<std::int32_t> fill(m_columnStart.begin(), m_columnStart.end() - 1);
    for (int j = 0; j < placements; ++j)
        for (const std::uint16_t* c = rowBegin(j); c != rowEnd(j); ++c)
            m_columnRows[static_cast<std::size_t>(fill[*c]++)] = j;

    // Column bit sets when they stay small (a Board of a few hundred cells with a few thousand rows).
    m_rowWords = (placements + 63) / 64;
    m_columnStride = (m_cells + 7) / 8 * 8;
    const std::size_t words = static_cast<std::size_t>(m_rowWords) * static_cast<std::size_t>(m_columnStride);
    if (words <= kMaxColumnBitWords) {
        m_columnBits.assign(words, 0);
        m_cellStride = (m_rowWords + 7) / 8 * 8;
        m_cellBits.assign(static_cast<std::size_t>(m_cellStride) * static_cast<std::size_t>(m_cells), 0);
        for (int j = 0; j < placements; ++j)
            for (const std::uint16_t* c = rowBegin(j); c != rowEnd(j); ++c) {
                const std::uint64_t bit = std::uint64_t{1} << (j & 63);
                m_columnBits[(static_cast<std::size_t>(*c / 8) * static_cast<std::size_t>(m_rowWords) +
                              static_cast<std::size_t>(j >> 6)) *
                                 8 +
                             *c % 8] |= bit;
                m_cellBits[static_cast<std::size_t>(*c) * static_cast<std::size_t>(m_cellStride) +
                           static_cast<std::size_t>(j >> 6)] |= bit;
            }
    }
}

std::size_t PlacementIndex::bytes() const {
    return m_pieceOf.capacity() + m_rowSize.capacity() * sizeof(std::uint16_t) +
           m_rowCells.capacity() * sizeof(std::uint16_t) + m_columnStart.capacity() * sizeof(std::int32_t) +
           m_columnRows.capacity() * sizeof(std::int32_t) +
           (m_columnBits.capacity() + m_cellBits.capacity()) * sizeof(std::uint64_t);
}
