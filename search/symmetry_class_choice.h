#pragma once

#include <span>

#include "pieces/piece.h"
#include "search/placement_table.h"
#include "search/tiling_classes.h"

// Which class a search for one tiling per symmetry class cuts to one Placement per orbit. Any class of
// asymmetricSingleClasses() finds every class once, but the searches differ: the cut pays most when the
// search lays that piece near the root. So each candidate cut is tried on the first levels of the
// search itself, and the one leaving the fewest steps there is taken, ties going to the first in the
// order of shapes. Neither the order of the piece file nor the slot numbers play a part, so the search
// makes the same steps in any order of the pieces. -1 when no class qualifies.
//
// `pieces` and `spareCells` as the search will run (copies pooled, cells that may stay open); the table
// is the whole one, before the cut.
int chooseSymmetryClass(const TilingClassCounter& counter, const PlacementTable& table, int freeCells,
                        std::span<Piece> pieces, int pieceCount, int spareCells);
