#pragma once

#include <span>
#include <vector>

#include "pieces/piece.h"
#include "search/free_cell_index.h"
#include "search/placement_table.h"
#include "search/tiling_classes.h"

// The modes of a search, as one set of bits: the part files of shards record them in this form.
namespace SearchMode {
inline constexpr int EachTilingOnce = 1;       // copies and slots of one shape interchangeable
inline constexpr int OnePerSymmetryClass = 2;  // one tiling of each symmetry class (with EachTilingOnce)
inline constexpr int CellsMayStayOpen = 4;     // packings: the surplus cells stay open
inline constexpr int CountOnly = 8;            // counts alone: a part holds them, and no solutions
inline constexpr int All = 15;
}  // namespace SearchMode

// How the modes shape a search before it runs. `counter` is prepared on `table` for `pieces` (with
// their own copies). Each tiling once: the copies of interchangeable slots are pooled in the first slot
// of their class (in `pieces`, in place), and the counter weighs every solution 1. One tiling per
// symmetry class: where the search finds every tiling (an exact fit, or a packing with cells to spare),
// a piece of one copy without symmetry of its own (chosen by chooseSymmetryClass, with `spareCells` the
// cells that may stay open) is kept to the least Placement of each orbit (`table`
// keeps those, `fullTable` gets the whole table and `placementOrigin` the number there of each kept
// Placement), so that every class is found once, as the tiling whose piece lies there; otherwise every
// tiling is searched and only the least of its images is to be recorded, and the result says so. The
// search driver, a shard and the merge of the shards all prepare through here, so that their tables,
// and the Placement numbers in their events, agree.
// Returns whether the recording must apply the canonical test.
bool applySearchModes(int modes, bool findsEveryTiling, PlacementTable& table, const FreeCellIndex& index,
                      std::span<Piece> pieces, int pieceCount, TilingClassCounter& counter,
                      PlacementTable& fullTable, std::vector<int>& placementOrigin, int spareCells);
