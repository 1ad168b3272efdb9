#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "pieces/piece_set.h"
#include "search/free_cell_index.h"

// Which piece, which orientation slot, and where: the 16-byte record of the solution file.
struct PlacementRecord {
    std::int32_t piece = 0;
    std::int32_t orientation = 0;
    std::int32_t anchorX = 0;  // may be -1
    std::int32_t anchorY = 0;
    friend bool operator==(const PlacementRecord&, const PlacementRecord&) = default;
};

// Every way to lay a participating orientation of a piece on open cells, as an exact-cover matrix:
// row j is a Placement, its CoverMask the set of open-cell numbers it covers (bit n & 31 of word n >> 5).
// Placements are ordered by piece slot, then orientation slot, then anchor row, then anchor column, so the
// Placements of piece p are the contiguous run firstPlacement[p] .. endPlacement[p] - 1.
struct PlacementTable {
    int wordsPerMask = 1;  // (freeCellCount >> 5) + 1
    int placementCount = 0;
    std::vector<std::uint32_t> masks;  // placementCount * wordsPerMask words
    std::vector<PlacementRecord> records;
    std::array<int, kMaxPieces> firstPlacement{};
    std::array<int, kMaxPieces> endPlacement{};

    const std::uint32_t* mask(int j) const {
        return masks.data() + static_cast<std::size_t>(j) * static_cast<std::size_t>(wordsPerMask);
    }
};

inline int wordsPerMaskFor(int freeCellCount) {
    return (freeCellCount >> 5) + 1;
}

// Keeps the Placements j for which keep(j) holds, in their order; returns the old number of each kept one.
template <typename Keep>
std::vector<int> keepPlacements(PlacementTable& table, Keep keep) {
    std::vector<int> origin;
    int kept = 0;
    const auto words = static_cast<std::size_t>(table.wordsPerMask);
    for (std::size_t p = 0; p < table.firstPlacement.size(); ++p) {
        const int first = table.firstPlacement[p], end = table.endPlacement[p];
        table.firstPlacement[p] = kept;
        for (int j = first; j < end; ++j) {
            if (!keep(j)) continue;
            std::copy_n(
                table.masks.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(j) * words), words,
                table.masks.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(kept) * words));
            table.records[static_cast<std::size_t>(kept)] = table.records[static_cast<std::size_t>(j)];
            origin.push_back(j);
            ++kept;
        }
        table.endPlacement[p] = kept;
    }
    table.placementCount = kept;
    table.masks.resize(static_cast<std::size_t>(kept) * words);
    table.records.resize(static_cast<std::size_t>(kept));
    return origin;
}

// Fits every participating orientation of pieces 0 .. m_nPieces - 1 at every anchor of the Board.
void buildPlacementTable(PlacementTable& table, const FreeCellIndex& index, const PieceSet& pieces,
                         int rowLength, int height);
