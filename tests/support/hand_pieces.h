#pragma once

#include <string>
#include <vector>

#include "board/board.h"
#include "pieces/piece.h"
#include "pieces/piece_set.h"

namespace testsupport {

// A piece slot written by hand: its orientations as given, every one participating.
Piece handPiece(const std::string& label, int copies, const std::vector<std::vector<CellPos>>& orientations);

// The two-triangle piece: orientations (2,0),(1,0); (0,0),(1,0); (1,1),(1,0).
Piece dominoPiece(const std::string& label, int copies);
// The single triangle: orientations (0,0) and (1,0).
Piece monoPiece(const std::string& label, int copies);

// A Board drawn as text, one string per row, one character per cell: '.' open, anything else blocked
// (grey). The row length is that of the strings (odd), the height the number of strings.
void drawBoard(Board& board, const std::vector<std::string>& rows);

// The hexagon of six open cells (1,0), (2,0), (3,0), (1,1), (2,1), (3,1) on a Board of row length 5
// and height 6.
void hexagonBoard(Board& board);

// Fills slots 0 .. n - 1 with the pieces given, with colour numbers of their slots.
void setPieces(PieceSet& set, const std::vector<Piece>& pieces);

}  // namespace testsupport
