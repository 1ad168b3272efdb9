#pragma once

#include <span>

#include "pieces/piece.h"
#include "search/placement_table.h"
#include "search/search_engine.h"
#include "search/search_hooks.h"
#include "search/search_state.h"

// The reference search: exact cover with counters, by plain backtracking.
//
// The placement table is a 0/1 matrix whose rows are Placements and whose columns are open cells; a
// tiling is a set of rows that covers every column at most once. Besides the columns, every piece slot
// p is a counter: piece p may be placed at most `copies` times. A search path ends in a solution when
// all copies are placed (depth = totalCopies) or when every open cell is covered.
//
// At each step the uncovered cell with the fewest candidate rows is chosen (ties to the lowest cell
// number), and every row that covers it and is disjoint from the rows on the stack is tried, piece slot
// by piece slot. The candidate scan of piece p runs once per remaining copy, so a tiling that uses u of
// the k copies of one piece is found k(k-1)...(k-u+1) times: each order of identical copies counts.
//
// Packings (state.spareCells > 0): every copy must be placed, and up to spareCells open cells may stay
// uncovered. The open cells are then columns that may be covered at most once, and leaving one open is
// one more candidate of the step that chose it: tried last, after every piece, while cells may still
// stay open. A cell that nothing can cover is chosen first (the lowest such cell) and has only that
// candidate; once no cell may stay open the search is the ordinary one. A solution is a path on which
// every copy is placed; the cells it left open are not part of it, so chosenPlacement holds only
// Placements and the depth given to the hooks counts those. Each packing is found on one path: at
// each step the chosen cell is either covered by one of its Placements or open.
//
// Nothing is cached between steps: every step recounts the candidates of all cells. Other engines may
// be faster, but must call the hooks in the same sequence; this one is their oracle.
class BacktrackingSearch : public SearchEngine {
  public:
    BacktrackingSearch(const PlacementTable& table, int freeCellCount, SearchState& state,
                       std::span<Piece> pieces, SearchHooks& hooks);

    void run() override { searchStep(0); }

    // One level of the search at depth a.
    void searchStep(int a);
    // The open cell to cover next; -1 when an uncovered cell has no candidate left (dead end), -2 when
    // no uncovered cell is left.
    int chooseCell();
    // Covers or uncovers an open cell that stays open (packings): not drawn, not a Placement.
    void toggleOpenCell(int cell);
    // Places or takes away Placement j (XOR into coveredMask); while steps are shown it is drawn with
    // `value`: the piece index when placing, 64 when taking away.
    void togglePlacement(int value, int j);

  private:
    const PlacementTable& m_table;
    int m_freeCellCount;
    SearchState& m_state;
    std::span<Piece> m_pieces;
    SearchHooks& m_hooks;
    int m_pieceSlots;      // pieceCount, limited to the slots that exist
    int m_spare = 0;       // packings: cells that may still stay open
    int m_openCells = 0;   // cells left open on the path
    int m_emptyCell = -1;  // the lowest uncovered cell without candidates, when chooseCell found one
};
