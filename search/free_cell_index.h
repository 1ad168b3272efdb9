#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "board/board.h"
#include "pieces/piece.h"

// Numbers the open cells row by row, left to right within a row. The numbering fixes the search's
// tie-break between cells with equally few candidates.
struct FreeCellIndex {
    std::array<std::int32_t, BOARD_CELLS> number{};  // laid out like the Board's cells; -1 when not open
    std::vector<CellPos> coordinates;                // by open-cell number
    int freeCellCount = 0;

    int numberAt(int x, int y) const { return number[static_cast<std::size_t>(x * BOARD_ROWS + y)]; }
};

// Builds the index from the Board's active area; returns freeCellCount.
int numberFreeCells(FreeCellIndex& index, const Board& board);
