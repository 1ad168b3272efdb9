#pragma once

#include "board/trianzoid_doc.h"
#include "search/placement_table.h"
#include "solutions/opb_reader.h"

// A record of the solution file may come from another piece set, another Board of the same size or
// a damaged file: it is drawn only when it names a loaded piece slot and one of its orientations, and
// every triangle lands in the active area of the Board as it is now, on a cell that is not blocked.
// (Drawing stores the piece's colour into the cell, and leaving the display opens every covered cell:
// a blocked cell drawn over would be lost.)
bool placementFitsBoard(const CTrianzoidDoc& doc, const PlacementRecord& record);
