#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "search/search_engine.h"

// The search with an incremental candidate index. It makes exactly the choices of the plain search
// (which recounts every candidate at every step) and calls the hooks at exactly the same points, but
// keeps the counts up to date as Placements come and go.
//
// In exact-cover terms the placement table is a 0/1 matrix: rows are Placements, columns are open
// cells, and a piece's remaining copies act as a counter on its rows. For every column the search needs
// the number of live rows through it, where a row is live when none of its cells is covered and its
// piece has copies left (a count other than 0). This class keeps, per row, how many of its cells are
// covered (`m_blocked`), and per column the live-row count (`m_count`):
// - covering a cell kills every live row through it: each cell of such a row loses one count;
// - a piece whose count drops to 0 takes its live rows out of the counts, and puts them back when
//   the count returns;
// - taking a Placement away undoes both in reverse order, so the counts are restored exactly.
// Choosing a cell is then one pass over the uncovered cells, and the candidates for the chosen cell
// are read from its column list, which is sorted by row number and therefore in table order.
class IncrementalSearch : public SearchEngine {
  public:
    IncrementalSearch(const PlacementTable& table, int freeCellCount, SearchState& state,
                      std::span<Piece> pieces, SearchHooks& hooks);
    void run() override;

  private:
    void searchStep(int depth);
    int chooseCell();
    void place(int placement, int piece);
    void unplace(int placement, int piece);
    void cover(int placement);
    void uncover(int placement);
    void addPieceRows(int piece, int delta);
    void addRow(int placement, int delta);
    void togglePlacement(int value, int placement);

    const PlacementTable& m_table;
    int m_cells;
    SearchState& m_state;
    std::span<Piece> m_pieces;
    SearchHooks& m_hooks;

    std::vector<std::int32_t> m_pieceOf;   // piece slot of each Placement
    std::vector<std::int32_t> m_rowStart;  // cells of Placement j: m_rowCells[m_rowStart[j] ..]
    std::vector<std::int32_t> m_rowCells;
    std::vector<std::int32_t> m_columnStart;  // Placements through cell n, ascending
    std::vector<std::int32_t> m_columnRows;
    std::vector<std::uint8_t> m_blocked;  // covered cells per Placement
    std::vector<std::int32_t> m_count;    // live Placements per cell
    std::vector<std::uint8_t> m_covered;  // per cell
};
