#pragma once

#include <cstdint>
#include <vector>

#include "search/cache_aligned.h"
#include "search/placement_table.h"

// The placement table as sparse rows and columns, for the incremental search. In exact-cover terms the
// table is a 0/1 matrix whose rows are Placements and whose columns are open cells; a row has at most
// nine cells, so the sparse form is a small fraction of the masks (56 words per row on the largest
// Board). It never changes during a search, so all worker threads share one.
//
// Sizes are chosen for the largest problem (about 580,000 Placements over 1770 cells): a cell number
// fits 16 bits and a piece slot 8, only row numbers need 32.
class PlacementIndex {
  public:
    PlacementIndex(const PlacementTable& table, int freeCellCount);

    int cells() const { return m_cells; }
    int placements() const { return static_cast<int>(m_pieceOf.size()); }
    int pieceOf(int placement) const { return m_pieceOf[static_cast<std::size_t>(placement)]; }

    // The open cells of a Placement, ascending.
    // (Each row has the room of the longest, so that where a row begins is known without reading.)
    const std::uint16_t* rowBegin(int placement) const {
        return m_rowCells.data() + static_cast<std::size_t>(placement) * m_rowStride;
    }
    const std::uint16_t* rowEnd(int placement) const {
        return rowBegin(placement) + m_rowSize[static_cast<std::size_t>(placement)];
    }
    // The Placements through a cell, ascending, so in table order.
    const std::int32_t* columnBegin(int cell) const { return m_columnRows.data() + m_columnStart[cell]; }
    const std::int32_t* columnEnd(int cell) const { return m_columnRows.data() + m_columnStart[cell + 1]; }

    // On small tables also every column as a bit set over the rows (rowWords() words per cell), for the
    // bit-parallel form of the search; empty on large ones, where it would take too much memory. They
    // are stored in groups of eight cells (columnStride() is the cells rounded up to a group): the
    // group's word 0 of its eight cells side by side, then word 1, and so on, so that eight cells'
    // counts are taken at once from words that follow each other. Word w of cell c is at
    // ((c / 8) * rowWords() + w) * 8 + c % 8.
    bool hasColumnBits() const { return !m_columnBits.empty(); }
    int rowWords() const { return m_rowWords; }
    int columnStride() const { return m_columnStride; }
    const std::uint64_t* columnBits() const { return m_columnBits.data(); }
    // The same bits cell by cell: cell c's rowWords() words from cellBits() + c * cellStride(), so that
    // the words of a few cells are read side by side when a Placement is placed. The stride is rowWords()
    // up to a multiple of eight, so that every cell's words start on a cache line (the storage does).
    const std::uint64_t* cellBits() const { return m_cellBits.data(); }
    int cellStride() const { return m_cellStride; }

    // Bytes held, for the memory figures.
    std::size_t bytes() const;

  private:
    int m_cells;
    std::vector<std::uint8_t> m_pieceOf;
    std::size_t m_rowStride = 0;
    std::vector<std::uint16_t> m_rowSize;
    std::vector<std::uint16_t> m_rowCells;
    std::vector<std::int32_t> m_columnStart;
    std::vector<std::int32_t> m_columnRows;
    int m_rowWords = 0;
    int m_columnStride = 0;
    int m_cellStride = 0;
    CacheAlignedVector<std::uint64_t> m_columnBits;
    CacheAlignedVector<std::uint64_t> m_cellBits;
};
