#pragma once

#include <cstdint>

#include "board/board.h"
#include "board/board_shape.h"

// The Board that --make-board writes: the smallest that holds the shape, the shape's cells open at its
// top left and every other cell of the active area blocked in grey. Other fields are left as they are.
void makeShapeBoard(Board& board, const ShapeLayout& layout);

// "Veld > Vorm...": the shape's cells become the Board's open region, centred, every other cell of the
// active area blocked with `blocked`; the Board is made larger where the shape needs it. The layout must
// be one without an error (it then fits the largest Board).
void placeShapeCentred(Board& board, const ShapeLayout& layout, std::uint8_t blocked);
