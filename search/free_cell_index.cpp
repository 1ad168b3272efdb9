#include "search/free_cell_index.h"

#include <algorithm>

int numberFreeCells(FreeCellIndex& index, const Board& board) {
    // A loaded document may hold sizes no editor produces; never look outside the 59 x 30 cells.
    const int rowLength = std::clamp(board.rowLength(), 0, BOARD_COLUMNS);
    const int height = std::clamp(board.m_nHeight, 0, BOARD_ROWS);

    index.number.fill(-1);
    index.coordinates.clear();
    int n = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < rowLength; ++x) {
            if (board.cell(x, y) != kOpenCell) continue;
            index.number[static_cast<std::size_t>(x * BOARD_ROWS + y)] = n;
            index.coordinates.push_back({x, y});
            ++n;
        }
    }
    index.freeCellCount = n;
    return n;
}
